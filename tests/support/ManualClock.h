#pragma once
// A timer service whose time moves only when the test says so.
#include <map>
#include <utility>

#include "console/TimerService.h"

namespace orlan::test {

class CManualClock final : public ITimerService {
public:
    int64_t NowMs() const override { return m_now; }
    TimerId CallAfter(int ms, std::function<void()> callback) override
    {
        const TimerId id = ++m_lastId;
        m_timers.emplace(id, std::make_pair(m_now + ms, std::move(callback)));
        return id;
    }
    void Cancel(TimerId id) override { m_timers.erase(id); }

    // Moves time forward, firing due timers in time order.
    void Advance(int64_t ms)
    {
        const int64_t target = m_now + ms;
        for (;;) {
            auto next = m_timers.end();
            for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
                if (it->second.first <= target && (next == m_timers.end() || it->second.first < next->second.first))
                    next = it;
            }
            if (next == m_timers.end())
                break;
            m_now = next->second.first;
            auto callback = std::move(next->second.second);
            m_timers.erase(next);
            callback();
        }
        m_now = target;
    }
    size_t Pending() const { return m_timers.size(); }

private:
    int64_t m_now = 0;
    TimerId m_lastId = 0;
    std::map<TimerId, std::pair<int64_t, std::function<void()>>> m_timers;
};

} // namespace orlan::test
