#pragma once
// edit PAGE ROW [--table N] --set ID=VALUE...: after the whole read, the
// row's dialog with the values given, and its OK. ROW is the label the list
// shows or the row's number from 0.
#include "cli/commands/PageJobCommand.h"

namespace orlan {

class CEditCommand final : public CPageJobCommand {
public:
    using CPageJobCommand::CPageJobCommand;

private:
    bool Check() override;
    void StartJob() override;
    std::string ChangeProfile() override;
    bool FindRow(const CPageTable& rows);

    // The row ROW names, found by Check.
    size_t m_row = 0;
};

} // namespace orlan
