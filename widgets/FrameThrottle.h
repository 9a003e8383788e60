#pragma once
// Refreshes a view at most once a frame however fast its data changes: the
// first change after a quiet frame refreshes at once, later ones in the same
// frame are folded into one refresh at the frame's end.
#include <QObject>

#include <functional>

class QTimer;

namespace orlan {

class CFrameThrottle {
public:
    static constexpr int kFrameMs = 16;

    // `owner` keeps the timer (the refresh runs in its thread).
    CFrameThrottle(QObject* owner, std::function<void()> refresh);

    // Something shown changed (also from inside a refresh that left work
    // for the next frame).
    void Request();
    // Runs a refresh still owed, now (before the view is read or saved).
    void Flush();
    bool Pending() const { return m_pending; }
    // Refreshes run so far.
    int Refreshes() const { return m_refreshes; }

private:
    void Run();
    void FrameEnded();

    std::function<void()> m_refresh;
    QTimer* m_timer;
    bool m_pending = false;
    bool m_running = false;
    int m_refreshes = 0;
};

} // namespace orlan
