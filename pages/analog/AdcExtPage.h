#pragma once
// The extended alarms of the analog inputs: per channel a first threshold
// pair with its hysteresis (the analog page's own), a second pair with its
// own hysteresis, and the output each of the four crossings switches (0-7,
// 255 for none). One row per channel, filled by the analog dump; a row is
// edited in CSetupAdcExt and sent at once as one batch.
//
// Table "channels": rows AIN0 … AIN3, cells high 1, low 1, hysteresis 1,
// high 2, low 2, hysteresis 2 and the outputs of high 1, low 1, high 2 and
// low 2, as received or entered.
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageAdcExt final : public CPage {
public:
    static constexpr size_t kChannels = 4;
    static constexpr size_t kColumns = 10;
    static constexpr size_t kThresholdColumns = 6;
    static constexpr size_t kOutputColumns = 4;
    static constexpr int kNoOutput = 255;

    CPageAdcExt();

    // The rows keep what they hold until the dump brings new values: the
    // terminal sends them with every analog dump.
    void Clear() override;
    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;
    // A complete profile holds every channel the terminal reported whole.
    bool RowsInCompleteProfile() const override { return true; }
    bool RowInCompleteProfile(size_t table, size_t row) const override;
    std::optional<SRowEditor> RowEditor(size_t table, size_t row) const override;
    CCommandList CommitRow(size_t table, size_t row, const CFieldSet& edited) override;

    const std::string& Cell(size_t channel, size_t column) const { return m_tables.front().Cell(channel, column); }

private:
    void StoreFields(const SDumpValue& value, size_t firstColumn, size_t count);
};

} // namespace orlan
