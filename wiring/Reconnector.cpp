#include "wiring/Reconnector.h"

#include "link/PortWatcher.h"
#include "wiring/TerminalLink.h"

namespace orlan {

CReconnector::CReconnector(CTerminalLink& link, CPortWatcher& watcher, QObject* parent)
    : QObject(parent), m_link(link), m_watcher(watcher)
{
    m_retry.setObjectName(QStringLiteral("reconnectRetry"));
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &CReconnector::Retry);
    // The channel signals from its port thread; these run on this object's thread.
    connect(&m_link.Port(), &CSerialPort::portOpened, this, &CReconnector::OnOpened);
    connect(&m_link.Port(), &CSerialPort::portClosed, this, &CReconnector::OnClosed);
    connect(&m_watcher, &CPortWatcher::portReturned, this, &CReconnector::OnReturned);
    if (m_link.Port().IsOpen()) {
        m_state = EState::Connected;
        m_watcher.Follow(m_link.Port().DevicePath());
    }
}

void CReconnector::OnOpened()
{
    m_retry.stop();
    const QString device = m_link.Port().DevicePath();
    const bool back = m_state == EState::Reopening;
    m_state = EState::Connected;
    m_watcher.Follow(device);
    if (!back)
        return;
    m_retries = 0;
    // As at start: the read is answered with the password prompt when the
    // terminal logged out, and the login that follows reads again.
    if (readWhole)
        readWhole();
    else
        m_link.Session().Reload();
    Q_EMIT statusText(tr("Adapter back on %1: logging in again and reading the whole configuration").arg(device));
    Q_EMIT reconnected(device);
}

void CReconnector::OnClosed(const QString& reason)
{
    switch (m_state) {
    case EState::Idle:
    case EState::Waiting:
        return;
    case EState::Connected:
        if (reason.isEmpty() || m_link.Port().LastError().kind != LinkError::Kind::LinkLost) {
            // The user closed it or chose another port.
            m_state = EState::Idle;
            m_watcher.StopFollowing();
            return;
        }
        m_state = EState::Waiting;
        m_lostOn = m_link.Port().DevicePath();
        m_retries = 0;
        m_watcher.MarkGone(true);
        Q_EMIT statusText(tr("The adapter on %1 is gone: it is reopened when it comes back").arg(m_lostOn));
        return;
    case EState::Reopening:
        if (reason.isEmpty()) {
            m_state = EState::Idle;
            m_watcher.StopFollowing();
            return;
        }
        m_state = EState::Waiting;
        m_watcher.MarkGone(false);
        if (m_retries < kRetries) {
            m_retry.start(kFirstRetryMs << m_retries);
            ++m_retries;
        } else {
            Q_EMIT statusText(tr("%1 is back but does not open: %2").arg(m_reopening, reason));
        }
        return;
    }
}

void CReconnector::OnReturned(const QString& devicePath)
{
    if (m_state != EState::Waiting)
        return;
    m_retry.stop();
    m_state = EState::Reopening;
    m_reopening = devicePath;
    m_link.Open(devicePath);
}

void CReconnector::Retry()
{
    const QString found = m_watcher.Locate();
    if (m_state == EState::Waiting && !found.isEmpty())
        OnReturned(found);
}

} // namespace orlan
