#pragma once
// diff FILE: after the whole read, what the terminal holds that differs from
// the profile; diff A B: what differs between two profiles, no terminal.
// Differences are named by page, row and field caption with both values;
// --raw gives the sections' command lines as a unified diff instead, --json
// one object per difference.
#include <string>

#include "cli/CliCommand.h"

namespace orlan {

class CDiffCommand final : public CCliCommand {
public:
    using CCliCommand::CCliCommand;

    bool Prepare() override;
    void Run() override;
    void OnWholeReadComplete() override;

private:
    void Report(const std::string& name, const std::string& other, const std::string& otherName,
                const std::string& otherText);

    std::string m_profileText;  // the profile as read
};

} // namespace orlan
