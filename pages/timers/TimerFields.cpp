#include "pages/timers/TimerFields.h"

#include "console/WireFormat.h"
#include "labels/CommonLabelKeys.h"

#include <algorithm>
#include <charconv>

namespace orlan {

namespace {

constexpr std::size_t kUnkeyedAction = 3;

SFieldDesc Field(std::string id, EFieldKind kind, std::string_view labelKey, std::string_view hintKey,
                 bool hidden)
{
    return {.id = std::move(id),
            .kind = kind,
            .labelKey = std::string(labelKey),
            .hintKey = std::string(hintKey),
            .hidden = hidden};
}

std::vector<SChoiceItem> WeekdayItems()
{
    std::vector<SChoiceItem> items;
    for (std::string_view key : kWeekdayKeys)
        items.push_back({.section = std::string(kSectionSysChar), .key = std::string(key)});
    return items;
}

} // namespace

std::vector<SChoiceItem> TimerActionItems(std::size_t count)
{
    count = std::min(count, kTimerActionKeys.size());
    std::vector<SChoiceItem> items;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string prefix = FormatWire("%2.2d: ", static_cast<int>(i));
        if (i == kUnkeyedAction)
            items.push_back({.text = prefix + std::string(kTimerActionFixedText)});
        else
            items.push_back({.text = prefix,
                             .section = std::string(kSectionTimerActs),
                             .key = std::string(kTimerActionKeys[i])});
    }
    return items;
}

std::optional<STimerValue> ParseTimerValue(std::string_view text)
{
    if (text.size() < 3 || text[1] < '0' || text[1] > '9')
        return std::nullopt;
    return STimerValue{.letter = text[0],
                       .timer = static_cast<std::size_t>(text[1] - '0'),
                       .value = text.substr(3)};
}

std::optional<int> ParseActionIndex(std::string_view value)
{
    const auto first = value.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    value.remove_prefix(first);
    int index = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), index);
    if (error != std::errc{} || end == value.data())
        return std::nullopt;
    return index;
}

std::string WeeklyHourId(std::size_t timer)
{
    return "week" + std::to_string(timer) + "Hour";
}
std::string WeeklyMinuteId(std::size_t timer)
{
    return "week" + std::to_string(timer) + "Minute";
}
std::string WeeklyDayId(std::size_t timer)
{
    return "week" + std::to_string(timer) + "Day";
}
std::string WeeklyActionId(std::size_t timer)
{
    return "week" + std::to_string(timer) + "Action";
}

void AddWeeklyTimerFields(CFieldSet& fields, std::size_t count, bool hidden)
{
    const SFieldValue unselected{.number = -1};
    for (std::size_t n = 0; n < count; ++n) {
        SFieldDesc day = Field(WeeklyDayId(n), EFieldKind::Choice, "DATE", "", hidden);
        day.items = WeekdayItems();
        fields.Add(std::move(day), unselected);
        fields.Add(Field(WeeklyHourId(n), EFieldKind::Text, "", "HOUR", hidden));
        fields.Add(Field(WeeklyMinuteId(n), EFieldKind::Text, "", "MINS", hidden));
        SFieldDesc action = Field(WeeklyActionId(n), EFieldKind::Choice, "", "", hidden);
        action.items = TimerActionItems(kWeeklyTimerActionCount);
        fields.Add(std::move(action), unselected);
    }
}

bool StoreWeeklyTimerValue(CFieldSet& fields, std::size_t count, const STimerValue& value)
{
    if (value.timer >= count)
        return false;
    const std::size_t n = value.timer;
    switch (value.letter) {
    case 'H':
        fields.SetText(WeeklyHourId(n), value.value);
        return true;
    case 'M':
        fields.SetText(WeeklyMinuteId(n), value.value);
        return true;
    case 'W':
    case 'T':
        if (const std::optional<int> index = ParseActionIndex(value.value)) {
            fields.SetChoice(value.letter == 'W' ? WeeklyDayId(n) : WeeklyActionId(n), *index);
            return true;
        }
        return false;
    default:
        return false;
    }
}

} // namespace orlan
