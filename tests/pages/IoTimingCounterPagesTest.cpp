// The input timing page and the two counter pages: values from the dump,
// the dialogs' commands with their answer waits, Save without the bracket,
// the timing page's profile section, and what each page's Clear keeps.
#include <gtest/gtest.h>

#include "SessionHarness.h"
#include "labels/TextCodec.h"
#include "pages/io/CounterPage.h"
#include "pages/io/DinCtPage.h"
#include "pages/io/DinParamsPage.h"
#include "pages/io/GpioPage.h"

namespace orlan::test {
namespace {

class TimingCounterPages : public ::testing::Test {
protected:
    std::vector<std::pair<std::string, int>> Sent(const CPage& page, const CCommandList& commands) const
    {
        std::vector<std::pair<std::string, int>> sent;
        for (const SCommand& command : commands)
            sent.emplace_back(command.text, page.AnswerWaitMs(command));
        return sent;
    }

    CSessionHarness h;
    CPageDinParams& timing = h.Page<CPageDinParams>("CPageDinParams");
    CPageDinCt& inputCounters = h.Page<CPageDinCt>("CPageDinCt");
    CPageCounter& timeCounters = h.Page<CPageCounter>("CPageCounter");
};

TEST_F(TimingCounterPages, TimingValuesAreShownAsWholeNumbersInTheirInputsRow)
{
    h.Feed({"$DINAS 0,05", "$DINLS 1,30", "$DINDLY 2,7", "$DINAS 3,", "$DINLS 3,12abc"});
    EXPECT_EQ(timing.Cell(0, 1), "5");
    EXPECT_EQ(timing.Cell(1, 2), "30");
    EXPECT_EQ(timing.Cell(2, 3), "7");
    EXPECT_EQ(timing.Cell(3, 1), "0");
    EXPECT_EQ(timing.Cell(3, 2), "12");
    EXPECT_EQ(timing.Cell(0, 0), "Input0");
    // Inputs beyond the four and lines without an input change nothing.
    h.Feed({"$DINDLY 4,9", "$DINAS x,9", "$DINAS", "$DINLS ,9"});
    EXPECT_EQ(timing.Cell(2, 3), "7");
    EXPECT_EQ(timing.Cell(0, 1), "5");
    EXPECT_EQ(timing.Cell(0, 2), "");
    // A read does not empty the cells.
    h.session.ReadPage(timing);
    EXPECT_EQ(timing.Cell(0, 1), "5");
}

TEST_F(TimingCounterPages, EditingAnInputSendsFiveLinesAsTyped)
{
    h.Feed({"$DINAS 2,5", "$DINLS 2,30", "$DINDLY 2,2"});
    std::optional<SRowEditor> editor = timing.RowEditor(0, 2);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->className, "CDinTimersDlg");
    EXPECT_EQ(editor->fields.Text(CPageDinParams::kRepeatField), "30");
    editor->fields.SetText(CPageDinParams::kIntervalField, "07");
    editor->fields.SetText(CPageDinParams::kDelayField, "3\r\n");
    EXPECT_EQ(Sent(timing, timing.CommitRow(0, 2, editor->fields)),
              (std::vector<std::pair<std::string, int>>{{"%STARTCMD\r", 3000},
                                                        {"%IOAS2,07\r", 1000},
                                                        {"%IOLS2,30\r", 1000},
                                                        {"%DINDLY2,3\r", 1000},
                                                        {"%COMMITCMD\r", 3000}}));
    EXPECT_FALSE(timing.RowEditor(0, 4));
}

TEST_F(TimingCounterPages, TimingHasNoSaveAndAProfileOfTwelveLines)
{
    h.Feed({"$DINAS 0,5", "$DINLS 0,30", "$DINDLY 0,2", "$DINAS 3,1"});
    EXPECT_TRUE(timing.BuildCommands(ETarget::Terminal).empty());
    CProfileText out;
    timing.WriteProfileSection(out);
    EXPECT_EQ(out.Bytes(), "\r\r\n//Page Digital inputs delays config\r\r\n\r\n"
                           "%IOAS0,5\r\r\n%IOLS0,30\r\r\n%DINDLY0,2\r\r\n"
                           "%IOAS1,\r\r\n%IOLS1,\r\r\n%DINDLY1,\r\r\n"
                           "%IOAS2,\r\r\n%IOLS2,\r\r\n%DINDLY2,\r\r\n"
                           "%IOAS3,1\r\r\n%IOLS3,\r\r\n%DINDLY3,\r\r\n");
}

TEST_F(TimingCounterPages, InputCounterLinesFillThePageAndTheSharedOnesTheDigitalIoPageToo)
{
    h.Feed({"$DINCTSMT " + EncodeUcs2Hex("Meter report"), "$DINCTSNM " + EncodeUcs2Hex("Water"), "$DINCTMODE 1",
            "$DINCTA 1", "$DINDUT 60", "$DINCST 4", "$DINCLOG 1", "$DINCTVALV2 1214", "$DINCTUNTV0 1",
            "$DINCTMAXV3 10", "$DINCTADJV1 -2", "$DINCTIOOC0 255", "$DINCUNITS3 " + EncodeUcs2Hex("m3")});
    const CFieldSet& f = inputCounters.Fields();
    EXPECT_EQ(f.Text("smsTitle"), "Meter report");
    EXPECT_EQ(f.Text("smsName"), "Water");
    EXPECT_EQ(f.Number("mode"), 1);
    EXPECT_EQ(f.Number("autoUpload"), 1);
    EXPECT_EQ(f.Text("uploadTimer"), "60");
    EXPECT_EQ(f.Text("furtherSetting"), "4");
    EXPECT_EQ(f.Number("logging"), 1);
    EXPECT_EQ(inputCounters.Cell(2, CPageDinCt::kValueColumn), "1214");
    EXPECT_EQ(inputCounters.Cell(0, CPageDinCt::kUnitValueColumn), "1");
    EXPECT_EQ(inputCounters.Cell(3, CPageDinCt::kMultiplierColumn), "10");
    EXPECT_EQ(inputCounters.Cell(1, CPageDinCt::kAdjustmentColumn), "-2");
    EXPECT_EQ(inputCounters.Cell(0, CPageDinCt::kOutputColumn), "255");
    EXPECT_EQ(inputCounters.Cell(3, CPageDinCt::kUnitNameColumn), "m3");
    const CFieldSet& io = h.Page<CPageGPIO>("CPageGPIO").Fields();
    EXPECT_EQ(io.Number("counterOnChange"), 1);
    EXPECT_EQ(io.Text("counterPeriod"), "60");

    // Counter 4 and beyond is not in the list.
    h.Feed({"$DINCTVALV4 9", "$DINCUNITS12 0041", "$DINCTVALVx 9"});
    for (size_t counter = 0; counter < CPageDinCt::kCounters; ++counter)
        EXPECT_NE(inputCounters.Cell(counter, CPageDinCt::kValueColumn), "9");

    // Clear keeps the mode, the automatic upload and the counters.
    inputCounters.Clear();
    EXPECT_EQ(f.Text("smsTitle"), "");
    EXPECT_EQ(f.Text("uploadTimer"), "");
    EXPECT_EQ(f.Number("logging"), 0);
    EXPECT_EQ(f.Number("mode"), 1);
    EXPECT_EQ(f.Number("autoUpload"), 1);
    EXPECT_EQ(inputCounters.Cell(2, CPageDinCt::kValueColumn), "1214");
}

TEST_F(TimingCounterPages, InputCounterSaveIsSevenCommandsWithoutBracket)
{
    h.Feed({"$DINCTSMT 0041", "$DINCTSNM 0042", "$DINCTMODE 0", "$DINCTA 0", "$DINDUT 60", "$DINCST 0",
            "$DINCLOG 1"});
    const SPageJob job = inputCounters.SaveJob();
    EXPECT_FALSE(job.bracketed);
    EXPECT_EQ(job.end, EJobEnd::ReadPage);
    EXPECT_EQ(Sent(inputCounters, job.commands),
              (std::vector<std::pair<std::string, int>>{{"%DINCSMST0041\r", 3000},
                                                        {"%DINCSNAME0042\r", 3000},
                                                        {"%DINCMODE0\r", 3000},
                                                        {"%DINCTAUTO0\r", 3000},
                                                        {"%DINCUT60\r", 3000},
                                                        {"%DINCST0\r", 3000},
                                                        {"%DINCLOG1\r", 3000}}));
    EXPECT_EQ(Texts(inputCounters.BuildCommands(ETarget::Terminal)), Texts(job.commands));
    CProfileText out;
    inputCounters.WriteProfileSection(out);
    EXPECT_EQ(out.Bytes(), "");
}

TEST_F(TimingCounterPages, CounterDialogSendsNoneAs255AndTheValueOnlyWhenAsked)
{
    h.Feed({"$DINCTVALV1 100", "$DINCTUNTV1 1", "$DINCTMAXV1 10", "$DINCTADJV1 0", "$DINCTIOOC1 255",
            "$DINCTIOOC2 3", "$DINCUNITS1 " + EncodeUcs2Hex("kWh")});
    std::optional<SRowEditor> editor = inputCounters.RowEditor(0, 1);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->className, "CDinCtDlg");
    EXPECT_EQ(editor->fields.Number(CPageDinCt::kOutputField), CPageDinCt::kNoOutputItem) << "255 is None";
    EXPECT_EQ(editor->fields.Number(CPageDinCt::kSetValueField), 0);
    EXPECT_EQ(inputCounters.RowEditor(0, 2)->fields.Number(CPageDinCt::kOutputField), 3);

