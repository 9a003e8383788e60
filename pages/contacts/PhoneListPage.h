#pragma once
// What the control and emergency phone pages share: one numbered list of
// phone numbers filled from the phone dump, each row edited in the phone
// entry dialog and written to the terminal at once with its own command,
// outside any batch.
#include <string>
#include <string_view>

#include "pages/Page.h"

namespace orlan {

class CPhoneListPage : public CPage {
public:
    // Tick limit of the commands an edit sends at once.
    static constexpr int kEditTicks = 3000;

    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;
    std::optional<SRowEditor> RowEditor(size_t table, size_t row) const override;
    CCommandList CommitRow(size_t table, size_t row, const CFieldSet& edited) override;

    const std::string& Number(size_t row) const { return m_tables.front().Cell(row, 0); }

protected:
    // `rowKey` is the routed key whose lines carry one row's number.
    CPhoneListPage(SPageInfo info, std::string rowKey, size_t rows);

    // The command that stores `number` in `row` ("%CS3+123" CR).
    virtual std::string RowCommand(size_t row, std::string_view number) const = 0;

private:
    void StoreNumber(const SDumpValue& value);

    std::string m_rowKey;
};

} // namespace orlan
