#pragma once
// The terminal's seven weekly timers: weekday, hour, minute and one of the
// first eight timer actions. Field ids per timer n = 0..6, in command order:
// week<n>Day, week<n>Hour, week<n>Minute, week<n>Action (see TimerFields.h).
#include <cstddef>
#include <string>

#include "pages/Page.h"

namespace orlan {

class CWeekTimerPage final : public CPage {
public:
    static constexpr std::size_t kWeeklyTimers = 7;

    CWeekTimerPage();

    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;

protected:
    CCommandList SettingCommands(ETarget target) const override;
};

} // namespace orlan
