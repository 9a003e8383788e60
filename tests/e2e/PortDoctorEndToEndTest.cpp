// orlan-cli doctor on the simulator's pseudo-terminal, reached through its
// stable link: the path behind the link, who holds it, and the exit status.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include "CliRunner.h"
#include "cli/CliArgs.h"
#include "SimProcess.h"

namespace orlan::test {
namespace {

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST(PortDoctorEndToEnd, DoctorNeedsNoPortAndItsExitStatusIsDocumented)
{
    const SCliParse all = ParseCliArgs({"doctor"});
    ASSERT_TRUE(all.options) << all.error;
    EXPECT_EQ(all.options->command, ECliCommand::Doctor);
    EXPECT_TRUE(all.options->port.empty());
    const SCliParse one = ParseCliArgs({"--port", "COM33", "doctor"});
    ASSERT_TRUE(one.options) << one.error;
    EXPECT_EQ(one.options->port, "COM33");
    EXPECT_FALSE(ParseCliArgs({"doctor", "extra"}).options);
    const std::string usage = CliUsage();
    EXPECT_TRUE(Has(usage, "orlan-cli [--port DEVICE|COMn] doctor"));
    EXPECT_TRUE(Has(usage, "13 doctor:"));
}

TEST(PortDoctorEndToEnd, FindsTheSimulatorsPtyReadyAndThenHeldByAnotherProcess)
{
    QTemporaryDir folder;
    const QString link = folder.filePath(QStringLiteral("orlan-tty"));
    CSimProcess sim({QStringLiteral("--link"), link});
    ASSERT_FALSE(sim.Device().isEmpty());

    const SCliRun ready = RunCli({QStringLiteral("--port"), link, QStringLiteral("doctor")});
    EXPECT_EQ(ready.exitCode, 0) << ready.out << ready.err;
    EXPECT_TRUE(Has(ready.out, "device: " + sim.Device().toStdString())) << ready.out;
    // The simulator keeps its end open: named, but no competitor.
    EXPECT_TRUE(Has(ready.out, "the far end of this pseudo-terminal")) << ready.out;
    EXPECT_TRUE(Has(ready.out, "verdict: ready")) << ready.out;

    // This test process opens the port as another program would.
    const int held = ::open(sim.Device().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(held, 0);
    const SCliRun busy = RunCli({QStringLiteral("--port"), link, QStringLiteral("doctor")});
    ::close(held);
    EXPECT_EQ(busy.exitCode, 13) << busy.out << busy.err;
    EXPECT_TRUE(Has(busy.out, "(PID " + std::to_string(::getpid()) + ")")) << busy.out;
    EXPECT_TRUE(Has(busy.out, "verdict: not usable: another process holds it")) << busy.out;

    const SCliRun missing = RunCli({QStringLiteral("--port"), folder.filePath(QStringLiteral("none")),
                                    QStringLiteral("doctor")});
    EXPECT_EQ(missing.exitCode, 13) << missing.out << missing.err;
    EXPECT_TRUE(Has(missing.out, "does not exist")) << missing.out;
    // A command whose port does not open points to the doctor.
    const SCliRun read = RunCli({QStringLiteral("--port"), folder.filePath(QStringLiteral("none")), QStringLiteral("read")});
    EXPECT_EQ(read.exitCode, 2) << read.err;
    EXPECT_TRUE(Has(read.err, "doctor tells more")) << read.err;
}

} // namespace
} // namespace orlan::test
