// Start-up of the desktop tool: time from starting `orlan` to its first drawn
// window, and the peak memory of that process, against orlan-sim on the
// offscreen platform. Usage: bench_gui_startup [ORLAN_EXE [ORLAN_SIM_EXE]]
#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "BenchSim.h"

extern char** environ;

namespace {

constexpr int kRuns = 5;

struct SStart {
    double shownMs = -1;
    long peakKb = 0;
};

// Runs orlan once; the time ends at its "shown" line.
SStart RunOnce(const std::string& exe, const std::string& device)
{
    int out[2];
    if (::pipe(out) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<std::string> args = {exe, "--port", device, "--exit-when-shown"};
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    QElapsedTimer clock;
    clock.start();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    SStart start;
    if (spawned != 0) {
        ::close(out[0]);
        return start;
    }
    std::string seen;
    char buffer[256];
    ssize_t n = 0;
    while (seen.find("shown") == std::string::npos && (n = ::read(out[0], buffer, sizeof buffer)) > 0)
        seen.append(buffer, static_cast<size_t>(n));
    if (seen.find("shown") != std::string::npos)
        start.shownMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    ::close(out[0]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    start.peakKb = usage.ru_maxrss;
    return start;
}

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QCoreApplication app(argc, argv);
    const std::string dir = QCoreApplication::applicationDirPath().toStdString();
    const std::string orlanExe = argc > 1 ? argv[1] : dir + "/../app/orlan";
    // The simulator path, when given, is the second argument.
    char* simArgv[] = {argv[0], argc > 2 ? argv[2] : nullptr, nullptr};
    orlan::bench::CBenchSim sim(argc > 2 ? 2 : 1, simArgv, {QStringLiteral("--no-login")});
    if (sim.Device().isEmpty())
        return 1;

    double total = 0;
    long peak = 0;
    int good = 0;
    for (int i = 0; i < kRuns; ++i) {
        const SStart start = RunOnce(orlanExe, sim.Device().toStdString());
        if (start.shownMs < 0) {
            std::fprintf(stderr, "run %d: orlan did not show its window (%s)\n", i + 1, orlanExe.c_str());
            continue;
        }
        std::printf("run %d: first window drawn after %.1f ms, peak memory %.1f MiB\n", i + 1, start.shownMs,
                    static_cast<double>(start.peakKb) / 1024.0);
        total += start.shownMs;
        peak = std::max(peak, start.peakKb);
        ++good;
    }
    if (good == 0)
        return 1;
    std::printf("mean start-up to first drawn window: %.1f ms; peak memory %.1f MiB\n", total / good,
                static_cast<double>(peak) / 1024.0);
    return 0;
}
