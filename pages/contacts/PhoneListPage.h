#pragma once
// What the pages holding a list of phone numbers share (the control and
// emergency phones, the SMS data-transfer numbers): one numbered list filled
// from the phone dump, each row edited in the phone entry dialog and written
// to the terminal at once with its own command, outside any batch.
#include <string>
#include <string_view>

#include "pages/Page.h"

namespace orlan {

struct SPhoneListDesc {
    std::string rowKey;       // routed key whose lines carry one row's number: "$CS"
    std::string commandName;  // "CS": "%CS3+123" CR stores row 3
    STableDesc table;         // the numbers in column 0
    // An empty number empties its row; otherwise only a text that starts
    // like a number is taken.
    bool takesEmpty = false;
};

// The table of a plain phone list: numbered rows and one number column.
STableDesc PhoneTable(size_t rows);

class CPhoneListPage : public CPage {
public:
    // Tick limit of the commands an edit sends at once.
    static constexpr int kEditWaitMs = 3000;

    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;
    std::optional<SRowEditor> RowEditor(size_t table, size_t row) const override;
    CCommandList CommitRow(size_t table, size_t row, const CFieldSet& edited) override;
    // A number never reported would go out empty and clear the terminal's.
    bool RowInCompleteProfile(size_t table, size_t row) const override;

    const std::string& Number(size_t row) const { return m_tables.front().Cell(row, 0); }

protected:
    CPhoneListPage(SPageInfo info, SPhoneListDesc desc);

    // The command that stores `number` in `row`.
    std::string RowCommand(size_t row, std::string_view number) const;

private:
    void StoreNumber(const SDumpValue& value);

    SPhoneListDesc m_desc;
};

} // namespace orlan
