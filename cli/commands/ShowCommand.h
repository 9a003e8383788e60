#pragma once
// show [PAGE] [--json]: after the whole read, one page's values or every
// page's, as text for a person or as JSON; with --profile FILE those of the
// profile, without a terminal.
#include "cli/CliCommand.h"

namespace orlan {

class CShowCommand final : public CCliCommand {
public:
    using CCliCommand::CCliCommand;

    bool Prepare() override;
    void Run() override;
    void OnWholeReadComplete() override;

private:
    void PrintPages();

    const CPage* m_page = nullptr;  // null: every page
};

} // namespace orlan
