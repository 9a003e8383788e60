#include "labels/Utf8.h"

#include <gtest/gtest.h>

namespace orlan {
namespace {

TEST(Utf8, AcceptsExactlyTheWellFormedRangesAtTheirEdges)
{
    EXPECT_TRUE(IsValidUtf8("\x7f"));
    EXPECT_TRUE(IsValidUtf8("\xc2\x80"));         // U+0080, shortest two-byte form
    EXPECT_TRUE(IsValidUtf8("\xe0\xa0\x80"));     // U+0800
    EXPECT_TRUE(IsValidUtf8("\xed\x9f\xbf"));     // U+D7FF, last before the surrogates
    EXPECT_TRUE(IsValidUtf8("\xee\x80\x80"));     // U+E000, first after them
    EXPECT_TRUE(IsValidUtf8("\xf0\x90\x80\x80")); // U+10000
    EXPECT_TRUE(IsValidUtf8("\xf4\x8f\xbf\xbf")); // U+10FFFF

    EXPECT_FALSE(IsValidUtf8("\x80"));
    EXPECT_FALSE(IsValidUtf8("\xc1\xbf"));         // overlong
    EXPECT_FALSE(IsValidUtf8("\xe0\x9f\xbf"));     // overlong
    EXPECT_FALSE(IsValidUtf8("\xed\xa0\x80"));     // surrogate D800
    EXPECT_FALSE(IsValidUtf8("\xf0\x8f\xbf\xbf")); // overlong
    EXPECT_FALSE(IsValidUtf8("\xf4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xf5\x80\x80\x80"));
    EXPECT_FALSE(IsValidUtf8("\xe2\x82"));         // cut at the end
}

TEST(Utf8, DecodeStepReportsCodePointAndLength)
{
    const Utf8Step euro = DecodeUtf8At("a\xe2\x82\xac", 1);
    EXPECT_TRUE(euro.valid);
    EXPECT_EQ(euro.codePoint, U'\u20ac');
    EXPECT_EQ(euro.length, 3u);

    // A broken sequence consumes its well-formed prefix only, so the byte
    // that broke it starts the next step.
    const Utf8Step broken = DecodeUtf8At("\xe2\x82" "A", 0);
    EXPECT_FALSE(broken.valid);
    EXPECT_EQ(broken.length, 2u);
}

TEST(Utf8, EncodesEveryLengthClass)
{
    std::string out;
    for (const char32_t c : {U'A', U'\u00e9', U'\u20ac', U'\U0001F514'})
        AppendUtf8(out, c);
    EXPECT_EQ(out, "A\u00e9\u20ac\U0001F514");
    EXPECT_EQ(CountUtf8CodePoints(out), 4u);
}

TEST(Utf8, TruncatesAtCodePointsAndSanitizes)
{
    EXPECT_EQ(TruncateUtf8("a\u00e9\u20acb", 3), "a\u00e9\u20ac");
    EXPECT_EQ(TruncateUtf8("ab", 5), "ab");
    EXPECT_EQ(TruncateUtf8("\u20ac", 0), "");
    EXPECT_EQ(SanitizeUtf8("ok\xc3(\xff\u00e9"), "ok?(?\u00e9");
}

} // namespace
} // namespace orlan
