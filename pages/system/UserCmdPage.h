#pragma once
// The terminal's six user-defined commands: each row pairs a system command
// (a console command without its "%") with the text a user sends to trigger
// it. Rows are edited in CCmdInput and written to the terminal at once; the
// page has no Save, and a whole-configuration read leaves the table as it is.
//
// Table "commands": column 0 the row number, 1 the system command, 2 the
// user command.
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageUserCmd final : public CPage {
public:
    static constexpr size_t kRows = 6;
    static constexpr size_t kSystemColumn = 1;
    static constexpr size_t kUserColumn = 2;
    static constexpr std::string_view kSystemField = "systemCommand";
    static constexpr std::string_view kUserField = "userCommand";

    CPageUserCmd();

    void Clear() override {}
    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;
    std::optional<SRowEditor> RowEditor(size_t table, size_t row) const override;
    // A system command must be ASCII: anything else is refused with
    // INVALID_CMD and nothing is sent.
    std::string RowEditError(size_t table, size_t row, const CFieldSet& edited) const override;
    CCommandList CommitRow(size_t table, size_t row, const CFieldSet& edited) override;

    const std::string& SystemCommand(size_t row) const { return m_tables.front().Cell(row, kSystemColumn); }
    const std::string& UserCommand(size_t row) const { return m_tables.front().Cell(row, kUserColumn); }

protected:
    // Towards a profile: every row with both texts set.
    CCommandList SettingCommands(ETarget target) const override;

private:
    void StoreCell(size_t column, const SDumpValue& value, bool mayBeHex);
};

} // namespace orlan
