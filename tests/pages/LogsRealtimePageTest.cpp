// The realtime record page: samples from any "$" line into the list and the
// running file's exact bytes, a counter that agrees with the list, the row
// limit, disconnected sensors, state words, the icons and the chart's
// series, time axis and round ranges.
#include <gtest/gtest.h>

#include "LogsSupport.h"
#include "SessionHarness.h"
#include "pages/logs/ExTmpRcdPage.h"
#include "pages/logs/ExtTmpLogPage.h"
#include "labels/LabelCatalogue.h"

namespace orlan::test {
namespace {

class LogsRealtimePage : public ::testing::Test {
protected:
    LogsRealtimePage()
    {
        page.SetClock([] { return SLocalDateTime{2026, 12, 8, 7, 5, 9}; });
        page.SetRecordFile(&file);
    }
    void Sample(std::string_view entries, int count) { h.Feed({RecordLine("33", entries, count)}); }

    CSessionHarness h;
    CPageExTmpRcd& page = h.Page<CPageExTmpRcd>("CPageExTmpRcd");
    CRecordingFile file;
};

TEST_F(LogsRealtimePage, EachSampleIsARowOnTopAndALineOfTheFile)
{
    Sample("021.50,", 1);
    EXPECT_EQ(file.written, "2026/12/08 07:05:09,NORMAL,21.50,UA,,UA,,UA,,,,,,\r\n");
    file.written.clear();
    Sample("121.50,02.00,2-0.75,1-5.25,20.00,119.00,", 6);
    EXPECT_EQ(file.written, "2026/12/08 07:05:09,ALARM,21.50,NORMAL,2.00,Disconnect,,ALARM,-5.25,2,,1,19.00,\r\n")
        << "sensors 4 and 5 keep their raw states; a disconnected sensor has no temperature";
    const CPageTable& list = page.List();
    ASSERT_EQ(list.Rows(), 2u);
    EXPECT_EQ(list.Cell(0, CTempRecordPage::TemperatureColumn(3)), "-5.25");
    EXPECT_EQ(list.Cell(0, CTempRecordPage::TemperatureColumn(2)), "") << "not -0.75: the sensor is not connected";
    EXPECT_EQ(list.Cell(0, CTempRecordPage::StateColumn(2)), "2");
    EXPECT_EQ(list.Cell(1, CTempRecordPage::TemperatureColumn(0)), "21.50") << "the older sample moved down";
    EXPECT_EQ(page.StatusText(), "2 Rcd; Alarm 3");
    EXPECT_EQ(list.Desc().icon(list, 0, 0), ECellIcon::Alarm) << "an alarm marks the time too";
    EXPECT_EQ(list.Desc().icon(list, 1, 0), ECellIcon::None);
    EXPECT_EQ(list.Desc().icon(list, 0, CTempRecordPage::StateColumn(1)), ECellIcon::Normal);
    EXPECT_EQ(list.Desc().icon(list, 0, CTempRecordPage::StateColumn(2)), ECellIcon::Offline);
    EXPECT_EQ(list.Desc().icon(list, 0, CTempRecordPage::TemperatureColumn(0)), ECellIcon::None);
}

TEST_F(LogsRealtimePage, StatesAndCountersAreShownInTheCataloguesWords)
{
    EXPECT_EQ(page.StateWord("2"), "Disconnected");
    Sample("121.50,", 1);
    CLabelCatalogue catalogue;
    catalogue.BindText("[PageETmpLogs]\nSTATE_NORMAL=Норма\nSTATE_ALARM=Тревога\nRECORDS=Записей: %d; тревог: %d\n");
    page.LoadLabels(catalogue);
    EXPECT_EQ(page.StatusText(), "Записей: 1; тревог: 1");
    EXPECT_EQ(page.StateWord("0"), "Норма");
    EXPECT_EQ(page.StateWord("1"), "Тревога");
    EXPECT_EQ(page.StateWord("2"), "Disconnected") << "a missing text keeps the built-in word";
    EXPECT_EQ(page.StateWord("7"), "7") << "an unknown state as sent";
    EXPECT_EQ(page.StateWord(""), "");
}

TEST_F(LogsRealtimePage, TheCounterCountsTheRowsTheListHolds)
{
    // Lines that only look like a record where its type stands: a stored
    // record, digits "33" without the marker (a name's hex), a record
    // without entries.
    h.Feed({RecordLine("83", "020.00,", 1), "$XXXXXXXXXX33 not a record",
            "$ISNAME0: 0054003300330033003300330033", RecordLine("33", "", 0)});
    EXPECT_EQ(page.Records(), 0);
    EXPECT_EQ(page.List().Rows(), 0u);
    EXPECT_TRUE(file.written.empty()) << "a record without entries writes no line";
    file.open = false;
    Sample("020.00,", 1);
    h.Feed({RecordLine("33", "020.00,", 1) + "XXXXXXXXX33", RecordLine("33", "021.00,", 1) + RecordLine("33", "022.00,", 1)});
    EXPECT_TRUE(file.written.empty()) << "a file that is not open receives nothing";
    EXPECT_EQ(page.List().Rows(), 4u);
    EXPECT_EQ(page.StatusText(), "4 Rcd; Alarm 0");
}

TEST_F(LogsRealtimePage, TheListStartsOverWhenFullWithTheRecordThatMeetsIt)
{
    for (size_t i = 0; i < CPageExTmpRcd::kRowLimit; ++i)
        Sample("120.00,", 1);
    EXPECT_EQ(page.List().Rows(), CPageExTmpRcd::kRowLimit);
    EXPECT_EQ(page.StatusText(), "200 Rcd; Alarm 200");
    Sample("021.00,", 1);
    ASSERT_EQ(page.List().Rows(), 1u) << "the next value empties the list";
    EXPECT_EQ(page.List().Cell(0, 2), "21.00");
    EXPECT_EQ(page.StatusText(), "1 Rcd; Alarm 0");
}

TEST_F(LogsRealtimePage, TheChartShowsTheLatestHundredOfOneSensorAtTheirTime)
{
    EXPECT_TRUE(page.Chart(0, false).points.empty());
    EXPECT_TRUE(page.Chart(0, false).title.empty());
    // One sample every 5 s from 07:00:00.
    int second = 0;
    page.SetClock([&second] { return SLocalDateTime{2026, 12, 8, 7, second / 60, second % 60}; });
    for (int i = 0; i < 120; ++i, second += 5) {
        const std::string t1 = std::to_string(10 + i % 30) + ".75";
        Sample("018.00,0" + t1 + ",", 2);
    }
    Sample("0-3.50,", 1);  // the newest, at 07:10:00: no value of sensor 1
    const double seven = *ClockSeconds("2026/12/08 07:00:00");
    STempChart chart = page.Chart(1, false);
    EXPECT_EQ(chart.title, "Realtime Records T1");
    ASSERT_EQ(chart.points.size(), 99u) << "100 rows, the newest without sensor 1";
    ASSERT_EQ(chart.line.size(), chart.points.size());
    // The oldest of the latest hundred rows is sample 21 (0-based).
    EXPECT_EQ(chart.points.front(), STempChart::SPoint(seven + 21 * 5, 10 + 21 % 30 + 0.75));
    EXPECT_EQ(chart.line.front(), STempChart::SPoint(seven + 21 * 5, 10 + 21 % 30));
    EXPECT_EQ(chart.points.back().first, seven + 119 * 5);
    // Degrees: 10.75 - 2 to 39.75 * 1.2 + 2 in round steps.
    EXPECT_EQ(chart.left.min, 0.0);
    EXPECT_EQ(chart.left.max, 50.0);
    EXPECT_EQ(chart.left.step, 10.0);
    // Time: the newest 30 points (07:07:30 to 07:09:55), in steps of 30 s.
    EXPECT_EQ(chart.bottom.min, seven + 450);
    EXPECT_EQ(chart.bottom.max, seven + 600);
    ASSERT_EQ(chart.bottomLabels.size(), 6u);
    EXPECT_EQ(chart.bottomLabels.front().second, "07:07:30");
    EXPECT_EQ(chart.bottomLabels.back().second, "07:10:00");

    // Auto Fit: every point, degrees fitted to them.
    chart = page.Chart(1, true);
    EXPECT_EQ(chart.bottom.min, seven);
    EXPECT_EQ(chart.bottom.max, seven + 600);
    EXPECT_EQ(chart.bottom.step, 120.0);
    EXPECT_EQ(chart.bottomLabels.front().second, "07:00");
    EXPECT_EQ(chart.left.min, 10.0);
    EXPECT_EQ(chart.left.max, 45.0);

    chart = page.Chart(0, false);
    EXPECT_EQ(chart.line.back(), STempChart::SPoint(seven + 600, -3.0)) << "truncated towards zero";
    EXPECT_EQ(chart.left.min, -10.0) << "-3.50 - 2 rounded down";
    EXPECT_EQ(page.Chart(7, false).title, "Realtime Records T0") << "no sensor chosen counts as T0";

    CLabelCatalogue catalogue;
    catalogue.BindText("[PageETmpLogs]\nCHART_TITLE=Датчик T%d\n");
    page.LoadLabels(catalogue);
    EXPECT_EQ(page.Chart(2, false).title, "Датчик T2");
}

TEST_F(LogsRealtimePage, AWholeReadLeavesTheRecordsAlone)
{
    Sample("020.00,", 1);
    h.session.Reload();
    h.clock.Advance(1000);
    EXPECT_EQ(page.List().Rows(), 1u);
    EXPECT_EQ(page.Records(), 1);
}

} // namespace
} // namespace orlan::test
