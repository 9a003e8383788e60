#include "pages/timers/MTimerPage.h"

#include "console/WireFormat.h"
#include "labels/CommonLabelKeys.h"
#include "pages/FieldHelpers.h"
#include "pages/timers/TimerFields.h"

namespace orlan {

namespace {

SFieldDesc InGroup(SFieldDesc desc, std::string_view group)
{
    desc.group = std::string(group);
    return desc;
}

// The timer commands; the timer is one digit, so the value behind it
// stays apart when a profile is read back.
constexpr char kClockFormat[] = "%%MTIMER%1d%s,%s,%d\r";
constexpr char kMinuteFormat[] = "%%MSPAN%1d%s,%d\r";
constexpr char kSecondFormat[] = "%%SSPAN%1d%s,%d\r";

} // namespace

CPageMTimer::CPageMTimer()
    : CPage({.className = "CPageMTimer",
             .section = "PageMtimer",
             .navKey = "PAGE_TIMERS",
             .profileTitle = "System mtimers",
             .defaultAnswerWaitMs = 2000})
{
    const std::vector<SChoiceItem> actions = TimerActionItems(kTimerActionKeys.size());
    // The two kinds of interval timer share their labels: their boxes tell them apart.
    m_fields.AddGroup({.id = "clockTimers", .captionKey = "TITLE"});
    m_fields.AddGroup({.id = "minuteTimers", .captionKey = "FRAME2"});
    m_fields.AddGroup({.id = "secondTimers", .captionKey = "FRAME3"});
    for (std::size_t n = 0; n < kClockTimers; ++n) {
        m_fields.Add(InGroup(WithHint(Hour(Text(ClockHourId(n), "TIMER" + std::to_string(n))), "HOUR"), "clockTimers"));
        m_fields.Add(InGroup(WithHint(Minute(Text(ClockMinuteId(n))), "MINS"), "clockTimers"));
        m_fields.Add(InGroup(Choice(ClockActionId(n), "", actions), "clockTimers"), kNoSelection);
    }
    for (std::size_t n = 0; n < kIntervalTimers; ++n) {
        m_fields.Add(InGroup(WithHint(Whole(Text(MinuteIntervalId(n), "COUNTER" + std::to_string(n))), "MINS"),
                             "minuteTimers"));
        m_fields.Add(InGroup(Choice(MinuteActionId(n), "", actions), "minuteTimers"), kNoSelection);
    }
    for (std::size_t n = 0; n < kIntervalTimers; ++n) {
        m_fields.Add(InGroup(WithHint(Whole(Text(SecondIntervalId(n), "COUNTER" + std::to_string(n))), "SEC"),
                             "secondTimers"));
        m_fields.Add(InGroup(Choice(SecondActionId(n), "", actions), "secondTimers"), kNoSelection);
    }
    AddWeeklyTimerFields(m_fields, kHiddenWeeklyTimers, true);
    AddProfileInverse(kClockFormat, IntoRowFields(m_fields, kClockTimers, [](std::size_t n) {
                          return std::vector<std::string>{ClockHourId(n), ClockMinuteId(n), ClockActionId(n)};
                      }));
    AddProfileInverse(kMinuteFormat, IntoRowFields(m_fields, kIntervalTimers, [](std::size_t n) {
                          return std::vector<std::string>{MinuteIntervalId(n), MinuteActionId(n)};
                      }));
    AddProfileInverse(kSecondFormat, IntoRowFields(m_fields, kIntervalTimers, [](std::size_t n) {
                          return std::vector<std::string>{SecondIntervalId(n), SecondActionId(n)};
                      }));
}

std::string CPageMTimer::ClockHourId(std::size_t timer) { return TimerFieldId("clock", timer, "Hour"); }
std::string CPageMTimer::ClockMinuteId(std::size_t timer) { return TimerFieldId("clock", timer, "Minute"); }
std::string CPageMTimer::ClockActionId(std::size_t timer) { return TimerFieldId("clock", timer, "Action"); }
std::string CPageMTimer::MinuteIntervalId(std::size_t timer) { return TimerFieldId("minuteSpan", timer, "Interval"); }
std::string CPageMTimer::MinuteActionId(std::size_t timer) { return TimerFieldId("minuteSpan", timer, "Action"); }
std::string CPageMTimer::SecondIntervalId(std::size_t timer) { return TimerFieldId("secondSpan", timer, "Interval"); }
std::string CPageMTimer::SecondActionId(std::size_t timer) { return TimerFieldId("secondSpan", timer, "Action"); }

std::string CPageMTimer::DumpRequest() const
{
    return std::string(kTimerDumpRequest);
}

std::vector<SDumpEntry> CPageMTimer::DumpEntries()
{
    return {TimerEntry(*this, "$TIMER", kClockTimers, {{'H', ClockHourId}, {'M', ClockMinuteId}, {'T', ClockActionId}}),
            TimerEntry(*this, "$TSPAN", kIntervalTimers, {{'M', MinuteIntervalId}, {'T', MinuteActionId}}),
            TimerEntry(*this, "$TSSPAN", kIntervalTimers, {{'M', SecondIntervalId}, {'T', SecondActionId}}),
            WeeklyTimerEntry(*this, kHiddenWeeklyTimers)};
}

CCommandList CPageMTimer::SettingCommands(ETarget) const
{
    const CFieldSet& f = m_fields;
    CCommandList commands;
    for (std::size_t n = 0; n < kClockTimers; ++n)
        commands.push_back({FormatWire(kClockFormat, static_cast<int>(n),
                                       f.LineText(ClockHourId(n)).c_str(), f.LineText(ClockMinuteId(n)).c_str(),
                                       f.Number(ClockActionId(n)))});
    for (std::size_t n = 0; n < kIntervalTimers; ++n)
        commands.push_back({FormatWire(kMinuteFormat, static_cast<int>(n),
                                       f.LineText(MinuteIntervalId(n)).c_str(), f.Number(MinuteActionId(n)))});
    for (std::size_t n = 0; n < kIntervalTimers; ++n)
        commands.push_back({FormatWire(kSecondFormat, static_cast<int>(n),
                                       f.LineText(SecondIntervalId(n)).c_str(), f.Number(SecondActionId(n)))});
    return commands;
}

} // namespace orlan
