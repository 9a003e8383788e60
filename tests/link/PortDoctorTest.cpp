// The port doctor on a fake device tree: a temporary folder stands for
// /dev, /sys, /proc and /run/udev, and the user's identity is fed, so the
// findings are the same whether the tests run as root or not.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include "link/PortDoctor.h"
#include "link/PortDoctorText.h"
#include "link/PortWatcher.h"
#include "support/QtTestSupport.h"

namespace orlan::test {
namespace {

using namespace std::chrono_literals;

class CFakeTree {
public:
    CFakeTree() : m_base(QDir(m_dir.path()).canonicalPath())
    {
        for (const char* folder : {"dev/serial/by-id", "sys/class/tty", "sys/devices", "proc", "run/udev/data"})
            QDir(m_base).mkpath(QString::fromLatin1(folder));
    }

    SDoctorRoots Roots() const
    {
        return {m_base + QStringLiteral("/dev"), m_base + QStringLiteral("/sys"), m_base + QStringLiteral("/proc"),
                m_base + QStringLiteral("/run/udev")};
    }
    QString Dev(const QString& name) const { return m_base + QStringLiteral("/dev/") + name; }

    // A USB serial port as the kernel shows it: the node, the tty's class
    // entry, its device below the USB interface below the USB device.
    QString AddUsbPort(const QString& tty, const QString& vendor, const QString& product, const QString& serial,
                       const QString& driver, const QString& numbers)
    {
        Write(Dev(tty), {});
        const QString usb = m_base + QStringLiteral("/sys/devices/usb1/1-") + tty;
        const QString port = usb + QStringLiteral("/1-1:1.0/") + tty;
        QDir().mkpath(port);
        Write(usb + QStringLiteral("/idVendor"), vendor + QLatin1Char('\n'));
        Write(usb + QStringLiteral("/idProduct"), product + QLatin1Char('\n'));
        if (!serial.isEmpty())
            Write(usb + QStringLiteral("/serial"), serial + QLatin1Char('\n'));
        Write(usb + QStringLiteral("/manufacturer"), QStringLiteral("Prolific Technology Inc.\n"));
        const QString drivers = m_base + QStringLiteral("/sys/bus/usb-serial/drivers/") + driver;
        QDir().mkpath(drivers);
        QFile::link(drivers, port + QStringLiteral("/driver"));
        AddClassEntry(tty, port, numbers);
        return Dev(tty);
    }
    void AddClassEntry(const QString& tty, const QString& devicePath, const QString& numbers)
    {
        const QString entry = m_base + QStringLiteral("/sys/class/tty/") + tty;
        QDir().mkpath(entry);
        QFile::link(devicePath, entry + QStringLiteral("/device"));
        Write(entry + QStringLiteral("/dev"), numbers + QLatin1Char('\n'));
    }
    void AddById(const QString& name, const QString& device)
    {
        QFile::link(device, m_base + QStringLiteral("/dev/serial/by-id/") + name);
    }
    void AddProcess(int pid, const QString& comm, const QString& holds = {})
    {
        const QString process = m_base + QStringLiteral("/proc/") + QString::number(pid);
        QDir().mkpath(process + QStringLiteral("/fd"));
        Write(process + QStringLiteral("/comm"), comm + QLatin1Char('\n'));
        QFile::link(QStringLiteral("/dev/null"), process + QStringLiteral("/fd/0"));
        if (!holds.isEmpty())
            QFile::link(holds, process + QStringLiteral("/fd/7"));
    }
    // The process also holds the master of pty `index`.
    void AddPtyMaster(int pid, const QString& index)
    {
        const QString process = m_base + QStringLiteral("/proc/") + QString::number(pid);
        QDir().mkpath(process + QStringLiteral("/fdinfo"));
        QFile::link(Dev(QStringLiteral("ptmx")), process + QStringLiteral("/fd/9"));
        Write(process + QStringLiteral("/fdinfo/9"), QStringLiteral("pos:\t0\ntty-index:\t") + index + QLatin1Char('\n'));
    }
    void AddUdevData(const QString& numbers, const QString& lines)
    {
        Write(m_base + QStringLiteral("/run/udev/data/c") + numbers, lines);
    }
    void Remove(const QString& path) { QFile::remove(path); }
    void RemoveAll(const QString& relative) { QDir(m_base + QLatin1Char('/') + relative).removeRecursively(); }

