#include "link/BlockHandOver.h"

#include <QElapsedTimer>
#include <QMetaObject>

#include <algorithm>
#include <chrono>

namespace orlan {

std::shared_ptr<CBlockHandOver> CBlockHandOver::Create(IBlockReceiver* owner, QObject* context,
                                                       std::size_t bufferSize, int turnBudgetMs)
{
    return std::shared_ptr<CBlockHandOver>(new CBlockHandOver(owner, context, bufferSize, turnBudgetMs));
}

CBlockHandOver::CBlockHandOver(IBlockReceiver* owner, QObject* context, std::size_t bufferSize,
                               int turnBudgetMs)
    : m_owner(owner), m_context(context), m_turnBudgetMs(std::max(0, turnBudgetMs)), m_buffer(bufferSize)
{
}

void CBlockHandOver::Deliver(const char* bytes, std::size_t count)
{
    if (m_owner == nullptr || m_context == nullptr || count == 0)
        return;
    std::unique_lock lock(m_mutex);
    if (m_stop)
        return;
    m_state = State::Posted;
    lock.unlock();
    Post(bytes, count);
    lock.lock();
    m_changed.wait(lock, [this] { return m_state == State::Idle || m_stop; });
    // A handler already running keeps this object, and so the buffer.
    if (m_state == State::Posted)
        m_state = State::Cancelled;
}

bool CBlockHandOver::PauseUnlessStopped(int msecs)
{
    std::unique_lock lock(m_mutex);
    return !m_changed.wait_for(lock, std::chrono::milliseconds(msecs), [this] { return m_stop; });
}

void CBlockHandOver::RequestStop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
}

bool CBlockHandOver::StopRequested() const
{
    std::lock_guard lock(m_mutex);
    return m_stop;
}

void CBlockHandOver::Post(const char* bytes, std::size_t count)
{
    QMetaObject::invokeMethod(
        m_context, [self = shared_from_this(), bytes, count] { self->HandToOwner(bytes, count); },
        Qt::QueuedConnection);
}

void CBlockHandOver::HandToOwner(const char* bytes, std::size_t count)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_state != State::Posted)
            return;
        m_state = State::Running;
    }
    QElapsedTimer turn;
    turn.start();
    do {
        const std::size_t slice = std::min(count, kSliceBytes);
        m_owner->OnSerialData(bytes, slice);
        bytes += slice;
        count -= slice;
    } while (count > 0 && turn.elapsed() < m_turnBudgetMs);
    {
        std::lock_guard lock(m_mutex);
        if (count == 0 || m_stop) {
            m_state = State::Idle;
        } else {
            // The rest in a later turn, behind whatever else the owner has to do.
            m_state = State::Posted;
            Post(bytes, count);
            return;
        }
    }
    m_changed.notify_all();
}

} // namespace orlan
