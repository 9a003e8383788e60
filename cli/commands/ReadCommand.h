#pragma once
// read: the whole configuration, its "$" lines on standard output, or
// saved as a profile with --profile FILE.
#include "cli/CliCommand.h"

namespace orlan {

class CReadCommand : public CCliCommand {
public:
    using CCliCommand::CCliCommand;

    bool Prepare() override;
    void Run() override;
    void OnLine(std::string_view line) override;
    void OnWholeReadComplete() override;

protected:
    // A read's results are the configuration's "$" lines; prompts and
    // status lines go with the progress.
    void PrintConfigurationLine(std::string_view line);

    bool m_printLines = false;

private:
    void SaveProfile();
};

} // namespace orlan
