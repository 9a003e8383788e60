#pragma once
// SIGINT, SIGTERM and SIGHUP as a call on the Qt thread. The handler only sets a
// flag (all a handler may safely do); a short timer looks at it.
#include <QObject>
#include <QTimer>

#include <functional>

namespace orlan {

class CStopSignals final : public QObject {
public:
    // Installs the handlers; `onStop` runs once per signal received.
    explicit CStopSignals(std::function<void()> onStop);
    ~CStopSignals() override;

private:
    QTimer m_poll;
    std::function<void()> m_onStop;
};

} // namespace orlan
