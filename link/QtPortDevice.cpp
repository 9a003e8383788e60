#include "link/QtPortDevice.h"

#include "link/LinkLog.h"
#include "link/PortLock.h"

#include <QDeadlineTimer>

#ifdef Q_OS_UNIX
#include <poll.h>
#include <termios.h>
#endif

#include <algorithm>
#include <optional>
#include <utility>

namespace orlan {

namespace {

// A block may take 5 s plus 50 ms per byte before its write counts as failed.
constexpr int kWriteTimeoutMs = 5000;
constexpr int kWriteMsPerByte = 50;
constexpr int kWriteStepMs = 100;
// Without a descriptor to sleep on, the thread looks this often.
constexpr int kFallbackPollMs = 10;

std::optional<QSerialPort::Parity> ToQtParity(int code)
{
    switch (code) {
    case 0: return QSerialPort::NoParity;
    case 1: return QSerialPort::OddParity;
    case 2: return QSerialPort::EvenParity;
    case 3: return QSerialPort::MarkParity;
    default: return std::nullopt;
    }
}

// Qt sets CMSPAR for mark parity but never clears it, so a later even or
// odd parity would really be space or mark parity.
void ClearStickParity([[maybe_unused]] QSerialPort& port)
{
#if defined(Q_OS_UNIX) && defined(CMSPAR)
    termios mode{};
    if (::tcgetattr(port.handle(), &mode) == 0 && (mode.c_cflag & CMSPAR) != 0) {
        mode.c_cflag &= ~tcflag_t(CMSPAR);
        ::tcsetattr(port.handle(), TCSANOW, &mode);
    }
#endif
}

} // namespace

CQtPortDevice::CQtPortDevice(std::function<bool()> stopRequested, CWakeUp* wake)
    : m_stopRequested(std::move(stopRequested)), m_wake(wake)
{
}

CQtPortDevice::~CQtPortDevice()
{
    Close();
}

LinkError CQtPortDevice::Open(const QString& devicePath, int baudRate, int parityCode)
{
    m_lost = false;
    // By the device's own name, so QSerialPort's lock file is the same for
    // every path that leads to it.
    const QString device = CanonicalDevicePath(devicePath);
    m_port.setPortName(device);
    if (!m_port.open(QIODevice::ReadWrite)) {
        qCDebug(lcLink) << "Fail to CreateFile()" << devicePath << m_port.errorString();
        const LinkError error = OpenFailure(m_port.error(), devicePath, m_port.errorString());
        return error.kind == LinkError::Kind::Busy ? PortBusyError(devicePath, device) : error;
    }
#ifdef Q_OS_UNIX
    if (!LockOpenDevice(m_port.handle())) {
        qCDebug(lcLink) << "Fail to CreateFile()" << devicePath << "flock: held by another open";
        m_port.close();
        return PortBusyError(devicePath, device);
    }
#endif
    ClearStickParity(m_port);
    const QSerialPort::Parity parity = ToQtParity(parityCode).value_or(QSerialPort::NoParity);
    const bool configured = m_port.setBaudRate(baudRate) && m_port.setDataBits(QSerialPort::Data8)
                            && m_port.setParity(parity) && m_port.setStopBits(QSerialPort::OneStop)
                            && m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        qCDebug(lcLink) << "SetCommState() in InitComm" << m_port.errorString();
        const LinkError error = MakeLinkError(LinkError::Kind::Other, devicePath, m_port.errorString());
        m_port.close();
        return error;
    }
    // A pseudo-terminal has no modem lines; the link works without them.
    const bool dtr = m_port.setDataTerminalReady(true);
    const bool rts = m_port.setRequestToSend(true);
    if (!dtr || !rts)
        qCDebug(lcLink) << "EscapeCommFunction (SETDTR)";
    m_port.clear(QSerialPort::AllDirections);
    m_port.clearError();
    return {};
}

