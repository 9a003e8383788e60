// Longest stall of the desktop tool's UI thread while the terminal pours out
// 100 times the simulator's default configuration unpaced. The main window
// (offscreen, console terminal shown) talks to a pseudo-terminal; when its
// whole read asks, the far side answers with the whole burst as fast as the
// pseudo-terminal takes it, through the real port thread, hand-over, receive
// path, routing and views. A 1 ms timer on the UI thread measures how late
// each firing comes. The reference is the same probe on the idle window.
// Usage: bench_ui_lag [PAGE_KEY] (the page shown; default the console terminal)
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include "app/OrlanDlg.h"
#include "app/PageRegistry.h"
#include "bench/BenchStats.h"
#include "bench/SimTraffic.h"
#include "labels/LabelCatalogue.h"

namespace {

// Times every event the UI thread handles at the top level, so the report
// can name what held the thread longest.
class CTimedApplication final : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        if (m_depth > 0 || receiver == nullptr) {
            ++m_depth;
            const bool done = QApplication::notify(receiver, event);
            --m_depth;
            return done;
        }
        ++m_depth;
        const QString what = Describe(receiver, event);
        QElapsedTimer clock;
        clock.start();
        const bool done = QApplication::notify(receiver, event);
        const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        --m_depth;
        if (ms > m_slowestMs) {
            m_slowestMs = ms;
            m_slowest = what;
        }
        return done;
    }
    // The longest event since the last call, and what it was.
    QString TakeSlowest()
    {
        const QString text = QStringLiteral("%1 ms in %2").arg(m_slowestMs, 0, 'f', 1).arg(m_slowest);
        m_slowestMs = 0;
        return text;
    }

private:
    static QString Describe(QObject* receiver, QEvent* event)
    {
        QString text = QString::fromLatin1(receiver->metaObject()->className());
        if (!receiver->objectName().isEmpty())
            text += QStringLiteral(" \"%1\"").arg(receiver->objectName());
        if (auto* timer = qobject_cast<QTimer*>(receiver))
            text += QStringLiteral(" every %1 ms").arg(timer->interval());
        if (QObject* parent = receiver->parent())
            text += QStringLiteral(" in ") + QString::fromLatin1(parent->metaObject()->className());
        return text + QStringLiteral(" (event %1)").arg(static_cast<int>(event->type()));
    }

    int m_depth = 0;
    double m_slowestMs = 0;
    QString m_slowest;
};

constexpr int kRuns = 5;
constexpr int kCopies = 100;
constexpr int kIdleProbeMs = 1000;
constexpr int kQuietAfterMs = 1000;

// The far side: waits for the read request, then writes the burst.
class CBurstPeer {
public:
    explicit CBurstPeer(std::string burst) : m_burst(std::move(burst))
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            return;
        m_device = QString::fromLocal8Bit(::ptsname(m_master));
    }
    ~CBurstPeer()
    {
        if (m_thread.joinable())
            m_thread.join();
        if (m_master >= 0)
            ::close(m_master);
    }
    const QString& Device() const { return m_device; }
    void Start()
    {
        m_thread = std::thread([this] { Run(); });
    }
    bool Sending() const { return m_sending; }
    bool Done() const { return m_done; }

private:
    void Run()
    {
        std::string seen;
        char buffer[512];
        while (seen.find("%DUMPR\r") == std::string::npos) {
            pollfd watched{m_master, POLLIN, 0};
            if (::poll(&watched, 1, 30000) <= 0)
                break;
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            seen.append(buffer, static_cast<size_t>(n));
        }
        m_sending = true;
        for (size_t at = 0; at < m_burst.size();) {
            const ssize_t n = ::write(m_master, m_burst.data() + at, m_burst.size() - at);
            if (n <= 0)
                break;
            at += static_cast<size_t>(n);
        }
        m_done = true;
    }

    std::string m_burst;
    int m_master = -1;
    QString m_device;
    std::thread m_thread;
    std::atomic<bool> m_sending{false};
    std::atomic<bool> m_done{false};
};

struct SLag {
    double maxMs = 0;
    double p50 = 0;
    double p99 = 0;
    double p999 = 0;
    size_t samples = 0;
};

