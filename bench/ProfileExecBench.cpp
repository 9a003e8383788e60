// Time per command of a 200-command profile executed through a terminal
// session over a pseudo-terminal against orlan-sim at 115 200 bit/s. The
// floor of one command: the channel's pause after each written block, its
// batching pause before each read, and the wire time of the command and its
// "CMD OK" answer. A ratio near 1 means the queue adds nothing to that floor.
// The bytes travel while the channel pauses after writing, so the pauses
// alone are the floor in practice; both ratios are printed.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchSim.h"
#include "console/ConsoleCommands.h"
#include "link/PortLoop.h"

namespace {

constexpr int kCommands = 200;
constexpr int kRuns = 3;
constexpr std::string_view kAnswer = "CMD OK\r\n";

// Distinct phone numbers for the ten control phones, so no line repeats the one before.
std::vector<std::string> ProfileCommands()
{
    std::vector<std::string> commands;
    for (int i = 0; i < kCommands; ++i) {
        char text[40];
        std::snprintf(text, sizeof text, "%%CS%d+86139%06d", i % 10, i);
        commands.emplace_back(text);
    }
    return commands;
}

// Seconds one command cannot go below: both pauses plus its bytes and its answer's on the wire.
double FloorSeconds(std::string_view wireText)
{
    const double pauses = 2.0 * orlan::CPortLoop::kPacingMs / 1000.0;
    return pauses + static_cast<double>(wireText.size() + kAnswer.size()) / orlan::bench::kWireBytesPerSecond;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    orlan::bench::CBenchSim sim(argc, argv, {QStringLiteral("--no-login")});
    if (sim.Device().isEmpty())
        return 1;
    orlan::bench::CBenchSession session(sim.Device());

    const std::vector<std::string> commands = ProfileCommands();
    std::string profile = "\r\r\n//Page bench\r\r\n\r\n";
    double floor = FloorSeconds(orlan::kStartCmd) + FloorSeconds(orlan::kCommitCmd);
    for (const std::string& command : commands) {
        profile += command + "\r\r\n";
        floor += FloorSeconds(command + "\r");
    }

    QElapsedTimer clock;
    std::vector<double> ratios;
    double perCommandFloor = 0;
    bool jobDone = false;
    auto start = [&] {
        jobDone = false;
        clock.start();
        session.Session().ExecuteProfile(profile);
    };
    session.jobFinished = [&](const orlan::SJobReport& report) {
        const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        jobDone = true;
        if (!report.AllAccepted() || report.sent != kCommands + 2) {
            std::fprintf(stderr, "run %zu: %s\n", ratios.size() + 1, report.Summary().c_str());
            QCoreApplication::exit(3);
            return;
        }
        const double perCommand = wall / report.sent;
        perCommandFloor = floor / report.sent;
        ratios.push_back(perCommand / perCommandFloor);
        std::printf("run %zu: %d commands in %.3f s: %.2f ms per command, floor %.2f ms, ratio %.3f; "
                    "pauses alone %d ms, ratio %.3f\n",
                    ratios.size(), report.sent, wall, perCommand * 1e3, perCommandFloor * 1e3, ratios.back(),
                    2 * orlan::CPortLoop::kPacingMs, perCommand * 1e3 / (2 * orlan::CPortLoop::kPacingMs));
    };
    // The whole read that ends a profile run must be over before the next run.
    session.wholeReadComplete = [&] {
        if (!jobDone)
            return;
        if (ratios.size() < kRuns)
            QTimer::singleShot(200, start);
        else
            QCoreApplication::quit();
    };
    QTimer::singleShot(300, start);
    QTimer::singleShot(300000, [] { QCoreApplication::exit(2); });
    const int rc = app.exec();
    double sum = 0;
    for (double r : ratios)
        sum += r;
    if (!ratios.empty())
        std::printf("mean ratio per command / floor over %zu runs: %.3f (floor %.2f ms = %d ms pacing + %d ms read "
                    "batching + wire time)\n",
                    ratios.size(), sum / static_cast<double>(ratios.size()), perCommandFloor * 1e3,
                    orlan::CPortLoop::kPacingMs, orlan::CPortLoop::kPacingMs);
    return rc;
}
