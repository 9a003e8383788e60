#include "console/EventList.h"

#include <climits>

#include "console/TextScan.h"

#include <cstdio>
#include <cstdlib>

namespace orlan {

namespace {

constexpr size_t kMaxFieldLength = 127;

bool Contains(std::string_view text, std::string_view what)
{
    return text.find(what) != std::string_view::npos;
}

// The first rule whose words the event text holds names the source.
EEventSource SourceOf(std::string_view event)
{
    struct Rule {
        std::string_view words;
        EEventSource source;
    };
    static constexpr Rule kRules[] = {
        {"DIN ", EEventSource::DigitalInputs},
        {"AIN ", EEventSource::AnalogInputs},
        {"TMP100 ", EEventSource::InteriorTemperature},
        {"HUMIDITY ", EEventSource::Humidity},
        {"POWER ", EEventSource::Power},
        {"WIRELESS SENSOR", EEventSource::Rf433},
        {"PANIC ", EEventSource::PanicButton},
        {"DEFENCE ARRANGED", EEventSource::Arm},
        {"DEFENCE REMOVED", EEventSource::Disarm},
    };
    for (const Rule& rule : kRules) {
        if (Contains(event, rule.words))
            return rule.source;
    }
    return EEventSource::None;
}

int LeadingNumber(std::string_view text)
{
    const long long number = WholeNumber(text);
    return number > INT_MAX || number < INT_MIN ? 0 : static_cast<int>(number);
}

} // namespace

const std::array<SEventTextKey, kEventSources - 1> kEventSourceTexts = {{
    {"SRC_DIN", "Digital inputs"},
    {"SRC_AIN", "Analog inputs"},
    {"SRC_TMP100", "interiar temp."},
    {"SRC_HUMIDITY", "Humidity"},
    {"SRC_POWER", "DC/Power"},
    {"SRC_RF433", "RF433"},
    {"SRC_PANIC", "Panic button"},
    {"SRC_ARM", "Arm"},
    {"SRC_DISARM", "Disarm"},
}};

const std::array<SEventTextKey, 6> kEventPatternTexts = {{
    {"", "%s"},
    {"EVENT_SMS", "%s: Sms"},
    {"EVENT_ALARM", "%s: Alarm"},
    {"EVENT_ALARM_SMS", "%s: Alarm, Sms"},
    {"EVENT_RESTORE", "%s: Restore"},
    {"EVENT_RESTORE_SMS", "%s: Restore, Sms"},
}};

SEventTexts BuiltInEventTexts()
{
    SEventTexts texts;
    for (size_t i = 0; i < texts.sources.size(); ++i)
        texts.sources[i] = kEventSourceTexts[i].builtIn;
    for (size_t i = 0; i < texts.patterns.size(); ++i)
        texts.patterns[i] = kEventPatternTexts[i].builtIn;
    return texts;
}

std::string EventTitle(const SEventWhat& what, const SEventTexts& texts)
{
    const auto source = static_cast<size_t>(what.source);
    const std::string& name = source == 0 ? what.eventText : texts.sources[source - 1];
    const size_t pattern = static_cast<size_t>(what.kind) * 2 + (what.bySms ? 1 : 0);
    // The name goes in by hand: a translated pattern is never handed to printf.
    std::string title = texts.patterns[pattern];
    const size_t at = title.find("%s");
    if (at == std::string::npos)
        return title;
    return title.replace(at, 2, name);
}

std::string EventField(std::string_view line, int n)
{
    size_t pos = 0;
    for (int quote = 0; quote < 2 * n + 1; ++quote) {
        pos = line.find('"', pos);
        if (pos == std::string_view::npos)
            return {};
        ++pos;
    }
    const size_t end = line.find('"', pos);
    if (end == std::string_view::npos)
        return {};
    return std::string(line.substr(pos, std::min(end - pos, kMaxFieldLength)));
}

SEventRow ParseEventRecord(std::string_view line, const STimeOfDay& now)
{
    SEventRow row;
    row.recordNumber = LeadingNumber(EventField(line, 0));
    const std::string event = EventField(line, 1);
    const std::string channel = EventField(line, 2);
    row.channelNumber = LeadingNumber(channel);

    row.what.source = SourceOf(event);
    if (Contains(event, "ALARM"))
        row.what.kind = EEventKind::Alarm;
    else if (Contains(event, "RECOVER"))
        row.what.kind = EEventKind::Restore;
    row.what.bySms = Contains(event, "SMS");
    row.what.eventText = event;

    static const SEventTexts kBuiltIn = BuiltInEventTexts();
    row.columns[0] = EventTitle(row.what, kBuiltIn);
    row.columns[1] = channel;
    row.columns[2] = EventField(line, 3);
    row.columns[3] = EventField(line, 4);
    row.columns[4] = EventField(line, 5);
    char time[32];
    std::snprintf(time, sizeof time, "%2.2d:%2.2d:%2.2d", now.hours, now.minutes, now.seconds);
    row.columns[5] = EventField(line, 6) + " (" + time + ")";
    return row;
}

const SEventRow& CEventList::Append(SEventRow row)
{
    if (m_maxRows > 0 && m_rows.size() >= m_maxRows)
        m_rows.pop_front();
    m_rows.push_back(std::move(row));
    return m_rows.back();
}

} // namespace orlan
