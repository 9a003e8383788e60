#pragma once
// The terminal's four analog inputs (AIN0 … AIN3): per channel the enable
// switch, the low and high alarm thresholds, the present reading, scale and
// zero of the conversion, the urgent and siren flags, the step threshold,
// the hysteresis and the input type; page-wide the SMS timing of analog
// alarms, the confirmation delay and the hidden report settings, which are
// read and written back unchanged. Reset closes an empty batch and reads the
// whole configuration again; each channel's Calibrate opens CADCacDlg.
//
// Field ids: per channel n = 0..3 enabled<n>, low<n>, high<n>, current<n>
// (shown only), scale<n>, zero<n>, urgent<n>, sound<n>, step<n>,
// hysteresis<n>, type<n>; page-wide smsInterval, smsRepeat, confirmDelay and
// the hidden reportPeriod, reportStart, reportEnd, reportRange, reportOnStep.
#include <array>
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageAD final : public CPage {
public:
    static constexpr size_t kChannels = 4;
    // The row editor of the calibration dialog: its rows are the channels,
    // which no table of the page shows.
    static constexpr size_t kCalibration = 0;

    CPageAD();

    static std::string Id(std::string_view name, size_t channel);

    // Empties what a read fills again; the enable switches, the report range
    // switch, the readings, the channels' ranges and the calibration version
    // stay.
    void Clear() override;
    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;
    std::optional<SPageJob> ActionJob(std::string_view actionId, std::optional<size_t> selectedRow) override;

    std::optional<SRowEditor> RowEditor(size_t table, size_t row) const override;
    CCommandList CommitRow(size_t table, size_t row, const CFieldSet& edited) override;
    std::string RowEditError(size_t table, size_t row, const CFieldSet& edited) const override;

    float RangeLow(size_t channel) const { return m_rangeLow.at(channel); }
    float RangeHigh(size_t channel) const { return m_rangeHigh.at(channel); }
    int CalibrationVersion() const { return m_version; }

protected:
    CCommandList SettingCommands(ETarget target) const override;

private:
    void StoreThreshold(const SDumpValue& value);
    void StoreRange(const SDumpValue& value, std::array<float, kChannels>& range);
    void StoreChannelText(const SDumpValue& value, std::string_view name, size_t valueAt);
    void StoreChannelFlag(const SDumpValue& value, std::string_view name, size_t channelAt, size_t valueAt);
    void StoreType(const SDumpValue& value);

    std::array<float, kChannels> m_rangeLow{};
    std::array<float, kChannels> m_rangeHigh{};
    int m_version = 1;
};

} // namespace orlan