void CQtPortDevice::Close()
{
    if (!m_port.isOpen())
        return;
    if (!m_port.setDataTerminalReady(false))
        qCDebug(lcLink) << "EscapeCommFunction(CLRDTR) when EndThread";
    if (!m_port.clear(QSerialPort::AllDirections))
        qCDebug(lcLink) << "PurgeComm when EndThread";
    m_port.close();
}

bool CQtPortDevice::SetParity(int parityCode)
{
    const std::optional<QSerialPort::Parity> parity = ToQtParity(parityCode);
    if (!parity)
        return false;
    ClearStickParity(m_port);
    const bool done = m_port.setParity(*parity);
    CheckLink();
    return done;
}

bool CQtPortDevice::Write(const char* bytes, std::size_t count)
{
    const auto size = static_cast<qint64>(count);
    if (m_port.write(bytes, size) != size) {
        qCDebug(lcLink) << "WriteFile()" << m_port.errorString();
        CheckLink();
        return false;
    }
    const QDeadlineTimer deadline(kWriteTimeoutMs + kWriteMsPerByte * size);
    while (m_port.bytesToWrite() > 0 && !deadline.hasExpired() && !m_stopRequested()) {
        if (!m_port.waitForBytesWritten(kWriteStepMs) && m_port.error() != QSerialPort::TimeoutError)
            break;
    }
    const bool written = m_port.bytesToWrite() == 0 && m_port.error() != QSerialPort::WriteError;
    if (!written)
        qCDebug(lcLink) << "WriteFile()" << m_port.errorString();
    CheckLink();
    return written;
}

void CQtPortDevice::DiscardOutput()
{
    m_port.clear(QSerialPort::Output);
    CheckLink();
}

bool CQtPortDevice::WaitForInput(int msecs)
{
    if (m_port.bytesAvailable() == 0)
        WaitOnDescriptors(msecs);
    CheckLink();
    return m_port.bytesAvailable() > 0;
}

void CQtPortDevice::WaitOnDescriptors(int msecs)
{
#ifdef Q_OS_UNIX
    if (m_wake != nullptr && m_wake->Fd() >= 0 && m_port.handle() >= 0) {
        pollfd watched[2] = {{m_port.handle(), POLLIN, 0}, {m_wake->Fd(), POLLIN, 0}};
        if (::poll(watched, 2, msecs) <= 0)
            return;  // timed out, or a signal: the caller looks again
        if ((watched[1].revents & POLLIN) != 0)
            m_wake->Drain();
        if (watched[0].revents == 0)
            return;
        // Qt takes in what arrived, or finds the error behind a hang-up.
        m_port.waitForReadyRead(0);
        // A hang-up with nothing left to read stays readable for ever.
        if ((watched[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0 && m_port.bytesAvailable() == 0) {
            if (!m_lost)
                qCDebug(lcLink) << "ReadFile() device hung up";
            m_lost = true;
        }
        return;
    }
#endif
    m_port.waitForReadyRead(msecs < 0 ? kFallbackPollMs : msecs);
}

std::size_t CQtPortDevice::Read(char* buffer, std::size_t capacity)
{
    const auto limit = static_cast<qint64>(capacity);
    // Each wait takes in one chunk of what the system has queued.
    while (m_port.bytesAvailable() < limit && m_port.waitForReadyRead(0)) {
    }
    CheckLink();
    const qint64 count = m_port.read(buffer, std::min(m_port.bytesAvailable(), limit));
    if (count < 0) {
        qCDebug(lcLink) << "ReadFile()" << m_port.errorString();
        return 0;
    }
    return static_cast<std::size_t>(count);
}

bool CQtPortDevice::LinkLost() const
{
    return m_lost;
}

void CQtPortDevice::CheckLink()
{
    switch (m_port.error()) {
    case QSerialPort::NoError:
        return;
    case QSerialPort::ReadError:
    case QSerialPort::ResourceError:
        // After a hang-up Qt reports ReadError on every call and keeps the port
        // open; the link is gone either way.
        if (!m_lost)
            qCDebug(lcLink) << "ReadFile()" << m_port.errorString();
        m_lost = true;
        return;
    default:
        m_port.clearError();
        return;
    }
}

} // namespace orlan
