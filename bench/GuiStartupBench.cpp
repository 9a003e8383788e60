// Start-up of the desktop tool: time from starting `orlan` to its first drawn
// window, and the peak memory of that process, against orlan-sim on the
// offscreen platform with a 1920 x 1080 screen, beside a bare Qt window of the
// same size (this program started with --bare) measured the same way in the
// same run.
// Usage: bench_gui_startup [ORLAN_EXE [ORLAN_SIM_EXE]]
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QTemporaryDir>

#include <algorithm>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "BenchSim.h"
#include "bench/BenchStats.h"
#include "widgets/FirstPaint.h"

extern char** environ;

namespace {

constexpr int kRuns = 5;

struct SStart {
    double shownMs = -1;
    long peakKb = 0;
};

// The reference: a main window with one label and the size orlan takes on a
// first start, drawn once, ended as orlan's --exit-when-shown ends.
int BareWindow(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("bare"), &window));
    window.resize(1200, 800);
    new orlan::CFirstPaintWatch(window, [] {
        std::puts("shown");
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    window.show();
    return app.exec();
}

// Runs a program once; the time ends at its "shown" line.
SStart RunOnce(const std::vector<std::string>& command)
{
    int out[2];
    if (::pipe(out) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<std::string> args = command;
    const std::string& exe = args.front();
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
    using orlan::bench::Median;
    if (argc > 1 && std::strcmp(argv[1], "--bare") == 0)
        return BareWindow(argc, argv);
    QCoreApplication app(argc, argv);
    // A desktop-sized offscreen screen, so both windows get the first-start
    // size rather than one bounded by the plugin's small default screen.
    QTemporaryDir screenDir;
    const QString screenFile = screenDir.filePath(QStringLiteral("screen.json"));
    {
        QFile file(screenFile);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1920, "height": 1080,)"
                       R"( "logicalDpi": 96, "logicalBpi": 96, "dpr": 1}]})") < 0)
            return 1;
    }
    ::setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screenFile.toStdString()).c_str(), 1);
    const std::string dir = QCoreApplication::applicationDirPath().toStdString();
    const std::string self = QCoreApplication::applicationFilePath().toStdString();
    const std::string orlanExe = argc > 1 ? argv[1] : dir + "/../app/orlan";
    // The simulator path, when given, is the second argument.
    char* simArgv[] = {argv[0], argc > 2 ? argv[2] : nullptr, nullptr};
    orlan::bench::CBenchSim sim(argc > 2 ? 2 : 1, simArgv, {QStringLiteral("--no-login")});
    if (sim.Device().isEmpty())
        return 1;

    std::vector<double> ours, bare, oursKb, bareKb;
    for (int i = 0; i < kRuns; ++i) {
        // Side by side, so both see the same machine.
        const SStart start = RunOnce({orlanExe, "--port", sim.Device().toStdString(), "--exit-when-shown"});
        const SStart reference = RunOnce({self, "--bare"});
        if (start.shownMs < 0 || reference.shownMs < 0) {
            std::fprintf(stderr, "run %d: a window was not shown (%s)\n", i + 1, orlanExe.c_str());
            continue;
        }
        std::printf("run %d: first window drawn after %.1f ms, peak memory %.1f MiB; bare window %.1f ms, "
                    "%.1f MiB; time ratio %.2f, memory ratio %.2f\n",
                    i + 1, start.shownMs, static_cast<double>(start.peakKb) / 1024.0, reference.shownMs,
                    static_cast<double>(reference.peakKb) / 1024.0, start.shownMs / reference.shownMs,
                    static_cast<double>(start.peakKb) / static_cast<double>(reference.peakKb));
        ours.push_back(start.shownMs);
        bare.push_back(reference.shownMs);
        oursKb.push_back(static_cast<double>(start.peakKb));
        bareKb.push_back(static_cast<double>(reference.peakKb));
    }
    if (ours.empty())
        return 1;
    std::printf("median start-up to first drawn window: %.1f ms (bare %.1f ms, ratio %.2f); peak memory %.1f MiB "
                "(bare %.1f MiB, ratio %.2f)\n",
                Median(ours), Median(bare), Median(ours) / Median(bare), Median(oursKb) / 1024.0,
                Median(bareKb) / 1024.0, Median(oursKb) / Median(bareKb));
    return 0;
}
