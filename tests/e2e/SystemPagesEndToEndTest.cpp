// The system pages against orlan-sim: an alarm parameters write-back and a
// user command row edit (Cyrillic text as UCS-2 hex) come back in the pages'
// own reads.
#include <gtest/gtest.h>

#include "SimProcess.h"
#include "PagesOverSimulator.h"
#include "SessionOverSerial.h"
#include "pages/system/AlarmParamsPage.h"
#include "pages/system/UserCmdPage.h"

namespace orlan::test {
namespace {

class SystemPagesEndToEnd : public CPagesOverSimulator {
protected:
    CPageAlarmParams& alarm = dynamic_cast<CPageAlarmParams&>(console.Page("CPageAlarmParams"));
    CPageUserCmd& commands = dynamic_cast<CPageUserCmd&>(console.Page("CPageUserCmd"));
};

TEST_F(SystemPagesEndToEnd, AlarmParametersWrittenBackComeBackInTheRead)
{
    CFieldSet& f = alarm.Fields();
    f.SetText("repeatCount", "4");
    f.SetText("armDelay", "25");
    f.SetText("disarmDelay", "12");
    f.SetNumber("ring", 1);
    f.SetNumber("uartEvent", 1);  // hidden, still written
    f.SetNumber("reportExtTemp", 1);
    f.SetNumber("reportCounter", 1);
    f.SetNumber("reportAin2", 1);
    f.SetNumber("reportAin0", 0);

    const int batch = static_cast<int>(alarm.BuildCommands(ETarget::Terminal).size());
    RunUntil([&] { console.session.WriteBack(alarm); },
             [&] { return f.Number("reportAin2") == 1 && f.Text("armDelay") == "25"; }, batch);

    EXPECT_EQ(f.Text("repeatCount"), "4");
    EXPECT_EQ(f.Text("disarmDelay"), "12");
    EXPECT_EQ(f.Number("ring"), 1);
    EXPECT_EQ(f.Number("uartEvent"), 1);
    EXPECT_EQ(f.Number("reportExtTemp"), 1);
    EXPECT_EQ(f.Number("reportCounter"), 1);
    EXPECT_EQ(f.Number("reportAin0"), 0);
}

TEST_F(SystemPagesEndToEnd, CyrillicUserCommandComesBackUnchanged)
{
    const std::string cyrillic = "\xD0\xBE\xD1\x82\xD0\xBA\xD1\x80\xD1\x8B\xD1\x82\xD1\x8C";  // "открыть"
    CFieldSet edited = commands.RowEditor(0, 4).value().fields;
    edited.SetText(CPageUserCmd::kSystemField, "%OUT1");
    edited.SetText(CPageUserCmd::kUserField, cyrillic);

    RunUntil([&] { console.session.CommitRow(commands, 0, 4, edited); },
             [&] { return commands.UserCommand(4) == cyrillic; }, 2);
    EXPECT_EQ(commands.SystemCommand(4), "OUT1");

    // Refused before anything reaches the terminal.
    edited.SetText(CPageUserCmd::kSystemField, cyrillic);
    EXPECT_EQ(console.session.CommitRow(commands, 0, 4, edited), "INVALID_CMD");
    EXPECT_FALSE(console.session.Queue().Busy());
}

} // namespace
} // namespace orlan::test
