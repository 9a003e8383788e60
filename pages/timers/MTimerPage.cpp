#include "pages/timers/MTimerPage.h"

#include "console/WireFormat.h"
#include "labels/CommonLabelKeys.h"
#include "pages/timers/TimerFields.h"

#include <initializer_list>
#include <optional>

namespace orlan {

namespace {

std::string Id(std::string_view prefix, std::size_t timer, std::string_view suffix)
{
    return std::string(prefix) + std::to_string(timer) + std::string(suffix);
}

SFieldDesc TextField(std::string id, std::string labelKey, std::string_view hintKey)
{
    return {.id = std::move(id), .kind = EFieldKind::Text, .labelKey = std::move(labelKey),
            .hintKey = std::string(hintKey)};
}

SFieldDesc ActionField(std::string id)
{
    return {.id = std::move(id), .kind = EFieldKind::Choice, .items = TimerActionItems(kTimerActionKeys.size())};
}

struct STextLetter {
    char letter;
    std::string id;
};

// Stores a text letter in its field or an action ('T') in `actionId`. A timer
// number at or beyond `count`, or another letter, changes nothing.
bool StoreTextOrAction(CFieldSet& fields, const STimerValue& value, std::size_t count,
                       std::initializer_list<STextLetter> texts, const std::string& actionId)
{
    if (value.timer >= count)
        return false;
    for (const STextLetter& text : texts) {
        if (value.letter == text.letter) {
            fields.SetText(text.id, value.value);
            return true;
        }
    }
    if (value.letter != 'T')
        return false;
    const std::optional<int> index = ParseActionIndex(value.value);
    if (index)
        fields.SetChoice(actionId, *index);
    return index.has_value();
}

} // namespace

CPageMTimer::CPageMTimer()
    : CPage({.className = "CPageMTimer",
             .section = "PageMtimer",
             .navKey = "PAGE_TIMERS",
             .profileTitle = "System mtimers",
             .defaultTickLimit = 2000})
{
    const SFieldValue unselected{.number = -1};
    for (std::size_t n = 0; n < kClockTimers; ++n) {
        m_fields.Add(TextField(ClockHourId(n), Id("TIMER", n, ""), "HOUR"));
        m_fields.Add(TextField(ClockMinuteId(n), "", "MINS"));
        m_fields.Add(ActionField(ClockActionId(n)), unselected);
    }
    for (std::size_t n = 0; n < kIntervalTimers; ++n) {
        m_fields.Add(TextField(MinuteIntervalId(n), Id("COUNTER", n, ""), "MINS"));
        m_fields.Add(ActionField(MinuteActionId(n)), unselected);
    }
    for (std::size_t n = 0; n < kIntervalTimers; ++n) {
        m_fields.Add(TextField(SecondIntervalId(n), Id("COUNTER", n, ""), "SEC"));
        m_fields.Add(ActionField(SecondActionId(n)), unselected);
    }
    AddWeeklyTimerFields(m_fields, kHiddenWeeklyTimers, true);
}

std::string CPageMTimer::ClockHourId(std::size_t timer) { return Id("clock", timer, "Hour"); }
std::string CPageMTimer::ClockMinuteId(std::size_t timer) { return Id("clock", timer, "Minute"); }
std::string CPageMTimer::ClockActionId(std::size_t timer) { return Id("clock", timer, "Action"); }
std::string CPageMTimer::MinuteIntervalId(std::size_t timer) { return Id("minuteSpan", timer, "Interval"); }
std::string CPageMTimer::MinuteActionId(std::size_t timer) { return Id("minuteSpan", timer, "Action"); }
std::string CPageMTimer::SecondIntervalId(std::size_t timer) { return Id("secondSpan", timer, "Interval"); }
std::string CPageMTimer::SecondActionId(std::size_t timer) { return Id("secondSpan", timer, "Action"); }

std::string CPageMTimer::DumpRequest() const
{
    return std::string(kTimerDumpRequest);
}

std::vector<SDumpEntry> CPageMTimer::DumpEntries()
{
    return {{"$TIMER", [this](const SDumpValue& value) { StoreClock(value); }},
            {"$TSPAN", [this](const SDumpValue& value) { StoreMinuteSpan(value); }},
            {"$TSSPAN", [this](const SDumpValue& value) { StoreSecondSpan(value); }},
            {"$TDATE", [this](const SDumpValue& value) { StoreWeekly(value); }}};
}

void CPageMTimer::StoreClock(const SDumpValue& value)
{
    const std::optional<STimerValue> timer = ParseTimerValue(value.text);
    if (!timer)
        return;
    const std::size_t n = timer->timer;
    if (StoreTextOrAction(m_fields, *timer, kClockTimers, {{'H', ClockHourId(n)}, {'M', ClockMinuteId(n)}},
                          ClockActionId(n)))
        NotifyChanged();
}

void CPageMTimer::StoreMinuteSpan(const SDumpValue& value)
{
    const std::optional<STimerValue> timer = ParseTimerValue(value.text);
    if (timer && StoreTextOrAction(m_fields, *timer, kIntervalTimers, {{'M', MinuteIntervalId(timer->timer)}},
                                   MinuteActionId(timer->timer)))
        NotifyChanged();
}

void CPageMTimer::StoreSecondSpan(const SDumpValue& value)
{
    const std::optional<STimerValue> timer = ParseTimerValue(value.text);
    if (timer && StoreTextOrAction(m_fields, *timer, kIntervalTimers, {{'M', SecondIntervalId(timer->timer)}},
                                   SecondActionId(timer->timer)))
        NotifyChanged();
}

void CPageMTimer::StoreWeekly(const SDumpValue& value)
{
    const std::optional<STimerValue> timer = ParseTimerValue(value.text);
    if (timer && StoreWeeklyTimerValue(m_fields, kHiddenWeeklyTimers, *timer))
        NotifyChanged();
}

CCommandList CPageMTimer::SettingCommands(ETarget) const
{
    const CFieldSet& f = m_fields;
    CCommandList commands;
    for (std::size_t n = 0; n < kClockTimers; ++n)
        commands.push_back({FormatWire("%%MTIMER%d%s,%s,%d\r", static_cast<int>(n),
                                       f.LineText(ClockHourId(n)).c_str(), f.LineText(ClockMinuteId(n)).c_str(),
                                       f.Number(ClockActionId(n)))});
    for (std::size_t n = 0; n < kIntervalTimers; ++n)
        commands.push_back({FormatWire("%%MSPAN%d%s,%d\r", static_cast<int>(n),
                                       f.LineText(MinuteIntervalId(n)).c_str(), f.Number(MinuteActionId(n)))});
    for (std::size_t n = 0; n < kIntervalTimers; ++n)
        commands.push_back({FormatWire("%%SSPAN%d%s,%d\r", static_cast<int>(n),
                                       f.LineText(SecondIntervalId(n)).c_str(), f.Number(SecondActionId(n)))});
    return commands;
}

} // namespace orlan
