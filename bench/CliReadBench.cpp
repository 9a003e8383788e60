// Wall time of `orlan-cli --port DEVICE read` against orlan-sim at 115 200
// bit/s, from starting the process to its exit, against what the read cannot
// avoid: the wire time of the dump and the mandated pauses (the line must be
// quiet for 300 ms after the port opens, 50 ms after the request is written,
// 50 ms of batching before the first read). Usage: bench_cli_read [ORLAN_SIM
// [ORLAN_CLI]]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/BenchSim.h"
#include "bench/BenchStats.h"
#include "bench/SimTraffic.h"

namespace {

constexpr int kRuns = 5;
constexpr double kMandatedSeconds = 0.300 + 0.050 + 0.050;

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    orlan::bench::CBenchSim sim(std::min(argc, 2), argv, {QStringLiteral("--no-login")});
    if (sim.Device().isEmpty())
        return 1;
    const QString cli = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                 : QCoreApplication::applicationDirPath() + QStringLiteral("/../cli/orlan-cli");
    const double wire = static_cast<double>(orlan::bench::WholeReadTraffic().size()) / orlan::bench::kWireBytesPerSecond;
    std::vector<double> over;
    for (int i = 0; i < kRuns; ++i) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        process.start(cli, {QStringLiteral("--port"), sim.Device(), QStringLiteral("read")});
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            std::fprintf(stderr, "run %d: orlan-cli read failed (%s)\n", i + 1, qPrintable(process.readAllStandardError()));
            return 1;
        }
        const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        over.push_back((wall - wire - kMandatedSeconds) * 1e3);
        std::printf("run %d: wall %.3f s, wire %.3f s + pauses %.3f s, over by %.1f ms (wall/wire %.3f)\n", i + 1,
                    wall, wire, kMandatedSeconds, over.back(), wall / wire);
    }
    orlan::bench::PrintSpread("orlan-cli read over wire time and pauses", over, "ms");
    return 0;
}
