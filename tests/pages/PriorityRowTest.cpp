// A priority dump row after its key: the entry that picks the control phone,
// the separator and the hex mask with its length rules.
#include <gtest/gtest.h>

#include "pages/priorities/PriorityRow.h"

namespace orlan::test {
namespace {

TEST(PriorityRow, EntriesEightToSeventeenAddressTheTenControlPhones)
{
    auto first = ParsePriorityRow("08,0001", 8);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->row, 0u);
    EXPECT_EQ(first->mask, 1u);
    auto last = ParsePriorityRow("17,8000", 8);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->row, 9u);
    EXPECT_EQ(last->mask, 0x8000u);

    EXPECT_FALSE(ParsePriorityRow("07,FFFF", 8));
    EXPECT_FALSE(ParsePriorityRow("00,FFFF", 8));
    EXPECT_FALSE(ParsePriorityRow("18,FFFF", 8));
    EXPECT_FALSE(ParsePriorityRow("99,FFFF", 8));
    // Not an entry number, or no room for the separator.
    EXPECT_FALSE(ParsePriorityRow("1x,FFFF", 8));
    EXPECT_FALSE(ParsePriorityRow(" 9,FFFF", 8));
    EXPECT_FALSE(ParsePriorityRow("09", 8));
    EXPECT_FALSE(ParsePriorityRow("", 8));
}

TEST(PriorityRow, MaskIsHexInEitherCaseAndOtherCharactersCountAsZero)
{
    EXPECT_EQ(ParsePriorityRow("09,00ff", 8)->mask, 0xFFu);
    EXPECT_EQ(ParsePriorityRow("09,00FF", 8)->mask, 0xFFu);
    EXPECT_EQ(ParsePriorityRow("12,f", 8)->mask, 0xFu);
    EXPECT_EQ(ParsePriorityRow("12,1G", 8)->mask, 0x10u);
    EXPECT_EQ(ParsePriorityRow("12,", 8)->mask, 0u);
    // Any separator character is skipped.
    EXPECT_EQ(ParsePriorityRow("12 a", 8)->mask, 0xAu);
}

TEST(PriorityRow, MasksLongerThanTheLimitAreIgnored)
{
    EXPECT_EQ(ParsePriorityRow("10,FFFFFFFF", 8)->mask, 0xFFFFFFFFu);
    EXPECT_FALSE(ParsePriorityRow("10,123456789", 8));
    EXPECT_EQ(ParsePriorityRow("10,ABCD", 4)->mask, 0xABCDu);
    EXPECT_FALSE(ParsePriorityRow("10,0ABCD", 4));
}

} // namespace
} // namespace orlan::test
