// The analog input page: its dump lines (channel digits, the two decimals of
// the thresholds), the batch in the terminal's order, Reset, what a read
// keeps, and the calibration dialog's results and commands.
#include <gtest/gtest.h>

#include <cmath>

#include "AnalogSupport.h"
#include "pages/analog/AdCalibration.h"
#include "pages/analog/AdPage.h"

namespace orlan::test {
namespace {

class AnalogInputs : public ::testing::Test {
protected:
    std::string Text(std::string_view name, size_t channel) const { return f.Text(CPageAD::Id(name, channel)); }
    int Number(std::string_view name, size_t channel) const { return f.Number(CPageAD::Id(name, channel)); }

    CSessionHarness h;
    CPageAD& page = h.Page<CPageAD>("CPageAD");
    const CFieldSet& f = page.Fields();
};

TEST_F(AnalogInputs, DumpLinesFillTheChannelTheyName)
{
    h.Feed({"$ADINH2 7.5", "$ADINL0 -3", "$ADINH1 abc", "$ASCALE3 6.2500", "$ADZERO1 25.0000", "$ADINST2 0.5",
            "$ADINOT3 0.10", "*AINC1 4.56", "$AINURG2 1", "$AINSND0 1", "$AINTPE3 1", "*ADC_EN 1 1",
            "$ADINRH2 100.5", "$ADINRL2 -20", "$AINVER 2", "$AINAS 5", "$AINLS 30", "$AINDLY 3", "$AINUPT 60",
            "$AINUPS 1", "$AINUPE 99", "$AINRGU 1", "$AINSTU 1"});
    // Thresholds get two decimals whatever was sent; other texts stay as sent.
    EXPECT_EQ(Text("high", 2), "7.50");
    EXPECT_EQ(Text("low", 0), "-3.00");
    EXPECT_EQ(Text("high", 1), "0.00");
    EXPECT_EQ(Text("scale", 3), "6.2500");
    EXPECT_EQ(Text("zero", 1), "25.0000");
    EXPECT_EQ(Text("step", 2), "0.5");
    EXPECT_EQ(Text("hysteresis", 3), "0.10");
    EXPECT_EQ(Text("current", 1), "4.56");
    EXPECT_EQ(Number("urgent", 2), 1);
    EXPECT_EQ(Number("sound", 0), 1);
    EXPECT_EQ(Number("type", 3), 1);
    EXPECT_EQ(Number("enabled", 1), 1);
    EXPECT_FLOAT_EQ(page.RangeHigh(2), 100.5f);
    EXPECT_FLOAT_EQ(page.RangeLow(2), -20.0f);
    EXPECT_EQ(page.CalibrationVersion(), 2);
    EXPECT_EQ(f.Text("smsInterval"), "5");
    EXPECT_EQ(f.Text("smsRepeat"), "30");
    EXPECT_EQ(f.Text("confirmDelay"), "3");
    EXPECT_EQ(f.Text("reportPeriod"), "60");
    EXPECT_EQ(f.Number("reportRange"), 1);
    EXPECT_EQ(f.Number("reportOnStep"), 1);

    // Channel 4, other letters and missing digits change nothing; the
    // longer "$ADIN…" keys do not touch the thresholds.
    h.Feed({"$ADINH4 9", "$ADINX2 9", "$ADINH", "$ADINST4 9", "*AINC9 9", "*ADC_EN 7 0", "$AINTPE2 x",
            "$ADINRH2 5"});
    EXPECT_EQ(Text("high", 2), "7.50");
    EXPECT_EQ(Text("step", 2), "0.5");
    EXPECT_EQ(Number("type", 2), -1);
    EXPECT_FLOAT_EQ(page.RangeHigh(2), 5.0f);
    // A type digit beyond the list is kept as reported; a flag other than 1 is off.
    h.Feed({"$AINTPE3 7", "$AINURG2 2", "*ADC_EN 1 x"});
    EXPECT_EQ(Number("type", 3), 7);
    EXPECT_EQ(Number("urgent", 2), 0);
    EXPECT_EQ(Number("enabled", 1), 0);
}

TEST_F(AnalogInputs, BatchFollowsTheTerminalsOrder)
{
    h.Feed({"$ADINH0 30", "$ADINL0 5", "$ADINH3 100", "$ASCALE0 6.25", "$ADZERO2 25", "$AINAS 5", "$AINLS 30",
            "$AINDLY 3", "$ADINST1 0.5", "$AINURG1 1", "$AINSND3 1", "$ADINOT0 0.1", "$ADINOT3 0.3", "$AINTPE0 1",
            "$AINTPE1 0", "$AINTPE2 1", "$AINTPE3 0", "$AINUPT 60", "$AINUPS 0", "$AINUPE 100", "$AINSTU 1",
            "*ADC_EN 0 1", "*ADC_EN 1 0", "*ADC_EN 2 1", "*ADC_EN 3 0"});
    EXPECT_EQ(Texts(page.BuildCommands(ETarget::Terminal)),
              (Blocks{"%STARTCMD\r",  "%AIN0H30.00\r", "%AIN0L5.00\r",   "%AIN1H\r",       "%AIN1L\r",
                      "%AIN2H\r",     "%AIN2L\r",      "%AIN3H100.00\r", "%AIN3L\r",       "%AIN0SC6.25\r",
                      "%AIN1SC\r",    "%AIN2SC\r",     "%AIN3SC\r",      "%AIN0ZE\r",      "%AIN1ZE\r",
                      "%AIN2ZE25\r",  "%AIN3ZE\r",     "%AINAS5\r",      "%AINLS30\r",     "%AINDLY3\r",
                      "%AIN0ST\r",    "%AIN1ST0.5\r",  "%AIN2ST\r",      "%AIN3ST\r",      "%AINURG0100\r",
                      "%AINSND0001\r", "%AINON0123\r", "%AINOFF1\r",     "%AINOFF3\r",     "%AIN3OS0.3\r",
                      "%AIN2OS\r",    "%AIN1OS\r",     "%AIN0OS0.1\r",   "%AINTP1010\r",   "%AINUPT60\r",
                      "%AINUPS0\r",   "%AINUPE100\r",  "%ADSTEPUPEN1\r", "%ADRANGEEN0\r",  "%COMMITCMD\r"}));
    EXPECT_EQ(page.DumpRequest(), "%DUMP_ADS\r%DUMPR\r");
    EXPECT_EQ(page.Info().defaultAnswerWaitMs, 3000);
    CProfileText out;
    page.WriteProfileSection(out);
    EXPECT_EQ(out.Bytes(), "");
}

TEST_F(AnalogInputs, TypesTheTerminalNeverReportedAreNotSentAsMinusOne)
{
    h.Feed({"$AINTPE0 1", "$AINTPE1 0", "$AINTPE2 1"});
    Blocks texts = Texts(page.BuildCommands(ETarget::Terminal));
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const std::string& t) { return t.starts_with("%AINTP"); }),
              0);
    // The brackets and the plain settings; no channel switched on or off, as
    // the terminal did not say which are in use.
    EXPECT_EQ(texts.size(), 36u);
    h.Feed({"$AINTPE3 0"});
    texts = Texts(page.BuildCommands(ETarget::Terminal));
    EXPECT_NE(std::find(texts.begin(), texts.end(), "%AINTP1010\r"), texts.end());
}

