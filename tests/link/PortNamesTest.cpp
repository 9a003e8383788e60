#include "link/PortNames.h"

#include "platform/RegSetting.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace orlan {
namespace {

class PortNamesTest : public ::testing::Test {
protected:
    PortNamesTest() : settings(dir.filePath(QStringLiteral("link.ini"))) {}

    QTemporaryDir dir;
    CRegSetting settings;
};

#ifndef Q_OS_WIN
TEST_F(PortNamesTest, NumbersMapToDeviceFamiliesAndBack)
{
    settings.SetUserPortPath(97, QStringLiteral("/dev/pts/3"));
    const struct {
        int number;
        const char* device;
    } cases[] = {
        {1, "/dev/ttyS0"},    {32, "/dev/ttyS31"},   {33, "/dev/ttyUSB0"}, {39, "/dev/ttyUSB6"},
        {64, "/dev/ttyUSB31"}, {65, "/dev/ttyACM0"}, {96, "/dev/ttyACM31"}, {97, "/dev/pts/3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DevicePath(c.number, settings), QLatin1String(c.device)) << c.number;
        EXPECT_EQ(PortNumberOf(QLatin1String(c.device), settings), c.number) << c.device;
    }
}

TEST_F(PortNamesTest, NumbersAndPathsWithoutCounterpartGiveNothing)
{
    for (const int number : {0, -1, 98, 199, 200})
        EXPECT_EQ(DevicePath(number, settings), QString()) << number;
    for (const char* device : {"/dev/ttyS32", "/dev/ttyUSB32", "/dev/ttyACM", "/dev/ttyUSB07",
                               "/dev/ttyUSB-1", "/dev/pts/9", "", "/dev/ttyS1x"})
        EXPECT_EQ(PortNumberOf(QLatin1String(device), settings), 0) << device;
}

TEST_F(PortNamesTest, PortListHasEveryNameAndShowsPresentDevicesOnly)
{
    const QString present = dir.filePath(QStringLiteral("fake-tty"));
    QFile file(present);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    settings.SetUserPortPath(100, present);
    settings.SetUserPortPath(101, dir.filePath(QStringLiteral("absent-tty")));

    const QList<PortListEntry> list = PortList(settings);
    ASSERT_EQ(list.size(), kPortCount);
    EXPECT_EQ(list.front().name, QStringLiteral("COM1"));
    EXPECT_EQ(list.back().name, QStringLiteral("COM199"));
    EXPECT_EQ(list[99].name, QStringLiteral("COM100"));
    EXPECT_EQ(list[99].device, present);
    EXPECT_EQ(list[100].device, QString());
    EXPECT_EQ(list[101].device, QString());
}
#endif

TEST_F(PortNamesTest, ParsesPortNumbersInTheUsualSpellings)
{
    for (const char* text : {"COM7", "com7", "Com7", "7", " 7 "}) {
        const auto parsed = ParsePortInput(QLatin1String(text));
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_EQ(parsed->portNumber, 7) << text;
        EXPECT_TRUE(parsed->devicePath.isEmpty()) << text;
    }
    EXPECT_EQ(ParsePortInput(QStringLiteral("COM199"))->portNumber, 199);
    EXPECT_EQ(ParsePortInput(QStringLiteral("1"))->portNumber, 1);
}

TEST_F(PortNamesTest, RejectsWhatNamesNoPort)
{
    for (const char* text : {"", "COM", "COM0", "COM200", "0", "-3", "+7", "07", "COM 7", "COM7x",
                             "seven", "LPT1"})
        EXPECT_FALSE(ParsePortInput(QLatin1String(text)).has_value()) << text;
}

#ifndef Q_OS_WIN
TEST_F(PortNamesTest, DevicePathsAreTakenAsTheyAre)
{
    const auto parsed = ParsePortInput(QStringLiteral(" /dev/pts/3 "));
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->devicePath, QStringLiteral("/dev/pts/3"));
    EXPECT_EQ(parsed->portNumber, 0);
}
#endif

} // namespace
} // namespace orlan
