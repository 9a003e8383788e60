#pragma once
// Where wire bytes go: the serial channel in the programs, a recorder in
// tests. The channel takes at most one slot of 1024 bytes per block, so
// every write is cut here, in one place, and a long text (a memo command, a
// pasted console line) goes whole in several blocks.
//
// A sink may refuse a block (the channel's 32-slot ring is full, or the
// channel is closed): the write then stops there, so nothing behind a refused
// block goes out and a command never leaves with a hole in it. Writers that
// must not lose a command (the command queue) ask for room first and wait.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orlan {

class IByteSink {
public:
    static constexpr size_t kMaxBlock = 1024;
    static constexpr size_t kNoLimit = SIZE_MAX;

    virtual ~IByteSink() = default;

    // Cuts `bytes` into blocks and offers them in order until one is refused.
    // Returns how many bytes were taken: all of them, or fewer when a block
    // was refused (then nothing behind it was offered).
    size_t QueueWrite(std::string_view bytes)
    {
        size_t taken = 0;
        for (size_t i = 0; i < bytes.size(); i += kMaxBlock) {
            const std::string_view block = bytes.substr(i, kMaxBlock);
            if (!TakeBlock(block))
                break;
            ++m_blocksTaken;
            taken += block.size();
        }
        return taken;
    }

    static constexpr size_t BlocksFor(size_t bytes) { return (bytes + kMaxBlock - 1) / kMaxBlock; }

    // How many blocks the sink can take now without refusing one for lack of
    // room (kNoLimit: it never runs out). A closed channel has room and
    // refuses at once, so nobody waits for it.
    virtual size_t FreeBlocks() const { return kNoLimit; }
    // Blocks taken that are not on the wire yet (0 for a sink without a
    // queue of its own).
    virtual size_t PendingBlocks() const { return 0; }

    // Taken right after a write: OnWire(mark) holds once every block taken up
    // to then has left, so an answer that arrives before cannot be to it.
    uint64_t WriteMark() const { return m_blocksTaken; }
    bool OnWire(uint64_t mark) const { return PendingBlocks() <= m_blocksTaken - mark; }

protected:
    // One block of at most kMaxBlock bytes, never empty.
    virtual void QueueBlock(std::string_view block) = 0;
    // A sink that can refuse overrides this; false: nothing of the block was taken.
    virtual bool TakeBlock(std::string_view block)
    {
        QueueBlock(block);
        return true;
    }

private:
    uint64_t m_blocksTaken = 0;
};

} // namespace orlan
