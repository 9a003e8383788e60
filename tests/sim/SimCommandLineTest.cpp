// orlan-sim's options.
#include "sim/SimCommandLine.h"

#include "OrlanVersion.h"

#include <gtest/gtest.h>

namespace orlan::test {
namespace {

std::optional<SimCommandLine> Parse(std::vector<std::string_view> args, std::string* error)
{
    return ParseSimCommandLine(args, error);
}

TEST(SimCommandLine, DefaultsAndEveryOption)
{
    std::string error;
    const auto defaults = Parse({}, &error);
    ASSERT_TRUE(defaults) << error;
    EXPECT_EQ(defaults->rate, 11520U);
    EXPECT_EQ(defaults->terminal.bootWaitMs, 1500);
    EXPECT_EQ(defaults->terminal.password, "rain is a cold one");
    EXPECT_FALSE(defaults->control);
    EXPECT_EQ(defaults->terminal.eventsEveryMs, 0);
    EXPECT_EQ(defaults->terminal.seed, 1U);
    EXPECT_TRUE(defaults->fixturePath.empty());

    const auto all = Parse({"--password", "secret", "--no-login", "--boot-wait", "200", "--rate", "0", "--link",
                            "/tmp/tty", "--fixture", "f.txt", "--control", "--events-every", "1000", "--seed", "9",
                            "--fault-silent", "--fault-late", "300", "--fault-cmd-err", "--fault-garbage",
                            "--fault-split", "--fault-hangup-after", "5000", "--omit-share", "25",
                            "--fault-please-wait", "then-ok", "--fault-please-wait-every", "3"},
                           &error);
    ASSERT_TRUE(all) << error;
    EXPECT_EQ(all->terminal.password, "secret");
    EXPECT_TRUE(all->terminal.startLoggedIn);
    EXPECT_EQ(all->terminal.bootWaitMs, 200);
    EXPECT_EQ(all->rate, 0U);
    EXPECT_EQ(all->linkPath, "/tmp/tty");
    EXPECT_EQ(all->fixturePath, "f.txt");
    EXPECT_TRUE(all->control);
    EXPECT_EQ(all->terminal.eventsEveryMs, 1000);
    EXPECT_EQ(all->terminal.seed, 9U);
    const SimFaults& faults = all->terminal.faults;
    EXPECT_TRUE(faults.silent && faults.cmdErr && faults.garbage && faults.split);
    EXPECT_EQ(faults.lateMs, 300);
    EXPECT_EQ(faults.hangupAfterMs, 5000);
    EXPECT_EQ(all->omitPercent, 25);
    EXPECT_EQ(faults.pleaseWait, EPleaseWait::ThenOk);
    EXPECT_EQ(faults.pleaseWaitEvery, 3);
}

TEST(SimCommandLine, BadOptionsSayWhy)
{
    const struct {
        std::vector<std::string_view> args;
        const char* error;
    } cases[] = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"--password"}, "--password needs a value"},
        {{"--rate", "fast"}, "--rate takes a number, not fast"},
        {{"--seed", "-1"}, "--seed takes a number, not -1"},
        {{"--events-every", "soon"}, "--events-every takes milliseconds, not soon"},
        {{"--boot-wait", "-5"}, "--boot-wait takes milliseconds, not -5"},
        {{"--fault-late"}, "--fault-late needs a value"},
        {{"--omit-share", "101"}, "--omit-share takes a percentage from 0 to 100, not 101"},
        {{"--fault-please-wait", "maybe"}, "expected only, then-ok or off: please-wait maybe"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(Parse(c.args, &error));
        EXPECT_EQ(error, c.error);
    }
}

TEST(SimCommandLine, HelpAndVersionWinOverBadOptions)
{
    std::string error;
    const auto version = Parse({"--rate", "fast", "--version", "--bogus"}, &error);
    ASSERT_TRUE(version) << error;
    EXPECT_TRUE(version->version);
    EXPECT_FALSE(version->help);
    EXPECT_TRUE(error.empty()) << error;
    const auto help = Parse({"--bogus", "-h"}, &error);
    ASSERT_TRUE(help) << error;
    EXPECT_TRUE(help->help);
    // As a value it is the value, and a later bad option is still refused.
    const auto link = Parse({"--link", "--version", "--rate", "fast"}, &error);
    EXPECT_FALSE(link);
    EXPECT_EQ(error, "--rate takes a number, not fast");
    const auto linked = Parse({"--link", "--version"}, &error);
    ASSERT_TRUE(linked) << error;
    EXPECT_FALSE(linked->version);
    EXPECT_EQ(linked->linkPath, "--version");

    EXPECT_EQ(SimVersionText(), "orlan-sim " + std::string(kOrlanVersion) + "\n");
    EXPECT_NE(SimUsage().find("--version"), std::string_view::npos);
}

} // namespace
} // namespace orlan::test
