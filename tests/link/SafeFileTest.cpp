// Saves through the safe-save helper against what a shared machine can put
// in their way: planted links, devices, FIFOs, a full disk, a killed save.
// Every refusal leaves the old file whole and says why.
#include "platform/SafeFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <sstream>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orlan {
namespace {

const std::string kOld = "%CS1+111\r\r\n%PIN1234\r\r\n";
const std::string kNew = "%CS1+222\r\r\n";

std::string Contents(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void Put(const std::string& path, const std::string& bytes, mode_t mode = 0644)
{
    std::ofstream(path, std::ios::binary) << bytes;
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
}

mode_t ModeOf(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode : 0;
}

// The names in a folder, without "." and "..".
QStringList Entries(const std::string& folder)
{
    return QDir(QString::fromStdString(folder)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                          | QDir::NoDotAndDotDot);
}

// Runs `work` in a child process (for limits and identities the test
// runner must not take on) and hands back what it returned.
std::string InChild(const std::function<std::string()>& work)
{
    int pipe[2];
    if (::pipe(pipe) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        const std::string result = work();
        const bool written = ::write(pipe[1], result.data(), result.size()) == static_cast<ssize_t>(result.size());
        ::_exit(written ? 0 : 1);
    }
    ::close(pipe[1]);
    std::string result;
    char buffer[256];
    for (ssize_t count; (count = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, static_cast<size_t>(count));
    ::close(pipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? result : "the child failed";
}

class SafeFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    std::string Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)).toStdString(); }
    std::string Folder(const char* name, mode_t mode) const
    {
        const std::string path = Path(name);
        EXPECT_EQ(::mkdir(path.c_str(), 0700), 0);
        EXPECT_EQ(::chmod(path.c_str(), mode), 0);  // past the umask
        return path;
    }

    QTemporaryDir m_dir;
};

TEST_F(SafeFileTest, WhatIsNotARegularFileIsRefusedAndStaysAsItWas)
{
    const std::string fifo = Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // A link planted in a sticky shared folder, aimed at the user's own file.
    const std::string shared = Folder("shared", 01777);
    const std::string victim = Path("victim.txt");
    Put(victim, kOld);
    const std::string planted = shared + "/profile.txt";
    ASSERT_EQ(::symlink(victim.c_str(), planted.c_str()), 0);
    const std::string dangling = Path("dangling");
    ASSERT_EQ(::symlink(Path("nowhere").c_str(), dangling.c_str()), 0);

    struct SCase {
        std::string target;
        const char* reasonHolds;
        mode_t kind;
    };
    const SCase cases[] = {
        {"/dev/null", "device", S_IFCHR},
        {fifo, "FIFO", S_IFIFO},
        {Path(""), "folder", S_IFDIR},
        {planted, "planted", S_IFLNK},
        {dangling, "to nothing", S_IFLNK},
    };
    for (const SCase& c : cases) {
        const std::string why = SaveFileSafely(c.target, kNew);
        EXPECT_NE(why.find(c.reasonHolds), std::string::npos) << c.target << ": " << why;
        EXPECT_EQ(ModeOf(c.target) & S_IFMT, c.kind) << c.target;
    }
    EXPECT_EQ(Contents(victim), kOld);
    EXPECT_EQ(Entries(shared), QStringList{QStringLiteral("profile.txt")});
    // A name the tool chose itself is never followed, even in a private folder.
    EXPECT_NE(SaveFileSafely(dangling, kNew, {ENewFileMode::Shared, ELinkPolicy::Refuse}).find("symbolic link"),
              std::string::npos);
}

TEST_F(SafeFileTest, ALinkOfTheUsersOwnInAPrivateFolderIsWrittenThroughKeepingTheTargetsMode)
{
    const std::string target = Folder("real", 0700) + "/profile.txt";
    Put(target, kOld, 0640);
    const std::string link = Folder("mine", 0700) + "/profile.txt";
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);

    EXPECT_EQ(SaveFileSafely(link, kNew), "");
    EXPECT_EQ(Contents(target), kNew);
    EXPECT_TRUE(S_ISLNK(ModeOf(link)));
    EXPECT_EQ(ModeOf(target) & 07777, 0640U);
}