    static void Write(const QString& path, const QString& text)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        file.write(text.toUtf8());
    }

private:
    QTemporaryDir m_dir;
    QString m_base;
};

// The node's owner and group are whoever runs the test; the user asking is
// someone else, and the node's group is called "dialout".
SDoctorSystem Someone(bool inLoginGroups, bool inAccountGroups)
{
    SDoctorSystem system;
    const gid_t nodeGroup = ::getegid();
    system.user.uid = ::geteuid() + 1000;
    system.user.name = QStringLiteral("someone");
    system.user.loginGroups = {nodeGroup + 1000};
    system.user.accountGroups = {nodeGroup + 1000};
    if (inLoginGroups)
        system.user.loginGroups.push_back(nodeGroup);
    if (inAccountGroups || inLoginGroups)
        system.user.accountGroups.push_back(nodeGroup);
    system.groupName = [nodeGroup](gid_t gid) {
        return gid == nodeGroup ? QStringLiteral("dialout") : QString::number(gid);
    };
    system.selfPid = 999999;
    return system;
}

struct SDoctorCase {
    const char* name;
    unsigned mode;
    bool inLoginGroups;
    bool inAccountGroups;
    std::function<void(CFakeTree&, const QString& device)> arrange;
    std::function<void(const SPortFindings&, const QString& text)> check;
};

void PrintTo(const SDoctorCase& c, std::ostream* out)
{
    *out << c.name;
}

const QString kNumbers = QStringLiteral("188:0");

const SDoctorCase kCases[] = {
    {"OpenToEveryone", 0666, false, false, nullptr,
     [](const SPortFindings& f, const QString& text) {
         EXPECT_EQ(f.access, EPortAccess::Allowed);
         EXPECT_TRUE(f.Usable());
         EXPECT_TRUE(AccessAdvice(f).isEmpty());
         EXPECT_TRUE(text.contains(QStringLiteral("verdict: ready")));
     }},
    {"GroupDialoutUserNotInIt", 0660, false, false, nullptr,
     [](const SPortFindings& f, const QString& text) {
         EXPECT_EQ(f.access, EPortAccess::JoinGroup);
         EXPECT_EQ(f.groupName, QStringLiteral("dialout"));
         EXPECT_EQ(f.modeText, QStringLiteral("-rw-rw----"));
         EXPECT_FALSE(f.Usable());
         EXPECT_TRUE(text.contains(QStringLiteral(
             "join group dialout: sudo usermod -aG dialout $USER, then log out and in again, or install the udev "
             "rule 60-orlan-adapter.rules (it grants the seated user access)")))
             << text.toStdString();
     }},
    {"InTheGroupSinceThisLogin", 0660, true, true, nullptr,
     [](const SPortFindings& f, const QString&) {
         EXPECT_EQ(f.access, EPortAccess::Allowed);
         EXPECT_TRUE(f.Usable());
     }},
    {"InTheGroupButTheLoginPredatesIt", 0660, false, true, nullptr,
     [](const SPortFindings& f, const QString& text) {
         EXPECT_EQ(f.access, EPortAccess::NewLogin);
         EXPECT_TRUE(text.contains(
             QStringLiteral("already in the group dialout but this login predates it: log out and in again")))
             << text.toStdString();
     }},
    {"OwnerOnly", 0600, true, true, nullptr,
     [](const SPortFindings& f, const QString& text) {
         EXPECT_EQ(f.access, EPortAccess::NoRule) << "the group has no right to give";
         EXPECT_TRUE(text.contains(QStringLiteral("a udev rule must grant access"))) << text.toStdString();
     }},
    {"HeldByAnotherProcess", 0666, false, false,
     [](CFakeTree& tree, const QString& device) {
         tree.AddProcess(4321, QStringLiteral("minicom"), device);
         tree.AddProcess(4322, QStringLiteral("bash"));
     },
     [](const SPortFindings& f, const QString& text) {
         ASSERT_EQ(f.holders.size(), 1u);
         EXPECT_EQ(f.holders[0].pid, 4321);
         EXPECT_EQ(f.holders[0].name, QStringLiteral("minicom"));
         EXPECT_TRUE(f.MayOpen());
         EXPECT_FALSE(f.Usable());
         EXPECT_TRUE(text.contains(QStringLiteral("held by: minicom (PID 4321)"))) << text.toStdString();
         EXPECT_FALSE(f.modemManagerRunning);
     }},
    {"HeldByThisProgramOnly", 0666, false, false,
     [](CFakeTree& tree, const QString& device) { tree.AddProcess(999999, QStringLiteral("orlan"), device); },
     [](const SPortFindings& f, const QString& text) {
         EXPECT_TRUE(f.Usable());
         EXPECT_TRUE(text.contains(QStringLiteral("this program (PID 999999)"))) << text.toStdString();
     }},
    {"ModemManagerWouldProbe", 0666, false, false,
     [](CFakeTree& tree, const QString&) {
         tree.AddProcess(77, QStringLiteral("ModemManager"));
         tree.AddUdevData(kNumbers, QStringLiteral("I:123\nE:ID_VENDOR_ID=067b\nG:systemd\n"));
     },
     [](const SPortFindings& f, const QString& text) {
         EXPECT_TRUE(f.modemManagerRunning);
         EXPECT_FALSE(f.modemManagerIgnores);
         EXPECT_TRUE(f.modemManagerWouldProbe);
         EXPECT_TRUE(f.holders.empty());
         EXPECT_TRUE(text.contains(QStringLiteral("ID_MM_DEVICE_IGNORE"))) << "the fix is named";
     }},
    {"ModemManagerToldToKeepOff", 0666, false, false,
     [](CFakeTree& tree, const QString&) {
         tree.AddProcess(77, QStringLiteral("ModemManager"));
         tree.AddUdevData(kNumbers, QStringLiteral("I:123\nE:ID_MM_DEVICE_IGNORE=1\n"));
     },
     [](const SPortFindings& f, const QString&) {
         EXPECT_TRUE(f.modemManagerRunning);
         EXPECT_TRUE(f.modemManagerIgnores);
         EXPECT_FALSE(f.modemManagerWouldProbe);
     }},
};

class PortDoctorCases : public ::testing::TestWithParam<SDoctorCase> {};

TEST_P(PortDoctorCases, FindsWhatKeepsThePortFromOpening)
{
    const SDoctorCase& c = GetParam();
    CFakeTree tree;
    const QString device = tree.AddUsbPort(QStringLiteral("ttyUSB0"), QStringLiteral("067b"), QStringLiteral("2303"),
                                           QStringLiteral("A9X1"), QStringLiteral("pl2303"), kNumbers);
    tree.AddById(QStringLiteral("usb-Prolific_USB-Serial_A9X1-if00-port0"), device);
    ASSERT_EQ(::chmod(device.toLocal8Bit().constData(), c.mode), 0);
    if (c.arrange)
        c.arrange(tree, device);

    const CPortDoctor doctor(tree.Roots(), Someone(c.inLoginGroups, c.inAccountGroups));
    const SPortFindings f = doctor.Examine(device);
    ASSERT_TRUE(f.exists);
    // Every case finds the names and the adapter alike.
    EXPECT_EQ(f.byIdNames, QStringList{tree.Dev(QStringLiteral("serial/by-id/usb-Prolific_USB-Serial_A9X1-if00-port0"))});
    EXPECT_TRUE(f.usb);
    EXPECT_EQ(f.vendorId, QStringLiteral("067b"));
    EXPECT_EQ(f.productId, QStringLiteral("2303"));
    EXPECT_EQ(f.serial, QStringLiteral("A9X1"));
    EXPECT_EQ(f.driver, QStringLiteral("pl2303"));
    EXPECT_TRUE(f.supportedAdapter);
    c.check(f, FindingsText(f));
}

INSTANTIATE_TEST_SUITE_P(FakeTree, PortDoctorCases, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<SDoctorCase>& tested) { return tested.param.name; });

