#include "link/PortLoop.h"

#include "link/LinkLog.h"

#include <algorithm>
#include <utility>

namespace orlan {

CPortLoop::CPortLoop(IPortDevice& device, COutputRing& ring, std::span<char> readBuffer,
                     Hooks hooks)
    : m_device(device), m_ring(ring), m_readBuffer(readBuffer), m_hooks(std::move(hooks))
{
}

bool CPortLoop::Step(int pollMs)
{
    if (m_ring.TakeCount(0))
        SendHead();
    else if (m_device.WaitForInput(pollMs))
        ReadBlock();
    return !m_device.LinkLost();
}

bool CPortLoop::SendHead()
{
    const std::span<const char> head = m_ring.Head();
    if (head.empty())
        return false;
    for (int attempt = 0; attempt < kWriteAttempts; ++attempt) {
        if (m_device.Write(head.data(), head.size())) {
            m_ring.PopHead();
            m_hooks.pause(kPacingMs);
            return true;
        }
        qCDebug(lcLink) << " WriteChar() Error occurs";
        // A failed attempt must not leave its bytes queued behind the retry.
        m_device.DiscardOutput();
        if (m_device.LinkLost())
            break;
    }
    return false;
}

void CPortLoop::ReadBlock()
{
    m_hooks.pause(kPacingMs);
    const std::size_t capacity = std::min(m_readBuffer.size(), kMaxReadBlock);
    const std::size_t count = m_device.Read(m_readBuffer.data(), capacity);
    if (count > 0)
        m_hooks.deliver(m_readBuffer.data(), count);
}

} // namespace orlan
