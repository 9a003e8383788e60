#pragma once
// diff FILE: after the whole read, the profile's sections that the
// terminal's configuration differs from, as a unified diff.
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
    std::string m_profileText;  // the profile as read
};

} // namespace orlan
