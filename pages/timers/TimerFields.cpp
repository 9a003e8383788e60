#include "pages/timers/TimerFields.h"

#include "console/TextScan.h"
#include "console/WireFormat.h"
#include "labels/CommonLabelKeys.h"
#include "pages/FieldHelpers.h"

#include <algorithm>

namespace orlan {

namespace {

constexpr std::size_t kUnkeyedAction = 3;

// Stores one timer dump value; true when a field changed.
bool StoreTimerValue(CFieldSet& fields, std::string_view text, std::size_t count,
                     const std::vector<STimerLetter>& letters)
{
    if (text.size() < 3 || !IsDigit(text[1]))
        return false;
    const std::size_t timer = static_cast<std::size_t>(text[1] - '0');
    const std::string_view value = text.substr(3);
    const auto letter = std::find_if(letters.begin(), letters.end(),
                                     [&text](const STimerLetter& l) { return l.letter == text[0]; });
    if (timer >= count || letter == letters.end())
        return false;
    const std::string id = letter->fieldId(timer);
    if (fields.Desc(fields.IndexOf(id)).kind != EFieldKind::Choice) {
        fields.SetText(id, value);
        return true;
    }
    const int index = LeadingIndex(value);
    if (index < 0)
        return false;
    fields.SetChoice(id, index);
    return true;
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

SDumpEntry TimerEntry(CPage& page, std::string_view key, std::size_t count, std::vector<STimerLetter> letters)
{
    return {std::string(key), [&page, count, letters = std::move(letters)](const SDumpValue& value) {
                if (StoreTimerValue(page.Fields(), value.text, count, letters))
                    page.NotifyChanged();
            }};
}

std::string TimerFieldId(std::string_view prefix, std::size_t timer, std::string_view suffix)
{
    return std::string(prefix) + std::to_string(timer) + std::string(suffix);
}

std::string WeeklyHourId(std::size_t timer) { return TimerFieldId("week", timer, "Hour"); }
std::string WeeklyMinuteId(std::size_t timer) { return TimerFieldId("week", timer, "Minute"); }
std::string WeeklyDayId(std::size_t timer) { return TimerFieldId("week", timer, "Day"); }
std::string WeeklyActionId(std::size_t timer) { return TimerFieldId("week", timer, "Action"); }

void AddWeeklyTimerFields(CFieldSet& fields, std::size_t count, bool hidden)
{
    for (std::size_t n = 0; n < count; ++n) {
        fields.Add(Hidden(Choice(WeeklyDayId(n), "DATE", CatalogueItems(kSectionSysChar, kWeekdayKeys)), hidden),
                   kNoSelection);
        fields.Add(Hidden(WithHint(Hour(Text(WeeklyHourId(n))), "HOUR"), hidden));
        fields.Add(Hidden(WithHint(Minute(Text(WeeklyMinuteId(n))), "MINS"), hidden));
        fields.Add(Hidden(Choice(WeeklyActionId(n), "", TimerActionItems(kWeeklyTimerActionCount)), hidden),
                   kNoSelection);
    }
}

SDumpEntry WeeklyTimerEntry(CPage& page, std::size_t count)
{
    return TimerEntry(page, "$TDATE", count,
                      {{'W', WeeklyDayId}, {'H', WeeklyHourId}, {'M', WeeklyMinuteId}, {'T', WeeklyActionId}});
}

} // namespace orlan
