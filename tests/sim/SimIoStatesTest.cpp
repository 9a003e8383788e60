// Input and output states: a control command changes one and the terminal
// reports it as a "*IO" line that the next dump shows too; with a period
// set, the inputs change on their own now and then.
#include "SimTestSupport.h"

#include "sim/SimControl.h"

#include <algorithm>

namespace orlan::test {
namespace {

using Lines = std::vector<std::string>;

TEST(SimIoStates, AControlCommandChangesAStateAndTheTerminalReportsIt)
{
    CSimHarness sim(CSimHarness::LoggedIn());
    sim.terminal.Start();
    sim.TakeLines();
    EXPECT_EQ(ApplyControlLine(sim.terminal, "input 2 1"), "ok");
    EXPECT_EQ(ApplyControlLine(sim.terminal, "output 0 1"), "ok");
    EXPECT_EQ(sim.TakeLines(), (Lines{"*IOI 2 1", "*IOO 0 1"}));

    for (const char* bad : {"input 9 1", "input 2", "input 2 on", "input x 1", "output -1 0", "input 2 1 1"})
        EXPECT_TRUE(ApplyControlLine(sim.terminal, bad).starts_with("error: ")) << bad;
    EXPECT_TRUE(sim.TakeLines().empty());

    sim.terminal.Feed("%DUMP_GPIO\r");
    const Lines dump = sim.TakeLines();
    EXPECT_NE(std::find(dump.begin(), dump.end(), "*IOI 2 1"), dump.end());
    EXPECT_EQ(std::count(dump.begin(), dump.end(), "*IOI 2 0"), 0);
}

TEST(SimIoStates, WithAPeriodTheInputsChangeInTurnEveryFifthPeriod)
{
    SimOptions options = CSimHarness::LoggedIn();
    options.eventsEveryMs = 100;
    CSimHarness sim(options);
    sim.terminal.Start();
    Lines changes;
    for (int period = 1; period <= 20; ++period) {
        sim.terminal.AdvanceTo(100 * period);
        for (std::string& line : sim.TakeLines()) {
            if (line.starts_with("*IO"))
                changes.push_back(std::move(line));
        }
        EXPECT_EQ(changes.size(), static_cast<size_t>(period / 5)) << period;
    }
    // The fixture starts with inputs 0-3 at 1, 0, 0, 1.
    EXPECT_EQ(changes, (Lines{"*IOI 0 0", "*IOI 1 1", "*IOI 2 1", "*IOI 3 0"}));
}

} // namespace
} // namespace orlan::test
