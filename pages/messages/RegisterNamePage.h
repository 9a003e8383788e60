#pragma once
// The terminal's 32 named registers (the values it reads as field-bus
// master): each a name, a highest and a lowest value. A row edit writes the
// three at once and asks for the register dump again. The rows arrive with
// the whole-configuration read; the page keeps them until they are reported
// again.
#include "pages/Page.h"

namespace orlan {

inline constexpr std::string_view kRegisterNameField = "name";
inline constexpr std::string_view kRegisterHighField = "high";
inline constexpr std::string_view kRegisterLowField = "low";

class CPageRname final : public CPage {
public:
    static constexpr size_t kRows = 32;
    static constexpr int kEditWaitMs = 4000;
    enum EColumn : size_t { kNameColumn = 0, kHighColumn = 1, kLowColumn = 2 };

    CPageRname();

    // Its read asks for the register dump without emptying the list first.
    void Clear() override {}
    std::string DumpRequest() const override { return "%DUMPM\r"; }
    std::vector<SDumpEntry> DumpEntries() override;
    std::optional<SRowEditor> RowEditor(size_t table, size_t row) const override;
    CCommandList CommitRow(size_t table, size_t row, const CFieldSet& edited) override;
    // Its rows go out from the row dialog only.
    bool RowsInCompleteProfile() const override { return true; }

    const std::string& Cell(size_t row, EColumn column) const { return m_tables.front().Cell(row, column); }

private:
    void StoreName(std::string_view value);
    void StoreValue(std::string_view value);
};

} // namespace orlan
