#include "sim/SimRecords.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>

namespace orlan {

namespace {

struct CivilTime {
    int year, month, day, hour, minute, second;
};

// The terminal's clock reading as a civil date and time.
CivilTime CivilFromMs(int64_t ms)
{
    using namespace std::chrono;
    constexpr sys_days kStart = 2024y / May / 1; // the reading when the simulation starts
    const sys_seconds at = kStart + floor<seconds>(milliseconds(std::max<int64_t>(ms, 0)));
    const sys_days day = floor<days>(at);
    const year_month_day date(day);
    const hh_mm_ss time(at - day);
    return {static_cast<int>(date.year()),
            static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())),
            static_cast<int>(time.hours().count()),
            static_cast<int>(time.minutes().count()),
            static_cast<int>(time.seconds().count())};
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