TEST_F(SafeFileTest, ModesAreKeptOrPrivateForNewProfilesAndNoTemporaryFileStays)
{
    const std::string kept = Path("kept.txt");
    Put(kept, kOld, 0600);
    EXPECT_EQ(SaveFileSafely(kept, kNew), "");
    EXPECT_EQ(ModeOf(kept) & 07777, 0600U);

    const std::string fresh = Path("fresh.txt");
    EXPECT_EQ(SaveFileSafely(fresh, kNew), "");
    EXPECT_EQ(ModeOf(fresh) & 07777, 0600U);
    EXPECT_EQ(Contents(fresh), kNew);

    const mode_t mask = ::umask(0);
    ::umask(mask);
    const std::string picture = Path("1.jpg");
    EXPECT_EQ(SaveFileSafely(picture, "\xFF\xD8\xFF\xD9", {ENewFileMode::Shared, ELinkPolicy::Refuse}), "");
    EXPECT_EQ(ModeOf(picture) & 07777, 0666U & ~mask);

    EXPECT_EQ(Entries(Path("")), (QStringList{QStringLiteral("1.jpg"), QStringLiteral("fresh.txt"),
                                              QStringLiteral("kept.txt")}));
}

TEST_F(SafeFileTest, AnUnfinishedSaveLeavesTheOldFileAndItsLeftoversGoWithTheNextSave)
{
    const std::string path = Path("p.txt");
    Put(path, kOld);
    {
        CSafeFile file;
        ASSERT_TRUE(file.Open(path));
        ASSERT_TRUE(file.Write(kNew));
    }  // gone without Commit, as when the read behind it fails
    EXPECT_EQ(Contents(path), kOld);
    EXPECT_EQ(Entries(Path("")), QStringList{QStringLiteral("p.txt")});

    // What a killed save left an hour ago goes; one being written now stays.
    const std::string killed = Path(".p.txt.orlan-tmp-Ab12Cd");
    const std::string running = Path(".p.txt.orlan-tmp-Xy34Zw");
    Put(killed, "half");
    Put(running, "half");
    const timespec hourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, killed.c_str(), hourAgo, 0), 0);
    EXPECT_EQ(SaveFileSafely(path, kNew), "");
    EXPECT_EQ(Entries(Path("")), (QStringList{QStringLiteral(".p.txt.orlan-tmp-Xy34Zw"), QStringLiteral("p.txt")}));

    const std::string why = SaveFileSafely(Path("missing/p.txt"), kNew);
    EXPECT_EQ(why, "its folder does not exist");
}

TEST_F(SafeFileTest, AFullDiskIsReportedAndTheOldFileStaysWhole)
{
    const std::string path = Path("p.txt");
    Put(path, kOld);
    const std::string why = InChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of killing
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        return SaveFileSafely(path, std::string(64 * 1024, 'x'));
    });
    EXPECT_NE(why.find("larger than this system allows"), std::string::npos) << why;
    EXPECT_EQ(Contents(path), kOld);
    EXPECT_EQ(Entries(Path("")), QStringList{QStringLiteral("p.txt")});
}

TEST_F(SafeFileTest, ReadsComeInChunksAndSayWhyAFileCannotBeRead)
{
    const std::string big = Path("big.txt");
    std::string bytes;
    for (int i = 0; bytes.size() < 200 * 1024; ++i)
        bytes += "%CS" + std::to_string(i) + "\r\n";
    Put(big, bytes);
    std::string read;
    int chunks = 0;
    EXPECT_EQ(ReadFileInChunks(big, kMaxProfileBytes,
                               [&](std::string_view chunk) {
                                   read += chunk;
                                   ++chunks;
                               }),
              "");
    EXPECT_EQ(read, bytes);
    EXPECT_GT(chunks, 1);

    const std::string fifo = Path("fifo");  // no writer: must not wait for one
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string locked = Path("locked.txt");
    Put(locked, kOld, 0);
    const std::pair<std::string, std::string> cases[] = {
        {Path("missing.txt"), "does not exist"},
        {fifo, "is a FIFO (named pipe), not a regular file"},
        {Path(""), "is a folder, not a regular file"},
        {"/dev/null", "is a device, not a regular file"},
    };
    for (const auto& [path, why] : cases)
        EXPECT_EQ(ReadFileInChunks(path, kMaxProfileBytes, [](std::string_view) {}), why) << path;
    EXPECT_EQ(ReadFileInChunks(big, 100 * 1024, [](std::string_view) {}), "is larger than 100 KiB");
    // Another user's private file, seen by someone who is not root.
    EXPECT_EQ(InChild([&] {
                  if (::geteuid() == 0 && ::setuid(65534) != 0)
                      return std::string("no other user");
                  return ReadFileInChunks(locked, kMaxProfileBytes, [](std::string_view) {});
              }),
              "permission denied");
}

} // namespace
} // namespace orlan
