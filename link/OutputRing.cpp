#include "link/OutputRing.h"

#include <algorithm>
#include <cstring>

namespace orlan {

bool COutputRing::Push(const char* bytes, std::size_t count)
{
    if (bytes == nullptr || count == 0)
        return false;
    {
        QMutexLocker lock(&m_mutex);
        if (!m_accepting || m_pending == kSlotCount)
            return false;
        // While fewer than kSlotCount blocks are pending the fill slot is never
        // the head the port thread may be sending, so it is ours to write.
        const std::size_t fill = (m_sendIndex + m_pending) % kSlotCount;
        const std::size_t length = std::min(count, kSlotSize);
        std::memcpy(m_slots[fill].data(), bytes, length);
        m_lengths[fill] = length;
        ++m_pending;
    }
    m_counts.release();
    return true;
}

void COutputRing::SetAccepting(bool accepting)
{
    QMutexLocker lock(&m_mutex);
    m_accepting = accepting;
}

bool COutputRing::TakeCount(int msecs)
{
    return m_counts.tryAcquire(1, msecs);
}

std::span<const char> COutputRing::Head() const
{
    QMutexLocker lock(&m_mutex);
    if (m_pending == 0)
        return {};
    return {m_slots[m_sendIndex].data(), m_lengths[m_sendIndex]};
}

void COutputRing::PopHead()
{
    QMutexLocker lock(&m_mutex);
    if (m_pending == 0)
        return;
    m_lengths[m_sendIndex] = 0;
    m_sendIndex = (m_sendIndex + 1) % kSlotCount;
    --m_pending;
}

void COutputRing::Clear()
{
    QMutexLocker lock(&m_mutex);
    m_counts.tryAcquire(m_counts.available());
    m_lengths.fill(0);
    m_sendIndex = 0;
    m_pending = 0;
}

std::size_t COutputRing::Pending() const
{
    QMutexLocker lock(&m_mutex);
    return m_pending;
}

std::size_t COutputRing::FreeSlots() const
{
    QMutexLocker lock(&m_mutex);
    return kSlotCount - m_pending;
}

} // namespace orlan
