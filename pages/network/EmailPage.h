#pragma once
// The two e-mail recipients. A row is edited in the phone/address entry
// dialog and written at once with its own command, outside any batch; the
// page has no Save.
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageEmail final : public CPage {
public:
    static constexpr size_t kRows = 2;
    static constexpr int kEditWaitMs = 3000;

    CPageEmail();

    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;
    std::optional<SRowEditor> RowEditor(size_t table, size_t row) const override;
    CCommandList CommitRow(size_t table, size_t row, const CFieldSet& edited) override;
    // A complete profile holds the addresses as their dialog sends them.
    bool RowsInCompleteProfile() const override { return true; }

    const std::string& Address(size_t row) const { return m_tables.front().Cell(row, 0); }
};

} // namespace orlan
