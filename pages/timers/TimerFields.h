#pragma once
// What the machine timer page and the weekly timer page share: the timer
// action list, how their dump lines fill a timer and the weekly timer rows
// (the machine timer page keeps two of them, hidden and never sent).
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "pages/Page.h"

namespace orlan {

// One dump serves both timer pages.
inline constexpr std::string_view kTimerDumpRequest = "%DUMP_TIMER\r";

// The first `count` timer actions (at most 28): "%2.2d: " followed by the
// action's catalogue text, except action 3, which always reads "03: None".
std::vector<SChoiceItem> TimerActionItems(std::size_t count);

// A field letter of the timer dump values and the id of its field in timer n.
struct STimerLetter {
    char letter;
    std::string (*fieldId)(std::size_t timer);
};

// The entry of a timer key whose values are one letter, the timer number
// as one digit, one separator, then the value ("$TIMERH2 08"): a text field
// takes the value as it is, a list field its decimal index. A timer at or
// beyond `count`, another letter or a list value without a number changes
// nothing.
SDumpEntry TimerEntry(CPage& page, std::string_view key, std::size_t count, std::vector<STimerLetter> letters);

// The id of a timer's field: prefix, timer number, suffix ("clock2Hour").
std::string TimerFieldId(std::string_view prefix, std::size_t timer, std::string_view suffix);

// Field ids of weekly timer n.
std::string WeeklyHourId(std::size_t timer);
std::string WeeklyMinuteId(std::size_t timer);
std::string WeeklyDayId(std::size_t timer);
std::string WeeklyActionId(std::size_t timer);

// Adds weekday, hour, minute and action of weekly timers 0 .. count-1.
void AddWeeklyTimerFields(CFieldSet& fields, std::size_t count, bool hidden);
// The "$TDATE" entry filling weekly timers 0 .. count-1.
SDumpEntry WeeklyTimerEntry(CPage& page, std::size_t count);

} // namespace orlan
