// The log of what the terminal received: every line and key run, in order,
// whatever state the terminal was in; and the option that writes it to a file.
#include "SimTestSupport.h"

#include "sim/SimCommandLine.h"

namespace orlan::test {
namespace {

class CLoggedSim : public CSimHarness {
public:
    explicit CLoggedSim(SimOptions options) : CSimHarness(std::move(options))
    {
        terminal.SetInputLog([this](std::string_view line) { received.emplace_back(line); });
    }
    std::vector<std::string> received;
};

TEST(SimInputLog, ListsEveryLineAndKeyRunInTheOrderReceived)
{
    SimOptions options;
    options.password = "1234";
    options.bootWaitMs = 1000;
    CLoggedSim sim(options);
    sim.terminal.Reboot();

    // While booting the console does not listen, but the line is still logged.
    sim.terminal.Feed("%DUMPS\r");
    sim.terminal.Advance(300);
    sim.terminal.Feed("%%%%%%%%%%%%");  // the key run has no line end
    sim.terminal.Advance(1000);
    // CR LF is one line end; a bare CR is an empty line; a split line is one line.
    sim.terminal.Feed("4321\r\n\r1234\r%STA");
    sim.terminal.Feed("RTCMD\n%CS1+123\r");

    const std::vector<std::string> expected = {"%DUMPS", "%%%%%%%%%%%%", "4321", "", "1234", "%STARTCMD",
                                               "%CS1+123"};
    EXPECT_EQ(sim.received, expected);
    EXPECT_TRUE(sim.terminal.InSetupMode());
}

TEST(SimInputLog, LogOptionNamesTheFile)
{
    std::string error;
    const std::optional<SimCommandLine> options =
        ParseSimCommandLine(std::vector<std::string_view>{"--log", "/tmp/received.txt"}, &error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->logPath, "/tmp/received.txt");

    EXPECT_FALSE(ParseSimCommandLine(std::vector<std::string_view>{"--log"}, &error));
    EXPECT_EQ(error, "--log needs a value");
}

} // namespace
} // namespace orlan::test
