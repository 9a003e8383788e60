#include "link/PortLock.h"

#include "link/PortDoctor.h"

#include <QFileInfo>
#include <QStringList>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/file.h>
#endif

namespace orlan {

QString CanonicalDevicePath(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

bool LockOpenDevice([[maybe_unused]] int descriptor)
{
#ifdef Q_OS_UNIX
    if (descriptor < 0)
        return true;
    int result = 0;
    do {
        result = ::flock(descriptor, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    // Where flock() is not supported (ENOLCK, EINVAL) the lock file alone guards.
    return result == 0 || errno != EWOULDBLOCK;
#else
    return true;
#endif
}

LinkError PortBusyError(const QString& label, const QString& device)
{
    const SPortFindings findings = CPortDoctor(SDoctorRoots{}, RealDoctorSystem()).Examine(device);
    QStringList names;
    for (const SPortHolder& holder : findings.holders) {
        if (holder.peer && !holder.self)
            continue;  // the simulator at the far end keeps it open, no competitor
        names.append(holder.self ? QStringLiteral("this program (PID %1)").arg(holder.pid)
                                 : QStringLiteral("%1 (PID %2)").arg(holder.name).arg(holder.pid));
    }
    return MakeLinkError(LinkError::Kind::Busy, label, names.join(QStringLiteral(", ")));
}

} // namespace orlan
