#include "link/SerialPort.h"

#include "LinkTestSupport.h"

#include <QObject>
#include <QThread>

#include <gtest/gtest.h>

#include <termios.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace orlan {
namespace {

using test::PumpUntil;
using test::WaitUntil;

// Collects the blocks it is handed and the thread it ran on.
class RecordingOwner final : public IBlockReceiver {
public:
    void OnSerialData(const char* bytes, std::size_t count) override
    {
        blocks.append(QByteArray(bytes, static_cast<qsizetype>(count)));
        threads.push_back(QThread::currentThread());
        received += count;
    }
    QByteArray Joined() const { return blocks.join(); }

    QList<QByteArray> blocks;
    std::vector<QThread*> threads;
    std::size_t received = 0;
};

class SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.Valid());
        // With a receiver in this thread the signals, emitted by the port
        // thread, arrive here queued.
        QObject::connect(&port, &CSerialPort::portOpened, &listener, [this] { ++opened; });
        QObject::connect(&port, &CSerialPort::portClosed, &listener,
                         [this](const QString& reason) { closeReasons.append(reason); });
    }

    void Open(CSerialPort& channel, IBlockReceiver* receiver)
    {
        channel.SetDevicePath(pty.SlavePath());
        channel.SetBaudRate(115200);
        channel.StartStop(true, receiver);
        ASSERT_TRUE(PumpUntil([&] { return channel.IsOpen(); }))
            << channel.LastError().text.toStdString();
    }
    bool Write(const QByteArray& bytes) { return port.QueueWrite(bytes.constData(), bytes.size()); }

    test::CPseudoTerminal pty;
    RecordingOwner owner;
    QObject listener;
    CSerialPort port;
    int opened = 0;
    QStringList closeReasons;
};

