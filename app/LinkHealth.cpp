#include "app/LinkHealth.h"

namespace orlan {

void CLinkHealth::SetPort(bool open, bool lost, std::int64_t nowMs)
{
    if (open) {
        if (m_phase == EPhase::Open || m_phase == EPhase::Heard)
            return;
        m_phase = EPhase::Open;
        m_openedAt = nowMs;
        return;
    }
    m_phase = lost ? EPhase::Lost : EPhase::Closed;
}

void CLinkHealth::LineReceived(std::int64_t nowMs)
{
    if (m_phase == EPhase::Open)
        m_phase = EPhase::Heard;
    m_lastLineAt = nowMs;
}

CLinkHealth::EState CLinkHealth::State(std::int64_t nowMs) const
{
    switch (m_phase) {
    case EPhase::Closed:
        return EState::Closed;
    case EPhase::Lost:
        return EState::Lost;
    case EPhase::Heard:
        return EState::Alive;
    case EPhase::Open:
        break;
    }
    return nowMs - m_openedAt >= kSilentAfterMs ? EState::Silent : EState::Waiting;
}

int CLinkHealth::QuietSeconds(std::int64_t nowMs) const
{
    if (m_phase != EPhase::Open || nowMs < m_openedAt)
        return 0;
    return static_cast<int>((nowMs - m_openedAt) / 1000);
}

} // namespace orlan
