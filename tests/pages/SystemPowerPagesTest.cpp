// The battery, buzzer and UPS pages: their dump lines, batches, reads and
// profile sections.
#include <gtest/gtest.h>

#include "SessionHarness.h"
#include "pages/system/BatteryPage.h"
#include "pages/system/BuzzerPage.h"
#include "pages/system/UpsPage.h"

namespace orlan::test {
namespace {

using Blocks = std::vector<std::string>;


class PowerPages : public ::testing::Test {
protected:
    CSessionHarness h;
    CPageBattery& battery = h.Page<CPageBattery>("CPageBattery");
    CPageBuzzer& buzzer = h.Page<CPageBuzzer>("CPageBuzzer");
    CPageUps& ups = h.Page<CPageUps>("CPageUps");
};

TEST_F(PowerPages, BatteryLinesAndBatch)
{
    EXPECT_EQ(Texts(battery.BuildCommands(ETarget::Terminal)),
              (Blocks{"%STARTCMD\r", "%POWDLY\r", "%BATEN0\r", "%POWLS\r", "%COMMITCMD\r"}));
    h.Feed({"$POWDLY 60", "$BATEN 1", "$POWLS 11"});
    EXPECT_EQ(Texts(battery.BuildCommands(ETarget::Terminal)),
              (Blocks{"%STARTCMD\r", "%POWDLY60\r", "%BATEN1\r", "%POWLS11\r", "%COMMITCMD\r"}));
    h.Feed({"$BATEN 0"});
    EXPECT_EQ(battery.Fields().Number("batteryAlarm"), 0);
    battery.Clear();
    EXPECT_EQ(battery.Fields().Text("powerDelay"), "");
    EXPECT_EQ(battery.DumpRequest(), "%DUMP_GPIO\r");
    EXPECT_EQ(battery.Info().defaultAnswerWaitMs, 3000);

    h.Feed({"$POWDLY 5", "$BATEN 1"});
    CProfileText out;
    battery.WriteProfileSection(out);
    EXPECT_EQ(out.Bytes(), "\r\r\n//Page Battery alarm\r\r\n\r\n%POWDLY5\r\r\n%BATEN1\r\r\n%POWLS\r\r\n");
}

TEST_F(PowerPages, BuzzerTakesTheFirstOfItsKeysOnly)
{
    h.Feed({"$IBUZ 1", "$BUZZERT 30"});
    EXPECT_EQ(buzzer.Fields().Number("sound"), 1);
    EXPECT_EQ(buzzer.Fields().Text("duration"), "30");
    // Lines with "$BUZ" but none of the page's keys change nothing.
    h.Feed({"$BUZZER 5", "$BUZT 7", "$IBUZ 2"});
    EXPECT_EQ(buzzer.Fields().Number("sound"), 1);
    EXPECT_EQ(buzzer.Fields().Text("duration"), "30");
    h.Feed({"$IBUZ 0"});
    EXPECT_EQ(Texts(buzzer.BuildCommands(ETarget::Terminal)),
              (Blocks{"%STARTCMD\r", "%BUZEN0\r", "%BUZT30\r", "%COMMITCMD\r"}));
    buzzer.Fields().SetNumber("sound", 7);
    EXPECT_EQ(Texts(buzzer.BuildCommands(ETarget::Terminal)).at(1), "%BUZEN1\r");

    buzzer.Clear();
    EXPECT_EQ(buzzer.DumpRequest(), "%DUMP_SYS\r");
    CProfileText out;
    buzzer.WriteProfileSection(out);
    EXPECT_EQ(out.Bytes(), "\r\r\n//Page Buzzer Siren\r\r\n\r\n%BUZEN0\r\r\n%BUZT\r\r\n");
}

TEST_F(PowerPages, UpsSendsWholeNumbersAndKeepsItsValuesOnRead)
{
    EXPECT_EQ(Texts(ups.BuildCommands(ETarget::Terminal)),
              (Blocks{"%STARTCMD\r", "%STUPSEN0\r", "%STUPSSND0\r", "%STUPSAS0\r", "%STUPSRATE0\r", "%STUPSBPS0\r",
                      "%COMMITCMD\r"}));
    ups.Fields().SetNumber("enable", 1);
    ups.Fields().SetText("span", "15 min");
    ups.Fields().SetText("rate", "x");
    ups.Fields().SetText("bps", "-2400");
    h.session.ReadPage(ups);
    EXPECT_EQ(h.TakeWritten(), Blocks{"%DUMP_UPS\r"});
    EXPECT_EQ(Texts(ups.BuildCommands(ETarget::Terminal)),
              (Blocks{"%STARTCMD\r", "%STUPSEN1\r", "%STUPSSND0\r", "%STUPSAS15\r", "%STUPSRATE0\r",
                      "%STUPSBPS-2400\r", "%COMMITCMD\r"}));
    ups.Fields().SetText("span", "99999999999999999999");  // too long for a number
    EXPECT_EQ(Texts(ups.BuildCommands(ETarget::Terminal)).at(3), "%STUPSAS0\r");

    CProfileText out;
    ups.WriteProfileSection(out);
    EXPECT_EQ(out.Bytes(), "");
    EXPECT_TRUE(ups.Info().navKey.empty());
}

TEST_F(PowerPages, WholeReadClearsBatteryAndBuzzerButNotTheUps)
{
    h.Feed({"$POWLS 11", "$IBUZ 1"});
    ups.Fields().SetText("bps", "9600");
    h.session.Reload();
    EXPECT_EQ(battery.Fields().Text("powerThreshold"), "");
    EXPECT_EQ(buzzer.Fields().Number("sound"), 0);
    EXPECT_EQ(ups.Fields().Text("bps"), "9600");
}

} // namespace
} // namespace orlan::test
