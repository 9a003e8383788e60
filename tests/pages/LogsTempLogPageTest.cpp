// The stored log page: Sync with RTU on the wire, the replayed records in
// the list, the export's exact bytes and name, the limits, and the cells a
// hostile unit could turn into spreadsheet formulas.
#include <gtest/gtest.h>

#include "LogsSupport.h"
#include "SessionHarness.h"
#include "pages/logs/ExTmpRcdPage.h"
#include "pages/logs/ExtTmpLogPage.h"
#include "pages/logs/RecordCsv.h"

namespace orlan::test {
namespace {

class LogsTempLogPage : public ::testing::Test {
protected:
    CSessionHarness h;
    CPageExtTmpLog& page = h.Page<CPageExtTmpLog>("CPageExtTmpLog");
};

TEST_F(LogsTempLogPage, SyncEmptiesTheListAndAsksForTheReplayWithoutWaiting)
{
    h.Feed({RecordLine("83", "020.00,", 1)});
    ASSERT_EQ(page.List().Rows(), 1u);
    h.TakeWritten();
    ASSERT_TRUE(h.session.RunAction(page, CPageExtTmpLog::kSyncAction, std::nullopt));
    EXPECT_EQ(page.List().Rows(), 0u);
    EXPECT_EQ(page.StatusText(), "0 Rcd; Alarm 0");
    EXPECT_EQ(h.TakeWritten(), std::vector<std::string>{"%ETEMPPORT1000\r"});
    h.clock.Advance(100);
    ASSERT_EQ(h.view.jobs.size(), 1u) << "the job ends without an answer";
    EXPECT_TRUE(h.view.jobs[0].second.AllAccepted()) << h.view.jobs[0].second.Summary();
}

TEST_F(LogsTempLogPage, ReplayedRecordsExportNewestFirstWithTheirOwnTimeStamps)
{
    CPageExTmpRcd& realtime = h.Page<CPageExTmpRcd>("CPageExTmpRcd");
    h.Feed({RecordLine("83", "021.50,", 1, "24-05-01 00:00") + RecordLine("83", "122.00,24.25,", 2, "24-05-01 01:00"),
            RecordLine("83", "020.00,221.00,00.00,00.00,10.00,00.00,", 6, "24-05-01 02:00")});
    EXPECT_EQ(realtime.Records(), 0);
    EXPECT_EQ(page.StatusText(), "3 Rcd; Alarm 2");
    EXPECT_EQ(page.ExportBytes(),
              "24-05-01 02:00,NORMAL,20.00,Disconnect,,NORMAL,0.00,NORMAL,0.00,1,0.00,0,0.00,\r\n"
              "24-05-01 01:00,ALARM,22.00,Disconnect,,UA,,UA,,,,,,\r\n"
              "24-05-01 00:00,NORMAL,21.50,UA,,UA,,UA,,,,,,\r\n");
}

TEST_F(LogsTempLogPage, TheListStartsOverAtTheRecordLimitBeforeTheRowLimit)
{
    for (int i = 0; i < CPageExtTmpLog::kRecordLimit; ++i)
        h.Feed({RecordLine("83", "020.00,", 1)});
    EXPECT_EQ(page.List().Rows(), static_cast<size_t>(CPageExtTmpLog::kRecordLimit));
    h.Feed({RecordLine("83", "021.00,", 1)});
    EXPECT_EQ(page.List().Rows(), 1u);
    EXPECT_EQ(page.StatusText(), "1 Rcd; Alarm 0");
}

TEST(LogsExport, TheNameGetsCsvUnlessItHoldsItAndCellsCannotBecomeFormulas)
{
    EXPECT_EQ(CPageExtTmpLog::ExportFileName("data"), "data.csv");
    EXPECT_EQ(CPageExtTmpLog::ExportFileName("my.csv.bak"), "my.csv.bak");
    EXPECT_EQ(CPageExtTmpLog::ExportFileName("log.CSV"), "log.CSV.csv");

    const std::pair<std::string_view, std::string_view> cells[] = {
        {"24-05-01 10:00", "24-05-01 10:00"},
        {"-5.25", "-5.25"},
        {"+3", "+3"},
        {"=1+2", "'=1+2"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"-2+3", "'-2+3"},
        {"+cmd|' /C calc", "'+cmd|' /C calc"},
        {"a,b", "\"a,b\""},
        {"=\"x\",", "\"'=\"\"x\"\",\""},
        {"", ""},
    };
    for (const auto& [cell, written] : cells)
        EXPECT_EQ(CsvCell(cell), written) << cell;

    CSessionHarness h;
    CPageExtTmpLog& log = h.Page<CPageExtTmpLog>("CPageExtTmpLog");
    h.Feed({RecordLine("83", "020.00,", 1, "=1+HYPERLINK()")});
    EXPECT_EQ(log.ExportBytes(), "'=1+HYPERLINK(),NORMAL,20.00,UA,,UA,,UA,,,,,,\r\n")
        << "a time stamp that starts a formula is written as text";
    h.Feed({RecordLine("83", "0-1.00,=2.00,", 2, "24-05-01 11:00")});
    EXPECT_EQ(log.ExportBytes().substr(0, log.ExportBytes().find("\r\n") + 2),
              "24-05-01 11:00,NORMAL,-1.00,UA,2.00,UA,,UA,,,,,,\r\n")
        << "the states of sensors 0-3 are words whatever the unit sent";
}

} // namespace
} // namespace orlan::test