SLag Summary(std::vector<double> lags)
{
    SLag lag;
    if (lags.empty())
        return lag;
    std::sort(lags.begin(), lags.end());
    auto at = [&lags](double q) { return lags[std::min(lags.size() - 1, static_cast<size_t>(q * lags.size()))]; };
    lag.maxMs = lags.back();
    lag.p50 = at(0.5);
    lag.p99 = at(0.99);
    lag.p999 = at(0.999);
    lag.samples = lags.size();
    return lag;
}

struct SRun {
    SLag idle;
    SLag burst;
    double burstSeconds = 0;
    QString slowest;
};

SRun RunOnce(const std::string& burst, const QString& page)
{
    CBurstPeer peer(burst);
    SRun run;
    if (peer.Device().isEmpty())
        return run;
    orlan::CLabelCatalogue catalogue;
    catalogue.Bind(QCoreApplication::applicationDirPath().toStdString() + "/../app/gsm.ini");
    orlan::SStartOptions options;
    options.deviceLister = [] { return QList<orlan::SerialDeviceInfo>{}; };
    options.port = orlan::PortInput{0, peer.Device()};
    orlan::COrlanDlg window(std::move(catalogue), options);
    window.resize(1200, 800);
    window.show();
    window.Pages().Show(page);

    std::vector<double> idle;
    std::vector<double> lags;
    QElapsedTimer clock;
    clock.start();
    QElapsedTimer burstClock;
    qint64 last = clock.nsecsElapsed();
    qint64 doneAt = -1;
    bool started = false;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(1);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        const double lagMs = static_cast<double>(now - last) / 1e6 - 1.0;
        last = now;
        if (!started) {
            if (clock.elapsed() > 200)  // past the window's first drawing
                idle.push_back(lagMs);
            if (clock.elapsed() > 200 + kIdleProbeMs) {
                started = true;
                peer.Start();
            }
            return;
        }
        if (!peer.Sending())
            return;
        if (!burstClock.isValid()) {
            burstClock.start();
            static_cast<CTimedApplication*>(qApp)->TakeSlowest();
        }
        lags.push_back(lagMs);
        if (peer.Done() && doneAt < 0)
            doneAt = clock.elapsed();
        if (doneAt >= 0 && clock.elapsed() > doneAt + kQuietAfterMs)
            QCoreApplication::quit();
    });
    QTimer::singleShot(120000, [] { QCoreApplication::exit(2); });
    probe.start();
    if (QCoreApplication::exec() != 0)
        std::fprintf(stderr, "the burst did not end in time\n");
    run.idle = Summary(idle);
    run.burst = Summary(lags);
    run.slowest = static_cast<CTimedApplication*>(qApp)->TakeSlowest();
    run.burstSeconds = burstClock.isValid() ? static_cast<double>(burstClock.elapsed() - kQuietAfterMs) / 1e3 : 0;
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    // The window's remembered settings go to a folder of this run.
    ::setenv("HOME", home.path().toLocal8Bit().constData(), 1);
    ::setenv("XDG_CONFIG_HOME", home.path().toLocal8Bit().constData(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (::chdir(home.path().toLocal8Bit().constData()) != 0)
        return 1;
    CTimedApplication app(argc, argv);

    const std::string once = orlan::bench::WholeReadTraffic();
    if (once.empty())
        return 1;
    std::string burst;
    burst.reserve(once.size() * kCopies);
    for (int i = 0; i < kCopies; ++i)
        burst += once;

    const QString page = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                   : QString::fromLatin1(orlan::COrlanDlg::kConsoleItemKey);
    std::vector<double> maxima, idleMaxima;
    for (int i = 0; i < kRuns; ++i) {
        const SRun run = RunOnce(burst, page);
        if (run.burst.samples == 0) {
            std::fprintf(stderr, "run %d: no burst reached the window\n", i + 1);
            return 1;
        }
        std::printf("run %d: %zu bytes in %.2f s; UI lag max %.2f ms, p50 %.2f, p99 %.2f, p99.9 %.2f "
                    "(%zu samples); idle max %.2f ms; longest event %s\n",
                    i + 1, burst.size(), run.burstSeconds, run.burst.maxMs, run.burst.p50, run.burst.p99,
                    run.burst.p999, run.burst.samples, run.idle.maxMs, qPrintable(run.slowest));
        maxima.push_back(run.burst.maxMs);
        idleMaxima.push_back(run.idle.maxMs);
    }
    orlan::bench::PrintSpread("longest UI stall during the burst", maxima, "ms");
    orlan::bench::PrintSpread("longest UI stall idle (reference)", idleMaxima, "ms");
    return 0;
}