    EXPECT_EQ(Texts(inputCounters.CommitRow(0, 1, editor->fields)),
              (std::vector<std::string>{"%DINCUNITV1,1\r", "%DINCUNITM1,10\r", "%DINCADJ1,0\r", "%DINCIOC1,255\r",
                                        "%C01" + EncodeUcs2Hex("kWh") + "\r"}));
    editor->fields.SetNumber(CPageDinCt::kSetValueField, 1);
    editor->fields.SetText(CPageDinCt::kValueField, "250");
    editor->fields.SetNumber(CPageDinCt::kOutputField, 7);
    const std::vector<std::string> sent = Texts(inputCounters.CommitRow(0, 1, editor->fields));
    ASSERT_EQ(sent.size(), 6u);
    EXPECT_EQ(sent[0], "%DINCSET1,250\r");
    EXPECT_EQ(sent[4], "%DINCIOC1,7\r");
    // Nothing chosen is no output either.
    editor->fields.SetNumber(CPageDinCt::kOutputField, -1);
    EXPECT_EQ(Texts(inputCounters.CommitRow(0, 1, editor->fields)).at(4), "%DINCIOC1,255\r");
}

TEST_F(TimingCounterPages, TimeCounterLinesTakeTheirTextsAndClearKeepsTheCurrentValues)
{
    h.Feed({"$COUNTER_CT0 3600", "$COUNTER_UN1 0.50", "$COUNTER_UT0 60", "$COUNTER_VA0 1234", "$COUNTER_RPH1 8",
            "$COUNTER_RPM0 30", "$COUNTER_UST1 100", "$COUNTER_AT 1", "$COUNTER_XY0 5"});
    const CFieldSet& f = timeCounters.Fields();
    EXPECT_EQ(f.Text("value0"), "3600");
    EXPECT_EQ(f.Text("units1"), "0.50");
    EXPECT_EQ(f.Text("uploadTimer0"), "60");
    EXPECT_EQ(f.Text("current0"), "1234");
    EXPECT_EQ(f.Text("reportHour1"), "8");
    EXPECT_EQ(f.Text("reportMinute0"), "30");
    EXPECT_EQ(f.Text("threshold1"), "100");
    EXPECT_EQ(f.Number("autoUpload"), 1);
    EXPECT_TRUE(f.Desc(f.IndexOf("current0")).readOnly);
    EXPECT_EQ(timeCounters.DumpRequest(), "%DUMP_COUNTER\r");

    timeCounters.Clear();
    EXPECT_EQ(f.Text("value0"), "");
    EXPECT_EQ(f.Number("autoUpload"), 0);
    EXPECT_EQ(f.Text("current0"), "1234");
}

