// A second opener of one device is refused whatever path names it, and told
// who holds the port.
#include "link/PortLock.h"
#include "link/SerialPort.h"

#include "LinkTestSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace orlan {
namespace {

using test::PumpUntil;

class NoOwner final : public IBlockReceiver {
public:
    void OnSerialData(const char*, std::size_t) override {}
};

enum class EPath { Device, Link, SecondLink };

struct SLockCase {
    const char* name;
    EPath first;
    EPath second;
};

class PortLockTest : public ::testing::TestWithParam<SLockCase> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.Valid());
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(QFile::link(pty.SlavePath(), folder.filePath(QStringLiteral("tty-a"))));
        ASSERT_TRUE(QFile::link(pty.SlavePath(), folder.filePath(QStringLiteral("tty-b"))));
    }
    QString PathOf(EPath path) const
    {
        switch (path) {
        case EPath::Device: return pty.SlavePath();
        case EPath::Link: return folder.filePath(QStringLiteral("tty-a"));
        case EPath::SecondLink: return folder.filePath(QStringLiteral("tty-b"));
        }
        return {};
    }
    static void Start(CSerialPort& channel, const QString& path, IBlockReceiver& owner)
    {
        channel.SetDevicePath(path);
        channel.SetBaudRate(115200);
        channel.StartStop(true, &owner);
        ASSERT_TRUE(PumpUntil([&] { return channel.IsOpen() || channel.LastError().kind != LinkError::Kind::None; }));
    }

    test::CPseudoTerminal pty;
    QTemporaryDir folder;
    NoOwner owner;
};

TEST_P(PortLockTest, SecondOpenerIsRefusedAndToldWhoHoldsThePort)
{
    CSerialPort first;
    Start(first, PathOf(GetParam().first), owner);
    ASSERT_TRUE(first.IsOpen()) << first.LastError().text.toStdString();

    CSerialPort second;
    Start(second, PathOf(GetParam().second), owner);
    EXPECT_FALSE(second.IsOpen());
    EXPECT_EQ(second.LastError().kind, LinkError::Kind::Busy);
    const QString text = second.LastError().text;
    EXPECT_TRUE(text.contains(PathOf(GetParam().second))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("(PID %1)").arg(::getpid()))) << text.toStdString();
    EXPECT_TRUE(first.IsOpen());

    // Once the first lets go, the same path opens.
    first.StartStop(false, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return !first.IsOpen(); }));
    CSerialPort third;
    Start(third, PathOf(GetParam().second), owner);
    EXPECT_TRUE(third.IsOpen()) << third.LastError().text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Paths, PortLockTest,
                         ::testing::Values(SLockCase{"DeviceThenLink", EPath::Device, EPath::Link},
                                           SLockCase{"LinkThenDevice", EPath::Link, EPath::Device},
                                           SLockCase{"TwoLinks", EPath::Link, EPath::SecondLink},
                                           SLockCase{"SamePath", EPath::Device, EPath::Device}),
                         [](const ::testing::TestParamInfo<SLockCase>& row) { return std::string(row.param.name); });

TEST(PortLock, AProgramThatFlocksTheDeviceKeepsTheToolOut)
{
    test::CPseudoTerminal pty;
    ASSERT_TRUE(pty.Valid());
    // Another program, without the lock file: only the descriptor lock shows it.
    const int held = ::open(pty.SlavePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    const int other = ::open(pty.SlavePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    EXPECT_FALSE(LockOpenDevice(other));
    ::close(other);

    NoOwner owner;
    CSerialPort channel;
    channel.SetDevicePath(pty.SlavePath());
    channel.StartStop(true, &owner);
    ASSERT_TRUE(PumpUntil([&] { return channel.IsOpen() || channel.LastError().kind != LinkError::Kind::None; }));
    EXPECT_EQ(channel.LastError().kind, LinkError::Kind::Busy);
    ::close(held);
}

} // namespace
} // namespace orlan
