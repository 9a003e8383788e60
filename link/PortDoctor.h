#pragma once
// Why a serial port will or will not open for this user: its stable names,
// the USB adapter behind it, the permission and the fix, the processes that
// hold it and whether ModemManager would probe it. Every look at the file
// system goes through SDoctorRoots, so tests examine a fake tree; the
// permission decision is a pure function of the device's mode and the
// user's groups, with access() only as the real system's answer.
#include <QList>
#include <QString>
#include <QStringList>

#include <sys/types.h>

#include <functional>
#include <optional>
#include <vector>

namespace orlan {

struct SDoctorRoots {
    QString dev = QStringLiteral("/dev");
    QString sys = QStringLiteral("/sys");
    QString proc = QStringLiteral("/proc");
    QString runUdev = QStringLiteral("/run/udev");
};

// Who asks: the groups of this login (getgroups, with the primary group)
// and those the account has now (getgrouplist): a group joined after the
// login is in the second only.
struct SDoctorUser {
    uid_t uid = 0;
    QString name;
    std::vector<gid_t> loginGroups;
    std::vector<gid_t> accountGroups;
};

struct SDeviceMode {
    unsigned mode = 0;  // permission bits (st_mode & 0777)
    uid_t owner = 0;
    gid_t group = 0;
};

enum class EPortAccess {
    Allowed,        // the mode bits or the system (an ACL from a udev rule) allow it
    AllowedAsRoot,  // root opens anything: the check says nothing for other users
    JoinGroup,      // the device's group may; the user is not in it
    NewLogin,       // the account is in the group, this login predates it
    NoRule,         // neither the user nor a group of the user may; only a udev rule helps
};

// The decision from the mode bits alone; `systemAllows` (access(R_OK|W_OK)
// on the real system) wins when it says yes, since an ACL grants more than
// the mode shows.
EPortAccess DecideAccess(const SDeviceMode& device, const SDoctorUser& user,
                         std::optional<bool> systemAllows = std::nullopt);

struct SPortHolder {
    qint64 pid = 0;
    QString name;  // comm
    bool self = false;
    // Holds the master of this pseudo-terminal too: the far end (a
    // simulator), which keeps the port open without competing for it.
    bool peer = false;
};

struct SPortFindings {
    QString given;   // as named by the user or found
    QString device;  // the device it resolves to
    bool exists = false;
    QStringList byIdNames;
    bool usb = false;
    QString vendorId, productId, serial, manufacturer, product;
    QString driver;
    bool supportedAdapter = false;
    EPortAccess access = EPortAccess::Allowed;
    QString groupName;  // the device's group
    QString modeText;   // "crw-rw----"
    std::vector<SPortHolder> holders;  // other processes (and this one and a pty's far end, marked)
    int hiddenProcesses = 0;           // processes we may not look into
    bool modemManagerRunning = false;
    bool modemManagerIgnores = false;  // the udev database says ID_MM_DEVICE_IGNORE=1
    bool modemManagerWouldProbe = false;

    bool MayOpen() const { return exists && (access == EPortAccess::Allowed || access == EPortAccess::AllowedAsRoot); }
    bool HeldByOthers() const;
    // Exists, may be opened, nobody else holds it.
    bool Usable() const { return MayOpen() && !HeldByOthers(); }
};

// What the doctor asks of the system beyond files; tests replace each.
struct SDoctorSystem {
    SDoctorUser user;
    std::function<QString(gid_t)> groupName;
    // access(R_OK|W_OK) on a device; empty: decide from the mode alone.
    std::function<bool(const QString&)> mayOpen;
    qint64 selfPid = 0;
};

// This process's user, groups, group names and access().
SDoctorSystem RealDoctorSystem();

class CPortDoctor {
public:
    CPortDoctor(SDoctorRoots roots, SDoctorSystem system);

    // The serial ports worth listing: hardware ttys of sysfs (not the
    // placeholder ports of the 8250 driver) and every by-id target.
    QStringList ListPorts() const;
    // Only what names the port: its device, by-id names and USB identity.
    SPortFindings Identify(const QString& devicePath) const;
    // Everything: Identify, then access, holders and ModemManager.
    SPortFindings Examine(const QString& devicePath) const;
    // ListPorts() examined, or only `devicePath` when given.
    QList<SPortFindings> ExamineAll(const QString& devicePath = {}) const;

private:
    void FindUsbIdentity(const QString& ttyName, SPortFindings& findings) const;
    void FindAccess(SPortFindings& findings) const;
    void FindHolders(SPortFindings& findings) const;
    void FindModemManager(const QString& ttyName, SPortFindings& findings) const;
    QString DeviceNumbers(const QString& ttyName, const QString& device) const;

    SDoctorRoots m_roots;
    SDoctorSystem m_system;
};

} // namespace orlan
