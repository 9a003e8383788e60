// The port thread of an idle channel: how often it wakes (its voluntary
// context switches while nothing arrives and nothing is queued) and how long
// a stop takes to end it. A pseudo-terminal stands in for the serial device.
// The reference is a thread that polls every 10 ms, as a port thread waiting
// with a poll timeout would.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "bench/BenchStats.h"
#include "link/SerialPort.h"

namespace {

constexpr int kRuns = 5;
constexpr int kIdleMs = 2000;
constexpr int kReferencePollMs = 10;

long VoluntarySwitches(long tid)
{
    QFile status(QStringLiteral("/proc/self/task/%1/status").arg(tid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("voluntary_ctxt_switches:"))
            return line.mid(24).trimmed().toLong();
    }
    return -1;
}

// The task whose name is the port thread's.
long PortThreadId()
{
    const QStringList tasks = QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& task : tasks) {
        QFile comm(QStringLiteral("/proc/self/task/%1/comm").arg(task));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "orlan-port")
            return task.toLong();
    }
    return -1;
}

struct SRun {
    double wakeupsPerSecond = -1;
    double stopMs = -1;
};

SRun MeasureChannel(const QString& device)
{
    orlan::CSerialPort port;
    port.SetDevicePath(device);
    port.SetBaudRate(115200);
    std::atomic<qint64> closedAtNs{-1};
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&port, &orlan::CSerialPort::portClosed, &port, [&] { closedAtNs = clock.nsecsElapsed(); },
                     Qt::DirectConnection);
    port.StartStop(true);
    while (!port.IsOpen() && clock.elapsed() < 5000)
        QThread::msleep(1);
    const long tid = PortThreadId();
    if (!port.IsOpen() || tid < 0)
        return {};
    QThread::msleep(100);  // past the open
    const long before = VoluntarySwitches(tid);
    QThread::msleep(kIdleMs);
    const long after = VoluntarySwitches(tid);
    SRun run;
    run.wakeupsPerSecond = static_cast<double>(after - before) * 1000.0 / kIdleMs;
    const qint64 stopAt = clock.nsecsElapsed();
    port.StartStop(false);
    while (closedAtNs < 0 && clock.elapsed() < 10000)
        QThread::usleep(100);
    if (closedAtNs >= 0)
        run.stopMs = static_cast<double>(closedAtNs - stopAt) / 1e6;
    return run;
}

double MeasureReferencePoller()
{
    std::atomic<bool> stop{false};
    std::atomic<long> tid{-1};
    std::thread poller([&] {
        tid = static_cast<long>(::syscall(SYS_gettid));
        while (!stop)
            std::this_thread::sleep_for(std::chrono::milliseconds(kReferencePollMs));
    });
    while (tid < 0)
        std::this_thread::yield();
    const long before = VoluntarySwitches(tid);
    QThread::msleep(kIdleMs);
    const long after = VoluntarySwitches(tid);
    stop = true;
    poller.join();
    return static_cast<double>(after - before) * 1000.0 / kIdleMs;
}

} // namespace


int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        return 1;
    }
    const QString device = QString::fromLocal8Bit(::ptsname(master));
    std::vector<double> wakeups, stops, reference;
    for (int i = 0; i < kRuns; ++i) {
        const SRun run = MeasureChannel(device);
        if (run.wakeupsPerSecond < 0 || run.stopMs < 0) {
            std::fprintf(stderr, "run %d: the channel did not open or stop\n", i + 1);
            return 1;
        }
        wakeups.push_back(run.wakeupsPerSecond);
        stops.push_back(run.stopMs);
        reference.push_back(MeasureReferencePoller());
        std::printf("run %d: idle port thread %.2f wake-ups/s, stop %.3f ms; 10 ms poller %.2f wake-ups/s\n", i + 1,
                    run.wakeupsPerSecond, run.stopMs, reference.back());
    }
    orlan::bench::PrintSpread("idle wake-ups", wakeups, "per second");
    orlan::bench::PrintSpread("stop to thread end", stops, "ms");
    orlan::bench::PrintSpread("reference 10 ms poller", reference, "wake-ups per second");
    ::close(master);
    return 0;
}
