// Wall time of whole-configuration reads through a terminal session with
// every page attached, over a pseudo-terminal against orlan-sim at 115 200
// bit/s, compared with the wire time of the bytes read (11 520 bytes/s). A
// ratio near 1 means the tool adds nothing to the line.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <vector>

#include "bench/BenchSim.h"

namespace {

constexpr int kReads = 5;

} // namespace

int main(int argc, char** argv)
{
    using orlan::bench::kWireBytesPerSecond;
    QCoreApplication app(argc, argv);
    orlan::bench::CBenchSim sim(argc, argv, {QStringLiteral("--no-login")});
    if (sim.Device().isEmpty())
        return 1;
    orlan::bench::CBenchSession session(sim.Device());
    QElapsedTimer clock;
    std::vector<double> ratios;
    auto start = [&] {
        session.ResetBytes();
        clock.start();
        session.Session().Reload();
    };
    session.wholeReadComplete = [&] {
        const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        const double wire = static_cast<double>(session.BytesReceived()) / kWireBytesPerSecond;
        ratios.push_back(wall / wire);
        std::printf("read %zu: %zu bytes, wall %.3f s, wire %.3f s, ratio %.3f\n", ratios.size(),
                    session.BytesReceived(), wall, wire, wall / wire);
        if (ratios.size() < kReads)
            QTimer::singleShot(200, start);
        else
            QCoreApplication::quit();
    };
    QTimer::singleShot(300, start);
    QTimer::singleShot(120000, [] { QCoreApplication::exit(2); });
    const int rc = app.exec();
    double sum = 0;
    for (double r : ratios)
        sum += r;
    if (!ratios.empty())
        std::printf("mean ratio wall/wire over %zu reads: %.3f\n", ratios.size(), sum / static_cast<double>(ratios.size()));
    return rc;
}
