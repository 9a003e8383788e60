// The port thread sleeps on the device and a wake-up, with no poll timeout:
// a wake-up or input ends the wait, and the channel stops without a poll.
#include "link/QtPortDevice.h"
#include "link/SerialPort.h"
#include "link/WakeUp.h"

#include "LinkTestSupport.h"

#include <gtest/gtest.h>

namespace orlan {
namespace {

TEST(PortWakeUp, WaitEndsOnAWakeUpGivenBeforeOrDuringItAndOnInput)
{
    test::CPseudoTerminal pty;
    ASSERT_TRUE(pty.Valid());
    CWakeUp wake;
    ASSERT_GE(wake.Fd(), 0);
    CQtPortDevice device([] { return false; }, &wake);
    ASSERT_EQ(device.Open(pty.SlavePath(), 115200, 0).kind, LinkError::Kind::None);

    // Without a timeout the wait ends only because of the wake-up.
    wake.Signal();
    wake.Signal();
    EXPECT_FALSE(device.WaitForInput(IPortDevice::kWaitForWakeUp));
    EXPECT_FALSE(device.LinkLost());

    ASSERT_TRUE(pty.WriteMaster("CMD OK\r\n"));
    ASSERT_TRUE(device.WaitForInput(IPortDevice::kWaitForWakeUp)) << "the wake-up was drained; input ends the wait";
    char buffer[64];
    EXPECT_EQ(QByteArray(buffer, static_cast<qsizetype>(device.Read(buffer, sizeof buffer))), "CMD OK\r\n");

    pty.CloseMaster();
    device.WaitForInput(IPortDevice::kWaitForWakeUp);
    EXPECT_TRUE(device.LinkLost()) << "a hang-up ends the wait as a lost link";
}

TEST(PortWakeUp, StopOfAnIdleChannelEndsItsThread)
{
    test::CPseudoTerminal pty;
    ASSERT_TRUE(pty.Valid());
    CSerialPort port;
    port.SetDevicePath(pty.SlavePath());
    port.SetBaudRate(115200);
    bool closed = false;
    QObject::connect(&port, &CSerialPort::portClosed, &port, [&closed] { closed = true; });
    port.StartStop(true);
    ASSERT_TRUE(test::WaitUntil([&] { return port.IsOpen(); }));
    // Queued output wakes the sleeping thread too.
    ASSERT_TRUE(port.QueueWrite("%DUMPS\r", 7));
    EXPECT_EQ(pty.ReadMaster(7), "%DUMPS\r");

    port.StartStop(false);
    ASSERT_TRUE(test::PumpUntil([&] { return closed; }));
    EXPECT_FALSE(port.IsOpen());
}

} // namespace
} // namespace orlan
