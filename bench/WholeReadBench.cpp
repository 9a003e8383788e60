// Wall time of whole-configuration reads over a pseudo-terminal against
// orlan-sim at 115 200 bit/s, compared with the wire time of the bytes read
// (11 520 bytes/s). A ratio near 1 means the tool adds nothing to the line.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>

#include <cstdio>
#include <vector>

#include "console/ConsoleCommands.h"
#include "console/ReceivePath.h"
#include "link/ChannelSink.h"
#include "link/SerialPort.h"

namespace {

constexpr double kWireBytesPerSecond = 11520.0;
constexpr int kReads = 5;

class CReadTimer final : public orlan::IBlockReceiver, public orlan::IReceiveListener {
public:
    explicit CReadTimer(const QString& device)
    {
        m_port.SetDevicePath(device);
        m_port.SetBaudRate(115200);
        m_port.StartStop(true, this);
    }

    void Start()
    {
        m_bytes = 0;
        m_clock.start();
        orlan::SendWholeConfigurationRead(m_sink);
    }
    void OnSerialData(const char* bytes, size_t count) override
    {
        m_bytes += count;
        m_rx.OnSerialData(bytes, count);
    }
    void OnWholeReadComplete() override
    {
        const double wall = static_cast<double>(m_clock.nsecsElapsed()) / 1e9;
        const double wire = static_cast<double>(m_bytes) / kWireBytesPerSecond;
        ratios.push_back(wall / wire);
        std::printf("read %zu: %zu bytes, wall %.3f s, wire %.3f s, ratio %.3f\n", ratios.size(), m_bytes, wall,
                    wire, wall / wire);
        if (ratios.size() < kReads)
            QTimer::singleShot(200, [this] { Start(); });
        else
            QCoreApplication::quit();
    }

    std::vector<double> ratios;

private:
    orlan::CSerialPort m_port;
    orlan::CChannelSink m_sink{m_port};
    orlan::CReceivePath m_rx{*this, m_sink};
    QElapsedTimer m_clock;
    size_t m_bytes = 0;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString simExe = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                    : QCoreApplication::applicationDirPath() + QStringLiteral("/../sim/orlan-sim");
    QProcess sim;
    sim.start(simExe, {QStringLiteral("--no-login"), QStringLiteral("--control")});
    if (!sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "orlan-sim did not start (%s)\n", qPrintable(simExe));
        return 1;
    }
    const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();
    CReadTimer timer(device);
    QTimer::singleShot(300, [&timer] { timer.Start(); });
    QTimer::singleShot(120000, [] { QCoreApplication::exit(2); });
    const int rc = app.exec();
    sim.closeWriteChannel();
    sim.waitForFinished(3000);
    double sum = 0;
    for (double r : timer.ratios)
        sum += r;
    if (!timer.ratios.empty())
        std::printf("mean ratio wall/wire over %zu reads: %.3f\n", timer.ratios.size(), sum / timer.ratios.size());
    return rc;
}