TEST_F(SerialPortTest, QueuedBlocksReachTheLineInOrderAtTheConfiguredSpeed)
{
    EXPECT_FALSE(Write("before start")) << "output queued while closed must be dropped";
    Open(port, &owner);
    EXPECT_EQ(port.LastError().kind, LinkError::Kind::None);
    EXPECT_EQ(port.DevicePath(), pty.SlavePath());
    EXPECT_TRUE(PumpUntil([&] { return opened == 1; }));

    const QByteArray long1500 = test::Pattern(1500);
    EXPECT_TRUE(Write("%DUMPS"));
    EXPECT_TRUE(Write("\r"));
    EXPECT_FALSE(port.QueueWrite("ignored", 0));
    EXPECT_TRUE(Write(long1500));
    EXPECT_TRUE(Write("%DUMPR\r"));

    const QByteArray expected = "%DUMPS\r" + long1500.left(1024) + "%DUMPR\r";
    EXPECT_EQ(pty.ReadMaster(expected.size()), expected);

    termios line{};
    ASSERT_EQ(::tcgetattr(pty.Master(), &line), 0);
    EXPECT_EQ(::cfgetospeed(&line), speed_t(B115200));
    EXPECT_EQ(line.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(line.c_cflag & CSTOPB, tcflag_t(0));
}

TEST_F(SerialPortTest, BurstArrivesOnTheOwnersThreadInBoundedBlocks)
{
    Open(port, &owner);
    const QByteArray burst = test::Pattern(200 * 1024);
    std::atomic<bool> written{false};
    std::thread writer([&] { written = pty.WriteMaster(burst); });
    const bool complete = PumpUntil([&] { return owner.received >= std::size_t(burst.size()); });
    writer.join();
    ASSERT_TRUE(written);
    ASSERT_TRUE(complete) << owner.received;

    EXPECT_GE(owner.blocks.size(), 2);
    for (const QByteArray& block : owner.blocks)
        EXPECT_LE(block.size(), 131072);
    EXPECT_EQ(owner.Joined(), burst);
    for (QThread* thread : owner.threads)
        EXPECT_EQ(thread, QThread::currentThread());
}

TEST_F(SerialPortTest, HandlerMayAnswerFromInsideTheDelivery)
{
    // The receive path sends its reply while the port thread still waits.
    struct EchoOwner final : IBlockReceiver {
        CSerialPort* channel = nullptr;
        void OnSerialData(const char* bytes, std::size_t count) override
        {
            channel->QueueWrite(bytes, count);
        }
    } echo;
    echo.channel = &port;
    Open(port, &echo);
    ASSERT_TRUE(pty.WriteMaster("please input password"));
    QByteArray back;
    ASSERT_TRUE(PumpUntil([&] {
        back += pty.ReadMaster(1, std::chrono::milliseconds(1));
        return back.size() >= 21;
    }));
    EXPECT_EQ(back, "please input password");
}

TEST_F(SerialPortTest, ParityRequestReachesTheOpenPort)
{
    Open(port, &owner);
    // The pty driver drops PARENB but keeps PARODD and CMSPAR, enough to see
    // that the port thread applied the request.
    const auto lineFlags = [&] {
        termios line{};
        ::tcgetattr(pty.Master(), &line);
        return line.c_cflag;
    };
    EXPECT_TRUE(port.SetParity(1));
    EXPECT_TRUE(PumpUntil([&] { return (lineFlags() & PARODD) != 0; }));
    EXPECT_TRUE(port.SetParity(3));
    EXPECT_TRUE(PumpUntil([&] { return (lineFlags() & CMSPAR) != 0; }));
    // Even after mark must not keep the stick bit (space parity).
    EXPECT_TRUE(port.SetParity(2));
    EXPECT_TRUE(PumpUntil([&] { return (lineFlags() & (PARODD | CMSPAR)) == 0; }));
    EXPECT_FALSE(port.SetParity(4));
    EXPECT_FALSE(port.SetParity(-1));
}

TEST_F(SerialPortTest, StopClosesAndRestartSendsOnlyNewOutput)
{
    Open(port, &owner);
    port.StartStop(false);
    EXPECT_FALSE(Write("after stop"));
    ASSERT_TRUE(PumpUntil([&] { return !port.IsOpen() && closeReasons.size() == 1; }));
    EXPECT_EQ(closeReasons.front(), QString()) << "a requested stop is no failure";
    EXPECT_EQ(port.LastError().kind, LinkError::Kind::None);

    Open(port, &owner);
    EXPECT_TRUE(Write("again"));
    EXPECT_EQ(pty.ReadMaster(5), "again");
    ASSERT_TRUE(pty.WriteMaster("still heard"));
    EXPECT_TRUE(PumpUntil([&] { return owner.Joined() == "still heard"; }));
}

TEST_F(SerialPortTest, HangUpClosesTheChannelAsLinkLost)
{
    Open(port, &owner);
    pty.CloseMaster();
    ASSERT_TRUE(PumpUntil([&] { return !port.IsOpen() && !closeReasons.isEmpty(); }));
    const LinkError error = port.LastError();
    EXPECT_EQ(error.kind, LinkError::Kind::LinkLost);
    EXPECT_TRUE(error.text.contains(pty.SlavePath()));
    EXPECT_EQ(closeReasons, QStringList{error.text});
    EXPECT_FALSE(Write("into the void"));
}

TEST_F(SerialPortTest, MissingDeviceIsReportedAsSuch)
{
    port.SetDevicePath(QStringLiteral("/dev/orlan-no-such-port"));
    port.StartStop(true, &owner);
    ASSERT_TRUE(PumpUntil([&] { return !closeReasons.isEmpty(); }));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(port.LastError().kind, LinkError::Kind::NoSuchDevice);
    EXPECT_TRUE(port.LastError().text.contains(QStringLiteral("/dev/orlan-no-such-port")));

    // A user port number nobody assigned a device to.
    CSerialPort unassigned;
    unassigned.SetPortNumber(150);
    unassigned.StartStop(true, &owner);
    ASSERT_TRUE(PumpUntil([&] { return unassigned.LastError().kind != LinkError::Kind::None; }));
    EXPECT_EQ(unassigned.LastError().kind, LinkError::Kind::NoSuchDevice);
    EXPECT_TRUE(unassigned.LastError().text.contains(QStringLiteral("COM150")));
}

TEST_F(SerialPortTest, SecondChannelOnTheSameDeviceIsBusy)
{
    Open(port, &owner);
    // QSerialPort takes a lock file for the device, so the second opener is
    // refused even where the kernel would let it in (as root, or on a pty).
    CSerialPort second;
    second.SetDevicePath(pty.SlavePath());
    second.StartStop(true, &owner);
    ASSERT_TRUE(PumpUntil([&] { return second.LastError().kind != LinkError::Kind::None; }));
    EXPECT_EQ(second.LastError().kind, LinkError::Kind::Busy);
    EXPECT_FALSE(second.IsOpen());
    EXPECT_TRUE(port.IsOpen());
}

// An owner whose handler does not return until the test lets it.
class StuckOwner final : public IBlockReceiver {
public:
    void OnSerialData(const char* bytes, std::size_t count) override
    {
        entered = true;
        WaitUntil([this] { return released.load(); });
        // The buffer must still be there after the channel is gone.
        std::lock_guard lock(mutex);
        copy = QByteArray(bytes, static_cast<qsizetype>(count));
        done = true;
    }

    std::atomic<bool> entered{false};
    std::atomic<bool> released{false};
    std::atomic<bool> done{false};
    std::mutex mutex;
    QByteArray copy;
};

TEST_F(SerialPortTest, DestructorReturnsWhileTheOwnerIsBusyInItsHandler)
{
    QThread ownerThread;
    StuckOwner stuck;
    QObject context;
    const struct Cleanup {
        QThread& thread;
        StuckOwner& owner;
        ~Cleanup()
        {
            owner.released = true;
            thread.quit();
            thread.wait();
        }
    } cleanup{ownerThread, stuck};
    context.moveToThread(&ownerThread);
    ownerThread.start();

    auto channel = std::make_unique<CSerialPort>();
    channel->SetDevicePath(pty.SlavePath());
    channel->StartStop(true, &stuck, &context);
    ASSERT_TRUE(PumpUntil([&] { return channel->IsOpen(); }));
    ASSERT_TRUE(pty.WriteMaster("ping"));
    ASSERT_TRUE(WaitUntil([&] { return stuck.entered.load(); }));

    channel.reset(); // the port thread waits for the handler; this must not
    stuck.released = true;
    EXPECT_TRUE(WaitUntil([&] { return stuck.done.load(); }));
    {
        std::lock_guard lock(stuck.mutex);
        EXPECT_EQ(stuck.copy, "ping");
    }
}

} // namespace
} // namespace orlan
