// Profiles through orlan-cli against orlan-sim: what `read --profile` saves,
// what `exec` sends (proved by the simulator's log of what it received), and
// how a run ends when the terminal rejects or ignores the commands.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <iterator>
#include <string_view>
#include <vector>

#include "CliRunner.h"
#include "ProfileSimOutput.h"
#include "SimProcess.h"
#include "session/TerminalSession.h"
#include "pages/AllPages.h"
#include "pages/PageIdentity.h"
#include "support/ManualClock.h"
#include "support/RecordingSink.h"

namespace orlan::test {
namespace {

const QString kPassword = QStringLiteral("1234");

class CSilentView final : public ISessionView {};

// The profile a session with every page attached saves after reading the
// simulator's built-in configuration, without any serial line in between.
std::string ReferenceProfileBytes()
{
    CSilentView view;
    CRecordingSink sink;
    CManualClock clock;
    CTerminalSession session(view, sink, clock);
    for (std::unique_ptr<CPage>& page : CreateAllPages())
        session.AddPage(std::move(page));

    session.Reload();
    const std::string output = SimAnswer(sink.Joined());
    session.Receive().OnSerialData(output.data(), output.size());
    EXPECT_TRUE(session.Receive().HaveLogin()) << "the reference read did not complete";
    return session.ProfileBytes();
}

// The titles of the profile sections, in the order the pages write them.
std::vector<std::string> ExpectedSectionTitles()
{
    std::vector<std::unique_ptr<CPage>> pages = CreateAllPages();
    std::vector<std::string> titles;
    for (std::string_view name : ProfileSectionOrder()) {
        for (const auto& page : pages) {
            if (page->Info().className == name && !page->Info().profileTitle.empty())
                titles.push_back(page->Info().profileTitle);
        }
    }
    return titles;
}

std::string WithoutCarriageReturns(std::string line)
{
    line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
    return line;
}

// The '%' lines of a profile in file order.
std::vector<std::string> CommandLines(const std::string& profile)
{
    std::vector<std::string> commands;
    for (const std::string& line : SplitAtLineFeeds(profile)) {
        const std::string text = WithoutCarriageReturns(line);
        if (!text.empty() && text.front() == '%')
            commands.push_back(text);
    }
    return commands;
}

// What the simulator received from the batch start on.
std::vector<std::string> FromBatchStart(const std::vector<std::string>& received)
{
    const auto start = std::find(received.begin(), received.end(), "%STARTCMD");
    return {start, received.end()};
}

std::vector<std::string> Batch(std::vector<std::string> commands)
{
    commands.insert(commands.begin(), "%STARTCMD");
    for (const char* tail : {"%COMMITCMD", "%DUMPS", "%DUMPR"})
        commands.push_back(tail);
    return commands;
}

class ProfileEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    // Executes `profile` against a fresh simulator with `simOptions`; returns
    // the run and fills `received` with what the simulator got.
    SCliRun Exec(const std::string& profile, const QStringList& simOptions, std::vector<std::string>* received,
                 const QStringList& cliOptions = {}, int limitMs = 60000)
    {
        const QString file = Path("exec.txt");
        const QString log = Path("exec.log");
        EXPECT_TRUE(WriteBytes(file, profile));
        CSimProcess sim(SimWithLog(log, simOptions));
        EXPECT_FALSE(sim.Device().isEmpty());
        const SCliRun run =
            RunCli(QStringList{QStringLiteral("--port"), sim.Device(), QStringLiteral("--password"), kPassword}
                   + cliOptions + QStringList{QStringLiteral("exec"), file},
                   limitMs);
        *received = ReceivedLines(log);
        return run;
    }

    QTemporaryDir m_dir;
};

TEST_F(ProfileEndToEnd, ReadWritesTheSectionsOfTheAttachedPagesAsSaveWould)
{
    const std::string reference = ReferenceProfileBytes();
    if (reference.empty())
        GTEST_SKIP() << "no page of this build writes a profile section";

    CSimProcess sim({QStringLiteral("--password"), kPassword, QStringLiteral("--rate"), QStringLiteral("0")});
    ASSERT_FALSE(sim.Device().isEmpty());
    const QString file = Path("saved.txt");
    const SCliRun run = RunCli({QStringLiteral("--port"), sim.Device(), QStringLiteral("--password"), kPassword,
                                QStringLiteral("read"), QStringLiteral("--profile"), file});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.out.empty()) << "with --profile the lines are not printed";

    const std::string saved = ReadBytes(file);
    EXPECT_EQ(saved, reference);

