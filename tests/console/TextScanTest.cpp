#include <gtest/gtest.h>

#include "console/TextScan.h"

namespace orlan {
namespace {

using Fields = std::vector<std::string_view>;

TEST(TextScan, SplitFieldsCountsEmptyFieldsCutsLongOnesAndStopsAtTheLimit)
{
    EXPECT_EQ(SplitFields("3,12 7", 63), (Fields{"3", "12", "7"}));
    EXPECT_EQ(SplitFields("1,,2 ", 63), (Fields{"1", "", "2", ""}));
    EXPECT_EQ(SplitFields("", 63), (Fields{""}));
    EXPECT_EQ(SplitFields("abcdef,gh", 3), (Fields{"abc", "gh"}));
    EXPECT_EQ(SplitFields("1 2 3 4 5 6", 31, 5), (Fields{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(SplitFields("a,b c", 31, 0, ","), (Fields{"a", "b c"}));
}

TEST(TextScan, NumbersAsIndexesAndAsCommandValues)
{
    EXPECT_EQ(LeadingIndex("  12abc"), 12);
    EXPECT_EQ(LeadingIndex("-3"), -1);
    EXPECT_EQ(LeadingIndex("x1"), -1);
    EXPECT_EQ(LeadingIndex("99999999"), -1);
    EXPECT_EQ(LeadingIndex(""), -1);
    EXPECT_EQ(WholeNumber("-42x"), -42);
    EXPECT_EQ(WholeNumber(" +7"), 7);
    EXPECT_EQ(WholeNumber("abc"), 0);
    EXPECT_EQ(WholeNumber("99999999999999999999"), 0);
    EXPECT_EQ(HexValue('f'), 15u);
    EXPECT_EQ(HexValue('G'), 0u);
}

} // namespace
} // namespace orlan
