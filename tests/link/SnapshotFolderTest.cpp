#include "platform/SnapshotFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace orlan {
namespace {

SSnapshot Read(int64_t timeSecs, std::string profile, std::string unit = "100234")
{
    return {timeSecs, "/dev/pts/4", std::move(unit), "read", std::move(profile)};
}

class SnapshotFolderTest : public ::testing::Test {
protected:
    QTemporaryDir temp;
    CSnapshotFolder folder{temp.path() + QStringLiteral("/history")};
};

TEST_F(SnapshotFolderTest, EqualReadsKeepOneAChangeKeepsTwoEachUnitApart)
{
    bool kept = false;
    EXPECT_EQ(folder.Store(Read(100, "%ID1\r\n"), {}, &kept), "");
    EXPECT_TRUE(kept);
    EXPECT_EQ(folder.Store(Read(200, "%ID1\r\n"), {}, &kept), "");
    EXPECT_FALSE(kept) << "the same configuration again";
    EXPECT_EQ(folder.Store(Read(300, "%ID2\r\n"), {}, &kept), "");
    EXPECT_TRUE(kept);
    EXPECT_EQ(folder.Store(Read(300, "%ID9\r\n", "other/unit"), {}, &kept), "");

    const SHistory history = folder.Load();
    EXPECT_TRUE(history.skipped.empty());
    ASSERT_EQ(history.units.size(), 2u);
    const SUnitHistory& unit = history.units[0];
    EXPECT_EQ(unit.unitId, "100234");
    ASSERT_EQ(unit.snapshots.size(), 2u);
    EXPECT_EQ(unit.snapshots[0].timeSecs, 100);
    EXPECT_EQ(unit.snapshots[1].profile, "%ID2\r\n");
    EXPECT_EQ(history.units[1].unitId, "other/unit");

    // Written for the user alone.
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(unit.files[0]).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(SnapshotFolderTest, TheRulePrunesTheOldestWhenANewOneIsKept)
{
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(folder.Store(Read(1000 + i, "%ID" + std::to_string(i) + "\r\n"), {3, 0}), "");
    const SUnitHistory unit = folder.LoadUnit("100234", nullptr);
    ASSERT_EQ(unit.snapshots.size(), 3u);
    EXPECT_EQ(unit.snapshots.front().timeSecs, 1002);
    EXPECT_EQ(unit.snapshots.back().timeSecs, 1004);
}

TEST_F(SnapshotFolderTest, ACorruptOrForeignFileIsSkippedWithAMessage)
{
    ASSERT_EQ(folder.Store(Read(100, "%ID1\r\n"), {}), "");
    const QString unitFolder = folder.Root() + QStringLiteral("/100234");
    auto write = [](const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(unitFolder + QStringLiteral("/notes.txt"), "shopping list\n");
    write(unitFolder + QStringLiteral("/19700101T000300Z-1.snapshot"),
          QByteArray(kSnapshotMagic.data(), static_cast<int>(kSnapshotMagic.size())) + "\ntime: never\n\n");
    write(folder.Root() + QStringLiteral("/stray.snapshot"), "x");

    const SHistory history = folder.Load();
    ASSERT_EQ(history.units.size(), 1u);
    EXPECT_EQ(history.units[0].snapshots.size(), 1u);
    ASSERT_EQ(history.skipped.size(), 3u);
    EXPECT_NE(history.skipped[0].find("has an unreadable time"), std::string::npos) << history.skipped[0];
    EXPECT_NE(history.skipped[1].find("notes.txt\": is no configuration snapshot"), std::string::npos)
        << history.skipped[1];
    EXPECT_NE(history.skipped[2].find("not in a unit's folder"), std::string::npos);
    // A skipped file does not stop the next snapshot.
    bool kept = false;
    EXPECT_EQ(folder.Store(Read(400, "%ID2\r\n"), {}, &kept), "");
    EXPECT_TRUE(kept);
}

TEST(SnapshotFolderRoot, TheUsersDataFolderFollowsXdg)
{
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/data/of/me");
    EXPECT_EQ(CSnapshotFolder::UserRoot(), QStringLiteral("/data/of/me/orlan/history"));
    qputenv("XDG_DATA_HOME", "relative/path");
    EXPECT_EQ(CSnapshotFolder::UserRoot(), QDir::homePath() + QStringLiteral("/.local/share/orlan/history"));
    if (saved.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", saved);
}

} // namespace
} // namespace orlan
