// Output pacing: the average rate, the size of single writes, write boundaries.
#include "sim/Pacer.h"

#include <gtest/gtest.h>

namespace orlan::test {
namespace {

TEST(Pacer, UnpacedWritesGoOutWholeAndApart)
{
    CPacer pacer(0);
    pacer.Push("first");
    pacer.Push("");
    pacer.Push("second");
    EXPECT_EQ(pacer.Ready(0), "first");
    pacer.Consume(2, 0);
    EXPECT_EQ(pacer.Ready(0), "rst");
    pacer.Consume(3, 0);
    EXPECT_EQ(pacer.Ready(0), "second") << "an empty write is no write";
    pacer.Consume(6, 0);
    EXPECT_TRUE(pacer.Empty());
    EXPECT_EQ(pacer.NextReadyUs(0), -1);
}

TEST(Pacer, KeepsTheLineRateInSmallSlices)
{
    CPacer pacer(11520);
    const std::string block(11520 * 2, 'x');
    pacer.Push(block);
    std::size_t sent = 0;
    std::size_t largest = 0;
    int64_t now = 0;
    // One simulated second, the host waking every 250 microseconds.
    for (; now <= 1000000; now += 250) {
        const std::string_view ready = pacer.Ready(now);
        largest = std::max(largest, ready.size());
        sent += ready.size();
        pacer.Consume(ready.size(), now);
    }
    EXPECT_LE(largest, 12U) << "about a millisecond's worth per write";
    EXPECT_GE(sent, 11400U);
    EXPECT_LE(sent, 11600U);
}

TEST(Pacer, LateHostDoesNotGetALongBurst)
{
    CPacer pacer(11520);
    pacer.Push(std::string(10000, 'x'));
    pacer.Consume(pacer.Ready(0).size(), 0);
    // Asleep for a whole second: the saved credit stays a few slices.
    std::size_t burst = 0;
    for (std::string_view ready; !(ready = pacer.Ready(1000000)).empty(); pacer.Consume(ready.size(), 1000000))
        burst += ready.size();
    EXPECT_LE(burst, 4U * 12U);
    EXPECT_GT(pacer.NextReadyUs(1000000), 1000000);
}

TEST(Pacer, GapKeepsWritesApart)
{
    CPacer pacer(0);
    pacer.SetGapUs(2000);
    pacer.Push("a");
    pacer.Push("b");
    pacer.Consume(pacer.Ready(100).size(), 100);
    EXPECT_TRUE(pacer.Ready(1000).empty());
    EXPECT_EQ(pacer.NextReadyUs(1000), 2100);
    EXPECT_EQ(pacer.Ready(2100), "b");
}

} // namespace
} // namespace orlan::test
