#include "link/PortDoctor.h"

#include "link/PortDiscovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace orlan {

namespace {

bool Contains(const std::vector<gid_t>& groups, gid_t group)
{
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

// The first line of a small sysfs or proc file, trimmed; empty when unreadable.
QString FirstLine(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readLine(4096)).trimmed();
}

QString ModeText(const struct stat& info)
{
    QString text = S_ISCHR(info.st_mode) ? QStringLiteral("c") : S_ISDIR(info.st_mode) ? QStringLiteral("d")
                                                                                       : QStringLiteral("-");
    const char marks[] = "rwxrwxrwx";
    for (int bit = 0; bit < 9; ++bit)
        text += (info.st_mode & (0400u >> bit)) != 0 ? QLatin1Char(marks[bit]) : QLatin1Char('-');
    return text;
}

// The target of a symbolic link as stored; empty when `path` is none.
QString LinkTarget(const QByteArray& path)
{
    char target[4096];
    const ssize_t length = ::readlink(path.constData(), target, sizeof target);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof target)
        return {};
    return QString::fromLocal8Bit(target, static_cast<qsizetype>(length));
}

// The pty a master descriptor belongs to ("tty-index:" of its fdinfo).
QString PtyIndexOf(const QByteArray& fdInfoPath)
{
    QFile file(QString::fromLocal8Bit(fdInfoPath));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // A proc file has no size, so atEnd() would hold at once: read what there is.
    for (const QByteArray& line : file.read(4096).split('\n')) {
        if (line.startsWith("tty-index:"))
            return QString::fromLatin1(line.mid(10).trimmed());
    }
    return {};
}

bool IsNumber(const char* name)
{
    if (*name == '\0')
        return false;
    for (; *name != '\0'; ++name) {
        if (*name < '0' || *name > '9')
            return false;
    }
    return true;
}

std::vector<gid_t> LoginGroups()
{
    std::vector<gid_t> groups(static_cast<size_t>(std::max(0, ::getgroups(0, nullptr))));
    const int count = ::getgroups(static_cast<int>(groups.size()), groups.data());
    groups.resize(static_cast<size_t>(std::max(0, count)));
    groups.push_back(::getegid());
    return groups;
}

std::vector<gid_t> AccountGroups(const QByteArray& name, gid_t primary)
{
    if (name.isEmpty())
        return {primary};
    int count = 32;
    std::vector<gid_t> groups;
    for (int attempt = 0; attempt < 4; ++attempt) {
        groups.resize(static_cast<size_t>(count));
        if (::getgrouplist(name.constData(), primary, groups.data(), &count) >= 0) {
            groups.resize(static_cast<size_t>(count));
            return groups;
        }
        // `count` now holds how many there are.
    }
    return {primary};
}

} // namespace

EPortAccess DecideAccess(const SDeviceMode& device, const SDoctorUser& user, std::optional<bool> systemAllows)
{
    if (user.uid == 0)
        return EPortAccess::AllowedAsRoot;
    if (systemAllows.value_or(false))
        return EPortAccess::Allowed;
    const auto readWrite = [&device](unsigned shift) { return ((device.mode >> shift) & 06u) == 06u; };
    // The kernel applies the first class that matches: owner, then group, then others.
    EPortAccess byMode = EPortAccess::NoRule;
    if (device.owner == user.uid)
        byMode = readWrite(6) ? EPortAccess::Allowed : EPortAccess::NoRule;
    else if (Contains(user.loginGroups, device.group))
        byMode = readWrite(3) ? EPortAccess::Allowed : EPortAccess::NoRule;
    else if (readWrite(0))
        byMode = EPortAccess::Allowed;
    else if (readWrite(3))
        byMode = Contains(user.accountGroups, device.group) ? EPortAccess::NewLogin : EPortAccess::JoinGroup;
    // The mode allows what the system refuses (a security module): no group helps.
    if (byMode == EPortAccess::Allowed && systemAllows.has_value())
        return EPortAccess::NoRule;
    return byMode;
}

bool SPortFindings::HeldByOthers() const
{
    return std::any_of(holders.begin(), holders.end(),
                       [](const SPortHolder& holder) { return !holder.self && !holder.peer; });
}

