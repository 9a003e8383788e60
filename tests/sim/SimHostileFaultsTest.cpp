// The fault switches that play a hostile terminal: double answers, a prompt
// behind each refusal, a dump without end, a picture without end marker and
// a burst without line ends.
#include "SimTestSupport.h"

#include "sim/SamplePicture.h"
#include "sim/SimCommandLine.h"
#include "sim/SimControl.h"

#include <algorithm>

namespace orlan::test {
namespace {

using Lines = std::vector<std::string>;

SimOptions LoggedInWith(void (*set)(SimFaults&))
{
    SimOptions options = CSimHarness::LoggedIn();
    set(options.faults);
    return options;
}

TEST(SimHostileFaults, DoubleAnswerSaysEveryAnswerTwiceInOneGo)
{
    CSimHarness sim(LoggedInWith([](SimFaults& f) { f.doubleAnswer = true; }));
    sim.terminal.Start();
    sim.terminal.Feed("%STARTCMD\r%NOSUCH\r");
    EXPECT_EQ(sim.TakeLines(), (Lines{"CMD OK", "CMD OK", "CMD ERR", "CMD ERR"}));
    sim.terminal.Feed("%DUMP_62056\r");
    EXPECT_EQ(sim.TakeLines().size(), 3U) << "dumps are not doubled";
}

TEST(SimHostileFaults, RepromptAsksForThePasswordAgainAfterEachRefusal)
{
    SimOptions options;
    options.password = "1234";
    options.faults.reprompt = true;
    CSimHarness sim(options);
    sim.terminal.Start();
    sim.terminal.Feed("wrong\r");
    EXPECT_EQ(sim.TakeLines(), (Lines{"Console started, please login", "Login Failed", "please input password"}));
    sim.terminal.Feed("1234\r");
    EXPECT_EQ(sim.TakeLines(), Lines{"Login Success"});
}

TEST(SimHostileFaults, EndlessDumpPrintsRoundAfterRoundWithoutTheEndLine)
{
    CSimHarness sim(LoggedInWith([](SimFaults& f) { f.endlessDump = true; }));
    sim.terminal.Start();
    sim.terminal.Feed("%DUMPS\r%DUMPR\r");
    sim.terminal.Advance(0);
    const Lines first = sim.TakeLines();
    ASSERT_FALSE(first.empty());
    EXPECT_TRUE(std::all_of(first.begin(), first.end(), [](const std::string& l) { return l[0] == '$'; }));
    EXPECT_EQ(sim.terminal.NextWakeMs(), 2000);
    sim.terminal.Advance(4000);
    const Lines later = sim.TakeLines();
    EXPECT_EQ(later.size(), 2 * first.size());
    EXPECT_EQ(std::count(later.begin(), later.end(), "$DUMPR END"), 0);

    EXPECT_EQ(ApplyControlLine(sim.terminal, "set-fault endless-dump off"), "ok");
    sim.terminal.Advance(10000);
    EXPECT_TRUE(sim.TakeLines().empty());
    sim.terminal.Feed("%DUMPR\r");
    EXPECT_EQ(sim.TakeLines().back(), "$DUMPR END") << "switched off, a read ends again";
}

TEST(SimHostileFaults, PictureWithoutEndMarker)
{
    CSimHarness sim(LoggedInWith([](SimFaults& f) { f.pictureNoEnd = true; }));
    sim.terminal.Start();
    sim.terminal.Feed("%SDSC\r%memr0\r");
    EXPECT_EQ(sim.output.find("$IMAGE_END"), std::string::npos);
    EXPECT_NE(sim.output.find("$IMAGE_START\r\n"), std::string::npos);
    EXPECT_EQ(sim.output.size(), std::string("CMD OK\r\n$IMAGE_START\r\n").size() + SamplePicture().size());
}

TEST(SimHostileFaults, BurstIsOneWriteWithoutLineEnds)
{
    CSimHarness sim(CSimHarness::LoggedIn());
    sim.terminal.Start();
    EXPECT_EQ(ApplyControlLine(sim.terminal, "burst 200000"), "ok");
    ASSERT_EQ(sim.writes.size(), 1U);
    EXPECT_EQ(sim.writes[0].size(), 200000U);
    EXPECT_EQ(sim.writes[0].find_first_of("\r\n"), std::string::npos);
    EXPECT_TRUE(ApplyControlLine(sim.terminal, "burst 0").starts_with("error: "));
    EXPECT_TRUE(ApplyControlLine(sim.terminal, "burst 20000000").starts_with("error: "));
}

TEST(SimHostileFaults, SwitchesByNameAndOnTheCommandLine)
{
    SimFaults faults;
    std::string error;
    for (const char* name : {"double-answer", "reprompt", "endless-dump", "picture-no-end"})
        EXPECT_TRUE(SetFault(faults, name, "on", &error)) << name;
    EXPECT_TRUE(faults.doubleAnswer && faults.reprompt && faults.endlessDump && faults.pictureNoEnd);
    EXPECT_TRUE(SetFault(faults, "none", "", &error));
    EXPECT_FALSE(faults.doubleAnswer || faults.reprompt || faults.endlessDump || faults.pictureNoEnd);

    const std::optional<SimCommandLine> options = ParseSimCommandLine(
        {"--fault-double-answer", "--fault-reprompt", "--fault-endless-dump", "--fault-picture-no-end"}, &error);
    ASSERT_TRUE(options.has_value()) << error;
    const SimFaults& parsed = options->terminal.faults;
    EXPECT_TRUE(parsed.doubleAnswer && parsed.reprompt && parsed.endlessDump && parsed.pictureNoEnd);
    EXPECT_NE(SimUsage().find("--fault-double-answer"), std::string_view::npos);
}

} // namespace
} // namespace orlan::test
