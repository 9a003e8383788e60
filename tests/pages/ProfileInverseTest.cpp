// Commands read back through the formats that build them.
#include <gtest/gtest.h>

#include "console/WireFormat.h"
#include "pages/ProfileInverse.h"

namespace orlan {
namespace {

using Values = std::optional<std::vector<std::string>>;

TEST(ProfileInverse, ScanWireIsFormatWireBackwards)
{
    struct SCase {
        const char* format;
        const char* command;
        Values values;
    };
    const SCase cases[] = {
        {"%%WSON%zx\r", "%WSONb", std::vector<std::string>{"b"}},
        {"%%WSON%zx\r", "%WSOFFb", std::nullopt},
        {"%%WINZS%zu,%lld\r", "%WINZS11,-5", std::vector<std::string>{"11", "-5"}},
        {"%%WINZS%zu,%lld\r", "%WINZS11,", std::nullopt},           // no number
        {"%%WINZS%zu,%lld\r", "%WINZS11,5x", std::nullopt},         // something behind it
        {"%%S%2.2zu%s\r\n", "%S0100570069", std::vector<std::string>{"01", "00570069"}},  // packed: two digits
        {"%%S%2.2zu%s\r\n", "%S1", std::nullopt},
        {"%%S%2.2zu%s\r\n", "%S25", std::vector<std::string>{"25", ""}},
        {"%%MTIMER%1d%s,%s,%d\r", "%MTIMER008,30,4", std::vector<std::string>{"0", "08", "30", "4"}},
        {"%%BASEPRIO=%zu,%4.4x\r", "%BASEPRIO=0,ffff", std::vector<std::string>{"0", "ffff"}},
        {"%%BASEPRIO=%zu,%4.4x\r", "%BASEPRIO=0,fffg", std::nullopt},
        {"%%AIN%zuH%.2f\r", "%AIN1H25.50", std::vector<std::string>{"1", "25.50"}},
        {"%%DINURG%1d%1d%1d%1d\r", "%DINURG0101", std::vector<std::string>{"0", "1", "0", "1"}},
        {"%%DINURG%1d%1d%1d%1d\r", "%DINURG010", std::nullopt},
        {"%%TMPON\r", "%TMPON", std::vector<std::string>{}},
        {"%%TMPON\r", "%TMPONX", std::nullopt},
        {"%%UART2CP%s,%d\r", "%UART2CP9600,0", std::vector<std::string>{"9600", "0"}},
        {"%%UART2CP%s,%d\r", "%UART2CP9600", std::nullopt},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(ScanWire(c.format, c.command), c.values) << c.format << " / " << c.command;
}

TEST(ProfileInverse, WhatFormatWireWritesScansBackToTheSameValues)
{
    const std::string written = FormatWire("%%IOOA%1zu%d\r", size_t{3}, 19);
    EXPECT_EQ(ScanWire("%%IOOA%1zu%d\r", written.substr(0, written.size() - 1)),
              (std::vector<std::string>{"3", "19"}));
    const std::string weekly = FormatWire("%%MDATE%1d%1d,%s,%s,%d\r", 6, 6, "07", "15", 0);
    EXPECT_EQ(ScanWire("%%MDATE%1d%1d,%s,%s,%d\r", weekly.substr(0, weekly.size() - 1)),
              (std::vector<std::string>{"6", "6", "07", "15", "0"}));
}

TEST(ProfileInverse, RowFieldsTakeAllValuesOrNone)
{
    CFieldSet fields;
    fields.Add({.id = "hour0", .kind = EFieldKind::Text, .value = EValueType::Whole, .minimum = 0, .maximum = 23});
    fields.Add({.id = "action0", .kind = EFieldKind::Choice});
    fields.Add({.id = "hour1", .kind = EFieldKind::Text, .value = EValueType::Whole, .minimum = 0, .maximum = 23});
    fields.Add({.id = "action1", .kind = EFieldKind::Choice});
    const InverseTake take = IntoRowFields(fields, 2, [](size_t row) {
        return std::vector<std::string>{"hour" + std::to_string(row), "action" + std::to_string(row)};
    });
    EXPECT_TRUE(take({"1", "8", "4"}));
    EXPECT_EQ(fields.Text("hour1"), "8");
    EXPECT_EQ(fields.Number("action1"), 4);
    EXPECT_TRUE(fields.IsKnown("hour1"));
    EXPECT_FALSE(fields.IsKnown("hour0"));
    EXPECT_FALSE(take({"2", "8", "4"}));   // no such row
    EXPECT_FALSE(take({"0", "8"}));        // a value short
    EXPECT_FALSE(take({"0", "8", "x"}));   // a list takes a number
    EXPECT_FALSE(take({"0", "30", "1"}));  // the hour's rule refuses 30
    EXPECT_FALSE(fields.IsKnown("hour0"));
    EXPECT_FALSE(fields.IsKnown("action0"));
}

} // namespace
} // namespace orlan
