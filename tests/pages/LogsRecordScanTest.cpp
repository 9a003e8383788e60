// The record scanner on the terminal's record lines and on the lines that
// break them: positions, hex counts, entries, and nothing read or taken
// beyond the line.
#include <gtest/gtest.h>

#include <string>

#include "console/TempRecords.h"

namespace orlan {
namespace {

// A record as the terminal writes it: 9 characters, "ET", the type, a
// 14-character time stamp, the entry count and the entries.
std::string Record(std::string_view type, std::string_view count, std::string_view entries,
                   std::string_view stamp = "24-05-01 10:00")
{
    return "$TR000001ET" + std::string(type) + std::string(stamp) + std::string(count) + std::string(entries);
}

TEST(LogsRecordScan, ARecordGivesItsTypeTimeStampAndEntries)
{
    const std::string line = Record("33", "06", "021.50,14.25,0-18.00,221.00,20.00,20.00,");
    const auto records = ScanTempRecords(line);
    ASSERT_EQ(records.size(), 1u);
    const STempRecord& r = records[0];
    EXPECT_EQ(r.type, kRealtimeRecordType);
    EXPECT_TRUE(r.marked);
    EXPECT_EQ(r.timeStamp, "24-05-01 10:00");
    ASSERT_EQ(r.entries.size(), 6u);
    EXPECT_EQ(r.entries[0].state, '0');
    EXPECT_EQ(r.entries[0].text, "21.50");
    EXPECT_EQ(r.entries[1].state, '1');
    EXPECT_EQ(r.entries[1].text, "4.25");
    EXPECT_DOUBLE_EQ(r.entries[2].celsius, -18.0);
    EXPECT_EQ(r.entries[2].text, "-18.00");
    EXPECT_EQ(r.entries[5].state, '2');
}

struct SScanCase {
    const char* what;
    std::string line;
    std::vector<int> types;          // per record
    std::vector<size_t> entryCounts; // per record
};

TEST(LogsRecordScan, RecordsAndEntriesAreFoundWhereTheLineSaysAndOnlyThere)
{
    const std::string twoInOne = Record("83", "01", "021.50,") + Record("83", "02", "122.00;023.25 ");
    const SScanCase cases[] = {
        {"two records in a line: the second starts behind the first's last separator", twoInOne,
         {kStoredRecordType, kStoredRecordType}, {1, 2}},
        {"no marker: only the type is read and the next record is looked for 13 on",
         "$XXXXXXXXXX33" + Record("33", "01", "020.00,"), {kRealtimeRecordType, kRealtimeRecordType}, {0, 1}},
        {"lower-case hex count", Record("83", "0a", std::string(10 * 2, 'x')), {kStoredRecordType}, {10}},
        {"a count digit that is no hex digit counts 0", Record("33", "0Z", "020.00,"), {kRealtimeRecordType}, {0}},
        {"a type digit that is no hex digit counts 0", Record("3Z", "01", "020.00,"), {0x30}, {1}},
        {"fewer than 13 characters hold no record", "$TR000001ET3", {}, {}},
        {"a header cut off holds the type only", "$TR000001ET3324-05-01 10", {kRealtimeRecordType}, {0}},
        {"an entry without its separator does not fit", Record("33", "02", "020.00,121.00"),
         {kRealtimeRecordType}, {1}},
        {"more entries announced than the line holds", Record("33", "FF", "020.00,"), {kRealtimeRecordType}, {1}},
    };
    for (const SScanCase& c : cases) {
        const auto records = ScanTempRecords(c.line);
        ASSERT_EQ(records.size(), c.types.size()) << c.what;
        for (size_t i = 0; i < records.size(); ++i) {
            EXPECT_EQ(records[i].type, c.types[i]) << c.what;
            EXPECT_EQ(records[i].entries.size(), c.entryCounts[i]) << c.what;
        }
    }
}

TEST(LogsRecordScan, TemperaturesNeedAPointAndTwoDecimals)
{
    struct SCase {
        std::string entries;
        std::vector<std::string> texts;  // empty: no value
    };
    const SCase cases[] = {
        {"0-5.25,", {"-5.25"}},
        {"0007.50,", {"7.50"}},
        // Without a point the entry ends at its first non-digit; the next
        // entry keeps its own value.
        {"021,122.50,", {"", "22.50"}},
        {"021.5x,122.50,", {"", "22.50"}},
        {"0-.50,", {""}},
        // At most 20 characters before the point.
        {"0" + std::string(18, '0') + "12.50,", {"12.50"}},
        {"0" + std::string(19, '0') + "12.50,", {""}},
    };
    for (const SCase& c : cases) {
        const auto records = ScanTempRecords(Record("33", "02", c.entries));
        ASSERT_EQ(records.size(), 1u) << c.entries;
        ASSERT_EQ(records[0].entries.size(), c.texts.size()) << c.entries;
        for (size_t k = 0; k < c.texts.size(); ++k) {
            EXPECT_EQ(records[0].entries[k].text, c.texts[k]) << c.entries;
            EXPECT_EQ(records[0].entries[k].hasValue, !c.texts[k].empty()) << c.entries;
        }
    }
}

TEST(LogsRecordScan, EveryCutOfALineGivesAPartOfWhatTheWholeLineGives)
{
    const std::string line = Record("33", "03", "021.50,1-4.25,240.00,") + Record("83", "01", "019.75,");
    const auto whole = ScanTempRecords(line);
    ASSERT_EQ(whole.size(), 2u);
    for (size_t length = 0; length <= line.size(); ++length) {
        // A copy of exactly this length, so reading past it is a fault the
        // sanitizers see.
        const std::string cut = line.substr(0, length);
        const auto records = ScanTempRecords(cut);
        ASSERT_LE(records.size(), whole.size()) << length;
        for (size_t i = 0; i < records.size(); ++i) {
            EXPECT_EQ(records[i].type, whole[i].type) << length;
            ASSERT_LE(records[i].entries.size(), whole[i].entries.size()) << length;
            for (size_t k = 0; k < records[i].entries.size(); ++k)
                EXPECT_EQ(records[i].entries[k].text, whole[i].entries[k].text) << length;
        }
    }
}

} // namespace
} // namespace orlan
