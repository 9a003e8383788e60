#pragma once
// The realtime temperature records: the latest samples (type 33) of the six
// external sensors, newest on top, at most 200 rows and 999 records before
// the list starts over; each sample is appended to the running file
// "ex temp.csv" as a CSV line, and the chart shows one sensor's latest.
#include <functional>
#include <string>

#include "pages/logs/RecordFile.h"
#include "pages/logs/TempChart.h"
#include "pages/logs/TempRecordList.h"

namespace orlan {

// The computer's local date and time.
struct SLocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};
SLocalDateTime LocalDateTimeNow();

class CPageExTmpRcd final : public CTempRecordPage {
public:
    static constexpr size_t kRowLimit = 200;
    static constexpr int kRecordLimit = 999;
    // The running file, in the working directory.
    static constexpr const char* kLogFileName = "ex temp.csv";

    CPageExTmpRcd();

    // Realtime samples carry no time of their own: they get this clock's.
    void SetClock(std::function<SLocalDateTime()> clock) { m_clock = std::move(clock); }
    // Null: samples go to no file.
    void SetRecordFile(IRecordFile* file) { m_file = file; }

    STempChart Chart(int sensor, bool autoFit) const { return TempChartOf(List(), sensor, autoFit, m_chartTitle); }
    // The state words and the chart's title pattern.
    void LoadLabels(const CLabelCatalogue& catalogue) override;

    // "%d/%2.2d/%2.2d %2.2d:%2.2d:%2.2d"
    static std::string TimeText(const SLocalDateTime& at);

private:
    std::string TimeCell(const STempRecord& record) const override;
    void OnRowAdded() override;

    std::function<SLocalDateTime()> m_clock = LocalDateTimeNow;
    IRecordFile* m_file = nullptr;
    std::string m_chartTitle{kChartTitlePattern};
};

} // namespace orlan
