// Fault switches and the control stream.
#include "SimTestSupport.h"

#include "sim/SimControl.h"

#include <algorithm>
#include <cmath>

namespace orlan::test {
namespace {

using Lines = std::vector<std::string>;

SimOptions WithFaults(SimFaults faults)
{
    SimOptions options = CSimHarness::LoggedIn();
    options.faults = faults;
    return options;
}

TEST(SimFaults, SilentTerminalIgnoresCommandsButStillLogsIn)
{
    SimOptions options;
    options.faults.silent = true;
    CSimHarness sim(options);
    sim.terminal.Start();
    sim.terminal.Feed("\r%CC7\r%DUMPS\r%DUMPR\r");
    EXPECT_EQ(sim.TakeLines(), (Lines{"Console started, please login", "Login Success"}));
    EXPECT_EQ(sim.terminal.Config().Find("$CC ")->text, "$CC 86");
}

TEST(SimFaults, LateAnswersComeAfterTheDelayInOrder)
{
    SimFaults faults;
    faults.lateMs = 500;
    CSimHarness sim(WithFaults(faults));
    sim.terminal.Start();
    sim.terminal.Feed("%STARTCMD\r");
    sim.terminal.Advance(300);
    sim.terminal.Feed("%NOSUCH\r");
    sim.terminal.Advance(199);
    EXPECT_TRUE(sim.TakeLines().empty());
    sim.terminal.Advance(1);
    EXPECT_EQ(sim.TakeLines(), Lines{"CMD OK"});
    ASSERT_TRUE(sim.terminal.NextWakeMs().has_value());
    EXPECT_EQ(*sim.terminal.NextWakeMs(), 800);
    sim.terminal.Advance(300);
    EXPECT_EQ(sim.TakeLines(), Lines{"CMD ERR"});
}

TEST(SimFaults, CommandErrorRefusesSettingsButStillDumps)
{
    SimFaults faults;
    faults.cmdErr = true;
    CSimHarness sim(WithFaults(faults));
    sim.terminal.Start();
    sim.terminal.Feed("%STARTCMD\r%CC7\r%COMMITCMD\r");
    EXPECT_EQ(sim.TakeLines(), Lines(3, "CMD ERR"));
    sim.terminal.Feed("%DUMP_62056\r");
    EXPECT_EQ(sim.TakeLines().size(), 3U);
    EXPECT_EQ(sim.terminal.Config().Find("$CC ")->text, "$CC 86");
}

TEST(SimFaults, GarbageAddsJunkLinesAndKeepsEveryRealLineWhole)
{
    SimFaults faults;
    faults.garbage = true;
    CSimHarness sim(WithFaults(faults));
    sim.terminal.Start();
    sim.terminal.Feed("%DUMPS\r%DUMPR\r");
    const Lines lines = sim.TakeLines();

    Lines real;
    std::size_t junk = 0;
    std::size_t overlong = 0;
    for (const std::string& line : lines) {
        if (line.size() > 1000)
            ++overlong;
        else if (!line.empty() && (line[0] == '$' || line[0] == '*'))
            real.push_back(line);
        else {
            ++junk;
            EXPECT_TRUE(std::none_of(line.begin(), line.end(), [](char c) { return c >= 0x20 && c < 0x7F; }))
                << "junk is no text";
        }
    }
    EXPECT_GT(junk, 0U);
    EXPECT_GT(overlong, 0U);
    Lines expected;
    const CConfigStore fixture = DefaultFixture();
    for (const ConfigLine& line : fixture.Lines())
        expected.push_back(line.text);
    std::stable_partition(expected.begin(), expected.end(), [](const std::string& l) { return l[0] == '$'; });
    expected.push_back("$DUMPR END");
    EXPECT_EQ(real, expected);
}

TEST(SimFaults, SplitCutsEveryLineIntoSeveralWrites)
{
    SimFaults faults;
    faults.split = true;
    CSimHarness sim(WithFaults(faults));
    sim.terminal.Start();
    sim.terminal.Feed("%DUMP_SYS\r");
    const Lines expected = DefaultFixture().GroupLines("SYS");
    EXPECT_GE(sim.writes.size(), 2 * expected.size());
    EXPECT_TRUE(std::none_of(sim.writes.begin(), sim.writes.end(), [](const std::string& w) { return w.empty(); }));
    EXPECT_EQ(sim.TakeLines(), expected);
}

TEST(SimFaults, HangupAfterTheGivenTime)
{
    SimFaults faults;
    faults.hangupAfterMs = 1000;
    CSimHarness sim(WithFaults(faults));
    sim.terminal.Start();
    EXPECT_EQ(sim.terminal.NextWakeMs(), 1000);
    sim.terminal.Advance(999);
    EXPECT_FALSE(sim.terminal.HangupRequested());
    sim.terminal.Advance(1);
    EXPECT_TRUE(sim.terminal.HangupRequested());
}

TEST(SimFaults, PleaseWaitAnswersTheChosenShareOfAcceptedCommands)
{
    struct SCase {
        const char* mode;
        int every;
        Lines at0;      // at once, for "%STARTCMD", "%CC7", "%NOSUCH", "%COMMITCMD"
        Lines later;    // kPleaseWaitWorkMs later
    };
    const SCase cases[] = {
        {"only", 1, {"Please wait", "Please wait", "CMD ERR", "Please wait"}, {}},
        {"then-ok", 1, {"Please wait"},
         {"CMD OK", "Please wait", "CMD OK", "CMD ERR", "Please wait", "CMD OK"}},
        {"only", 2, {"CMD OK", "Please wait", "CMD ERR", "CMD OK"}, {}},
        {"off", 1, {"CMD OK", "CMD OK", "CMD ERR", "CMD OK"}, {}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " every " + std::to_string(c.every));
        SimFaults faults;
        std::string error;
        ASSERT_TRUE(SetFault(faults, "please-wait", c.mode, &error)) << error;
        ASSERT_TRUE(SetFault(faults, "please-wait-every", std::to_string(c.every), &error)) << error;
        CSimHarness sim(WithFaults(faults));
        sim.terminal.Start();
        sim.terminal.Feed("%STARTCMD\r%CC7\r%NOSUCH\r%COMMITCMD\r");
        EXPECT_EQ(sim.TakeLines(), c.at0);
        sim.terminal.Advance(4 * kPleaseWaitWorkMs);
        EXPECT_EQ(sim.TakeLines(), c.later);
        EXPECT_EQ(sim.terminal.Config().Find("$CC ")->text, "$CC 7") << "a busy command still takes effect";
    }
    SimFaults faults;
    std::string error;
    EXPECT_FALSE(SetFault(faults, "please-wait", "sometimes", &error));
    EXPECT_FALSE(SetFault(faults, "please-wait-every", "0", &error));
    EXPECT_EQ(faults.pleaseWait, EPleaseWait::Off);
    EXPECT_EQ(faults.pleaseWaitEvery, 1);
}

TEST(SimFaults, SwitchesAreSetByName)
{
    SimFaults faults;
    std::string error;
    EXPECT_TRUE(SetFault(faults, "silent", "", &error));
    EXPECT_TRUE(SetFault(faults, "late", "250", &error));
    EXPECT_TRUE(SetFault(faults, "split", "on", &error));
    EXPECT_TRUE(faults.silent);
    EXPECT_EQ(faults.lateMs, 250);
    EXPECT_TRUE(faults.split);
    EXPECT_TRUE(SetFault(faults, "split", "off", &error));
    EXPECT_FALSE(faults.split);

    EXPECT_FALSE(SetFault(faults, "late", "soon", &error));
    EXPECT_NE(error.find("late"), std::string::npos);
    EXPECT_FALSE(SetFault(faults, "garbage", "maybe", &error));
    EXPECT_FALSE(SetFault(faults, "meltdown", "", &error));
    EXPECT_EQ(faults.lateMs, 250) << "a refused switch changes nothing";

    EXPECT_TRUE(SetFault(faults, "none", "", &error));
    EXPECT_FALSE(faults.silent);
    EXPECT_EQ(faults.lateMs, 0);
}

TEST(SimControl, CommandsReachTheTerminal)
{
    CSimHarness sim(CSimHarness::LoggedIn());
    sim.terminal.Start();
    sim.terminal.Advance(5000);

    EXPECT_EQ(ApplyControlLine(sim.terminal, "event 2"), "ok");
    EXPECT_EQ(ApplyControlLine(sim.terminal, "event"), "ok");
    EXPECT_EQ(ApplyControlLine(sim.terminal, "temp 2"), "ok");
    EXPECT_EQ(ApplyControlLine(sim.terminal, "raw  Hello  there "), "ok");
    const Lines lines = sim.TakeLines();
    ASSERT_EQ(lines.size(), 6U);
    EXPECT_TRUE(lines[0].starts_with("$: \"1\" "));
    EXPECT_TRUE(lines[1].starts_with("$: \"2\" "));
    EXPECT_TRUE(lines[2].starts_with("$: \"3\" ")) << "a bare event is one";
    EXPECT_TRUE(lines[3].starts_with("$TR000001ET33")) << lines[3];
    EXPECT_TRUE(lines[4].starts_with("$TR000002ET33")) << lines[4];
    EXPECT_EQ(lines[5], " Hello  there ");

    EXPECT_EQ(ApplyControlLine(sim.terminal, "set-fault cmd-err"), "ok");
    sim.terminal.Feed("%STARTCMD\r");
    EXPECT_EQ(sim.TakeLines(), Lines{"CMD ERR"});
    EXPECT_EQ(ApplyControlLine(sim.terminal, "set-fault hangup-after 100"), "ok");
    EXPECT_EQ(sim.terminal.Faults().hangupAfterMs, 5100) << "counted from now";

    EXPECT_EQ(ApplyControlLine(sim.terminal, "boot"), "ok");
    EXPECT_EQ(sim.terminal.State(), CSimTerminal::EState::Booting);
    EXPECT_EQ(ApplyControlLine(sim.terminal, "hangup"), "ok");
    EXPECT_TRUE(sim.terminal.HangupRequested());
    EXPECT_EQ(ApplyControlLine(sim.terminal, "   "), "");
}

TEST(SimControl, BadCommandsAreReportedAndChangeNothing)
{
    CSimHarness sim(CSimHarness::LoggedIn());
    sim.terminal.Start();
    EXPECT_EQ(ApplyControlLine(sim.terminal, "event 0"), "error: event needs a count from 1 to 100000");
    EXPECT_TRUE(ApplyControlLine(sim.terminal, "event -2").starts_with("error: "));
    EXPECT_TRUE(ApplyControlLine(sim.terminal, "event many").starts_with("error: "));
    EXPECT_EQ(ApplyControlLine(sim.terminal, "temp"), "error: temp needs a count from 1 to 100000");
    EXPECT_TRUE(ApplyControlLine(sim.terminal, "temp 100001").starts_with("error: "));
    EXPECT_TRUE(ApplyControlLine(sim.terminal, "set-fault nothing").starts_with("error: "));
    EXPECT_TRUE(ApplyControlLine(sim.terminal, "hangup now").starts_with("error: "));
    EXPECT_EQ(ApplyControlLine(sim.terminal, "explode"), "error: unknown control command: explode");
    EXPECT_TRUE(sim.TakeLines().empty());
    EXPECT_FALSE(sim.terminal.HangupRequested());
}

TEST(SimEvents, EveryGivenPeriodOnceTheConsoleRuns)
{
    SimOptions options;
    options.bootWaitMs = 1000;
    options.eventsEveryMs = 400;
    CSimHarness sim(options);
    sim.terminal.Reboot();
    auto count = [](const Lines& lines, std::string_view start) {
        return std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.starts_with(start); });
    };
    sim.terminal.Advance(1100);
    Lines lines = sim.TakeLines();
    EXPECT_EQ(count(lines, "$: "), 0) << "none while booting";
    EXPECT_EQ(count(lines, "$TR"), 0);
    sim.terminal.Advance(100);
    sim.terminal.Advance(800);
    lines = sim.TakeLines();
    EXPECT_EQ(count(lines, "$: "), 3); // at 1200, 1600 and 2000
    EXPECT_EQ(count(lines, "$TR"), 3) << "each with a realtime record";
    EXPECT_EQ(count(lines, "$TR000003ET33"), 1) << "numbered on";
}