    // Text-mode bytes: a command or a header line ends CR CR LF, the line
    // closing a header CR LF; no other line ends.
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(saved.back(), '\n');
    EXPECT_EQ(saved.substr(0, 10), "\r\r\n//Page ");
    std::vector<std::string> titles;
    for (const std::string& line : SplitAtLineFeeds(saved)) {
        ASSERT_FALSE(line.empty()) << "a bare LF";
        EXPECT_EQ(line.back(), '\r');
        if (line.front() == '%' || line.starts_with("//Page ")) {
            EXPECT_TRUE(line.ends_with("\r\r")) << line;
        } else {
            EXPECT_TRUE(line == "\r" || line == "\r\r") << line;
        }
        if (line.starts_with("//Page "))
            titles.push_back(WithoutCarriageReturns(line.substr(7)));
    }
    // The classic sections, then those of the complete tail in their order.
    const std::vector<std::string> classic = ExpectedSectionTitles();
    ASSERT_GT(titles.size(), classic.size());
    EXPECT_EQ(std::vector<std::string>(titles.begin(), titles.begin() + static_cast<std::ptrdiff_t>(classic.size())),
              classic);
    auto next = PageIdentities().begin();
    for (size_t i = classic.size(); i < titles.size(); ++i) {
        next = std::find_if(next, PageIdentities().end(),
                            [&](const SPageIdentity& page) { return page.completeTitle == titles[i]; });
        ASSERT_NE(next, PageIdentities().end()) << titles[i] << " is no complete section, or out of order";
        ++next;
    }
}

TEST_F(ProfileEndToEnd, ExecOfASavedProfileSendsItsCommandsInOneBatchThenReadsEverything)
{
    CSimProcess source({QStringLiteral("--password"), kPassword, QStringLiteral("--rate"), QStringLiteral("0")});
    ASSERT_FALSE(source.Device().isEmpty());
    const QString file = Path("saved.txt");
    const SCliRun save = RunCli({QStringLiteral("--port"), source.Device(), QStringLiteral("--password"),
                                 kPassword, QStringLiteral("read"), QStringLiteral("--profile"), file});
    ASSERT_EQ(save.exitCode, 0) << save.err;
    const std::string saved = ReadBytes(file);
    const std::vector<std::string> lines = SplitAtLineFeeds(saved);
    // A saved profile repeats no line, so every command line is sent.
    for (size_t i = 1; i < lines.size(); ++i) {
        if (lines[i] != "\r" && lines[i] != "\r\r") {
            ASSERT_NE(lines[i], lines[i - 1]);
        }
    }

    std::vector<std::string> received;
    const SCliRun run = Exec(saved, {QStringLiteral("--password"), kPassword}, &received, {}, 180000);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.out.empty()) << "nothing failed: " << run.out;
    EXPECT_EQ(std::count(received.begin(), received.end(), "%STARTCMD"), 1);
    EXPECT_EQ(FromBatchStart(received), Batch(CommandLines(saved)));
    // Before the batch only the login: the check, the password, the read after it.
    const std::vector<std::string> login = {"%DUMPR", "1234", "%DUMPS", "%DUMPR"};
    EXPECT_EQ(std::vector<std::string>(received.begin(), received.begin() + std::min<size_t>(4, received.size())),
              login);
}

TEST_F(ProfileEndToEnd, HandWrittenLinesAreSentByTheProfileRulesWhateverTheLineEnds)
{
    const std::vector<std::string> lines = {
        "//Page hand written",  // ignored
        "%CS1+111",
        "%CS1+111",             // the same again in a row: not sent
        "\\\\ a note",          // shown, not sent
        "%CS1+111",             // after another line: sent again
        "   %CS2+222",          // leading blanks: not sent
        "",
        "%CS2+222",
        "free text",
        "%CS3+333",
    };
    const std::vector<std::string> expected = Batch({"%CS1+111", "%CS1+111", "%CS2+222", "%CS3+333"});
    for (const char* lineEnd : {"\r\n", "\n"}) {
        SCOPED_TRACE(lineEnd[0] == '\r' ? "CR LF" : "LF");
        std::string profile;
        for (const std::string& line : lines)
            profile += line + lineEnd;
        profile.resize(profile.size() - std::string(lineEnd).size());  // the last line has no line end

        std::vector<std::string> received;
        const SCliRun run = Exec(profile, {QStringLiteral("--no-login")}, &received);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(FromBatchStart(received), expected);
        EXPECT_NE(run.err.find("\\\\ a note"), std::string::npos) << "the note is shown as progress";
    }
}

TEST_F(ProfileEndToEnd, RejectedCommandsAreListedAndTheExitSaysSo)
{
    std::vector<std::string> received;
    const SCliRun run = Exec("%CS1+111\r\n%CS2+222\r\n", {QStringLiteral("--no-login"), QStringLiteral("--fault-cmd-err")},
                             &received);
    EXPECT_EQ(run.exitCode, 6) << run.err;
    const std::vector<std::string> failed = {"%STARTCMD (CMD ERR)", "%CS1+111 (CMD ERR)", "%CS2+222 (CMD ERR)",
                                             "%COMMITCMD (CMD ERR)"};
    EXPECT_EQ(SplitAtLineFeeds(run.out), failed);
    // A rejection does not stop the run: everything went out, then the read.
    EXPECT_EQ(FromBatchStart(received), Batch({"%CS1+111", "%CS2+222"}));
}