TEST(PortDoctor, DecidesByTheFirstClassThatMatchesAsTheKernelDoes)
{
    const SDoctorUser user{1000, QStringLiteral("u"), {20}, {20, 30}};
    struct {
        SDeviceMode node;
        EPortAccess expected;
    } const cases[] = {
        {{0606, 0, 20}, EPortAccess::NoRule},      // in the group, whose bits say no: others' bits do not apply
        {{0066, 1000, 20}, EPortAccess::NoRule},   // the owner's bits say no
        {{0600, 1000, 99}, EPortAccess::Allowed},  // the owner
        {{0660, 0, 30}, EPortAccess::NewLogin},    // joined after this login
        {{0660, 0, 40}, EPortAccess::JoinGroup},
        {{0640, 0, 40}, EPortAccess::NoRule},      // the group may only read
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecideAccess(c.node, user), c.expected) << std::oct << c.node.mode << " group " << std::dec << c.node.group;

    // The system's access() wins when it allows (an ACL the mode does not show)...
    EXPECT_EQ(DecideAccess({0660, 0, 40}, user, true), EPortAccess::Allowed);
    // ...and a refusal where the mode allows is nothing a group fixes.
    EXPECT_EQ(DecideAccess({0666, 0, 40}, user, false), EPortAccess::NoRule);
    // Root opens anything, and is told so rather than given a finding.
    SDoctorUser root = user;
    root.uid = 0;
    EXPECT_EQ(DecideAccess({0600, 1000, 40}, root, false), EPortAccess::AllowedAsRoot);
}

