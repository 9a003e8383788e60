// The real serial channel and receive path against orlan-sim on a
// pseudo-terminal: login, whole read, faults, pictures, bursts and unplugging.
#include <gtest/gtest.h>

#include <QFile>

#include <algorithm>
#include <map>
#include <numeric>

#include "ConsoleUnderTest.h"
#include "SimProcess.h"
#include "support/QtTestSupport.h"

namespace orlan::test {
namespace {

// Every dump line of the simulator's fixture, as it goes over the wire.
std::vector<std::string> FixtureLines()
{
    QFile file(QStringLiteral(ORLAN_SOURCE_DIR "/sim/fixtures/default-config.txt"));
    std::vector<std::string> lines;
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    while (!file.atEnd()) {
        const std::string line = file.readLine().trimmed().toStdString();
        if (!line.empty() && line[0] != '#' && line[0] != '[')
            lines.push_back(line);
    }
    return lines;
}

// How often each fixture line reached the pages.
std::map<std::string, int> Counted(const std::vector<std::string>& dispatched)
{
    std::map<std::string, int> counts;
    for (const auto& line : dispatched)
        ++counts[line];
    return counts;
}

void ExpectEveryFixtureLineOnce(const CConsoleUnderTest& console)
{
    const std::vector<std::string> fixture = FixtureLines();
    ASSERT_GT(fixture.size(), 800u);
    const auto counts = Counted(console.dispatched);
    std::map<std::string, int> expected;
    for (const auto& line : fixture)
        ++expected[line];
    for (const auto& [line, times] : expected) {
        const auto found = counts.find(line);
        ASSERT_NE(found, counts.end()) << "missing: " << line;
        EXPECT_EQ(found->second, times) << line;
    }
}

TEST(ConsoleEndToEnd, LoginThenWholeReadAtLineSpeedDeliversEveryLine)
{
    CSimProcess sim({QStringLiteral("--password"), QStringLiteral("s3cret")});
    ASSERT_FALSE(sim.Device().isEmpty());
    CConsoleUnderTest console(sim.Device(), "s3cret");
    SendWholeConfigurationRead(console.sink);  // refused while logged out: the prompt logs in

    ASSERT_TRUE(PumpUntil([&] { return console.wholeReads == 1; }, std::chrono::seconds(20)));
    EXPECT_TRUE(console.rx.HaveLogin());
    ExpectEveryFixtureLineOnce(console);
    EXPECT_GT(console.blockSizes.size(), 1u);
}

TEST(ConsoleEndToEnd, GarbageOverLongLinesAndSplitWritesLoseNoSetting)
{
    for (const char* fault : {"--fault-garbage", "--fault-split"}) {
        SCOPED_TRACE(fault);
        CSimProcess sim({QStringLiteral("--no-login"), QStringLiteral("--rate"), QStringLiteral("0"),
                         QString::fromLatin1(fault)});
        ASSERT_FALSE(sim.Device().isEmpty());
        CConsoleUnderTest console(sim.Device());
        SendWholeConfigurationRead(console.sink);
        ASSERT_TRUE(PumpUntil([&] { return console.wholeReads == 1; }, std::chrono::seconds(30)));
        ExpectEveryFixtureLineOnce(console);
    }
}

TEST(ConsoleEndToEnd, ABurstArrivesInBoundedBlocksWithExactCounts)
{
    CSimProcess sim({QStringLiteral("--no-login"), QStringLiteral("--rate"), QStringLiteral("0")});
    ASSERT_FALSE(sim.Device().isEmpty());
    CConsoleUnderTest console(sim.Device());
    ASSERT_TRUE(PumpUntil([&] { return console.port.IsOpen(); }));

    std::string expected;
    for (int i = 0; i < 200; ++i) {
        const std::string line = "$BURST" + std::to_string(1000 + i) + " " + std::string(988, 'a' + i % 26);
        expected += line + "\r\n";
        ASSERT_TRUE(sim.Control(QStringLiteral("raw ") + QString::fromStdString(line)));
    }
    ASSERT_TRUE(PumpUntil([&] { return console.received.size() >= expected.size(); }));
    EXPECT_EQ(console.received, expected);
    EXPECT_EQ(std::accumulate(console.blockSizes.begin(), console.blockSizes.end(), size_t{0}), expected.size());
    EXPECT_GT(console.blockSizes.size(), 1u);
    EXPECT_LE(*std::max_element(console.blockSizes.begin(), console.blockSizes.end()), 131072u);
    EXPECT_EQ(console.dispatched.size(), 200u);
}

TEST(ConsoleEndToEnd, ACameraPictureArrivesWhole)
{
    CSimProcess sim({QStringLiteral("--no-login"), QStringLiteral("--rate"), QStringLiteral("0")});
    ASSERT_FALSE(sim.Device().isEmpty());
    CConsoleUnderTest console(sim.Device());
    console.sink.QueueWrite("%SDSC\r");
    console.sink.QueueWrite("%memr0\r");
    ASSERT_TRUE(PumpUntil([&] { return !console.pictures.empty(); }));
    const std::string& jpeg = console.pictures.front();
    ASSERT_GT(jpeg.size(), 100u);
    EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
    EXPECT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
    EXPECT_FALSE(console.rx.ImageMode());

    // The console goes on with text after the picture.
    console.sink.QueueWrite("%DUMP_PHONE\r");
    ASSERT_TRUE(PumpUntil([&] {
        return std::any_of(console.dispatched.begin(), console.dispatched.end(),
                           [](const std::string& l) { return l.rfind("$CS0", 0) == 0; });
    }));
}

TEST(ConsoleEndToEnd, PullingTheCableClosesTheChannelAndSaysWhy)
{
    CSimProcess sim({QStringLiteral("--no-login"), QStringLiteral("--rate"), QStringLiteral("0")});
    ASSERT_FALSE(sim.Device().isEmpty());
    CConsoleUnderTest console(sim.Device());
    ASSERT_TRUE(PumpUntil([&] { return console.port.IsOpen(); }));
    ASSERT_TRUE(sim.Control(QStringLiteral("hangup")));
    ASSERT_TRUE(PumpUntil([&] { return !console.port.IsOpen(); }));
    EXPECT_EQ(console.port.LastError().kind, LinkError::Kind::LinkLost);
    EXPECT_FALSE(console.port.LastError().text.isEmpty());
    EXPECT_FALSE(console.port.QueueWrite("%DUMPS\r", 7));  // output to a closed channel is dropped
}

} // namespace
} // namespace orlan::test
