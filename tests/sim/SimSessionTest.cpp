// Boot, setup mode, login and the whole-configuration read.
#include "SimTestSupport.h"

#include "sim/KnownCommands.h"

#include <algorithm>
#include <map>

namespace orlan::test {
namespace {

using EState = CSimTerminal::EState;

std::string KeyRun()
{
    return std::string(12, '%');
}

bool Contains(const std::vector<std::string>& lines, std::string_view text)
{
    return std::find(lines.begin(), lines.end(), text) != lines.end();
}

TEST(SimSession, WithoutBootStartsAtTheLoginPrompt)
{
    CSimHarness sim;
    sim.terminal.Start();
    EXPECT_EQ(sim.TakeLines(), std::vector<std::string>{"Console started, please login"});
    EXPECT_EQ(sim.terminal.State(), EState::LoggedOut);
}

TEST(SimSession, PasswordLogsInAndAWrongOneIsRefused)
{
    SimOptions options;
    options.password = "1234";
    CSimHarness sim(options);
    sim.terminal.Start();
    sim.TakeLines();

    sim.terminal.Feed("4321\r");
    EXPECT_EQ(sim.TakeLines(), std::vector<std::string>{"Login Failed"});
    sim.terminal.Feed("%DUMP_SYS\r");
    EXPECT_EQ(sim.TakeLines(), std::vector<std::string>{"please input password"}) << "no dump while logged out";
    sim.terminal.Feed("\r");
    EXPECT_EQ(sim.TakeLines(), std::vector<std::string>{"Login Failed"});
    EXPECT_EQ(sim.terminal.State(), EState::LoggedOut);

    sim.terminal.Feed("1234\r\n");
    EXPECT_EQ(sim.TakeLines(), std::vector<std::string>{"Login Success"});
    EXPECT_EQ(sim.terminal.State(), EState::LoggedIn);
    // A password sent again after login is no command and draws no answer.
    sim.terminal.Feed("1234\r");
    EXPECT_TRUE(sim.TakeLines().empty());
}

TEST(SimSession, EmptyPasswordLogsInWithABareCarriageReturn)
{
    CSimHarness sim;
    sim.terminal.Start();
    sim.TakeLines();
    sim.terminal.Feed("\r");
    EXPECT_EQ(sim.TakeLines(), std::vector<std::string>{"Login Success"});
}

TEST(SimSession, WholeReadPrintsEveryLineOnceAndEndsWithTheEndLine)
{
    CSimHarness sim(CSimHarness::LoggedIn());
    sim.terminal.Start();
    sim.terminal.Feed("%DUMPS\r");
    sim.terminal.Feed("%DUMPR\r");
    std::vector<std::string> lines = sim.TakeLines();

    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), kDumpEndLine);
    lines.pop_back();
    std::map<std::string, int> printed;
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find("DUMPR"), std::string::npos) << line;
        ++printed[line];
    }
    const CConfigStore fixture = DefaultFixture();
    EXPECT_EQ(lines.size(), fixture.Lines().size());
    for (const ConfigLine& line : fixture.Lines())
        EXPECT_EQ(printed[line.text], 1) << line.text;
}

TEST(SimSession, SettingsComeWithTheFirstRequestAndLiveStateWithTheSecond)
{
    CSimHarness sim(CSimHarness::LoggedIn());
    sim.terminal.Start();
    sim.terminal.Feed("%DUMPS\r");
    const std::vector<std::string> settings = sim.TakeLines();
    EXPECT_TRUE(std::all_of(settings.begin(), settings.end(), [](const std::string& l) { return l[0] == '$'; }));
    EXPECT_TRUE(Contains(settings, "$CC 86"));

    // A page asks for its group and then for the live state and end line.
    sim.terminal.Feed("%DUMP_TMP\r%DUMPR\r");
    const std::vector<std::string> lines = sim.TakeLines();
    EXPECT_TRUE(Contains(lines, "$TMPH 50"));
    EXPECT_TRUE(Contains(lines, "*TMPC 23.50"));
    EXPECT_TRUE(Contains(lines, "*AINC0 12.34"));
    EXPECT_EQ(lines.back(), kDumpEndLine);
}

