#pragma once
// The terminal's event-log records ("$:" lines) as rows of the events list.
#include <array>
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace orlan {

struct STimeOfDay {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
};

struct SEventRow {
    int recordNumber = 0;   // field 0
    int channelNumber = 0;  // the number at the start of field 2
    // 0: source + kind + channel words, 1: field 2, 2-4: fields 3-5,
    // 5: field 6 followed by the local time it arrived.
    std::array<std::string, 6> columns;
};

// Quoted field n of an event line: the text between the (2n+1)-th and the
// (2n+2)-th double quote, cut to 127 characters; empty when missing.
std::string EventField(std::string_view line, int n);

SEventRow ParseEventRecord(std::string_view line, const STimeOfDay& now);

// Keeps the newest rows; the oldest go once the cap is reached so that a
// terminal left talking for days cannot exhaust memory.
class CEventList {
public:
    explicit CEventList(size_t maxRows = 10000) : m_maxRows(maxRows) {}
    const SEventRow& Append(SEventRow row);
    void Clear() { m_rows.clear(); }
    size_t Size() const { return m_rows.size(); }
    const SEventRow& Row(size_t i) const { return m_rows.at(i); }

private:
    size_t m_maxRows;
    std::deque<SEventRow> m_rows;
};

} // namespace orlan
