// The realtime record page: samples from any "$" line into the list and the
// running file's exact bytes, the counters and both limits, the icons and
// the chart's series and ranges.
#include <gtest/gtest.h>

#include "LogsSupport.h"
#include "SessionHarness.h"
#include "pages/logs/ExTmpRcdPage.h"
#include "pages/logs/ExtTmpLogPage.h"

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
    EXPECT_EQ(file.written,
              "2026/12/08 07:05:09,ALARM,21.50,NORMAL,2.00,Disconnect,-0.75,ALARM,-5.25,2,0.00,1,19.00,\r\n")
        << "sensors 4 and 5 keep their raw states";
    const CPageTable& list = page.List();
    ASSERT_EQ(list.Rows(), 2u);
    EXPECT_EQ(list.Cell(0, CTempRecordPage::TemperatureColumn(3)), "-5.25");
    EXPECT_EQ(list.Cell(1, CTempRecordPage::TemperatureColumn(0)), "21.50") << "the older sample moved down";
    EXPECT_EQ(page.StatusText(), "2 Rcd; Alarm 3");
    EXPECT_EQ(list.Desc().icon(list, 0, 0), ECellIcon::Alarm) << "an alarm marks the time too";
    EXPECT_EQ(list.Desc().icon(list, 1, 0), ECellIcon::None);
    EXPECT_EQ(list.Desc().icon(list, 0, CTempRecordPage::StateColumn(1)), ECellIcon::Normal);
    EXPECT_EQ(list.Desc().icon(list, 0, CTempRecordPage::StateColumn(2)), ECellIcon::Offline);
    EXPECT_EQ(list.Desc().icon(list, 0, CTempRecordPage::TemperatureColumn(0)), ECellIcon::None);
}

TEST_F(LogsRealtimePage, OnlyItsOwnRecordsCountAndOnlyMarkedOnesMakeRows)
{
    h.Feed({RecordLine("83", "020.00,", 1)});
    EXPECT_EQ(page.Records(), 0) << "a stored record is the log page's";
    h.Feed({"$XXXXXXXXXX33 not a record"});
    EXPECT_EQ(page.Records(), 1);
    EXPECT_EQ(page.List().Rows(), 0u);
    h.Feed({RecordLine("33", "", 0)});
    EXPECT_EQ(page.Records(), 2);
    EXPECT_TRUE(file.written.empty()) << "a record without entries writes no line";
    file.open = false;
    Sample("020.00,", 1);
    EXPECT_TRUE(file.written.empty()) << "a file that is not open receives nothing";
    EXPECT_EQ(page.List().Rows(), 1u);
}

TEST_F(LogsRealtimePage, TheListStartsOverAtEitherLimitWithTheRecordThatMeetsIt)
{
    for (size_t i = 0; i < CPageExTmpRcd::kRowLimit; ++i)
        Sample("120.00,", 1);
    EXPECT_EQ(page.List().Rows(), CPageExTmpRcd::kRowLimit);
    EXPECT_EQ(page.StatusText(), "200 Rcd; Alarm 200");
    Sample("021.00,", 1);
    ASSERT_EQ(page.List().Rows(), 1u) << "the next value empties the list";
    EXPECT_EQ(page.List().Cell(0, 2), "21.00");
    EXPECT_EQ(page.StatusText(), "1 Rcd; Alarm 0");

    page.ResetList();
    for (int i = 0; i < CPageExTmpRcd::kRecordLimit; ++i)
        h.Feed({"$XXXXXXXXXX33"});
    EXPECT_EQ(page.Records(), CPageExTmpRcd::kRecordLimit);
    Sample("020.00,", 1);
    EXPECT_EQ(page.Records(), 1) << "the 1000th record starts the count over";
    EXPECT_EQ(page.List().Rows(), 1u);
}

TEST_F(LogsRealtimePage, TheChartShowsTheLatestHundredOfOneSensorOldestLeft)
{
    EXPECT_TRUE(page.Chart(0, false).points.empty());
    EXPECT_TRUE(page.Chart(0, false).title.empty());
    for (int i = 0; i < 120; ++i) {
        const std::string t1 = std::to_string(10 + i % 30) + ".75";
        Sample("018.00,0" + t1 + ",", 2);
    }
    Sample("0-3.50,", 1);  // the newest: no value of sensor 1
    STempChart chart = page.Chart(1, false);
    EXPECT_EQ(chart.title, "Realtime Records T1");
    ASSERT_EQ(chart.points.size(), 99u) << "100 rows, the newest without sensor 1";
    ASSERT_EQ(chart.line.size(), chart.points.size());
    // The oldest of the latest hundred rows is sample 21 (0-based).
    EXPECT_EQ(chart.points.front(), STempChart::SPoint(0.0, 10 + 21 % 30 + 0.75));
    EXPECT_EQ(chart.line.front(), STempChart::SPoint(0.0, 10 + 21 % 30));
    EXPECT_EQ(chart.points.back().first, 98.0);
    EXPECT_DOUBLE_EQ(chart.leftMin, 10.75 - 2);
    EXPECT_DOUBLE_EQ(chart.leftMax, 39.75 * 1.2 + 2);
    EXPECT_EQ(chart.bottomMin, 0.0);
    EXPECT_EQ(chart.bottomMax, 30.0);
    EXPECT_EQ(page.Chart(1, true).bottomMax, 99.0) << "Auto Fit spans the plotted rows";

    chart = page.Chart(0, false);
    EXPECT_EQ(chart.line.back(), STempChart::SPoint(99.0, -3.0)) << "truncated towards zero";
    EXPECT_DOUBLE_EQ(chart.leftMin, -5.5);
    EXPECT_DOUBLE_EQ(chart.leftMax, 30 * 1.2 + 2);
    EXPECT_EQ(page.Chart(7, false).title, "Realtime Records T0") << "no sensor chosen counts as T0";
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
