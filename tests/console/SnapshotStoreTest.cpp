#include <gtest/gtest.h>

#include "console/SnapshotStore.h"

namespace orlan {
namespace {

SSnapshot Sample(int64_t timeSecs, std::string profile = "//Page Main\r\n%ID100234\r\n")
{
    return {timeSecs, "/dev/ttyUSB0", "100234", "read", std::move(profile)};
}

TEST(SnapshotStore, ASnapshotReadsBackAsItWasWritten)
{
    SSnapshot snapshot = Sample(1796735353);
    snapshot.port = "/dev/pts/3\nunit: forged";  // a line break cannot forge a header line
    std::string why;
    const auto back = ParseSnapshot(SnapshotBytes(snapshot), &why);
    ASSERT_TRUE(back) << why;
    EXPECT_EQ(back->timeSecs, snapshot.timeSecs);
    EXPECT_EQ(back->unitId, "100234");
    EXPECT_EQ(back->port, "/dev/pts/3 unit: forged");
    EXPECT_EQ(back->profile, snapshot.profile);
    EXPECT_EQ(back->source, "read");
}

TEST(SnapshotStore, WhatIsNoSnapshotIsRefusedWithWhy)
{
    const std::string good = SnapshotBytes(Sample(0));
    const std::pair<std::string, const char*> cases[] = {
        {"//Page Main\r\n%ID1\r\n", "is no configuration snapshot"},
        {"", "is no configuration snapshot"},
        {std::string(kSnapshotMagic) + "\ntime: 2026-12-09T13:09:13Z\n", "ends inside its header"},
        {std::string(kSnapshotMagic) + "\ntime: yesterday\n\n", "has an unreadable time"},
        {std::string(kSnapshotMagic) + "\nunit: 1\n\n", "has no time"},
        {good + std::string(1, '\0'), "holds a NUL byte"},
    };
    for (const auto& [bytes, reason] : cases) {
        std::string why;
        EXPECT_FALSE(ParseSnapshot(bytes, &why)) << reason;
        EXPECT_EQ(why, reason);
    }
}

TEST(SnapshotStore, TimesAndFolderNamesGoBothWays)
{
    EXPECT_EQ(IsoTime(0), "1970-01-01T00:00:00Z");
    EXPECT_EQ(IsoTime(1796735353), "2026-12-08T13:09:13Z");
    for (int64_t t : {int64_t{0}, int64_t{951782400}, int64_t{1796735353}, int64_t{4102444799}})
        EXPECT_EQ(ParseIsoTime(IsoTime(t)), t);
    EXPECT_FALSE(ParseIsoTime("2026-13-01T00:00:00Z"));
    EXPECT_FALSE(ParseIsoTime("2026-12-09 13:09:13"));
    EXPECT_EQ(SnapshotFileName(1796735353, 2), "20261208T130913Z-2.snapshot");

    EXPECT_EQ(UnitFolderName(""), "unknown-unit");
    EXPECT_EQ(UnitFolderName("../x y"), "%2E%2E%2Fx%20y");
    for (std::string id : {"100234", "../x y", "Ünit/5", ""})
        EXPECT_EQ(UnitIdOfFolder(UnitFolderName(id)), id);
}

TEST(SnapshotStore, OnlyAChangedConfigurationIsKeptAgain)
{
    EXPECT_FALSE(RepeatsNewest(std::nullopt, Sample(10)));
    EXPECT_TRUE(RepeatsNewest(Sample(10), Sample(20))) << "same configuration, later";
    EXPECT_FALSE(RepeatsNewest(Sample(10), Sample(20, "//Page Main\r\n%ID100235\r\n")));
}

TEST(SnapshotStore, TheKeepingRulePrunesTheOldestButNeverTheNewest)
{
    std::vector<SSnapshot> history;
    for (int64_t day = 0; day < 5; ++day)
        history.push_back(Sample(day * 86400));
    const int64_t now = 4 * 86400 + 60;
    struct SCase {
        SKeepRule rule;
        std::vector<size_t> gone;
    };
    const SCase cases[] = {
        {{0, 0}, {}},
        {{3, 0}, {0, 1}},
        {{10, 2}, {0, 1, 2}},  // older than two days
        {{2, 4}, {0, 1, 2}},
        {{1, 0}, {0, 1, 2, 3}},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(SnapshotsToPrune(history, c.rule, now), c.gone) << c.rule.count << "/" << c.rule.maxAgeDays;
    EXPECT_TRUE(SnapshotsToPrune({Sample(0)}, {1, 1}, 100 * 86400).empty()) << "the only one stays";
}

} // namespace
} // namespace orlan
