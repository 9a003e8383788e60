#include "link/BlockHandOver.h"

#include "LinkTestSupport.h"

#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orlan {
namespace {

using test::WaitUntil;

class Owner final : public IBlockReceiver {
public:
    void OnSerialData(const char* bytes, std::size_t count) override
    {
        entered = true;
        WaitUntil([this] { return !hold.load(); });
        std::lock_guard lock(mutex);
        blocks.append(QByteArray(bytes, static_cast<qsizetype>(count)));
        thread = QThread::currentThread();
    }
    QList<QByteArray> Blocks()
    {
        std::lock_guard lock(mutex);
        return blocks;
    }

    std::atomic<bool> hold{false};
    std::atomic<bool> entered{false};
    std::mutex mutex;
    QList<QByteArray> blocks;
    QThread* thread = nullptr;
};

// The owner's side: a thread with an event loop and an object living in it.
class BlockHandOverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        context.moveToThread(&ownerThread);
        ownerThread.start();
    }
    void TearDown() override
    {
        ownerThread.quit();
        ownerThread.wait();
    }
    // Returns once everything posted to the owner's thread before has run.
    void Drain()
    {
        QMetaObject::invokeMethod(&context, [] {}, Qt::BlockingQueuedConnection);
    }
    // Keeps the owner's thread busy until the returned flag is cleared.
    std::shared_ptr<std::atomic<bool>> Block()
    {
        auto busy = std::make_shared<std::atomic<bool>>(true);
        QMetaObject::invokeMethod(
            &context, [busy] { WaitUntil([&] { return !busy->load(); }); }, Qt::QueuedConnection);
        return busy;
    }
    // Deliver `text` from a port thread of our own.
    std::thread DeliverFromPortThread(const std::shared_ptr<CBlockHandOver>& handOver,
                                      const char* text)
    {
        const std::size_t count = std::strlen(text);
        std::memcpy(handOver->Buffer().data(), text, count);
        return std::thread([handOver, count] { handOver->Deliver(handOver->Buffer().data(), count); });
    }

    QThread ownerThread;
    QObject context;
    Owner owner;
};

TEST_F(BlockHandOverTest, DeliverReturnsOnlyAfterTheOwnerRanOnItsThread)
{
    auto handOver = CBlockHandOver::Create(&owner, &context, 64);
    DeliverFromPortThread(handOver, "first").join();
    // No Drain: Deliver itself waited for the owner.
    EXPECT_EQ(owner.Blocks(), QList<QByteArray>{"first"});
    EXPECT_EQ(owner.thread, &ownerThread);

    DeliverFromPortThread(handOver, "second").join();
    EXPECT_EQ(owner.Blocks(), (QList<QByteArray>{"first", "second"}));
}

TEST_F(BlockHandOverTest, StopCancelsADeliveryTheOwnerHasNotStarted)
{
    auto handOver = CBlockHandOver::Create(&owner, &context, 64);
    const auto busy = Block();
    std::thread port = DeliverFromPortThread(handOver, "late");
    handOver->RequestStop();
    port.join(); // returns although the owner never got to the block
    handOver.reset();

    *busy = false;
    Drain();
    EXPECT_TRUE(owner.Blocks().isEmpty());
    EXPECT_FALSE(owner.entered);
}

TEST_F(BlockHandOverTest, StopDuringTheHandlerLeavesItsBufferIntact)
{
    auto handOver = CBlockHandOver::Create(&owner, &context, 64);
    owner.hold = true;
    std::thread port = DeliverFromPortThread(handOver, "in use");
    ASSERT_TRUE(WaitUntil([&] { return owner.entered.load(); }));
    handOver->RequestStop();
    port.join();
    handOver.reset(); // the running delivery still holds it

    owner.hold = false;
    Drain();
    EXPECT_EQ(owner.Blocks(), QList<QByteArray>{"in use"});
}

// Records the slices it gets and, on the first, posts a marker behind them:
// the marker runs between slices only when the rest came in a later turn.
class SlicedOwner final : public IBlockReceiver {
public:
    explicit SlicedOwner(QObject& context) : m_context(context) {}
    void OnSerialData(const char* bytes, std::size_t count) override
    {
        if (events.empty())
            QMetaObject::invokeMethod(&m_context, [this] { events.push_back("marker"); }, Qt::QueuedConnection);
        events.push_back("slice " + std::to_string(count));
        received.append(bytes, static_cast<qsizetype>(count));
    }
    std::vector<std::string> events;
    QByteArray received;

private:
    QObject& m_context;
};

TEST_F(BlockHandOverTest, LargeBlockReachesTheOwnerInOrderedSlicesAcrossTurnsBeforeDeliverReturns)
{
    SlicedOwner sliced(context);
    const std::size_t size = 2 * CBlockHandOver::kSliceBytes + 10;
    auto handOver = CBlockHandOver::Create(&sliced, &context, size, 0);
    const QByteArray block = test::Pattern(size);
    std::memcpy(handOver->Buffer().data(), block.constData(), size);
    std::thread([&] { handOver->Deliver(handOver->Buffer().data(), size); }).join();

    // Deliver returned only after the last slice; the marker ran between them.
    const std::string slice = "slice " + std::to_string(CBlockHandOver::kSliceBytes);
    EXPECT_EQ(sliced.events, (std::vector<std::string>{slice, "marker", slice, "slice 10"}));
    EXPECT_EQ(sliced.received, block);
}

TEST_F(BlockHandOverTest, StopEndsAPauseAtOnce)
{
    auto handOver = CBlockHandOver::Create(&owner, &context, 64);
    EXPECT_TRUE(handOver->PauseUnlessStopped(1)) << "nobody stopped a short pause";
    // An hour: the test only ends because the stop wakes the sleeper.
    std::atomic<bool> sleptThrough{true};
    std::thread port([&] { sleptThrough = handOver->PauseUnlessStopped(3600 * 1000); });
    handOver->RequestStop();
    port.join();
    EXPECT_FALSE(sleptThrough);
    EXPECT_FALSE(handOver->PauseUnlessStopped(3600 * 1000)) << "a stopped hand-over never sleeps";
}

} // namespace
} // namespace orlan
