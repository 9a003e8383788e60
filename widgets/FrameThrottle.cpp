#include "widgets/FrameThrottle.h"

#include <QTimer>

#include <utility>

namespace orlan {

CFrameThrottle::CFrameThrottle(QObject* owner, std::function<void()> refresh)
    : m_refresh(std::move(refresh)), m_timer(new QTimer(owner))
{
    m_timer->setSingleShot(true);
    m_timer->setInterval(kFrameMs);
    QObject::connect(m_timer, &QTimer::timeout, m_timer, [this] { FrameEnded(); });
}

void CFrameThrottle::Request()
{
    if (m_timer->isActive() || m_running) {
        m_pending = true;
        return;
    }
    Run();
    m_timer->start();
}

void CFrameThrottle::Flush()
{
    if (m_pending)
        Run();
}

void CFrameThrottle::Run()
{
    m_pending = false;
    ++m_refreshes;
    m_running = true;
    m_refresh();
    m_running = false;
}

void CFrameThrottle::FrameEnded()
{
    if (!m_pending)
        return;
    Run();
    m_timer->start();  // the next change waits for this frame's end too
}

} // namespace orlan
