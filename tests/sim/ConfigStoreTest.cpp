// The fixture format and the store's line edits.
#include "sim/ConfigStore.h"

#include <gtest/gtest.h>

namespace orlan::test {
namespace {

TEST(ConfigStore, ReadsGroupsCommentsAndLineEnds)
{
    std::string error;
    const auto store = CConfigStore::Parse("# comment\r\n\n[SYS]\r\n$CC 86\r\n# inside\n$DAS 0  \n[GPIO]\n*IOI 0 1\n"
                                           "$ITP0 1",
                                           &error);
    ASSERT_TRUE(store) << error;
    ASSERT_EQ(store->Lines().size(), 4U);
    EXPECT_EQ(store->Lines()[0].group, "SYS");
    EXPECT_EQ(store->Lines()[1].text, "$DAS 0") << "line-end debris goes";
    EXPECT_EQ(store->GroupLines("GPIO"), (std::vector<std::string>{"*IOI 0 1", "$ITP0 1"}));
    EXPECT_TRUE(store->GroupLines("TMP").empty());
}

TEST(ConfigStore, RefusesMalformedFixturesWithTheLineNumber)
{
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"$CC 86\n", "line 1: dump line before the first group header"},
        {"[SYS]\n$CC 86\nCC 86\n", "line 3: a dump line starts with '$' or '*'"},
        {"[SYS]\n[NOPE]\n", "line 2: unknown group NOPE"},
        {"[SYS\n", "line 1: malformed group header"},
        {"[]\n", "line 1: malformed group header"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(CConfigStore::Parse(c.text, &error)) << c.text;
        EXPECT_EQ(error, c.error);
    }
}

TEST(ConfigStore, SetReplacesTheLineOrAppendsToItsGroup)
{
    std::string error;
    auto store = CConfigStore::Parse("[SYS]\n$CS1 +1\n$CS12 +12\n[GPIO]\n$IOHT 3\n[SYS]\n$CC 86\n[TMP]\n$TMPH 50\n",
                                     &error);
    ASSERT_TRUE(store) << error;
    store->Set("SYS", "$CS1 ", "$CS1 +100");
    EXPECT_EQ(store->Find("$CS1 ")->text, "$CS1 +100");
    EXPECT_EQ(store->Find("$CS12 ")->text, "$CS12 +12") << "the separator keeps row 12 apart";

    store->Set("SYS", "$CS2 ", "$CS2 +2");
    store->Set("UPS", "$STUPSEN ", "$STUPSEN 1");
    const std::vector<std::string> order = [&] {
        std::vector<std::string> texts;
        for (const ConfigLine& line : store->Lines())
            texts.push_back(line.text);
        return texts;
    }();
    EXPECT_EQ(order, (std::vector<std::string>{"$CS1 +100", "$CS12 +12", "$IOHT 3", "$CC 86", "$CS2 +2",
                                               "$TMPH 50", "$STUPSEN 1"}));
    EXPECT_EQ(store->Lines()[4].group, "SYS");
    EXPECT_EQ(store->Find("$NOPE"), nullptr);
}

TEST(ConfigStore, OmitShareLeavesOutThatShareOfTheSettingsAndKeepsLiveLines)
{
    std::string fixture = "[GPIO]\n*IOI 0 1\n*IOI 1 0\n";
    for (int i = 0; i < 10; ++i)
        fixture += "$CS" + std::to_string(i) + " +" + std::to_string(i) + "\n";
    std::string error;
    const auto full = CConfigStore::Parse(fixture, &error);
    ASSERT_TRUE(full) << error;
    auto settingsOf = [](const CConfigStore& store) {
        std::vector<std::string> settings;
        for (const ConfigLine& line : store.Lines()) {
            if (line.text.starts_with('$'))
                settings.push_back(line.text);
        }
        return settings;
    };
    for (const auto& [percent, kept] : std::vector<std::pair<int, size_t>>{{0, 10}, {30, 7}, {35, 7}, {100, 0}}) {
        CConfigStore store = *full;
        store.OmitShare(percent, 5);
        EXPECT_EQ(settingsOf(store).size(), kept) << percent;
        EXPECT_EQ(store.GroupLines("GPIO").front(), "*IOI 0 1") << percent;
        EXPECT_EQ(store.Lines().size(), kept + 2) << "live lines stay: " << percent;
    }
    CConfigStore again = *full;
    CConfigStore other = *full;
    CConfigStore same = *full;
    again.OmitShare(50, 5);
    same.OmitShare(50, 5);
    other.OmitShare(50, 6);
    EXPECT_EQ(settingsOf(again), settingsOf(same)) << "the seed chooses the lines";
    EXPECT_NE(settingsOf(again), settingsOf(other));
}

} // namespace
} // namespace orlan::test
