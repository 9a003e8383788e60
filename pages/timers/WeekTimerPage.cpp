#include "pages/timers/WeekTimerPage.h"

#include "console/WireFormat.h"
#include "pages/timers/TimerFields.h"

namespace orlan {

namespace {
// The timer and its day, one digit each, back to back.
constexpr char kWeeklyFormat[] = "%%MDATE%1d%1d,%s,%s,%d\r";
} // namespace

CWeekTimerPage::CWeekTimerPage()
    : CPage({.className = "CWeekTimerPage",
             .section = "PageMtimer",
             .navKey = "PAGE_WEEK_TIMERS",
             .profileTitle = "Weekly timer commands",
             .defaultAnswerWaitMs = 2000})
{
    AddWeeklyTimerFields(m_fields, kWeeklyTimers, false);
    AddProfileInverse(kWeeklyFormat, IntoRowFields(m_fields, kWeeklyTimers, [](std::size_t n) {
                          return std::vector<std::string>{WeeklyDayId(n), WeeklyHourId(n), WeeklyMinuteId(n),
                                                          WeeklyActionId(n)};
                      }));
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
        commands.push_back({FormatWire(kWeeklyFormat, static_cast<int>(n), f.Number(WeeklyDayId(n)),
                                       f.LineText(WeeklyHourId(n)).c_str(), f.LineText(WeeklyMinuteId(n)).c_str(),
                                       f.Number(WeeklyActionId(n)))});
    return commands;
}

} // namespace orlan