TEST(SimEvents, TheHostIsWokenForEachPeriod)
{
    SimOptions options = CSimHarness::LoggedIn();
    options.eventsEveryMs = 250;
    CSimHarness sim(options);
    sim.terminal.Start();
    ASSERT_EQ(sim.terminal.NextWakeMs(), 250);
    sim.terminal.AdvanceTo(250);
    const Lines lines = sim.TakeLines();
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_TRUE(lines[0].starts_with("$: \"1\" "));
    EXPECT_TRUE(lines[1].starts_with("$TR000001ET33")) << lines[1];
    EXPECT_EQ(sim.terminal.NextWakeMs(), 500);
}

// The six sensors of one realtime record: state and temperature text each.
std::vector<std::pair<char, std::string>> Sensors(const std::string& record)
{
    std::vector<std::pair<char, std::string>> sensors;
    for (std::size_t at = 29; at < record.size();) {
        const std::size_t comma = record.find(',', at);
        if (comma == std::string::npos || comma == at)
            break;
        sensors.emplace_back(record[at], record.substr(at + 1, comma - at - 1));
        at = comma + 1;
    }
    return sensors;
}

TEST(SimTemperatures, ReadingsDriftAndAlarmAboveTheirLimits)
{
    constexpr int kRecords = 1000;
    constexpr double kLimits[] = {40.0, 8.0, -10.0, 35.0};
    CSimHarness sim(CSimHarness::LoggedIn());
    sim.terminal.EmitTemperatureRecords(kRecords);
    const Lines records = sim.TakeLines();
    ASSERT_EQ(records.size(), static_cast<std::size_t>(kRecords));

    std::vector<double> last = {21.5, 4.25, -18.0, 21.0};
    int alarms = 0;
    bool moved = false;
    for (const std::string& record : records) {
        ASSERT_EQ(record.substr(27, 2), "06") << record;
        const auto sensors = Sensors(record);
        ASSERT_EQ(sensors.size(), 6U) << record;
        for (std::size_t i = 0; i < 4; ++i) {
            const double celsius = std::stod(sensors[i].second);
            EXPECT_LE(std::abs(celsius - last[i]), 0.25 + 1e-6) << record;
            moved = moved || celsius != last[i];
            last[i] = celsius;
            // The text has two decimals: a reading right at the limit may go either way.
            if (std::abs(celsius - kLimits[i]) > 0.005) {
                ASSERT_EQ(sensors[i].first, celsius > kLimits[i] ? '1' : '0') << "sensor " << i << ": " << record;
            }
            alarms += sensors[i].first == '1';
        }
        EXPECT_EQ(sensors[4], std::make_pair('2', std::string("0.00"))) << "not connected";
        EXPECT_EQ(sensors[5], std::make_pair('2', std::string("0.00")));
    }
    EXPECT_TRUE(moved);
    EXPECT_GT(alarms, 0) << "a run this long crosses a limit";
}

TEST(SimTemperatures, TheSeedChoosesTheReadings)
{
    auto readings = [](std::uint32_t seed) {
        SimOptions options = CSimHarness::LoggedIn();
        options.seed = seed;
        CSimHarness sim(options);
        sim.terminal.EmitTemperatureRecords(20);
        return sim.TakeLines();
    };
    EXPECT_EQ(readings(7), readings(7));
    EXPECT_NE(readings(7), readings(8));
}

} // namespace
} // namespace orlan::test
