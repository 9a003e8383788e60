#include "link/PortLoop.h"

#include "LinkTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace orlan {
namespace {

// A device that records what the loop does to it, in order.
class FakeDevice final : public IPortDevice {
public:
    explicit FakeDevice(std::vector<std::string>& events) : m_events(events) {}

    bool Write(const char* bytes, std::size_t count) override
    {
        const std::string block(bytes, count);
        ++attempts;
        if (failWrites) {
            m_events.push_back("fail " + block);
            lost = loseLinkOnFailure;
            return false;
        }
        m_events.push_back("write " + block);
        return true;
    }
    void DiscardOutput() override { ++discards; }
    bool WaitForInput(int) override { return !input.empty(); }
    std::size_t Read(char* buffer, std::size_t capacity) override
    {
        const std::size_t count = std::min(capacity, input.size());
        std::memcpy(buffer, input.data(), count);
        input.erase(0, count);
        m_events.push_back("read " + std::to_string(count));
        return count;
    }
    bool LinkLost() const override { return lost; }

    bool failWrites = false;
    bool loseLinkOnFailure = false;
    bool lost = false;
    int attempts = 0;
    int discards = 0;
    std::string input;

private:
    std::vector<std::string>& m_events;
};

class PortLoopTest : public ::testing::Test {
protected:
    PortLoopTest()
        : device(events), buffer(CPortLoop::kMaxReadBlock),
          loop(device, ring, buffer,
               {[this](int msecs) { events.push_back("pause " + std::to_string(msecs)); },
                [this](const char* bytes, std::size_t count) { blocks.emplace_back(bytes, count); }})
    {
        ring.SetAccepting(true);
    }

    void Queue(const std::string& text) { ASSERT_TRUE(ring.Push(text.data(), text.size())); }

    std::vector<std::string> events;
    std::vector<std::string> blocks;
    FakeDevice device;
    COutputRing ring;
    std::vector<char> buffer;
    CPortLoop loop;
};

TEST_F(PortLoopTest, FailingBlockIsTriedElevenTimesThenWaitsAtTheHeadForTheNextCount)
{
    Queue("A");
    Queue("B");
    device.failWrites = true;
    EXPECT_TRUE(loop.Step(0));
    EXPECT_EQ(device.attempts, 11);
    EXPECT_EQ(device.discards, 11);
    EXPECT_EQ(events, std::vector<std::string>(11, "fail A")) << "no pause after a failed block";

    // The failed block used up its count, so the ring now runs one count
    // behind: each block goes out with the count of the block after it.
    events.clear();
    device.failWrites = false;
    loop.Step(0); // B's count sends A
    loop.Step(0); // no count left: B waits although it is queued
    EXPECT_EQ(events, (std::vector<std::string>{"write A", "pause 50"}));

    events.clear();
    Queue("C");
    loop.Step(0);
    loop.Step(0);
    EXPECT_EQ(events, (std::vector<std::string>{"write B", "pause 50"}));
    EXPECT_EQ(ring.Pending(), 1u);
}

TEST_F(PortLoopTest, QueuedOutputGoesBeforeInputAndReadsWaitFirst)
{
    Queue("cmd");
    device.input = "reply";
    loop.Step(0);
    loop.Step(0);
    EXPECT_EQ(events, (std::vector<std::string>{"write cmd", "pause 50", "pause 50", "read 5"}));
    EXPECT_EQ(blocks, std::vector<std::string>{"reply"});
}

TEST_F(PortLoopTest, LargeInputIsDeliveredInBlocksOfAtMostTheReadLimit)
{
    const QByteArray burst = test::Pattern(300000);
    device.input = burst.toStdString();
    while (!device.input.empty())
        ASSERT_TRUE(loop.Step(0));

    std::string joined;
    for (const std::string& block : blocks) {
        EXPECT_LE(block.size(), CPortLoop::kMaxReadBlock);
        joined += block;
    }
    EXPECT_EQ(blocks.size(), 3u);
    EXPECT_EQ(joined, burst.toStdString());
}

TEST_F(PortLoopTest, LostLinkEndsTheRetriesAndTheLoop)
{
    Queue("A");
    device.failWrites = true;
    device.loseLinkOnFailure = true;
    EXPECT_FALSE(loop.Step(0));
    EXPECT_EQ(device.attempts, 1);
    EXPECT_EQ(ring.Pending(), 1u);
}

} // namespace
} // namespace orlan
