// Command name matching.
#include "sim/CommandTable.h"
#include "sim/KnownCommands.h"

#include <gtest/gtest.h>

#include <set>

namespace orlan::test {
namespace {

TEST(CommandTable, PatternsMatchPrefixesDigitsAndAnyCase)
{
    EXPECT_TRUE(PatternMatches("CS#", "CS3+123"));
    EXPECT_TRUE(PatternMatches("CS#", "cs3"));
    EXPECT_FALSE(PatternMatches("CS#", "CSX"));
    EXPECT_FALSE(PatternMatches("CS#", "CS"));
    EXPECT_TRUE(PatternMatches("MDMAS##=", "mdmas05=1"));
    EXPECT_FALSE(PatternMatches("MDMAS##=", "mdmas5=1"));
}

TEST(CommandTable, LongestPatternWinsAndItsDigitsAreTheNumber)
{
    const std::vector<CommandSpec>& table = KnownCommands();
    const struct {
        const char* command;
        const char* pattern;
        const char* number;
        const char* args;
    } cases[] = {
        {"SOS0+1", "SOS#", "0", "+1"},
        {"S0300410042", "S##", "03", "00410042"},
        {"SP10086", "SP", "", "10086"},
        {"SSPAN130,5", "SSPAN#", "1", "30,5"},
        {"M2MDTSIP2=10.0.0.1", "M2MDTSIP#=", "2", "10.0.0.1"},
        {"AIN3HOC17", "AIN#HOC1", "3", "7"},
        {"AIN0H30", "AIN#H", "0", "30"},
        {"MMSTCC1", "MMSTCC", "", "1"},
        {"MMST5", "MMST", "", "5"},
        {"DUMP_MODBUS_MASTER12", "DUMP_MODBUS_MASTER", "", "12"},
        {"E99?", "E99?", "", ""},
        {"memr0", "MEMR", "", "0"},
    };
    for (const auto& c : cases) {
        const CommandMatch match = MatchCommand(table, c.command);
        ASSERT_NE(match.spec, nullptr) << c.command;
        EXPECT_EQ(match.spec->pattern, c.pattern) << c.command;
        EXPECT_EQ(match.call.number, c.number) << c.command;
        EXPECT_EQ(match.call.args, c.args) << c.command;
    }
    EXPECT_EQ(MatchCommand(table, "XYZ").spec, nullptr);
    EXPECT_EQ(MatchCommand(table, "").spec, nullptr);
}

TEST(CommandTable, EveryPatternIsListedOnce)
{
    std::set<std::string_view> patterns;
    for (const CommandSpec& spec : KnownCommands())
        EXPECT_TRUE(patterns.insert(spec.pattern).second) << spec.pattern;
}

} // namespace
} // namespace orlan::test
