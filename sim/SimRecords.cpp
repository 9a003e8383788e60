#include "sim/SimRecords.h"

#include <array>
#include <cstdio>

namespace orlan {

namespace {

struct CivilTime {
    int year, month, day, hour, minute, second;
};

// The terminal's clock reading as a civil date and time (Gregorian calendar).
CivilTime CivilFromMs(int64_t ms)
{
    constexpr int64_t kStartSeconds = 1714521600; // 2024-05-01 00:00:00
    const int64_t seconds = kStartSeconds + (ms < 0 ? 0 : ms / 1000);
    const int64_t days = seconds / 86400;
    const int64_t daySeconds = seconds % 86400;

    const int64_t z = days + 719468;
    const int64_t era = z / 146097;
    const int64_t dayOfEra = z - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    const int64_t day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    const int64_t month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(day),
            static_cast<int>(daySeconds / 3600), static_cast<int>(daySeconds / 60 % 60),
            static_cast<int>(daySeconds % 60)};
}

struct EventKind {
    const char* text;
    const char* channel;
};

constexpr std::array<EventKind, 10> kEvents = {{
    {"DIN 0 ALARM SMS", "0 Front door"},
    {"DIN 0 RECOVER SMS", "0 Front door"},
    {"AIN 1 ALARM SMS", "1 Level"},
    {"TMP100 ALARM SMS", "0 Board"},
    {"HUMIDITY RECOVER SMS", "0 Room"},
    {"POWER ALARM SMS", "0 Mains"},
    {"WIRELESS SENSOR 3 ALARM", "3 Zone 3 office"},
    {"PANIC ALARM SMS", "0 Panic"},
    {"DEFENCE ARRANGED", "0 Remote"},
    {"DEFENCE REMOVED", "0 Remote"},
}};

} // namespace

std::string ClockText(int64_t ms)
{
    const CivilTime t = CivilFromMs(ms);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return text;
}

std::string EventLine(int number, std::size_t variant, int64_t ms)
{
    const EventKind& kind = kEvents[variant % kEvents.size()];
    return "$: \"" + std::to_string(number) + "\" \"" + kind.text + "\" \"" + kind.channel
        + "\" \"+8613800000001\" \"SMS\" \"SENT\" \"" + ClockText(ms) + "\"";
}

std::string TemperatureRecord(int sequence, const char* type, int64_t ms, const std::vector<SensorReading>& readings)
{
    const CivilTime t = CivilFromMs(ms);
    char head[64];
    std::snprintf(head, sizeof head, "$TR%06dET%s%02d-%02d-%02d %02d:%02d%02X", sequence % 1000000, type,
                  t.year % 100, t.month, t.day, t.hour, t.minute, static_cast<unsigned>(readings.size() & 0xFF));
    std::string record = head;
    for (const SensorReading& reading : readings) {
        char entry[48];
        std::snprintf(entry, sizeof entry, "%c%.2f,", reading.state, reading.celsius);
        record += entry;
    }
    return record;
}

} // namespace orlan
