#include "link/SerialPort.h"

#include "link/LinkLog.h"
#include "link/PortLoop.h"
#include "link/PortNames.h"
#include "link/QtPortDevice.h"
#include "platform/RegSetting.h"

#include <QDeadlineTimer>
#include <QThread>

#include <utility>

namespace orlan {

namespace {

constexpr int kStopWaitMs = 2000;

} // namespace

// One start of the channel: opens the port, runs the loop, closes the port.
class CSerialPort::CPortThread final : public QThread {
public:
    CPortThread(CSerialPort& channel, std::shared_ptr<CBlockHandOver> handOver, QString devicePath,
                QString label, int baudRate)
        : m_channel(channel), m_handOver(std::move(handOver)), m_devicePath(std::move(devicePath)),
          m_label(std::move(label)), m_baudRate(baudRate)
    {
        setObjectName(QStringLiteral("orlan-port"));
    }

protected:
    // No event loop: the port thread lives in blocking QSerialPort calls.
    void run() override { m_channel.RunPort(*m_handOver, m_devicePath, m_label, m_baudRate); }

private:
    CSerialPort& m_channel;
    std::shared_ptr<CBlockHandOver> m_handOver;
    const QString m_devicePath;
    const QString m_label;
    const int m_baudRate;
};

CSerialPort::CSerialPort(QObject* parent) : QObject(parent) {}

CSerialPort::~CSerialPort()
{
    m_destroying = true;
    RequestStop();
    WaitForThread();
}

void CSerialPort::SetPortNumber(int number)
{
    m_portNumber = number;
}

void CSerialPort::SetDevicePath(const QString& path)
{
    m_devicePath = path;
}

void CSerialPort::SetBaudRate(int bitsPerSecond)
{
    m_baudRate = bitsPerSecond;
}

bool CSerialPort::SetParity(int code)
{
    if (code < 0 || code > 3)
        return false;
    m_parity = code;
    m_wake.Signal();
    return true;
}

void CSerialPort::StartStop(bool start, IBlockReceiver* owner, QObject* ownerContext)
{
    RequestStop();
    if (!start)
        return;
    WaitForThread();
    m_thread.reset();

    const QString path =
        m_devicePath.isEmpty() ? orlan::DevicePath(m_portNumber, CRegSetting()) : m_devicePath;
    const QString label = path.isEmpty() ? PortName(m_portNumber) : path;
    {
        QMutexLocker lock(&m_stateMutex);
        m_lastError = {};
        m_activePath = path;
    }
    m_handOver = CBlockHandOver::Create(owner, ownerContext != nullptr ? ownerContext : this,
                                        CPortLoop::kMaxReadBlock);
    m_ring.SetAccepting(true);
    m_wake.Drain();  // what woke the last thread is no news to this one
    m_thread = std::make_unique<CPortThread>(*this, m_handOver, path, label, m_baudRate);
    m_thread->start();
}

bool CSerialPort::IsOpen() const
{
    return m_open.load();
}

bool CSerialPort::QueueWrite(const char* bytes, std::size_t count)
{
    if (!m_ring.Push(bytes, count))
        return false;
    m_wake.Signal();
    return true;
}

LinkError CSerialPort::LastError() const
{
    QMutexLocker lock(&m_stateMutex);
    return m_lastError;
}

QString CSerialPort::DevicePath() const
{
    QMutexLocker lock(&m_stateMutex);
    return m_activePath;
}

void CSerialPort::RequestStop()
{
    m_ring.SetAccepting(false);
    if (m_handOver)
        m_handOver->RequestStop();
    m_wake.Signal();
}

void CSerialPort::WaitForThread()
{
    if (!m_thread)
        return;
    if (!m_thread->wait(QDeadlineTimer(kStopWaitMs))) {
        // Destroying a running QThread would abort the program.
        qCWarning(lcLink) << "port thread still running after" << kStopWaitMs << "ms; waiting on";
        m_thread->wait();
    }
}

void CSerialPort::SetLastError(const LinkError& error)
{
    QMutexLocker lock(&m_stateMutex);
    m_lastError = error;
}

void CSerialPort::RunPort(CBlockHandOver& handOver, const QString& devicePath,
                          const QString& label, int baudRate)
{
    CQtPortDevice device([&handOver] { return handOver.StopRequested(); }, &m_wake);
    int parity = m_parity.load();
    LinkError error = devicePath.isEmpty() ? MakeLinkError(LinkError::Kind::NoSuchDevice, label)
                                           : device.Open(devicePath, baudRate, parity);
    if (error.kind == LinkError::Kind::None) {
        m_open = true;
        if (!m_destroying)
            Q_EMIT portOpened();
        CPortLoop loop(device, m_ring, handOver.Buffer(),
                       {[&handOver](int msecs) { handOver.PauseUnlessStopped(msecs); },
                        [&handOver](const char* bytes, std::size_t count) {
                            handOver.Deliver(bytes, count);
                        }});
        while (!handOver.StopRequested()) {
            if (const int wanted = m_parity.load(); wanted != parity) {
                device.SetParity(wanted);
                parity = wanted;
            }
            if (!loop.Step(IPortDevice::kWaitForWakeUp)) {
                error = MakeLinkError(LinkError::Kind::LinkLost, label);
                break;
            }
        }
        // The reason and the refusal of new output first: a caller that sees
        // IsOpen() turn false may ask why, or write, at once.
        SetLastError(error);
        m_ring.SetAccepting(false);
        m_open = false;
        device.Close();
    }
    // Output still queued belongs to this connection only.
    m_ring.SetAccepting(false);
    m_ring.Clear();
    SetLastError(error);
    if (!m_destroying)
        Q_EMIT portClosed(error.text);
}

} // namespace orlan