TEST(PortDoctor, AsRootSaysSoInsteadOfAFinding)
{
    CFakeTree tree;
    const QString device = tree.AddUsbPort(QStringLiteral("ttyUSB0"), QStringLiteral("1a86"), QStringLiteral("7523"),
                                           {}, QStringLiteral("ch341"), kNumbers);
    SDoctorSystem system = Someone(false, false);
    system.user.uid = 0;
    const SPortFindings f = CPortDoctor(tree.Roots(), system).Examine(device);
    EXPECT_EQ(f.access, EPortAccess::AllowedAsRoot);
    EXPECT_FALSE(f.supportedAdapter);
    EXPECT_TRUE(FindingsText(f).contains(QStringLiteral("running as root"))) << FindingsText(f).toStdString();
}

TEST(PortDoctor, TellsAPseudoTerminalsFarEndFromAProcessThatCompetesForIt)
{
    CFakeTree tree;
    QDir().mkpath(tree.Dev(QStringLiteral("pts")));
    const QString pty = tree.Dev(QStringLiteral("pts/3"));
    CFakeTree::Write(pty, {});
    CFakeTree::Write(tree.Dev(QStringLiteral("ptmx")), {});
    ASSERT_EQ(::chmod(pty.toLocal8Bit().constData(), 0666), 0);
    tree.AddProcess(600, QStringLiteral("orlan-sim"), pty);
    tree.AddPtyMaster(600, QStringLiteral("3"));
    tree.AddProcess(77, QStringLiteral("ModemManager"));
    const CPortDoctor doctor(tree.Roots(), Someone(false, false));

    SPortFindings f = doctor.Examine(pty);
    ASSERT_EQ(f.holders.size(), 1u);
    EXPECT_TRUE(f.holders[0].peer);
    EXPECT_FALSE(f.usb);
    EXPECT_FALSE(f.modemManagerWouldProbe) << "it probes USB ports only";
    EXPECT_TRUE(f.Usable()) << FindingsText(f).toStdString();

    // The master of another pty makes no far end of this one.
    tree.AddProcess(601, QStringLiteral("screen"), pty);
    tree.AddPtyMaster(601, QStringLiteral("4"));
    f = doctor.Examine(pty);
    ASSERT_EQ(f.holders.size(), 2u);
    EXPECT_FALSE(f.holders[1].peer);
    EXPECT_FALSE(f.Usable());
    EXPECT_TRUE(FindingsText(f).contains(QStringLiteral("screen (PID 601): close that program")))
        << FindingsText(f).toStdString();
}

TEST(PortDoctor, ListsHardwarePortsAndByIdTargetsButNotPlaceholdersOrMissingNodes)
{
    CFakeTree tree;
    const QString usb = tree.AddUsbPort(QStringLiteral("ttyUSB0"), QStringLiteral("067b"), QStringLiteral("2303"),
                                        QStringLiteral("S1"), QStringLiteral("pl2303"), kNumbers);
    // ttyS0: the 8250 driver's placeholder; ttyS4: a real UART; ttyACM0: no node in /dev.
    const QString platform = tree.Roots().sys + QStringLiteral("/devices/platform/serial8250");
    const QString pnp = tree.Roots().sys + QStringLiteral("/devices/pnp0/00:05");
    for (const QString& folder : {platform + QStringLiteral("/tty/ttyS0"), pnp + QStringLiteral("/tty/ttyS4")})
        QDir().mkpath(folder);
    QDir().mkpath(tree.Roots().sys + QStringLiteral("/bus/platform/drivers/serial8250"));
    QFile::link(tree.Roots().sys + QStringLiteral("/bus/platform/drivers/serial8250"),
                platform + QStringLiteral("/tty/ttyS0/driver"));
    tree.AddClassEntry(QStringLiteral("ttyS0"), platform + QStringLiteral("/tty/ttyS0"), QStringLiteral("4:64"));
    tree.AddClassEntry(QStringLiteral("ttyS4"), pnp + QStringLiteral("/tty/ttyS4"), QStringLiteral("4:68"));
    tree.AddClassEntry(QStringLiteral("ttyACM0"), pnp, QStringLiteral("166:0"));
    for (const char* node : {"ttyS0", "ttyS4"})
        CFakeTree::Write(tree.Dev(QString::fromLatin1(node)), {});
    tree.AddById(QStringLiteral("usb-x-if00"), usb);

    const CPortDoctor doctor(tree.Roots(), Someone(false, false));
    EXPECT_EQ(doctor.ListPorts(), (QStringList{tree.Dev(QStringLiteral("ttyS4")), usb}));
    const SPortFindings missing = doctor.Examine(tree.Dev(QStringLiteral("ttyUSB7")));
    EXPECT_FALSE(missing.exists);
    EXPECT_FALSE(missing.Usable());
    EXPECT_TRUE(Verdict(missing).contains(QStringLiteral("does not exist")));
}

