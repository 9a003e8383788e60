#include "pages/timers/WeekTimerPage.h"

#include "console/WireFormat.h"
#include "pages/timers/TimerFields.h"

namespace orlan {

CWeekTimerPage::CWeekTimerPage()
    : CPage({.className = "CWeekTimerPage",
             .section = "PageMtimer",
             .navKey = "PAGE_WEEK_TIMERS",
             .profileTitle = "Weekly timer commands",
             .defaultAnswerWaitMs = 2000})
{
    AddWeeklyTimerFields(m_fields, kWeeklyTimers, false);
}

std::string CWeekTimerPage::DumpRequest() const
{
    return std::string(kTimerDumpRequest);
}

std::vector<SDumpEntry> CWeekTimerPage::DumpEntries()
{
    return {WeeklyTimerEntry(*this, kWeeklyTimers)};
}

CCommandList CWeekTimerPage::SettingCommands(ETarget) const
{
    const CFieldSet& f = m_fields;
    CCommandList commands;
    for (std::size_t n = 0; n < kWeeklyTimers; ++n)
        commands.push_back({FormatWire("%%MDATE%d%d,%s,%s,%d\r", static_cast<int>(n), f.Number(WeeklyDayId(n)),
                                       f.LineText(WeeklyHourId(n)).c_str(), f.LineText(WeeklyMinuteId(n)).c_str(),
                                       f.Number(WeeklyActionId(n)))});
    return commands;
}

} // namespace orlan
