// orlan-cli as a script would run it, against orlan-sim; what reached the
// terminal comes from the simulator's log of the lines it received.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "CliRunner.h"
#include "OrlanVersion.h"
#include "SimProcess.h"
#include "support/QtTestSupport.h"

namespace orlan::test {
namespace {

const QString kPassword = QStringLiteral("1234");
const std::string kKeyRun(12, '%');

bool Contains(const std::vector<std::string>& lines, std::string_view line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::vector<std::string> Tail(const std::vector<std::string>& lines, size_t count)
{
    return {lines.end() - static_cast<std::ptrdiff_t>(std::min(count, lines.size())), lines.end()};
}

// A command that runs until it is stopped, read as it goes.
class CRunningCli {
public:
    explicit CRunningCli(const QStringList& args)
    {
        // A monitor keeps its running file in its working directory.
        m_process.setWorkingDirectory(m_folder.path());
        m_process.start(QStringLiteral(ORLAN_CLI_EXE), args);
    }
    ~CRunningCli()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }
    bool WaitForError(const std::string& text)
    {
        return PumpUntil([&] {
            m_err += m_process.readAllStandardError().toStdString();
            return m_err.find(text) != std::string::npos;
        });
    }
    bool WaitForOutput(const std::function<bool(const std::string&)>& done)
    {
        return PumpUntil([&] {
            m_out += m_process.readAllStandardOutput().toStdString();
            return done(m_out);
        });
    }
    // -1 when it did not end in time or crashed.
    int WaitForExit()
    {
        if (!PumpUntil([this] { return m_process.state() == QProcess::NotRunning; }))
            return -1;
        m_out += m_process.readAllStandardOutput().toStdString();
        m_err += m_process.readAllStandardError().toStdString();
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    void Terminate() { m_process.terminate(); }
    const std::string& Out() const { return m_out; }
    const std::string& Err() const { return m_err; }

private:
    QTemporaryDir m_folder;
    QProcess m_process;
    std::string m_out;
    std::string m_err;
};

class CliEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString LogPath() const { return m_dir.filePath(QStringLiteral("received.log")); }
    std::vector<std::string> Received() const { return ReceivedLines(LogPath()); }

    QTemporaryDir m_dir;
};

TEST_F(CliEndToEnd, ReadPrintsTheWholeConfigurationToStandardOutput)
{
    CSimProcess sim({QStringLiteral("--password"), kPassword, QStringLiteral("--rate"), QStringLiteral("0")});
    ASSERT_FALSE(sim.Device().isEmpty());
    const SCliRun run =
        RunCli({QStringLiteral("--port"), sim.Device(), QStringLiteral("--password"), kPassword, QStringLiteral("read")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = SplitAtLineFeeds(run.out);
    ASSERT_GT(lines.size(), 800U);
    EXPECT_EQ(lines.back(), "$DUMPR END");
    // Results on standard output, the terminal's prompts and status lines with the progress.
    EXPECT_FALSE(Contains(lines, "Login Success"));
    EXPECT_NE(run.err.find("terminal: Login Success"), std::string::npos) << run.err;
}

TEST_F(CliEndToEnd, FailuresEndWithTheirOwnExitCodeAndReason)
{
    CSimProcess sim({QStringLiteral("--password"), kPassword, QStringLiteral("--rate"), QStringLiteral("0")});
    ASSERT_FALSE(sim.Device().isEmpty());
    const SCliRun refused =
        RunCli({QStringLiteral("--port"), sim.Device(), QStringLiteral("--password"), QStringLiteral("4321"),
                QStringLiteral("read")});
    EXPECT_EQ(refused.exitCode, 4);
    EXPECT_NE(refused.err.find("The login password is incorrect!"), std::string::npos) << refused.err;

    const SCliRun missing =
        RunCli({QStringLiteral("--port"), QStringLiteral("/dev/orlan-no-such-port"), QStringLiteral("read")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_FALSE(missing.err.empty());

    const SCliRun usage = RunCli({QStringLiteral("read")});
    EXPECT_EQ(usage.exitCode, 1);
    EXPECT_NE(usage.err.find("--port is required"), std::string::npos) << usage.err;

    // The version from the build, with no port and whatever else is given.
    const SCliRun version = RunCli({QStringLiteral("read"), QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0) << version.err;
    EXPECT_EQ(version.out, "orlan-cli " + std::string(kOrlanVersion) + "\n");
}

TEST_F(CliEndToEnd, SendLogsInThenSendsExactlyTheTextAndPrintsUpToTheAnswer)
{
    CSimProcess sim(SimWithLog(LogPath(), {QStringLiteral("--password"), kPassword}));
    ASSERT_FALSE(sim.Device().isEmpty());
    const QStringList cli = {QStringLiteral("--port"), sim.Device(), QStringLiteral("--password"), kPassword};

    const SCliRun accepted = RunCli(cli + QStringList{QStringLiteral("send"), QStringLiteral("%CS1+123")});
    EXPECT_EQ(accepted.exitCode, 0) << accepted.err;
    EXPECT_EQ(accepted.out, "CMD OK\n");
    // The login check met a logged-out terminal: password, the read after it, then the text alone.
    const std::vector<std::string> firstRun = {"%DUMPR", "1234", "%DUMPS", "%DUMPR", "%CS1+123"};
    EXPECT_EQ(Received(), firstRun);

    const SCliRun rejected = RunCli(cli + QStringList{QStringLiteral("send"), QStringLiteral("%BOGUS7")});
    EXPECT_EQ(rejected.exitCode, 6);
    EXPECT_EQ(rejected.out, "CMD ERR\n");
    EXPECT_EQ(Tail(Received(), 2), (std::vector<std::string>{"%DUMPR", "%BOGUS7"}));

    // A dump request has no answer line: its lines are printed, the wait runs out.
    const SCliRun dump = RunCli(cli + QStringList{QStringLiteral("--command-timeout"), QStringLiteral("300"),
                                                  QStringLiteral("send"), QStringLiteral("%DUMP_PHONE")});
    EXPECT_EQ(dump.exitCode, 7);
    EXPECT_NE(dump.out.find("$CS1 +123\n"), std::string::npos) << "the value sent before";
    EXPECT_FALSE(Contains(Received(), "%STARTCMD"));
}

TEST_F(CliEndToEnd, DefaultsRestoresAndReadsTheConfigurationAndRestartWaitsForItsAnswer)
{
    CSimProcess sim(SimWithLog(LogPath(), {QStringLiteral("--no-login")}));
    ASSERT_FALSE(sim.Device().isEmpty());
    const QStringList cli = {QStringLiteral("--port"), sim.Device()};
    ASSERT_EQ(RunCli(cli + QStringList{QStringLiteral("send"), QStringLiteral("%CS1+999")}).exitCode, 0);

    const SCliRun defaults = RunCli(cli + QStringList{QStringLiteral("defaults")});
    EXPECT_EQ(defaults.exitCode, 0) << defaults.err;
    const std::vector<std::string> lines = SplitAtLineFeeds(defaults.out);
    EXPECT_TRUE(Contains(lines, "$CS1 +8613800000002"));
    EXPECT_FALSE(Contains(lines, "$CS1 +999"));
    EXPECT_EQ(lines.back(), "$DUMPR END");
    EXPECT_EQ(Tail(Received(), 4), (std::vector<std::string>{"%DUMPR", "%ATF", "%DUMPS", "%DUMPR"}));

    const SCliRun restart = RunCli(cli + QStringList{QStringLiteral("restart")});
    EXPECT_EQ(restart.exitCode, 0) << restart.err;
    EXPECT_EQ(Received().back(), "%RST");
}

TEST_F(CliEndToEnd, APortHeldByOneProgramRefusesASecondUnderAnyPathAndNamesTheHolder)
{
    const QString link = m_dir.filePath(QStringLiteral("orlan-tty"));
    CSimProcess sim({QStringLiteral("--no-login"), QStringLiteral("--rate"), QStringLiteral("0"),
                     QStringLiteral("--link"), link});
    ASSERT_FALSE(sim.Device().isEmpty());
    const std::pair<QString, QString> paths[] = {{link, sim.Device()}, {sim.Device(), link}, {link, link}};
    for (const auto& [held, second] : paths) {
        CRunningCli monitor({QStringLiteral("--port"), held, QStringLiteral("monitor")});
        ASSERT_TRUE(monitor.WaitForError("opened ")) << monitor.Err();
        const SCliRun read = RunCli({QStringLiteral("--port"), second, QStringLiteral("read")});
        EXPECT_EQ(read.exitCode, 2) << held.toStdString() << " then " << second.toStdString() << "\n" << read.err;
        EXPECT_NE(read.err.find("is in use by orlan-cli (PID "), std::string::npos) << read.err;
        EXPECT_TRUE(read.out.empty()) << read.out;
        monitor.Terminate();
        EXPECT_EQ(monitor.WaitForExit(), 0) << monitor.Err();
    }
}

TEST_F(CliEndToEnd, MonitorPrintsTheTerminalsLinesUntilTerminatedOrTheLinkIsLost)
{
    CSimProcess sim({QStringLiteral("--no-login"), QStringLiteral("--rate"), QStringLiteral("0")});
    ASSERT_FALSE(sim.Device().isEmpty());
    const QStringList args = {QStringLiteral("--port"), sim.Device(), QStringLiteral("monitor")};
    {
        CRunningCli monitor(args);
        ASSERT_TRUE(monitor.WaitForError("opened "));
        ASSERT_TRUE(sim.Control(QStringLiteral("event 2")));
        auto twoEvents = [](const std::string& out) {
            const std::vector<std::string> lines = SplitAtLineFeeds(out);
            return std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.starts_with("$: "); })
                   == 2;
        };
        EXPECT_TRUE(monitor.WaitForOutput(twoEvents)) << monitor.Out();
        monitor.Terminate();
        EXPECT_EQ(monitor.WaitForExit(), 0) << monitor.Err();
    }
    CRunningCli monitor(args);
    ASSERT_TRUE(monitor.WaitForError("opened "));
    ASSERT_TRUE(sim.Control(QStringLiteral("hangup")));
    EXPECT_EQ(monitor.WaitForExit(), 3) << monitor.Err();
}

TEST_F(CliEndToEnd, SetupSendsTheKeyRunAgainOnTheBootPromptAndWaitsForSetupMode)
{
    CSimProcess sim(SimWithLog(LogPath(), {QStringLiteral("--no-login"), QStringLiteral("--boot-wait"),
                                           QStringLiteral("2000")}));
    ASSERT_FALSE(sim.Device().isEmpty());
    CRunningCli setup({QStringLiteral("--port"), sim.Device(), QStringLiteral("setup")});
    ASSERT_TRUE(setup.WaitForError("setup key run sent"));
    ASSERT_TRUE(PumpUntil([this] { return Contains(Received(), kKeyRun); }));
    ASSERT_TRUE(sim.Control(QStringLiteral("boot")));  // the user power-cycles the terminal
    EXPECT_EQ(setup.WaitForExit(), 0) << setup.Err();
    EXPECT_EQ(Received(), (std::vector<std::string>{kKeyRun, kKeyRun}));

    // Without a reboot the terminal never says it.
    const SCliRun waited = RunCli({QStringLiteral("--port"), sim.Device(), QStringLiteral("--timeout"),
                                   QStringLiteral("1"), QStringLiteral("setup")});
    EXPECT_EQ(waited.exitCode, 5);
}

TEST_F(CliEndToEnd, TheUnitsControlBytesAreShownEscapedUnlessRawIsAsked)
{
    CSimProcess sim({QStringLiteral("--no-login"), QStringLiteral("--rate"), QStringLiteral("0")});
    ASSERT_FALSE(sim.Device().isEmpty());
    const std::string hostile = "\x1b]0;owned\x07\x1b[2Jhello";
    const std::pair<QStringList, std::string> cases[] = {
        {{}, "\\x1b]0;owned\\x07\\x1b[2Jhello\n"},
        {{QStringLiteral("--raw")}, hostile + "\n"},
    };
    for (const auto& [options, shown] : cases) {
        CRunningCli monitor(options + QStringList{QStringLiteral("--port"), sim.Device(), QStringLiteral("monitor")});
        ASSERT_TRUE(monitor.WaitForError("opened "));
        ASSERT_TRUE(sim.Control(QStringLiteral("raw ") + QString::fromStdString(hostile)));
        EXPECT_TRUE(monitor.WaitForOutput([](const std::string& out) { return out.find("hello") != std::string::npos; }));
        EXPECT_EQ(monitor.Out(), shown);
        monitor.Terminate();
        EXPECT_EQ(monitor.WaitForExit(), 0) << monitor.Err();
    }
}

TEST_F(CliEndToEnd, TimeLimitsNeverEndEarly)
{
    CSimProcess sim({QStringLiteral("--no-login"), QStringLiteral("--rate"), QStringLiteral("0")});
    ASSERT_FALSE(sim.Device().isEmpty());
    const std::tuple<const char*, int, int> cases[] = {{"monitor", 2, 0}, {"setup", 1, 5}};
    for (const auto& [command, seconds, exitCode] : cases) {
        QElapsedTimer clock;
        clock.start();
        const SCliRun run = RunCli({QStringLiteral("--port"), sim.Device(), QStringLiteral("--timeout"),
                                    QString::number(seconds), QString::fromLatin1(command)});
        EXPECT_EQ(run.exitCode, exitCode) << command << ": " << run.err;
        EXPECT_LT(clock.elapsed(), seconds * 1000 + 5000) << command;
        // The program's own measure of its wait, from its start to its end.
        const size_t at = run.err.find("waited ");
        ASSERT_NE(at, std::string::npos) << command << ": " << run.err;
        EXPECT_GE(std::strtod(run.err.c_str() + at + 7, nullptr), seconds) << command << ": " << run.err;
    }
}

TEST_F(CliEndToEnd, AHangUpDuringExecSaysWhichCommandsWentOutAndWhichDidNot)
{
    CSimProcess sim(SimWithLog(LogPath(), {QStringLiteral("--no-login"), QStringLiteral("--fault-late"),
                                           QStringLiteral("200")}));
    ASSERT_FALSE(sim.Device().isEmpty());
    std::string profile;
    std::vector<std::string> commands;
    for (int i = 10; i < 20; ++i) {
        commands.push_back("%INDLY" + std::to_string(i));
        profile += commands.back() + "\r\n";
    }
    const QString path = m_dir.filePath(QStringLiteral("p.txt"));
    ASSERT_TRUE(WriteBytes(path, profile));
    CRunningCli exec({QStringLiteral("--port"), sim.Device(), QStringLiteral("exec"), path});
    ASSERT_TRUE(PumpUntil([this] { return Contains(Received(), "%INDLY12"); }));
    ASSERT_TRUE(sim.Control(QStringLiteral("hangup")));
    EXPECT_EQ(exec.WaitForExit(), 3) << exec.Err();

    // What reached the terminal and what the report says did not leave add up to the profile.
    const std::vector<std::string> received = Received();
    const std::vector<std::string> report = SplitAtLineFeeds(exec.Out());
    size_t wentOut = 0;
    for (const std::string& command : commands) {
        const bool arrived = Contains(received, command);
        wentOut += arrived ? 1 : 0;
        EXPECT_NE(arrived, Contains(report, command + " (not sent)")) << command << "\n" << exec.Out();
    }
    EXPECT_EQ(report.back(), "%COMMITCMD (not sent)");
    EXPECT_NE(exec.Err().find(std::to_string(wentOut) + " of its 10 commands had gone out"), std::string::npos)
        << exec.Err();
}

} // namespace
} // namespace orlan::test
