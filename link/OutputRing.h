#pragma once
// The channel's queue of pending output blocks: 32 slots of 1024 bytes, filled
// by any thread and sent in order by the port thread. Every filled slot
// releases one count of a semaphore; the port thread sends one slot per count.
#include <QMutex>
#include <QSemaphore>

#include <array>
#include <cstddef>
#include <span>

namespace orlan {

class COutputRing {
public:
    static constexpr std::size_t kSlotCount = 32;
    static constexpr std::size_t kSlotSize = 1024;

    // Any thread. Queues the first kSlotSize bytes of the request. False when
    // nothing was queued: the ring does not accept, count is 0, or all slots
    // are still pending.
    bool Push(const char* bytes, std::size_t count);

    // Any thread. A ring that does not accept drops every Push.
    void SetAccepting(bool accepting);

    // Port thread. Takes one count, waiting up to `msecs`.
    bool TakeCount(int msecs);
    // Port thread. The oldest pending block; empty when none is pending.
    std::span<const char> Head() const;
    // Port thread. The head block has gone out.
    void PopHead();
    // Port thread (or nobody running): drops all pending blocks and counts;
    // the next block goes into slot 0.
    void Clear();

    std::size_t Pending() const;
    // Any thread. Slots a Push could fill now (whether the ring accepts or
    // not: a ring that does not accept refuses at once, nobody waits for it).
    std::size_t FreeSlots() const;

private:
    mutable QMutex m_mutex;
    QSemaphore m_counts;
    bool m_accepting = false;
    std::size_t m_sendIndex = 0;
    std::size_t m_pending = 0;
    std::array<std::size_t, kSlotCount> m_lengths{};
    std::array<std::array<char, kSlotSize>, kSlotCount> m_slots{};
};

} // namespace orlan
