#include "link/BlockHandOver.h"

#include "LinkTestSupport.h"

#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <thread>

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

} // namespace
} // namespace orlan
