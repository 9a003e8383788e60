#pragma once
// Texts the terminal prints on its own: event-log lines and temperature
// records. The terminal's clock starts at 2024-05-01 00:00:00 when the
// simulation starts; times are given in milliseconds since then.
#include <cstdint>
#include <string>
#include <vector>

namespace orlan {

// "YYYY-MM-DD hh:mm:ss"
std::string ClockText(int64_t ms);

// Event-log line: $: then seven double-quoted fields (record number, event
// text, channel number and name, phone, channel, outcome, time). Variants
// cycle through the terminal's kinds of events.
std::string EventLine(int number, std::size_t variant, int64_t ms);

struct SensorReading {
    char state = '0'; // '0' normal, '1' alarm, '2' disconnected
    double celsius = 0.0;
};

inline constexpr const char* kRealtimeRecord = "33";
inline constexpr const char* kStoredRecord = "83";

// One temperature record: 9 characters ("$TR" + sequence), "ET", the record
// type, a 14-character time stamp ("YY-MM-DD hh:mm"), the entry count as two
// hexadecimal digits and per sensor its state, its temperature with two
// decimals and a comma.
std::string TemperatureRecord(int sequence, const char* type, int64_t ms, const std::vector<SensorReading>& readings);

} // namespace orlan
