// orlan-cli exec against orlan-sim when the run does not go its normal way:
// the terminal restarts or a signal arrives mid-profile, the terminal echoes
// what it reads at its login prompt, a password it could never take. What
// reached the terminal comes from the simulator's log.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include "CliRunner.h"
#include "SimProcess.h"
#include "support/QtTestSupport.h"

namespace orlan::test {
namespace {

using Strings = std::vector<std::string>;

bool Contains(const Strings& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

ptrdiff_t IndexOf(const Strings& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) - lines.begin();
}

class CliExecCutShort : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString LogPath() const { return m_dir.filePath(QStringLiteral("received.log")); }
    Strings Received() const { return ReceivedLines(LogPath()); }
    // A profile of `commands`, one a line.
    QString Profile(const Strings& commands) const
    {
        std::string bytes;
        for (const std::string& command : commands)
            bytes += command + "\r\n";
        const QString path = m_dir.filePath(QStringLiteral("profile.txt"));
        EXPECT_TRUE(WriteBytes(path, bytes));
        return path;
    }

    QTemporaryDir m_dir;
};

struct SCut {
    const char* name;
    std::function<void(CSimProcess&, QProcess&)> cut;
    int exitCode;
    bool batchClosed;  // "%COMMITCMD" reached the terminal
    const char* reason;  // what the commands not sent are marked with
};

const SCut kCuts[] = {
    {"Restart", [](CSimProcess& sim, QProcess&) { EXPECT_TRUE(sim.Control(QStringLiteral("boot"))); }, 15, false,
     "(not sent: the terminal restarted)"},
    {"Hangup", [](CSimProcess&, QProcess& cli) { ::kill(static_cast<pid_t>(cli.processId()), SIGHUP); }, 9, true,
     "(not sent: cancelled)"},
    {"Interrupt", [](CSimProcess&, QProcess& cli) { ::kill(static_cast<pid_t>(cli.processId()), SIGINT); }, 9, true,
     "(not sent: cancelled)"},
};

// Cut short after the third command reached the terminal, the run ends with
// its own exit code; every command either reached the terminal or is listed
// on standard output as not sent, never both; the batch is closed unless
// the terminal restarted, and nothing of the profile follows a restart.
TEST_F(CliExecCutShort, EveryCommandIsAccountedForAndTheBatchClosedOnlyWhereItLives)
{
    Strings commands;
    for (int i = 10; i < 20; ++i)
        commands.push_back("%INDLY" + std::to_string(i));
    const QString profile = Profile(commands);
    for (const SCut& cut : kCuts) {
        SCOPED_TRACE(cut.name);
        QFile::remove(LogPath());
        CSimProcess sim(SimWithLog(LogPath(), {QStringLiteral("--no-login"), QStringLiteral("--fault-late"),
                                               QStringLiteral("200")}));
        ASSERT_FALSE(sim.Device().isEmpty());
        QProcess cli;
        cli.start(QStringLiteral(ORLAN_CLI_EXE), {QStringLiteral("--port"), sim.Device(), QStringLiteral("exec"), profile});
        ASSERT_TRUE(PumpUntil([this] { return Contains(Received(), "%INDLY12"); }));
        cut.cut(sim, cli);
        ASSERT_TRUE(PumpUntil([&cli] { return cli.state() == QProcess::NotRunning; }));
        const std::string err = cli.readAllStandardError().toStdString();
        ASSERT_EQ(cli.exitStatus(), QProcess::NormalExit) << err;
        EXPECT_EQ(cli.exitCode(), cut.exitCode) << err;

        const Strings out = SplitAtLineFeeds(cli.readAllStandardOutput().toStdString());
        const Strings received = Received();
        size_t notSent = 0;
        for (const std::string& command : commands) {
            const bool listed = Contains(out, command + " " + cut.reason);
            notSent += listed ? 1 : 0;
            // The one in flight when the terminal restarted may or may not
            // have reached it before the program ended.
            const bool wentOut = Contains(received, command) || Contains(out, command + " (no answer)");
            EXPECT_NE(wentOut, listed) << command << "\n" << err;
        }
        EXPECT_GT(notSent, 0u);
        EXPECT_EQ(Contains(received, "%COMMITCMD"), cut.batchClosed) << err;
        if (!cut.batchClosed) {
            EXPECT_TRUE(Contains(out, std::string("%COMMITCMD ") + cut.reason));
            EXPECT_NE(err.find("Taken before the restart, "), std::string::npos) << err;
        }
    }
}

// A terminal that echoes every line: the echo of the login check's "%DUMPR"
// at its login prompt is no sign of a login, so the profile goes out only
// after the password was taken, and the terminal takes all of it.
TEST_F(CliExecCutShort, AnEchoAtTheLoginPromptIsNoLogin)
{
    CSimProcess sim(SimWithLog(LogPath(), {QStringLiteral("--password"), QStringLiteral("1234"),
                                           QStringLiteral("--fault-echo")}));
    ASSERT_FALSE(sim.Device().isEmpty());
    const SCliRun run = RunCli({QStringLiteral("--port"), sim.Device(), QStringLiteral("--password"),
                                QStringLiteral("1234"), QStringLiteral("exec"), Profile({"%INDLY11", "%INDLY12"})});
    EXPECT_EQ(run.exitCode, 0) << run.err << run.out;
    const Strings received = Received();
    ASSERT_TRUE(Contains(received, "%STARTCMD")) << run.err;
    EXPECT_LT(IndexOf(received, "1234"), IndexOf(received, "%STARTCMD"));
}

// A password the terminal could never take is refused before the port is
// opened (a missing port would end with 2); one that fits goes on to it.
TEST_F(CliExecCutShort, APasswordTheTerminalCannotTakeIsRefusedBeforeThePortOpens)
{
    struct SCase {
        std::string password;
        int exitCode;
    };
    const SCase cases[] = {
        {std::string(1023, 'p'), 2},
        {std::string(1024, 'p'), 1},
        {"pass\rword", 1},
        {"pass\nword", 1},
    };
    for (const SCase& c : cases) {
        const SCliRun run = RunCli({QStringLiteral("--port"), QStringLiteral("/dev/orlan-no-such-port"),
                                    QStringLiteral("--password"), QString::fromStdString(c.password),
                                    QStringLiteral("restart")});
        EXPECT_EQ(run.exitCode, c.exitCode) << c.password.size() << " bytes: " << run.err;
        EXPECT_EQ(run.err.find("--password refused") != std::string::npos, c.exitCode == 1) << run.err;
    }
}

} // namespace
} // namespace orlan::test
