#include "console/TempRecords.h"

#include <charconv>
#include <cstdio>

#include "console/TextScan.h"

namespace orlan {

namespace {

int HexPair(std::string_view text, size_t at)
{
    return static_cast<int>(HexValue(text[at]) * 16 + HexValue(text[at + 1]));
}

// The temperature from `begin` (behind the state) to the two decimals
// behind the point at `dot`: an optional minus, 1 to 20 characters before
// the point, two decimal digits.
void ReadTemperature(std::string_view line, size_t begin, size_t dot, STempEntry& entry)
{
    const size_t digits = line[begin] == '-' ? begin + 1 : begin;
    if (digits == dot || dot - begin > kMaxDigitsBeforePoint || !IsDigit(line[dot + 1]) || !IsDigit(line[dot + 2]))
        return;
    double value = 0.0;
    const char* first = line.data() + begin;
    const char* last = line.data() + dot + 3;
    if (std::from_chars(first, last, value).ptr != last)
        return;
    char text[48];
    const int length = std::snprintf(text, sizeof text, "%.2f", value);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof text)
        return;
    entry.hasValue = true;
    entry.celsius = value;
    entry.text.assign(text, static_cast<size_t>(length));
}

} // namespace

void ScanTempRecords(std::string_view line, const std::function<void(const STempRecord&)>& onRecord)
{
    STempRecord record;
    size_t p = 0;
    while (line.size() - p >= kRecordTypeEnd) {
        record.type = HexPair(line, p + 11);
        record.marked = line[p + 9] == 'E' && line[p + 10] == 'T' && line.size() - p >= kRecordHeaderLength;
        record.timeStamp = {};
        record.entries.clear();
        if (!record.marked) {
            const bool endsHere = line[p + 9] == 'E' && line[p + 10] == 'T';
            onRecord(record);
            if (endsHere)
                return;  // a marked record whose header is cut off ends the line
            p += kRecordTypeEnd;
            continue;
        }
        record.timeStamp = line.substr(p + 13, kRecordTimeLength);
        const int count = HexPair(line, p + 27);
        size_t q = p + kRecordHeaderLength;
        bool lineEnds = false;
        for (int k = 0; k < count; ++k) {
            // The state, the digits, then the point with two decimals and
            // the separator; an entry without a point ends at its first
            // character that is no digit, which is its separator. An entry
            // whose separator is not in the line does not fit.
            size_t i = q + 1;
            if (i < line.size() && line[i] == '-')
                ++i;
            while (i < line.size() && IsDigit(line[i]))
                ++i;
            const bool pointed = i < line.size() && line[i] == '.';
            const size_t end = pointed ? i + 3 : i;  // the separator
            if (end >= line.size()) {
                lineEnds = true;
                break;
            }
            STempEntry& entry = record.entries.emplace_back();
            entry.state = line[q];
            if (pointed)
                ReadTemperature(line, q + 1, i, entry);
            q = end + 1;
        }
        onRecord(record);
        if (lineEnds)
            return;
        p = q;
    }
}

std::vector<STempRecord> ScanTempRecords(std::string_view line)
{
    std::vector<STempRecord> records;
    ScanTempRecords(line, [&records](const STempRecord& record) { records.push_back(record); });
    return records;
}

} // namespace orlan