TEST_F(TimingCounterPages, TimeCounterSaveIsThirteenCommandsWithWholeNumbersAndTwoDecimals)
{
    h.Feed({"$COUNTER_CT0 12abc", "$COUNTER_CT1 0", "$COUNTER_UN0 1.5", "$COUNTER_UN1 x", "$COUNTER_UT0 60",
            "$COUNTER_RPH0 8", "$COUNTER_RPM1 30", "$COUNTER_UST0 100", "$COUNTER_AT 1"});
    const SPageJob job = timeCounters.SaveJob();
    EXPECT_FALSE(job.bracketed);
    EXPECT_EQ(Texts(job.commands),
              (std::vector<std::string>{"%IOCCT0,12\r", "%IOCCT1,0\r", "%IOCNAT=1\r", "%IOCU0,1.50\r", "%IOCU1,0.00\r",
                                        "%IOCUT0,60\r", "%IOCUT1,0\r", "%IOCRPH0,8\r", "%IOCRPH1,0\r",
                                        "%IOCRPM0,0\r", "%IOCRPM1,30\r", "%IOCST0,100\r", "%IOCST1,0\r"}));
    for (const auto& [text, expected] : std::vector<std::pair<std::string, std::string>>{
             {"2.345", "2.35"}, {" -1.5", "-1.50"}, {"-0", "0.00"}, {"7", "7.00"}, {"", "0.00"}, {"1e400", "1.00"}})
        EXPECT_EQ(CPageCounter::TwoDecimals(text), expected) << text;
}

} // namespace
} // namespace orlan::test
