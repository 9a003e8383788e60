#include "link/OutputRing.h"

#include "LinkTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace orlan {
namespace {

std::string HeadText(const COutputRing& ring)
{
    const auto head = ring.Head();
    return {head.data(), head.size()};
}

class OutputRingTest : public ::testing::Test {
protected:
    void SetUp() override { ring.SetAccepting(true); }

    bool Push(const std::string& text) { return ring.Push(text.data(), text.size()); }

    COutputRing ring;
};

TEST_F(OutputRingTest, BlocksLeaveInQueueOrderAcrossTheWrap)
{
    // Push and send one at a time so the indices pass slot 31 more than once.
    for (int i = 0; i < 70; ++i) {
        ASSERT_TRUE(Push("block " + std::to_string(i)));
        ASSERT_TRUE(Push("next " + std::to_string(i)));
        ASSERT_TRUE(ring.TakeCount(0));
        EXPECT_EQ(HeadText(ring), "block " + std::to_string(i));
        ring.PopHead();
        ASSERT_TRUE(ring.TakeCount(0));
        EXPECT_EQ(HeadText(ring), "next " + std::to_string(i));
        ring.PopHead();
    }
    EXPECT_EQ(ring.Pending(), 0u);
    EXPECT_FALSE(ring.TakeCount(0));
    EXPECT_TRUE(ring.Head().empty());
}

TEST_F(OutputRingTest, LongRequestIsCutToOneSlotAndEmptyRequestQueuesNothing)
{
    const QByteArray long1500 = test::Pattern(1500);
    ASSERT_TRUE(ring.Push(long1500.constData(), 1500));
    EXPECT_FALSE(ring.Push("x", 0));
    EXPECT_FALSE(ring.Push(nullptr, 0));

    EXPECT_EQ(ring.Pending(), 1u);
    ASSERT_TRUE(ring.TakeCount(0));
    EXPECT_FALSE(ring.TakeCount(0)) << "the empty request released a count";
    const auto head = ring.Head();
    ASSERT_EQ(head.size(), COutputRing::kSlotSize);
    EXPECT_EQ(QByteArray(head.data(), 1024), long1500.left(1024));
}

TEST_F(OutputRingTest, RefusesTheThirtyThirdPendingBlockUntilOneIsSent)
{
    for (std::size_t i = 0; i < COutputRing::kSlotCount; ++i)
        ASSERT_TRUE(Push(std::to_string(i))) << i;
    EXPECT_FALSE(Push("33rd"));
    EXPECT_EQ(ring.Pending(), COutputRing::kSlotCount);

    ASSERT_TRUE(ring.TakeCount(0));
    EXPECT_EQ(HeadText(ring), "0");
    ring.PopHead();
    EXPECT_TRUE(Push("33rd"));
    // The refused push must not have touched the blocks still pending.
    for (std::size_t i = 1; i < COutputRing::kSlotCount; ++i) {
        ASSERT_TRUE(ring.TakeCount(0));
        EXPECT_EQ(HeadText(ring), std::to_string(i));
        ring.PopHead();
    }
    ASSERT_TRUE(ring.TakeCount(0));
    EXPECT_EQ(HeadText(ring), "33rd");
}

TEST_F(OutputRingTest, ClearDiscardsPendingBlocksAndTheirCounts)
{
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(Push("old " + std::to_string(i)));
    ASSERT_TRUE(ring.TakeCount(0));
    ring.PopHead();

    ring.Clear();
    EXPECT_EQ(ring.Pending(), 0u);
    EXPECT_FALSE(ring.TakeCount(0)) << "counts of discarded blocks survived";
    EXPECT_TRUE(ring.Head().empty());

    // The whole capacity is free again and nothing old comes out first.
    for (std::size_t i = 0; i < COutputRing::kSlotCount; ++i)
        ASSERT_TRUE(Push("new " + std::to_string(i)));
    EXPECT_FALSE(Push("one too many"));
    ASSERT_TRUE(ring.TakeCount(0));
    EXPECT_EQ(HeadText(ring), "new 0");
}

} // namespace
} // namespace orlan