TEST(PortDoctor, CountsProcessesItMayNotLookInto)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root looks into every process";
    CFakeTree tree;
    const QString device = tree.AddUsbPort(QStringLiteral("ttyUSB0"), QStringLiteral("067b"), QStringLiteral("2303"),
                                           {}, QStringLiteral("pl2303"), kNumbers);
    tree.AddProcess(500, QStringLiteral("daemon"), device);
    const QString fds = tree.Roots().proc + QStringLiteral("/500/fd");
    ASSERT_EQ(::chmod(fds.toLocal8Bit().constData(), 0), 0);
    const SPortFindings f = CPortDoctor(tree.Roots(), Someone(false, false)).Examine(device);
    ::chmod(fds.toLocal8Bit().constData(), 0700);
    EXPECT_EQ(f.hiddenProcesses, 1);
    EXPECT_TRUE(f.holders.empty());
}

TEST(PortWatcher, KnowsThePortAgainByItsUsbSerialUnderANewName)
{
    CFakeTree tree;
    const QString first = tree.AddUsbPort(QStringLiteral("ttyUSB0"), QStringLiteral("067b"), QStringLiteral("2303"),
                                          QStringLiteral("A9X1"), QStringLiteral("pl2303"), kNumbers);
    CPortWatcher watcher(tree.Roots());
    watcher.Follow(first);
    EXPECT_EQ(watcher.Identity().serial, QStringLiteral("A9X1"));
    EXPECT_TRUE(watcher.Identity().path.isEmpty());
    QStringList returned;
    int changed = 0;
    QObject::connect(&watcher, &CPortWatcher::portReturned, [&](const QString& path) { returned.append(path); });
    QObject::connect(&watcher, &CPortWatcher::portsChanged, [&] { ++changed; });

    // Unplugged: the node and its class entry go.
    tree.Remove(first);
    tree.RemoveAll(QStringLiteral("sys/class/tty/ttyUSB0"));
    ASSERT_TRUE(PumpUntil([&] { return changed > 0; }, 10s));
    EXPECT_TRUE(watcher.Locate().isEmpty());
    watcher.MarkGone(false);
    // Another adapter comes and is not taken for it; then it comes back as ttyUSB1.
    tree.AddUsbPort(QStringLiteral("ttyUSB2"), QStringLiteral("067b"), QStringLiteral("2303"), QStringLiteral("OTHER"),
                    QStringLiteral("pl2303"), QStringLiteral("188:2"));
    const QString again = tree.AddUsbPort(QStringLiteral("ttyUSB1"), QStringLiteral("067b"), QStringLiteral("2303"),
                                          QStringLiteral("A9X1"), QStringLiteral("pl2303"), QStringLiteral("188:1"));
    ASSERT_TRUE(PumpUntil([&] { return !returned.isEmpty(); }, 10s));
    EXPECT_EQ(returned, QStringList{again});
}

TEST(PortWatcher, TakesTheByIdNameFirstAndThePathLast)
{
    SPortFindings f;
    f.given = QStringLiteral("/tmp/link");
    EXPECT_EQ(IdentityOf(f).path, QStringLiteral("/tmp/link"));
    f.usb = true;
    f.serial = QStringLiteral("S");
    EXPECT_EQ(IdentityOf(f).serial, QStringLiteral("S"));
    EXPECT_TRUE(IdentityOf(f).path.isEmpty());
    f.byIdNames = {QStringLiteral("/dev/serial/by-id/usb-a")};
    EXPECT_EQ(IdentityOf(f).byId, QStringLiteral("/dev/serial/by-id/usb-a"));
    EXPECT_TRUE(IdentityOf(f).serial.isEmpty());
}

} // namespace
} // namespace orlan::test
