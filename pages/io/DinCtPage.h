#pragma once
// Pulse counters on the four wired inputs: per counter its value, the value
// of one counting unit, a unit multiplier, an adjustment, the output it
// switches and its unit name, each counter edited in CDinCtDlg and sent at
// once; page-wide the counter SMS title and name, the counting mode,
// automatic upload, the upload timer, one further setting and logging. Save
// sends the page-wide settings without the batch bracket; no profile.
//
// Field ids: smsTitle, smsName, mode, autoUpload, uploadTimer,
// furtherSetting, logging. Table "counters": value, unit value, multiplier,
// adjustment, output (0-7, 255 none), unit name. Editor fields: setValue,
// value, unitValue, multiplier, adjustment, output, unitName.
#include <cstddef>
#include <string>
#include <string_view>

#include "pages/Page.h"

namespace orlan {

class CPageDinCt final : public CPage {
public:
    static constexpr std::size_t kCounters = 4;
    // The output list: "Oc0" ... "Oc7", then "None".
    static constexpr int kNoOutputItem = 8;
    static constexpr int kNoOutput = 255;

    static constexpr std::size_t kValueColumn = 0;
    static constexpr std::size_t kUnitValueColumn = 1;
    static constexpr std::size_t kMultiplierColumn = 2;
    static constexpr std::size_t kAdjustmentColumn = 3;
    static constexpr std::size_t kOutputColumn = 4;
    static constexpr std::size_t kUnitNameColumn = 5;

    static constexpr std::string_view kSetValueField = "setValue";
    static constexpr std::string_view kValueField = "value";
    static constexpr std::string_view kUnitValueField = "unitValue";
    static constexpr std::string_view kMultiplierField = "multiplier";
    static constexpr std::string_view kAdjustmentField = "adjustment";
    static constexpr std::string_view kOutputField = "output";
    static constexpr std::string_view kUnitNameField = "unitName";

    CPageDinCt();

    // The texts, the upload timer and logging are emptied; the mode, the
    // automatic upload and the counter list keep theirs until reported.
    void Clear() override;
    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;
    // A complete profile holds every counter the terminal reported whole.
    bool RowsInCompleteProfile() const override { return true; }
    bool RowInCompleteProfile(size_t table, size_t row) const override;
    std::optional<SRowEditor> RowEditor(size_t table, size_t row) const override;
    CCommandList CommitRow(size_t table, size_t row, const CFieldSet& edited) override;

    const std::string& Cell(std::size_t counter, std::size_t column) const
    {
        return m_tables.front().Cell(counter, column);
    }

private:
    void StoreColumn(const SDumpValue& value, std::size_t column);
    void StoreUnitName(const SDumpValue& value);
};

} // namespace orlan
