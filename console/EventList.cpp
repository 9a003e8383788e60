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

std::string_view SourceName(std::string_view event)
{
    struct Rule {
        std::string_view key;
        std::string_view name;
    };
    static constexpr Rule kRules[] = {
        {"DIN ", "Digital inputs"},     {"AIN ", "Analog inputs"},
        {"TMP100 ", "interiar temp."},  {"HUMIDITY ", "Humidity"},
        {"POWER ", "DC/Power"},         {"WIRELESS SENSOR", "RF433"},
        {"PANIC ", "Panic button"},     {"DEFENCE ARRANGED", "Arm"},
        {"DEFENCE REMOVED", "Disarm"},
    };
    for (const Rule& rule : kRules) {
        if (Contains(event, rule.key))
            return rule.name;
    }
    return {};
}

int LeadingNumber(std::string_view text)
{
    const long long number = WholeNumber(text);
    return number > INT_MAX || number < INT_MIN ? 0 : static_cast<int>(number);
}

} // namespace

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

    std::string kind;
    if (Contains(event, "ALARM"))
        kind = "Alarm";
    else if (Contains(event, "RECOVER"))
        kind = "Restore";
    const std::string_view via = Contains(event, "SMS") ? "Sms" : "";

    row.columns[0] = std::string(SourceName(event)) + kind + std::string(via);
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
