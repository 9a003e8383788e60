#pragma once
// The terminal's machine timers: six clock timers (hour, minute, action),
// four minute-interval and four second-interval timers (interval, action).
// Each fires one action of the timer action list.
//
// Field ids, in command order: clock<n>Hour, clock<n>Minute, clock<n>Action
// (n = 0..5), minuteSpan<n>Interval, minuteSpan<n>Action, secondSpan<n>Interval,
// secondSpan<n>Action (n = 0..3); then weekly timers 0 and 1 (week<n>Day,
// week<n>Hour, week<n>Minute, week<n>Action), hidden and never sent.
#include <cstddef>
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageMTimer final : public CPage {
public:
    static constexpr std::size_t kClockTimers = 6;
    static constexpr std::size_t kIntervalTimers = 4;
    static constexpr std::size_t kHiddenWeeklyTimers = 2;

    CPageMTimer();

    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;

    static std::string ClockHourId(std::size_t timer);
    static std::string ClockMinuteId(std::size_t timer);
    static std::string ClockActionId(std::size_t timer);
    static std::string MinuteIntervalId(std::size_t timer);
    static std::string MinuteActionId(std::size_t timer);
    static std::string SecondIntervalId(std::size_t timer);
    static std::string SecondActionId(std::size_t timer);

protected:
    CCommandList SettingCommands(ETarget target) const override;
};

} // namespace orlan