TEST(SimSession, BootPromptWaitsForTheKeyRun)
{
    SimOptions options;
    options.bootWaitMs = 1500;
    CSimHarness sim(options);
    sim.terminal.Reboot();
    EXPECT_EQ(sim.TakeLines(), std::vector<std::string>{"Machine timer supported!"});
    EXPECT_EQ(sim.terminal.State(), EState::Booting);

    // A key run before the prompt has no effect.
    sim.terminal.Feed(KeyRun());
    sim.terminal.Advance(300);
    EXPECT_EQ(sim.TakeLines(), (std::vector<std::string>{"Waiting module...", "Press '%%%%' to enter setup mode"}));
    EXPECT_EQ(sim.terminal.State(), EState::Booting);

    sim.terminal.Advance(1000);
    sim.terminal.Feed(KeyRun());
    sim.terminal.Advance(1000);
    EXPECT_EQ(sim.TakeLines(), (std::vector<std::string>{"come in setup mode", "Console started, please login"}));
    EXPECT_TRUE(sim.terminal.InSetupMode());

    // Commands still work in setup mode.
    sim.terminal.Feed("\r%STARTCMD\r");
    EXPECT_EQ(sim.TakeLines(), (std::vector<std::string>{"Login Success", "CMD OK"}));
}

TEST(SimSession, BootWithoutKeyRunEndsInWorkingMode)
{
    SimOptions options;
    options.bootWaitMs = 500;
    CSimHarness sim(options);
    sim.terminal.Reboot();
    sim.terminal.Advance(699);
    EXPECT_EQ(sim.terminal.State(), EState::Booting);
    sim.terminal.Advance(1);
    sim.terminal.Advance(1000);
    const std::vector<std::string> expected = {
        "Machine timer supported!", "Waiting module...",   "Press '%%%%' to enter setup mode",
        "Network Registing...",     "System init Done...", "Working mode now",
        "Console started, please login"};
    EXPECT_EQ(sim.TakeLines(), expected);
    EXPECT_FALSE(sim.terminal.InSetupMode());

    // A key run after the window is swallowed and changes nothing.
    sim.terminal.Feed(KeyRun() + "\r");
    EXPECT_EQ(sim.TakeLines(), std::vector<std::string>{"Login Success"}) << "the key run is no password";
    EXPECT_FALSE(sim.terminal.InSetupMode());
}

TEST(SimSession, KeyRunInFrontOfACommandIsNotPartOfIt)
{
    CSimHarness sim(CSimHarness::LoggedIn());
    sim.terminal.Start();
    sim.terminal.Feed(KeyRun() + "%STARTCMD\r");
    EXPECT_EQ(sim.TakeLines(), std::vector<std::string>{"CMD OK"});
}

TEST(SimSession, RestartAnswersThenRebootsLoggedOut)
{
    SimOptions options = CSimHarness::LoggedIn();
    options.bootWaitMs = 100;
    CSimHarness sim(options);
    sim.terminal.Start();
    sim.terminal.Feed("%RST\r");
    sim.terminal.Advance(1000);
    sim.terminal.Advance(1000);
    const std::vector<std::string> lines = sim.TakeLines();
    ASSERT_GE(lines.size(), 3U);
    EXPECT_EQ(lines[0], "CMD OK");
    EXPECT_EQ(lines[1], "Machine timer supported!");
    EXPECT_EQ(lines.back(), "Console started, please login");
    EXPECT_EQ(sim.terminal.State(), EState::LoggedOut);
}

TEST(SimSession, CommandsSplitOverWritesOrSharingOneAreEachAnswered)
{
    CSimHarness sim(CSimHarness::LoggedIn());
    sim.terminal.Start();
    sim.terminal.Feed("%STA");
    EXPECT_TRUE(sim.TakeLines().empty()) << "nothing before the line end";
    sim.terminal.Feed("RTCMD");
    sim.terminal.Feed("\r%CC4");
    sim.terminal.Feed("4\r%NOSUCH\n%COMMITCMD\r\n");
    EXPECT_EQ(sim.TakeLines(), (std::vector<std::string>{"CMD OK", "CMD OK", "CMD ERR", "CMD OK"}));
    EXPECT_EQ(sim.terminal.Config().Find("$CC ")->text, "$CC 44");
}

TEST(SimSession, OverlongInputLineIsRefusedWhole)
{
    CSimHarness sim(CSimHarness::LoggedIn());
    sim.terminal.Start();
    sim.terminal.Feed("%CC" + std::string(5000, '1') + "\r%STARTCMD\r");
    EXPECT_EQ(sim.TakeLines(), (std::vector<std::string>{"CMD ERR", "CMD OK"}));
    EXPECT_EQ(sim.terminal.Config().Find("$CC ")->text, "$CC 86");
}

} // namespace
} // namespace orlan::test
