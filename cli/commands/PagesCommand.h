#pragma once
// pages [PAGE]: the list of pages, or what a page's fields and tables take;
// it needs no terminal, so it is all done before the port would open.
#include "cli/CliCommand.h"

namespace orlan {

class CPagesCommand final : public CCliCommand {
public:
    using CCliCommand::CCliCommand;

    bool Prepare() override;
    void Run() override {}
};

} // namespace orlan
