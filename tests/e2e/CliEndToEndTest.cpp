// orlan-cli as a script would run it, against orlan-sim.
#include <gtest/gtest.h>

#include <QProcess>

#include "SimProcess.h"

namespace orlan::test {
namespace {

struct SCliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

SCliRun RunCli(const QStringList& args)
{
    QProcess cli;
    cli.start(QStringLiteral(ORLAN_CLI_EXE), args);
    SCliRun run;
    if (!cli.waitForFinished(60000)) {
        cli.kill();
        cli.waitForFinished();
        return run;
    }
    run.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    run.out = QString::fromLocal8Bit(cli.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(cli.readAllStandardError());
    return run;
}

TEST(CliEndToEnd, ReadPrintsTheWholeConfigurationToStandardOutput)
{
    CSimProcess sim({QStringLiteral("--password"), QStringLiteral("1234"), QStringLiteral("--rate"),
                     QStringLiteral("0")});
    ASSERT_FALSE(sim.Device().isEmpty());
    const SCliRun run = RunCli({QStringLiteral("--port"), sim.Device(), QStringLiteral("--password"),
                                QStringLiteral("1234"), QStringLiteral("read")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 800);
    EXPECT_EQ(lines.last(), QStringLiteral("$DUMPR END"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Login Success")));
    EXPECT_FALSE(run.err.isEmpty());  // progress goes to standard error
}

TEST(CliEndToEnd, FailuresEndWithTheirOwnExitCodeAndReason)
{
    CSimProcess sim({QStringLiteral("--password"), QStringLiteral("1234"), QStringLiteral("--rate"),
                     QStringLiteral("0")});
    ASSERT_FALSE(sim.Device().isEmpty());
    const SCliRun refused = RunCli({QStringLiteral("--port"), sim.Device(), QStringLiteral("--password"),
                                    QStringLiteral("4321"), QStringLiteral("read")});
    EXPECT_EQ(refused.exitCode, 4);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("The login password is incorrect!"))) << refused.err.toStdString();

    const SCliRun missing = RunCli({QStringLiteral("--port"), QStringLiteral("/dev/orlan-no-such-port"),
                                    QStringLiteral("read")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_FALSE(missing.err.isEmpty());

    const SCliRun usage = RunCli({QStringLiteral("read")});
    EXPECT_EQ(usage.exitCode, 1);
}

} // namespace
} // namespace orlan::test