TEST_F(AnalogInputs, ReadKeepsSwitchesReadingsRangesAndVersion)
{
    h.Feed({"$ADINH0 30", "*ADC_EN 2 1", "$AINRGU 1", "$AINSTU 1", "*AINC3 23.1", "$ADINRH1 80", "$AINVER 2",
            "$AINTPE0 1", "$AINURG0 1", "$AINAS 5"});
    h.session.ReadPage(page);
    EXPECT_EQ(h.TakeWritten(), Blocks{"%DUMP_ADS\r%DUMPR\r"});
    EXPECT_EQ(Text("high", 0), "");
    EXPECT_EQ(Number("type", 0), -1);
    EXPECT_EQ(Number("urgent", 0), 0);
    EXPECT_EQ(f.Text("smsInterval"), "");
    EXPECT_EQ(f.Number("reportOnStep"), 0);
    EXPECT_EQ(Number("enabled", 2), 1);
    EXPECT_EQ(f.Number("reportRange"), 1);
    EXPECT_EQ(Text("current", 3), "23.1");
    EXPECT_FLOAT_EQ(page.RangeHigh(1), 80.0f);
    EXPECT_EQ(page.CalibrationVersion(), 2);
}

TEST_F(AnalogInputs, ResetClosesAnEmptyBatchThenReadsEverything)
{
    ASSERT_TRUE(h.session.RunAction(page, "reset", std::nullopt));
    EXPECT_EQ(AcceptAll(h), (Blocks{"%STARTCMD\r", "%COMMITCMD\r", "%DUMPS\r", "%DUMPR\r"}));
}

