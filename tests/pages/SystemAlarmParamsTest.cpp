// The alarm parameters page: dump lines through the routing table (positions,
// the daily report names, the analog channel digit), hidden flags written
// back, the exact command batch and the profile section.
#include <gtest/gtest.h>

#include "SessionHarness.h"
#include "pages/system/AlarmParamsPage.h"

namespace orlan::test {
namespace {


class AlarmParamsPage : public ::testing::Test {
protected:
    CSessionHarness h;
    CPageAlarmParams& page = h.Page<CPageAlarmParams>("CPageAlarmParams");
    const CFieldSet& f = page.Fields();
};

TEST_F(AlarmParamsPage, TextsAndSwitchesComeFromTheirPositions)
{
    h.Feed({"$IAT 3", "$INDLY 15", "$OUTDLY 30", "$AR 1", "$ATA 1", "$AWB 1", "$MMS_ETC 2", "$MMS_ETM 45"});
    EXPECT_EQ(f.Text("repeatCount"), "3");
    EXPECT_EQ(f.Text("disarmDelay"), "15");
    EXPECT_EQ(f.Text("armDelay"), "30");
    EXPECT_EQ(f.Number("ring"), 1);
    EXPECT_EQ(f.Number("answerService"), 1);
    EXPECT_EQ(f.Number("identity"), 1);
    // The MMS report texts start right behind the key, blank included.
    EXPECT_EQ(f.Text("mmsCount"), " 2");
    EXPECT_EQ(f.Text("mmsPeriod"), " 45");

    h.Feed({"$IOAT 5", "$AR 0", "$ATA 0", "$AWB 0"});
    EXPECT_EQ(f.Text("repeatCount"), "5");
    EXPECT_EQ(f.Number("ring"), 0);
    EXPECT_EQ(f.Number("answerService"), 0);
    EXPECT_EQ(f.Number("identity"), 0);

    // The character at a fixed position decides; a short line clears.
    h.Feed({"$SNDALARMDLY 1", "$MODEM_SPK 1", "$MODEM_MIC 1"});
    EXPECT_EQ(f.Number("delaySound"), 1);
    EXPECT_EQ(f.Number("speakerMuted"), 1);
    EXPECT_EQ(f.Number("micMuted"), 1);
    h.Feed({"$SNDALARMDLY 2", "$MODEM_SPK", "$MODEM_MIC 0"});
    EXPECT_EQ(f.Number("delaySound"), 0);
    EXPECT_EQ(f.Number("speakerMuted"), 0);
    EXPECT_EQ(f.Number("micMuted"), 0);
}

TEST_F(AlarmParamsPage, DailyReportLinesSetTheItemTheyName)
{
    const std::pair<const char*, const char*> items[] = {
        {"TMP", "reportTemp"},     {"TID", "reportId"},    {"DEF", "reportArm"},
        {"RSI", "reportSignal"},   {"MEM", "reportMemo"},  {"BAT", "reportPower"},
        {"DIN", "reportInput"},    {"ETP", "reportExtTemp"}, {"CNT", "reportCounter"},
    };
    for (const auto& [name, field] : items) {
        h.Feed({std::string("$DRP") + name + " 1"});
        EXPECT_EQ(f.Number(field), 1) << name;
    }
    h.Feed({"$DRPTMP 0", "$DRPCNT x"});
    EXPECT_EQ(f.Number("reportTemp"), 0);
    EXPECT_EQ(f.Number("reportCounter"), 0);
    EXPECT_EQ(f.Number("reportId"), 1);  // untouched by other items' lines

    h.Feed({"$DRPETP 1"});
    EXPECT_EQ(Texts(page.BuildCommands(ETarget::Terminal)).at(16), "%DRPETMP1\r");
}

TEST_F(AlarmParamsPage, AnalogReportLinesCarryTheirChannel)
{
    h.Feed({"$AINDRP3 1"});
    EXPECT_EQ(Texts(page.BuildCommands(ETarget::Terminal)).at(17), "%AINDRP0001\r");
    h.Feed({"$AINDRP0 1", "$AINDRP3 0", "$AINDRP2 1"});
    EXPECT_EQ(Texts(page.BuildCommands(ETarget::Terminal)).at(17), "%AINDRP1010\r");
    // Channels beyond 3, no channel and no value change nothing or clear.
    h.Feed({"$AINDRP4 0", "$AINDRP", "$AINDRPx 1"});
    EXPECT_EQ(Texts(page.BuildCommands(ETarget::Terminal)).at(17), "%AINDRP1010\r");
    h.Feed({"$AINDRP2"});
    EXPECT_EQ(f.Number("reportAin2"), 0);
}

TEST_F(AlarmParamsPage, BatchHasTheTerminalsOrderAndSendsHiddenFlags)
{
    h.Feed({"$UARTEVENT 1", "$OUTDLY 20", "$INDLY 10", "$IAT 2", "$AR 1", "$DRPDIN 1", "$DRPCNT 1",
            "$SNDALARMDLY 1"});
    EXPECT_EQ(Texts(page.BuildCommands(ETarget::Terminal)),
              (std::vector<std::string>{"%STARTCMD\r",  "%SNDALARMDLYEN1\r", "%OUTDLY20\r", "%INDLY10\r",
                                        "%IOAT2\r",     "%ARING1\r",         "%ASC0\r",     "%AWB0\r",
                                        "%UARTEVENT1\r", "%DRPTMP0\r",       "%DRPTID0\r",  "%DRPDEF0\r",
                                        "%DRPRSI0\r",   "%DRPDIN1\r",        "%DRPMEM0\r",  "%DRPBAT0\r",
                                        "%DRPETMP0\r",  "%AINDRP0000\r",     "%DINCDRP1\r", "%COMMITCMD\r"}));
    EXPECT_EQ(page.DumpRequest(), "%DUMP_SYS\r%DUMP_ADS\r%DUMP_GPIO\r");
    EXPECT_EQ(page.Info().defaultAnswerWaitMs, 2000);
}

TEST_F(AlarmParamsPage, ClearEmptiesTextsAndFlags)
{
    h.Feed({"$OUTDLY 20", "$MMS_ETC 2", "$AWB 1", "$AINDRP1 1"});
    page.Clear();
    const std::vector<std::string> texts = Texts(page.BuildCommands(ETarget::Terminal));
    EXPECT_EQ(texts.at(2), "%OUTDLY\r");
    EXPECT_EQ(texts.at(7), "%AWB0\r");
    EXPECT_EQ(texts.at(17), "%AINDRP0000\r");
    EXPECT_EQ(f.Text("mmsCount"), "");
}

TEST_F(AlarmParamsPage, HiddenFieldsAreTheOnesTheUserDoesNotSee)
{
    for (const char* id : {"uartEvent", "speakerMuted", "micMuted", "reportAin0", "reportAin3", "reportCounter",
                           "mmsCount", "mmsPeriod"})
        EXPECT_TRUE(f.Desc(f.IndexOf(id)).hidden) << id;
    for (const char* id : {"disarmDelay", "armDelay", "delaySound", "repeatCount", "reportExtTemp"})
        EXPECT_FALSE(f.Desc(f.IndexOf(id)).hidden) << id;
}

TEST_F(AlarmParamsPage, ProfileSectionHoldsEighteenCommandsWithoutBracket)
{
    h.Feed({"$IAT 3", "$AWB 1"});
    CProfileText out;
    page.WriteProfileSection(out);
    EXPECT_EQ(out.Bytes(),
              "\r\r\n//Page System Alarm Params\r\r\n\r\n"
              "%SNDALARMDLYEN0\r\r\n%OUTDLY\r\r\n%INDLY\r\r\n%IOAT3\r\r\n%ARING0\r\r\n%ASC0\r\r\n%AWB1\r\r\n"
              "%UARTEVENT0\r\r\n%DRPTMP0\r\r\n%DRPTID0\r\r\n%DRPDEF0\r\r\n%DRPRSI0\r\r\n%DRPDIN0\r\r\n"
              "%DRPMEM0\r\r\n%DRPBAT0\r\r\n%DRPETMP0\r\r\n%AINDRP0000\r\r\n%DINCDRP0\r\r\n");
}

} // namespace
} // namespace orlan::test
