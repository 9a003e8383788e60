#pragma once
// report --output FILE.html|FILE.pdf [--profile FILE]: a readable document
// of the configuration, after a whole read or of a profile with no terminal.
#include <string>

#include "cli/CliCommand.h"

namespace orlan {

// Whether the report goes out as PDF (printing needs a GUI application).
bool IsPdfReportName(const std::string& path);

class CReportCommand final : public CCliCommand {
public:
    using CCliCommand::CCliCommand;

    bool Prepare() override;
    void Run() override;
    void OnWholeReadComplete() override;

private:
    void WriteReport();
};

} // namespace orlan
