#include "link/PortDiscovery.h"

#include "platform/RegSetting.h"

#include "LinkTestSupport.h"

#include <QSerialPort>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace orlan {
namespace {

SerialDeviceInfo Adapter(const char* location)
{
    return {QLatin1String(location), true, kAdapterVendorId, kAdapterProductId};
}

class PortDiscoveryTest : public ::testing::Test {
protected:
    PortDiscoveryTest() : settings(dir.filePath(QStringLiteral("link.ini"))) {}

    DeviceLister Devices(QList<SerialDeviceInfo> devices)
    {
        return [devices] { return devices; };
    }
    // Opens every device except the busy ones, remembering what was tried.
    PortProbe Probe(QStringList busy)
    {
        return [this, busy](const QString& device) {
            probed.append(device);
            return !busy.contains(device);
        };
    }

    QTemporaryDir dir;
    CRegSetting settings;
    QStringList probed;
};

#ifndef Q_OS_WIN
TEST_F(PortDiscoveryTest, ListsOnlyAdaptersThatMapToPortsInAscendingOrder)
{
    settings.SetUserPortPath(120, QStringLiteral("/dev/serial/custom"));
    const DeviceLister devices = Devices({
        Adapter("/dev/ttyUSB6"),
        {QStringLiteral("/dev/ttyUSB1"), true, 0x0403, 0x6001}, // another maker's bridge
        {QStringLiteral("/dev/ttyS0"), false, 0, 0},             // no USB identity
        Adapter("/dev/serial/custom"),
        Adapter("/dev/ttyUSB2"),
        Adapter("/dev/ttyXYZ0"), // no port number for it
        Adapter("/dev/ttyACM0"),
    });
    EXPECT_EQ(ListAdapterPorts(devices, settings), (QList<int>{35, 39, 65, 120}));
}

TEST_F(PortDiscoveryTest, SelectsTheFirstAdapterThatOpens)
{
    settings.WriteNumber(kPortValueName, 0, 3);
    const bool found = ProbeAndSelect(settings,
                                      Devices({Adapter("/dev/ttyUSB6"), Adapter("/dev/ttyUSB2")}),
                                      Probe({QStringLiteral("/dev/ttyUSB2")}));
    EXPECT_TRUE(found);
    EXPECT_EQ(probed, (QStringList{"/dev/ttyUSB2", "/dev/ttyUSB6"}));
    EXPECT_EQ(settings.ReadNumber(kPortValueName, 0, 0), 38) << "COM39 is list entry 38";
}
#endif

TEST_F(PortDiscoveryTest, NoUsableAdapterLeavesTheStoredPortAlone)
{
    settings.WriteNumber(kPortValueName, 0, 3);
    EXPECT_FALSE(ProbeAndSelect(settings, Devices({}), Probe({})));
    EXPECT_TRUE(probed.isEmpty());

    const SerialDeviceInfo busy = Adapter("/dev/ttyUSB0");
    EXPECT_FALSE(ProbeAndSelect(settings, Devices({busy}), Probe({busy.systemLocation})));
    EXPECT_EQ(settings.ReadNumber(kPortValueName, 0, 0), 3);
}

#ifndef Q_OS_WIN
TEST_F(PortDiscoveryTest, ProbeOpensAFreeDeviceOnly)
{
    test::CPseudoTerminal pty;
    ASSERT_TRUE(pty.Valid());
    EXPECT_TRUE(ProbePort(pty.SlavePath()));
    EXPECT_TRUE(ProbePort(pty.SlavePath())) << "the probe must release the device";
    EXPECT_FALSE(ProbePort(QStringLiteral("/dev/orlan-no-such-port")));

    QSerialPort holder;
    holder.setPortName(pty.SlavePath());
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    EXPECT_FALSE(ProbePort(pty.SlavePath()));
}
#endif

} // namespace
} // namespace orlan
