// orlan-cli's files and standard output against what a shared machine puts
// in their way: planted links, devices, FIFOs, a full disk, unreadable and
// oversized profiles, an output that cannot be written. Each case ends with
// its exit code and reason, and what was on disk stays as it was.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <memory>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "CliRunner.h"
#include "SimProcess.h"

namespace orlan::test {
namespace {

const std::string kOldProfile = "\r\r\n//Page System Main Params\r\r\n\r\n%ID4711\r\r\n%PIN9999\r\r\n";
constexpr int kPromptly = 15000;  // ms; a profile that blocks would run into this

mode_t ModeOf(const QString& path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode : 0;
}

bool Has(const std::string& text, std::string_view part)
{
    return text.find(part) != std::string::npos;
}

class CliFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QByteArray Native(const char* name) const { return QFile::encodeName(Path(name)); }
    // A simulator that logs what it receives; its device for --port.
    QString StartSim(QStringList options = {QStringLiteral("--no-login")})
    {
        m_sim = std::make_unique<CSimProcess>(SimWithLog(Path("received.log"), options));
        return m_sim->Device();
    }
    std::vector<std::string> Received() const { return ReceivedLines(Path("received.log")); }
    QStringList Entries(const char* folder) const
    {
        return QDir(Path(folder)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<CSimProcess> m_sim;
};

TEST_F(CliFiles, AProfileThatCannotBeSavedSafelyIsRefusedBeforeTheReadAndNothingIsReplaced)
{
    const QString device = StartSim();
    ASSERT_FALSE(device.isEmpty());
    ASSERT_EQ(::mkfifo(Native("fifo"), 0600), 0);
    ASSERT_EQ(::mkdir(Native("shared"), 0700), 0);
    ASSERT_EQ(::chmod(Native("shared"), 01777), 0);
    ASSERT_TRUE(WriteBytes(Path("victim.txt"), kOldProfile));
    ASSERT_EQ(::symlink(Native("victim.txt"), Native("shared/profile.txt")), 0);
    const bool deviceNode = ::mknod(Native("null"), S_IFCHR | 0600, ::makedev(1, 3)) == 0;

    struct SCase {
        const char* name;
        const char* reason;
        mode_t kind;
    } cases[] = {
        {"fifo", "is a FIFO (named pipe), not a regular file", S_IFIFO},
        {"shared/profile.txt", "planted", S_IFLNK},
        {"shared", "is a folder, not a regular file", S_IFDIR},
        {"missing/profile.txt", "its folder does not exist", 0},
        {"null", "is a device, not a regular file", S_IFCHR},
    };
    for (const SCase& c : cases) {
        if (c.kind == S_IFCHR && !deviceNode)
            continue;  // no device nodes may be made here
        const SCliRun run = RunCli({QStringLiteral("--port"), device, QStringLiteral("read"),
                                    QStringLiteral("--profile"), Path(c.name)},
                                   kPromptly);
        EXPECT_EQ(run.exitCode, 8) << c.name << ": " << run.err;
        EXPECT_TRUE(Has(run.err, "Open the profile failed!") && Has(run.err, c.reason)) << c.name << ": " << run.err;
        EXPECT_EQ(ModeOf(Path(c.name)) & S_IFMT, c.kind) << c.name;
    }
    EXPECT_EQ(ReadBytes(Path("victim.txt")), kOldProfile);
    EXPECT_EQ(Entries("shared"), QStringList{QStringLiteral("profile.txt")});
    EXPECT_TRUE(Received().empty()) << "a refused save must not cost a whole read first";
}

TEST_F(CliFiles, ASavedProfileKeepsItsModeANewOneIsPrivateAndAFullDiskKeepsTheOldOne)
{
    const QString device = StartSim();
    ASSERT_FALSE(device.isEmpty());
    const QStringList read = {QStringLiteral("--port"), device, QStringLiteral("read"), QStringLiteral("--profile")};

    ASSERT_TRUE(WriteBytes(Path("kept.txt"), kOldProfile));
    ASSERT_EQ(::chmod(Native("kept.txt"), 0640), 0);
    const SCliRun kept = RunCli(read + QStringList{Path("kept.txt")});
    ASSERT_EQ(kept.exitCode, 0) << kept.err;
    EXPECT_NE(ReadBytes(Path("kept.txt")), kOldProfile);
    EXPECT_EQ(ModeOf(Path("kept.txt")) & 07777, 0640U);

    const SCliRun fresh = RunCli(read + QStringList{Path("fresh.txt")});
    ASSERT_EQ(fresh.exitCode, 0) << fresh.err;
    EXPECT_EQ(ModeOf(Path("fresh.txt")) & 07777, 0600U) << "a profile holds the SIM PIN and PUK";

    ASSERT_TRUE(WriteBytes(Path("full.txt"), kOldProfile));
    SCliStart smallDisk;
    smallDisk.inChild = [] {
        std::signal(SIGXFSZ, SIG_IGN);  // stays ignored across exec: the write fails instead
        const rlimit limit{1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    };
    const SCliRun full = RunCli(read + QStringList{Path("full.txt")}, 60000, smallDisk);
    EXPECT_EQ(full.exitCode, 8) << full.err;
    EXPECT_TRUE(Has(full.err, "larger than this system allows")) << full.err;
    EXPECT_EQ(ReadBytes(Path("full.txt")), kOldProfile);
    EXPECT_EQ(Entries("").filter(QStringLiteral("orlan-tmp")), QStringList{});
}

TEST_F(CliFiles, AProfileToExecuteThatCannotBeReadIsRefusedAtOnceWithItsReason)
{
    const QString device = StartSim();
    ASSERT_FALSE(device.isEmpty());
    ASSERT_EQ(::mkfifo(Native("fifo"), 0600), 0);  // no writer: reading it would wait for ever
    ASSERT_TRUE(WriteBytes(Path("large.txt"), "%CS1+1\r\n"));
    ASSERT_EQ(::truncate(Native("large.txt"), 16 * 1024 * 1024 + 1), 0);
    ASSERT_TRUE(WriteBytes(Path("private.txt"), "%CS1+1\r\n"));
    ASSERT_EQ(::chmod(Native("private.txt"), 0600), 0);
    SCliStart otherUser;
    otherUser.inChild = [] {
        if (::geteuid() == 0 && ::setuid(65534) != 0)
            ::_exit(99);
    };

    struct SCase {
        const char* name;
        const char* reason;
        SCliStart start;
    } cases[] = {
        {"missing.txt", "does not exist", {}},
        {"", "is a folder, not a regular file", {}},
        {"fifo", "is a FIFO (named pipe), not a regular file", {}},
        {"large.txt", "is larger than 16 MiB", {}},
        {"private.txt", "permission denied", otherUser},
    };
    for (const SCase& c : cases) {
        const SCliRun run = RunCli({QStringLiteral("--port"), device, QStringLiteral("exec"), Path(c.name)},
                                   kPromptly, c.start);
        EXPECT_EQ(run.exitCode, 8) << c.name << ": " << run.err;
        EXPECT_TRUE(Has(run.err, "Open the profile failed!") && Has(run.err, c.reason)) << c.name << ": " << run.err;
    }
    EXPECT_TRUE(Received().empty());
}

TEST_F(CliFiles, AProfileThatIsNoTextProfileOrHasNoCommandSendsNothingAndFails)
{
    using namespace std::string_literals;
    const QString device = StartSim();
    ASSERT_FALSE(device.isEmpty());
    const struct {
        const char* name;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"utf16.txt", "\xFF\xFE%\0I\0D\0" "1\0\r\0\n\0"s, "line 1: a NUL byte"},
        {"escape.txt", "%ID1\r\n%PIN\x1B" "1234\r\n"s, "line 2: the control byte 0x1B"},
        {"keyrun.txt", "%ID1\r\n%%%%%%%%%%%%\r\n"s, "line 2: a run of '%' is the setup key run"},
        {"empty.txt", ""s, "nothing to execute"},
        {"notes.txt", "\r\r\n//Page System Main Params\r\r\n\\\\ only a note\r\n"s, "nothing to execute"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteBytes(Path(c.name), c.bytes));
        const SCliRun run = RunCli({QStringLiteral("--port"), device, QStringLiteral("exec"), Path(c.name)}, kPromptly);
        EXPECT_EQ(run.exitCode, 8) << c.name << ": " << run.err;
        EXPECT_TRUE(Has(run.err, c.reason)) << c.name << ": " << run.err;
        EXPECT_FALSE(Has(run.out + run.err, "sucessed")) << c.name;
    }
    EXPECT_TRUE(Received().empty());
}

TEST_F(CliFiles, ABackupThatIsTheProfileItselfIsRefusedUnderAnySpelling)
{
    const QString device = StartSim();
    ASSERT_FALSE(device.isEmpty());
    ASSERT_TRUE(WriteBytes(Path("same.txt"), kOldProfile));
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("sub")));
    ASSERT_TRUE(QFile::link(Path("same.txt"), Path("link.txt")));
    ASSERT_EQ(::link(Native("same.txt").constData(), Native("hard.txt").constData()), 0);
    const QString spellings[] = {Path("same.txt"), m_dir.path() + QStringLiteral("/sub/../same.txt"), Path("link.txt"),
                                 Path("hard.txt")};
    for (const QString& backup : spellings) {
        const SCliRun run = RunCli({QStringLiteral("--port"), device, QStringLiteral("exec"), Path("same.txt"),
                                    QStringLiteral("--backup"), backup},
                                   kPromptly);
        EXPECT_EQ(run.exitCode, 1) << backup.toStdString() << "\n" << run.err;
        EXPECT_TRUE(Has(run.err, "the profile")) << run.err << run.out;
        EXPECT_EQ(ReadBytes(Path("same.txt")), kOldProfile) << backup.toStdString();
    }
    EXPECT_TRUE(Received().empty());
}

TEST_F(CliFiles, AWorkingFoldersCatalogueThatIsNoCatalogueIsReportedAndTheInstalledOneUsed)
{
    const std::string folder = m_dir.path().toStdString();
    SCliStart here;
    here.inChild = [folder] { (void)!::chdir(folder.c_str()); };
    SCliStart hereAsNobody;
    hereAsNobody.inChild = [folder] {
        if (::chdir(folder.c_str()) != 0 || (::geteuid() == 0 && ::setuid(65534) != 0))
            ::_exit(99);
    };
    ASSERT_EQ(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755), 0);
    const struct {
        std::string contents;
        mode_t mode;
        const SCliStart& start;
        const char* reason;  // empty: the folder's own catalogue is used
    } cases[] = {
        {std::string("garbage\0\x01\n", 10), 0644, here, "holds no section"},
        {"", 0644, here, "holds no section"},
        {"[TABS]\nPAGE_CS=Our phones\n", 0000, hereAsNobody, "cannot be read"},
        {"[TABS]\nPAGE_CS=Our phones\n", 0644, here, ""},
    };
    for (const auto& c : cases) {
        QFile::remove(Path("gsm.ini"));
        ASSERT_TRUE(WriteBytes(Path("gsm.ini"), c.contents));
        ASSERT_EQ(::chmod(Native("gsm.ini").constData(), c.mode), 0);
        const SCliRun run = RunCli({QStringLiteral("pages")}, kPromptly, c.start);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        const bool own = std::string_view(c.reason).empty();
        EXPECT_EQ(Has(run.err, "the installed catalogue"), !own) << run.err;
        EXPECT_TRUE(own || Has(run.err, c.reason)) << run.err;
        // The control phones' title from whichever catalogue was used.
        EXPECT_TRUE(Has(run.out, own ? "Our phones" : "Phone numbers")) << run.out;
    }
}

TEST_F(CliFiles, StandardOutputThatCannotBeWrittenEndsWithItsOwnCode)
{
    const QString device = StartSim();
    ASSERT_FALSE(device.isEmpty());
    SCliStart full;
    full.stdoutFile = QStringLiteral("/dev/full");
    const SCliRun read = RunCli({QStringLiteral("--port"), device, QStringLiteral("read")}, 60000, full);
    EXPECT_EQ(read.exitCode, 12) << read.err;
    EXPECT_TRUE(Has(read.err, "standard output could not be written")) << read.err;
    EXPECT_EQ(RunCli({QStringLiteral("--help")}, 60000, full).exitCode, 12);
}

} // namespace
} // namespace orlan::test
