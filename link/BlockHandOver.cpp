#include "link/BlockHandOver.h"

#include <QMetaObject>

namespace orlan {

namespace {

constexpr int kWaitStepMs = 20;

} // namespace

std::shared_ptr<CBlockHandOver> CBlockHandOver::Create(IBlockReceiver* owner, QObject* context,
                                                       std::size_t bufferSize)
{
    return std::shared_ptr<CBlockHandOver>(new CBlockHandOver(owner, context, bufferSize));
}

CBlockHandOver::CBlockHandOver(IBlockReceiver* owner, QObject* context, std::size_t bufferSize)
    : m_owner(owner), m_context(context), m_buffer(bufferSize)
{
}

void CBlockHandOver::Deliver(const char* bytes, std::size_t count)
{
    if (m_owner == nullptr || m_context == nullptr)
        return;
    {
        QMutexLocker lock(&m_mutex);
        m_state = State::Posted;
    }
    QMetaObject::invokeMethod(
        m_context, [self = shared_from_this(), bytes, count] { self->HandToOwner(bytes, count); },
        Qt::QueuedConnection);
    while (!m_processed.tryAcquire(1, kWaitStepMs)) {
        if (StopRequested()) {
            // A handler already running keeps this object, and so the buffer.
            QMutexLocker lock(&m_mutex);
            if (m_state == State::Posted)
                m_state = State::Cancelled;
            return;
        }
    }
}

void CBlockHandOver::HandToOwner(const char* bytes, std::size_t count)
{
    {
        QMutexLocker lock(&m_mutex);
        if (m_state != State::Posted)
            return;
        m_state = State::Running;
    }
    m_owner->OnSerialData(bytes, count);
    {
        QMutexLocker lock(&m_mutex);
        m_state = State::Idle;
    }
    m_processed.release();
}

} // namespace orlan
