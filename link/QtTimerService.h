#pragma once
// The core's timer service on Qt timers of the calling (owner) thread.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <map>
#include <memory>

#include "console/TimerService.h"

namespace orlan {

class CQtTimerService final : public ITimerService {
public:
    CQtTimerService() { m_clock.start(); }

    int64_t NowMs() const override { return m_clock.elapsed(); }

    TimerId CallAfter(int ms, std::function<void()> callback) override
    {
        const TimerId id = ++m_lastId;
        auto timer = std::make_unique<QTimer>();
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer.get(), &QTimer::timeout, timer.get(), [this, id, callback = std::move(callback)] {
            // Forget the timer first: the callback may set new ones.
            auto found = m_timers.find(id);
            if (found == m_timers.end())
                return;
            found->second.release()->deleteLater();
            m_timers.erase(found);
            callback();
        });
        timer->start(ms < 0 ? 0 : ms);
        m_timers.emplace(id, std::move(timer));
        return id;
    }

    void Cancel(TimerId id) override
    {
        auto found = m_timers.find(id);
        if (found == m_timers.end())
            return;
        found->second->stop();
        found->second.release()->deleteLater();
        m_timers.erase(found);
    }

private:
    QElapsedTimer m_clock;
    TimerId m_lastId = 0;
    std::map<TimerId, std::unique_ptr<QTimer>> m_timers;
};

} // namespace orlan
