#include "link/PortWatcher.h"

#include <QDir>
#include <QFileInfo>

namespace orlan {

SPortIdentity IdentityOf(const SPortFindings& identified)
{
    SPortIdentity identity;
    if (!identified.byIdNames.isEmpty())
        identity.byId = identified.byIdNames.front();
    else if (identified.usb && !identified.serial.isEmpty())
        identity = {{}, identified.vendorId, identified.productId, identified.serial, {}};
    else
        identity.path = identified.given;
    return identity;
}

CPortWatcher::CPortWatcher(SDoctorRoots roots, QObject* parent)
    : QObject(parent), m_roots(roots), m_doctor(std::move(roots), {})
{
    m_gather.setObjectName(QStringLiteral("portGather"));
    m_gather.setSingleShot(true);
    m_gather.setInterval(kGatherMs);
    connect(&m_gather, &QTimer::timeout, this, &CPortWatcher::Rescan);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { m_gather.start(); });
    WatchFolders();
}

void CPortWatcher::Follow(const QString& devicePath)
{
    m_identity = IdentityOf(m_doctor.Identify(devicePath));
    m_present = true;
    WatchFolders();
}

void CPortWatcher::StopFollowing()
{
    m_identity = {};
    m_present = false;
    WatchFolders();
}

void CPortWatcher::MarkGone(bool lookSoon)
{
    m_present = false;
    if (lookSoon)
        m_gather.start();
}

QString CPortWatcher::Locate() const
{
    if (!m_identity.byId.isEmpty())
        return QFileInfo(m_identity.byId).canonicalFilePath();
    if (!m_identity.serial.isEmpty()) {
        for (const QString& port : m_doctor.ListPorts()) {
            const SPortFindings found = m_doctor.Identify(port);
            if (found.usb && found.vendorId == m_identity.vendorId && found.productId == m_identity.productId
                && found.serial == m_identity.serial)
                return found.device;
        }
        return {};
    }
    // A link (the simulator's) counts only while it leads to a device.
    return !m_identity.path.isEmpty() && QFileInfo::exists(m_identity.path) ? m_identity.path : QString();
}

void CPortWatcher::WatchFolders()
{
    // A removed folder drops out of the watch, and by-id appears with the
    // first USB serial device: the list is made again after each change.
    QStringList wanted{m_roots.dev, m_roots.dev + QStringLiteral("/serial"),
                       m_roots.dev + QStringLiteral("/serial/by-id")};
    if (!m_identity.path.isEmpty())
        wanted.append(QFileInfo(m_identity.path).absolutePath());
    if (!m_identity.byId.isEmpty())
        wanted.append(QFileInfo(m_identity.byId).absolutePath());
    QStringList missing;
    for (const QString& folder : wanted) {
        const QString clean = QDir::cleanPath(folder);
        if (!m_watcher.directories().contains(clean) && !missing.contains(clean) && QFileInfo(clean).isDir())
            missing.append(clean);
    }
    if (!missing.isEmpty())
        m_watcher.addPaths(missing);
}

void CPortWatcher::Rescan()
{
    WatchFolders();
    Q_EMIT portsChanged();
    if (m_identity.Empty())
        return;
    const QString found = Locate();
    if (found.isEmpty()) {
        m_present = false;
    } else if (!m_present) {
        m_present = true;
        Q_EMIT portReturned(found);
    }
}

} // namespace orlan
