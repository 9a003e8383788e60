#pragma once
// The alarm timing of the four wired inputs: the shortest time between two
// alarm messages, when the message is repeated while the alarm lasts, and
// how long the input must stay in alarm before it counts. One row per input,
// edited in CDinTimersDlg and sent at once; the page has no Save, its values
// reach the terminal through the dialog or a profile.
//
// Table "timers": input label, interval, repeat, delay. Editor fields:
// interval, repeat, delay.
#include <cstddef>
#include <string>
#include <string_view>

#include "pages/Page.h"

namespace orlan {

class CPageDinParams final : public CPage {
public:
    static constexpr std::size_t kInputs = 4;
    static constexpr int kEditWaitMs = 1000;
    static constexpr std::string_view kIntervalField = "interval";
    static constexpr std::string_view kRepeatField = "repeat";
    static constexpr std::string_view kDelayField = "delay";

    CPageDinParams();

    // The cells keep their texts until the terminal reports them again.
    void Clear() override {}
    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;
    void LoadLabels(const CLabelCatalogue& catalogue) override;
    std::optional<SRowEditor> RowEditor(size_t table, size_t row) const override;
    CCommandList CommitRow(size_t table, size_t row, const CFieldSet& edited) override;

    const std::string& Cell(std::size_t input, std::size_t column) const { return m_tables.front().Cell(input, column); }

protected:
    // Profiles only: the twelve settings of the four inputs.
    CCommandList SettingCommands(ETarget target) const override;

private:
    void StoreValue(const SDumpValue& value, std::size_t column);
    void LabelRows(const std::string& word);
};

} // namespace orlan
