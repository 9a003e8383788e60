#pragma once
// edit PAGE ROW [--table N] --set ID=VALUE...: after the whole read, the
// row's dialog with the values given, and its OK.
#include "cli/commands/PageJobCommand.h"

namespace orlan {

class CEditCommand final : public CPageJobCommand {
public:
    using CPageJobCommand::CPageJobCommand;

private:
    bool Check() override;
    void StartJob() override;
};

} // namespace orlan