SDoctorSystem RealDoctorSystem()
{
    SDoctorSystem system;
    system.user.uid = ::getuid();
    QByteArray name;
    if (const passwd* entry = ::getpwuid(system.user.uid))
        name = entry->pw_name;
    system.user.name = QString::fromLocal8Bit(name);
    system.user.loginGroups = LoginGroups();
    system.user.accountGroups = AccountGroups(name, ::getgid());
    system.groupName = [](gid_t gid) {
        const group* entry = ::getgrgid(gid);
        return entry != nullptr ? QString::fromLocal8Bit(entry->gr_name) : QString::number(gid);
    };
    system.mayOpen = [](const QString& path) { return ::access(path.toLocal8Bit().constData(), R_OK | W_OK) == 0; };
    system.selfPid = ::getpid();
    return system;
}

CPortDoctor::CPortDoctor(SDoctorRoots roots, SDoctorSystem system)
    : m_roots(std::move(roots)), m_system(std::move(system))
{
}

QStringList CPortDoctor::ListPorts() const
{
    QStringList ports;
    const QDir ttys(m_roots.sys + QStringLiteral("/class/tty"));
    for (const QString& name : ttys.entryList(QDir::Dirs | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString device = ttys.filePath(name) + QStringLiteral("/device");
        if (!QFileInfo::exists(device))
            continue;  // a virtual console or pseudo-terminal
        // The 8250 driver registers placeholder ports that no hardware backs.
        if (QFileInfo(device + QStringLiteral("/driver")).canonicalFilePath().endsWith(QStringLiteral("/serial8250")))
            continue;
        const QString path = m_roots.dev + QLatin1Char('/') + name;
        if (QFileInfo::exists(path))
            ports.append(path);
    }
    const QDir byId(m_roots.dev + QStringLiteral("/serial/by-id"));
    for (const QFileInfo& link : byId.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
        const QString target = link.canonicalFilePath();
        if (!target.isEmpty() && !ports.contains(target))
            ports.append(target);
    }
    ports.sort();
    return ports;
}

QList<SPortFindings> CPortDoctor::ExamineAll(const QString& devicePath) const
{
    QList<SPortFindings> all;
    for (const QString& port : devicePath.isEmpty() ? ListPorts() : QStringList{devicePath})
        all.append(Examine(port));
    return all;
}

SPortFindings CPortDoctor::Identify(const QString& devicePath) const
{
    SPortFindings findings;
    findings.given = devicePath;
    const QFileInfo info(devicePath);
    findings.exists = info.exists();
    findings.device = findings.exists ? info.canonicalFilePath() : devicePath;
    if (!findings.exists)
        return findings;

    const QDir byId(m_roots.dev + QStringLiteral("/serial/by-id"));
    for (const QFileInfo& link : byId.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        if (link.canonicalFilePath() == findings.device)
            findings.byIdNames.append(link.absoluteFilePath());
    }
    FindUsbIdentity(QFileInfo(findings.device).fileName(), findings);
    return findings;
}

SPortFindings CPortDoctor::Examine(const QString& devicePath) const
{
    SPortFindings findings = Identify(devicePath);
    if (!findings.exists)
        return findings;
    const QString ttyName = QFileInfo(findings.device).fileName();
    FindAccess(findings);
    FindHolders(findings);
    FindModemManager(ttyName, findings);
    return findings;
}

void CPortDoctor::FindUsbIdentity(const QString& ttyName, SPortFindings& findings) const
{
    const QString deviceLink = m_roots.sys + QStringLiteral("/class/tty/") + ttyName + QStringLiteral("/device");
    const QString devicePath = QFileInfo(deviceLink).canonicalFilePath();
    if (devicePath.isEmpty())
        return;
    findings.driver = QFileInfo(QFileInfo(devicePath + QStringLiteral("/driver")).canonicalFilePath()).fileName();
    // The tty's device hangs below the USB interface, which hangs below the USB device.
    const QString sysRoot = QDir(m_roots.sys).canonicalPath();
    QDir dir(devicePath);
    while (dir.path().startsWith(sysRoot) && dir.path() != sysRoot) {
        if (dir.exists(QStringLiteral("idVendor"))) {
            findings.usb = true;
            findings.vendorId = FirstLine(dir.filePath(QStringLiteral("idVendor")));
            findings.productId = FirstLine(dir.filePath(QStringLiteral("idProduct")));
            findings.serial = FirstLine(dir.filePath(QStringLiteral("serial")));
            findings.manufacturer = FirstLine(dir.filePath(QStringLiteral("manufacturer")));
            findings.product = FirstLine(dir.filePath(QStringLiteral("product")));
            bool vendorOk = false;
            bool productOk = false;
            findings.supportedAdapter = findings.vendorId.toUInt(&vendorOk, 16) == kAdapterVendorId && vendorOk
                                        && findings.productId.toUInt(&productOk, 16) == kAdapterProductId
                                        && productOk;
            return;
        }
        if (!dir.cdUp())
            return;
    }
}

void CPortDoctor::FindAccess(SPortFindings& findings) const
{
    struct stat info {};
    if (::stat(findings.device.toLocal8Bit().constData(), &info) != 0) {
        findings.exists = false;  // gone since we looked
        return;
    }
    findings.modeText = ModeText(info);
    findings.groupName = m_system.groupName ? m_system.groupName(info.st_gid) : QString::number(info.st_gid);
    std::optional<bool> systemAllows;
    if (m_system.mayOpen)
        systemAllows = m_system.mayOpen(findings.device);
    findings.access = DecideAccess({info.st_mode & 0777u, info.st_uid, info.st_gid}, m_system.user, systemAllows);
}

void CPortDoctor::FindHolders(SPortFindings& findings) const
{
    // A pseudo-terminal's number, to know the process at its master end.
    const QFileInfo node(findings.device);
    const QString ptyIndex = QFileInfo(node.absolutePath()).fileName() == QLatin1String("pts") ? node.fileName()
                                                                                              : QString();
    const QByteArray procRoot = m_roots.proc.toLocal8Bit();
    DIR* processes = ::opendir(procRoot.constData());
    if (processes == nullptr)
        return;
    while (const dirent* process = ::readdir(processes)) {
        if (!IsNumber(process->d_name))
            continue;
        const QByteArray processDir = procRoot + '/' + process->d_name;
        const QString comm = FirstLine(QString::fromLocal8Bit(processDir + "/comm"));
        if (comm == QLatin1String("ModemManager"))
            findings.modemManagerRunning = true;
        const QByteArray fdDir = processDir + "/fd";
        DIR* fds = ::opendir(fdDir.constData());
        if (fds == nullptr) {
            if (errno == EACCES || errno == EPERM)
                ++findings.hiddenProcesses;
            continue;  // else it ended meanwhile
        }
        bool holds = false;
        bool master = false;
        while (const dirent* fd = ::readdir(fds)) {
            if (fd->d_name[0] == '.')
                continue;
            const QString target = LinkTarget(fdDir + '/' + fd->d_name);
            holds = holds || target == findings.device;
            master = master
                     || (!ptyIndex.isEmpty() && target.endsWith(QStringLiteral("/ptmx"))
                         && PtyIndexOf(processDir + "/fdinfo/" + fd->d_name) == ptyIndex);
        }
        ::closedir(fds);
        if (holds) {
            const qint64 pid = QByteArray(process->d_name).toLongLong();
            findings.holders.push_back({pid, comm, pid == m_system.selfPid, master});
        }
    }
    ::closedir(processes);
    std::sort(findings.holders.begin(), findings.holders.end(),
              [](const SPortHolder& a, const SPortHolder& b) { return a.pid < b.pid; });
}

QString CPortDoctor::DeviceNumbers(const QString& ttyName, const QString& device) const
{
    const QString fromSys = FirstLine(m_roots.sys + QStringLiteral("/class/tty/") + ttyName + QStringLiteral("/dev"));
    if (!fromSys.isEmpty())
        return fromSys;
    struct stat info {};
    if (::stat(device.toLocal8Bit().constData(), &info) != 0 || !S_ISCHR(info.st_mode))
        return {};
    return QStringLiteral("%1:%2").arg(major(info.st_rdev)).arg(minor(info.st_rdev));
}

void CPortDoctor::FindModemManager(const QString& ttyName, SPortFindings& findings) const
{
    // FindHolders noted whether it runs; the udev database says whether it was told to keep off.
    const QString numbers = DeviceNumbers(ttyName, findings.device);
    if (!numbers.isEmpty()) {
        QFile data(m_roots.runUdev + QStringLiteral("/data/c") + numbers);
        if (data.open(QIODevice::ReadOnly)) {
            while (!data.atEnd()) {
                const QByteArray line = data.readLine(4096).trimmed();
                if (line == "E:ID_MM_DEVICE_IGNORE=1")
                    findings.modemManagerIgnores = true;
            }
        }
    }
    findings.modemManagerWouldProbe = findings.modemManagerRunning && findings.usb && !findings.modemManagerIgnores;
}

} // namespace orlan
