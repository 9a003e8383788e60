#pragma once
// What the port lamp and the link text say, from what the channel did: a
// port that opened is only a path to the terminal; the terminal is there
// once a line came back. Plain C++ over a millisecond clock the caller
// passes in, so the rules are tested without a port or a timer.
#include <cstdint>

namespace orlan {

class CLinkHealth {
public:
    enum class EState {
        Closed,   // never opened, closed by the user, or failed to open
        Waiting,  // open, nothing heard yet
        Silent,   // open, nothing heard for kSilentAfterMs since it opened
        Alive,    // open, the terminal has sent a line since
        Lost,     // the channel closed under us (adapter gone, cable pulled)
    };
    static constexpr std::int64_t kSilentAfterMs = 5000;

    // The channel as it is now; `lost` when it closed by a loss rather than
    // by the user. Being told "open" again while open changes nothing.
    void SetPort(bool open, bool lost, std::int64_t nowMs);
    // A line (text with its CR or LF) arrived.
    void LineReceived(std::int64_t nowMs);

    EState State(std::int64_t nowMs) const;
    // Whole seconds since the port opened without a line (0 when closed).
    int QuietSeconds(std::int64_t nowMs) const;
    // Whether the actions that talk to a terminal make sense: off only
    // while a lost link waits for its adapter.
    bool TerminalActionsAllowed() const { return m_phase != EPhase::Lost; }
    // Whether the terminal sent a line less than kSilentAfterMs ago: one
    // that answered once and then fell silent is not waited for.
    bool SpokeLately(std::int64_t nowMs) const
    {
        return m_phase == EPhase::Heard && nowMs - m_lastLineAt < kSilentAfterMs;
    }
    bool operator==(const CLinkHealth&) const = default;

private:
    enum class EPhase { Closed, Open, Heard, Lost };
    EPhase m_phase = EPhase::Closed;
    std::int64_t m_openedAt = 0;
    std::int64_t m_lastLineAt = 0;
};

} // namespace orlan