TEST_F(ProfileEndToEnd, UnansweredCommandsEndTheRunAfterTheirWaits)
{
    // --command-timeout stands in for the profile's 9 s per command: with
    // those waits the run could not end within the limit given here.
    std::vector<std::string> received;
    const SCliRun run = Exec("%CS1+111\n", {QStringLiteral("--no-login"), QStringLiteral("--fault-silent")}, &received,
                             {QStringLiteral("--command-timeout"), QStringLiteral("300"), QStringLiteral("--timeout"),
                              QStringLiteral("1")},
                             15000);
    EXPECT_EQ(run.exitCode, 7) << run.err;
    const std::vector<std::string> failed = {"%STARTCMD (no answer)", "%CS1+111 (no answer)",
                                             "%COMMITCMD (no answer)"};
    EXPECT_EQ(SplitAtLineFeeds(run.out), failed);
    EXPECT_EQ(FromBatchStart(received), Batch({"%CS1+111"}));
}

TEST_F(ProfileEndToEnd, AProfileThatCannotBeReadOrWrittenSendsNothing)
{
    const QString log = Path("sim.log");
    CSimProcess sim(SimWithLog(log, {QStringLiteral("--no-login")}));
    ASSERT_FALSE(sim.Device().isEmpty());

    const SCliRun missing =
        RunCli({QStringLiteral("--port"), sim.Device(), QStringLiteral("exec"), Path("no-such-profile.txt")});
    EXPECT_EQ(missing.exitCode, 8);
    EXPECT_NE(missing.err.find("Open the profile failed!"), std::string::npos) << missing.err;
    const SCliRun folder = RunCli({QStringLiteral("--port"), sim.Device(), QStringLiteral("exec"), m_dir.path()});
    EXPECT_EQ(folder.exitCode, 8);
    EXPECT_TRUE(ReceivedLines(log).empty());

    const QString unwritable = Path("no-such-folder/saved.txt");
    const SCliRun save = RunCli({QStringLiteral("--port"), sim.Device(), QStringLiteral("read"),
                                 QStringLiteral("--profile"), unwritable});
    EXPECT_EQ(save.exitCode, 8);
    EXPECT_NE(save.err.find("Open the profile failed!"), std::string::npos) << save.err;
    EXPECT_FALSE(QFile::exists(unwritable));
}

} // namespace
} // namespace orlan::test

namespace orlan::test {
namespace {

// A configuration changed on one terminal, saved with every page and executed
// on a fresh terminal, reads back as the same profile there.
TEST_F(ProfileEndToEnd, ASavedProfileReproducesTheConfigurationOnAFreshTerminal)
{
    CSimProcess source({QStringLiteral("--password"), kPassword, QStringLiteral("--rate"), QStringLiteral("0")});
    ASSERT_FALSE(source.Device().isEmpty());
    const QStringList port = {QStringLiteral("--port"), source.Device(), QStringLiteral("--password"), kPassword};
    // Classic settings, and the telemetry a classic profile leaves out: a
    // data centre, a Modbus register, an analog alarm, an interlock entry and
    // a 3G input's video channel.
    const std::string_view telemetry[] = {"%M2MDTSIP1=10.1.2.3", "%mdmas03=5,40010,1,0,2.5,5,1,7,3,4,0000000f",
                                          "%AIN1HS45.00", "%ILOCK3,6,27", "%IOVCH2,2"};
    std::vector<std::string_view> changes = {"%CS1+4915550001", "%ID4711", "%PIN9999", "%RSILOW20"};
    changes.insert(changes.end(), std::begin(telemetry), std::end(telemetry));
    for (std::string_view command : changes) {
        const QString text = QString::fromLatin1(command.data(), static_cast<qsizetype>(command.size()));
        const SCliRun sent = RunCli(port + QStringList{QStringLiteral("send"), text});
        ASSERT_EQ(sent.exitCode, 0) << command << ": " << sent.err;
    }
    const QString first = Path("first.txt");
    ASSERT_EQ(RunCli(port + QStringList{QStringLiteral("read"), QStringLiteral("--profile"), first}).exitCode, 0);
    const std::string saved = ReadBytes(first);
    ASSERT_NE(saved.find("%CS1+4915550001\r\r\n"), std::string::npos);
    for (std::string_view command : telemetry)
        EXPECT_NE(saved.find(std::string(command) + "\r\r\n"), std::string::npos) << command;
    ASSERT_NE(saved, ReferenceProfileBytes()) << "the changes must show in the saved profile";

    CSimProcess fresh({QStringLiteral("--password"), kPassword, QStringLiteral("--rate"), QStringLiteral("0")});
    ASSERT_FALSE(fresh.Device().isEmpty());
    const QStringList freshPort = {QStringLiteral("--port"), fresh.Device(), QStringLiteral("--password"), kPassword};
    // A complete profile: every page's section, so the run takes a while.
    const SCliRun run = RunCli(freshPort + QStringList{QStringLiteral("exec"), first}, 240000);
    ASSERT_EQ(run.exitCode, 0) << run.err << run.out;
    const QString second = Path("second.txt");
    ASSERT_EQ(RunCli(freshPort + QStringList{QStringLiteral("read"), QStringLiteral("--profile"), second}).exitCode,
              0);
    EXPECT_EQ(ReadBytes(second), saved);
}

} // namespace
} // namespace orlan::test