// Exact results of the dialog, and its refusals.
TEST(AnalogCalibration, FormulasGiveTheTerminalsValues)
{
    struct SCase {
        int version;
        bool volts;
        double inLow, inHigh, actualLow, actualHigh;
        const char* scale;
        const char* zero;
    };
    const SCase cases[] = {
        {2, false, 4, 20, 0, 100, "6.2500", "25.0000"},
        {2, true, 4, 20, 0, 100, "6.2500", "25.0000"},  // the unit changes only the other formula
        {1, false, 4, 20, 0, 100, "9.9200", "25.0000"},
        {1, true, 4, 20, 0, 100, "104.4211", "25.0000"},
        {3, false, 4, 20, 50, 50, "1.0000", "198.0000"},  // slope 0 becomes the constant 62
        {1, false, 0, 10, -50, 150, "3.1000", "50.0000"},
    };
    for (const SCase& c : cases) {
        const SCalibration result = Calibrate({.inLow = c.inLow, .inHigh = c.inHigh, .actualLow = c.actualLow,
                                               .actualHigh = c.actualHigh, .constant = 62, .version = c.version,
                                               .volts = c.volts});
        EXPECT_EQ(result.error, "");
        EXPECT_EQ(result.scale, c.scale) << c.version << " " << c.volts << " " << c.actualLow;
        EXPECT_EQ(result.zero, c.zero) << c.version << " " << c.volts << " " << c.actualLow;
    }
    for (int version : {1, 2})
        EXPECT_EQ(Calibrate({.inLow = 4, .inHigh = 4, .actualHigh = 100, .constant = 62, .version = version}).error,
                  "ADC_CAL_RANGE");
    // A zero constant gives 0/0 for a flat range: refused, not sent as "nan".
    EXPECT_EQ(Calibrate({.inLow = 4, .inHigh = 20, .constant = 0, .version = 1}).error, "ADC_CAL_NUMBER");
}

TEST_F(AnalogInputs, CalibrationSendsScaleZeroUnitAndRangeThenReads)
{
    h.Feed({"$ADINRL2 0", "$ADINRH2 100", "$AINVER 1", "$AINTPE2 0"});
    std::optional<SRowEditor> editor = page.RowEditor(CPageAD::kCalibration, 2);
    ASSERT_TRUE(editor);
    CFieldSet& dialog = editor->fields;
    EXPECT_EQ(dialog.Text(kCalActualLow), "0.00");
    EXPECT_EQ(dialog.Text(kCalActualHigh), "100.00");
    EXPECT_EQ(dialog.Text(kCalInLow), "");
    EXPECT_EQ(dialog.Number(kCalUnit), kUnitVolt);  // a voltage input
    EXPECT_EQ(dialog.Text("version"), "Version 1");

    // Equal input ends: refused in the dialog, nothing sent.
    dialog.SetText(kCalInLow, "4");
    dialog.SetText(kCalInHigh, "4.0");
    EXPECT_EQ(h.session.CommitRow(page, CPageAD::kCalibration, 2, dialog), "ADC_CAL_RANGE");
    EXPECT_TRUE(h.TakeWritten().empty());
    EXPECT_FALSE(h.session.Queue().Busy());

    dialog.SetText(kCalInHigh, "20");
    dialog.SetNumber(kCalUnit, kUnitMilliampere);
    dialog.SetText(kCalActualHigh, "100.0");  // sent as typed
    EXPECT_EQ(h.session.CommitRow(page, CPageAD::kCalibration, 2, dialog), "");
    EXPECT_EQ(Text("scale", 2), "9.9200");
    EXPECT_EQ(AcceptAll(h), (Blocks{"%AIN2SC9.9200\r", "%AIN2ZE25.0000\r", "%AINTP2,1\r", "%AIN2RH100.0\r",
                                    "%AIN2RL0.00\r", "%DUMP_ADS\r%DUMPR\r"}));
    EXPECT_FALSE(page.RowEditor(CPageAD::kCalibration, 4));
}

} // namespace
} // namespace orlan::test
