#pragma once
// What the machine timer page and the weekly timer page share: the timer
// action list, the shape of their dump values and the weekly timer rows (the
// machine timer page keeps two of them, hidden and never sent).
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pages/FieldSet.h"

namespace orlan {

// One dump serves both timer pages.
inline constexpr std::string_view kTimerDumpRequest = "%DUMP_TIMER\r";

// The first `count` timer actions (at most 28): "%2.2d: " followed by the
// action's catalogue text, except action 3, which always reads "03: None".
std::vector<SChoiceItem> TimerActionItems(std::size_t count);

// A timer dump value: one field letter, the timer number as one digit, one
// separator character, then the value ("H2 08").
struct STimerValue {
    char letter = 0;
    std::size_t timer = 0;
    std::string_view value;
};
std::optional<STimerValue> ParseTimerValue(std::string_view text);

// A decimal list index as the terminal reports it; nothing for a value that
// is not a number.
std::optional<int> ParseActionIndex(std::string_view value);

// Field ids of weekly timer n.
std::string WeeklyHourId(std::size_t timer);
std::string WeeklyMinuteId(std::size_t timer);
std::string WeeklyDayId(std::size_t timer);
std::string WeeklyActionId(std::size_t timer);

// Adds weekday, hour, minute and action of weekly timers 0 .. count-1.
void AddWeeklyTimerFields(CFieldSet& fields, std::size_t count, bool hidden);
// Stores a "$TDATE" value in the weekly timer fields; a timer beyond `count`
// or an unknown letter changes nothing. True when a field changed.
bool StoreWeeklyTimerValue(CFieldSet& fields, std::size_t count, const STimerValue& value);

} // namespace orlan
