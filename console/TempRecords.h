#pragma once
// Temperature records carried in the terminal's "$" lines: realtime samples
// (type 33) and stored log records replayed on request (type 83). A record
// starts at the line's first character or right behind the record before:
//
//   p+0  9 characters not read
//   p+9  "ET"
//   p+11 the type, two hex digits
//   p+13 the time stamp, 14 characters, kept as sent
//   p+27 the number of sensor entries, two hex digits
//   p+29 the entries: a state character, the temperature with exactly two
//        decimals (an optional minus, at most 20 characters before the
//        point), one separator of any kind
//
// Hex digits are read without regard to case; any other character counts 0.
// Nothing of a record or an entry that does not fit in the line is taken,
// and nothing beyond the line is read.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orlan {

inline constexpr int kRealtimeRecordType = 0x33;
inline constexpr int kStoredRecordType = 0x83;
// Characters from a record's start to its type's end: a record is looked
// for only where this many remain.
inline constexpr size_t kRecordTypeEnd = 13;
inline constexpr size_t kRecordHeaderLength = 29;
inline constexpr size_t kRecordTimeLength = 14;
inline constexpr size_t kMaxDigitsBeforePoint = 20;

struct STempEntry {
    char state = 0;          // '0' normal, '1' alarm, '2' disconnected, else as sent
    bool hasValue = false;   // false: the entry's temperature was not a number
    double celsius = 0.0;
    std::string text;        // "%.2f" of the value; empty without one
};

struct STempRecord {
    int type = 0;
    // The "ET" marker is there and the header fits: the time stamp and the
    // entries are the record's. Otherwise only the type was read.
    bool marked = false;
    std::string_view timeStamp;
    // The entries that fit in the line, entry k for sensor k.
    std::vector<STempEntry> entries;
};

// Every record of the line, in order. The record handed to `onRecord` is
// reused for the next one.
void ScanTempRecords(std::string_view line, const std::function<void(const STempRecord&)>& onRecord);
std::vector<STempRecord> ScanTempRecords(std::string_view line);

} // namespace orlan
