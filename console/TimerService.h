#pragma once
// "Call me after N ms" and "now", so that waits in the core are states, not
// loops: the programs use Qt timers, tests a manual clock.
#include <cstdint>
#include <functional>

namespace orlan {

class ITimerService {
public:
    using TimerId = uint64_t;
    virtual ~ITimerService() = default;
    virtual int64_t NowMs() const = 0;
    // Calls `callback` once after `ms` milliseconds; returns an id for Cancel.
    virtual TimerId CallAfter(int ms, std::function<void()> callback) = 0;
    // Cancelling a timer that already fired or was cancelled does nothing.
    virtual void Cancel(TimerId id) = 0;
};

} // namespace orlan
