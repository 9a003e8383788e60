// Event lines and temperature records in the layout the tool reads.
#include "sim/SimRecords.h"

#include <gtest/gtest.h>

namespace orlan::test {
namespace {

std::vector<std::string> QuotedFields(const std::string& line)
{
    std::vector<std::string> fields;
    for (std::size_t open = line.find('"'); open != std::string::npos; open = line.find('"', open)) {
        const std::size_t close = line.find('"', open + 1);
        if (close == std::string::npos)
            break;
        fields.push_back(line.substr(open + 1, close - open - 1));
        open = close + 1;
    }
    return fields;
}

TEST(SimRecords, EventLineHasSevenQuotedFields)
{
    const std::string line = EventLine(12, 0, 3723000);
    EXPECT_TRUE(line.starts_with("$: "));
    const std::vector<std::string> fields = QuotedFields(line);
    ASSERT_EQ(fields.size(), 7U);
    EXPECT_EQ(fields[0], "12");
    EXPECT_EQ(fields[1], "DIN 0 ALARM SMS");
    EXPECT_EQ(fields[2], "0 Front door");
    EXPECT_EQ(fields[6], "2024-05-01 01:02:03");
    EXPECT_EQ(QuotedFields(EventLine(1, 10, 0))[1], "DIN 0 ALARM SMS") << "variants cycle";
}

TEST(SimRecords, ClockCrossesDaysAndMonths)
{
    EXPECT_EQ(ClockText(0), "2024-05-01 00:00:00");
    EXPECT_EQ(ClockText(31LL * 86400 * 1000 - 1000), "2024-05-31 23:59:59");
    EXPECT_EQ(ClockText(31LL * 86400 * 1000), "2024-06-01 00:00:00");
    EXPECT_EQ(ClockText(245LL * 86400 * 1000), "2025-01-01 00:00:00");
}

TEST(SimRecords, TemperatureRecordFieldsSitInPlace)
{
    const std::vector<SensorReading> readings = {{'0', 21.5}, {'1', -5.25}, {'2', 0.0}};
    const std::string record = TemperatureRecord(7, kRealtimeRecord, 90061000, readings);
    EXPECT_EQ(record.substr(0, 9), "$TR000007");
    EXPECT_EQ(record.substr(9, 2), "ET");
    EXPECT_EQ(record.substr(11, 2), "33");
    EXPECT_EQ(record.substr(13, 14), "24-05-02 01:01");
    EXPECT_EQ(record.substr(27, 2), "03");
    EXPECT_EQ(record.substr(29), "021.50,1-5.25,20.00,");
    EXPECT_EQ(TemperatureRecord(1, kStoredRecord, 0, {}).substr(11), "8324-05-01 00:0000");
}

} // namespace
} // namespace orlan::test
