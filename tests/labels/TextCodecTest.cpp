#include "labels/TextCodec.h"

#include "labels/Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace orlan {
namespace {

std::string Repeat(std::string_view piece, std::size_t times)
{
    std::string out;
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

TEST(TextCodec, EncodesFourUpperCaseDigitsPerUnitHighByteFirst)
{
    EXPECT_EQ(EncodeUcs2Hex(""), "");
    EXPECT_EQ(EncodeUcs2Hex("A"), "0041");
    EXPECT_EQ(EncodeUcs2Hex("abc"), "006100620063");
    EXPECT_EQ(EncodeUcs2Hex("\u00e9\u00ff"), "00E900FF");
    EXPECT_EQ(EncodeUcs2Hex("\u041f\u0440"), "041F0440");
    EXPECT_EQ(EncodeUcs2Hex("\u62a5\u8b66"), "62A58B66");
}

TEST(TextCodec, ApostropheFlagSendsTheApostropheAsUnit0001)
{
    EXPECT_EQ(EncodeUcs2Hex("it's", true), "0069007400010073");
    EXPECT_EQ(EncodeUcs2Hex("it's", false), "0069007400270073");
    EXPECT_EQ(EncodeUcs2Hex("it's"), "0069007400270073");
    // Only the apostrophe unit changes, not units that merely end in 27.
    EXPECT_EQ(EncodeUcs2Hex("\u0127'", true), "01270001");
}

TEST(TextCodec, EncodesCharactersBeyondTheBasicPlaneAsSurrogatePairs)
{
    EXPECT_EQ(EncodeUcs2Hex("\U0001F514"), "D83DDD14");
    EXPECT_EQ(EncodeUcs2Hex("a\U0010FFFF"), "0061DBFFDFFF");
}

TEST(TextCodec, IllFormedUtf8BecomesOneQuestionMarkPerBrokenSequence)
{
    EXPECT_EQ(EncodeUcs2Hex("a\xff" "b"), "0061003F0062");
    // A truncated three-byte sequence is one broken sequence.
    EXPECT_EQ(EncodeUcs2Hex("\xe2\x82" "A"), "003F0041");
    // Overlong form and an encoded surrogate: every byte is broken on its own.
    EXPECT_EQ(EncodeUcs2Hex("\xc0\xaf"), "003F003F");
    EXPECT_EQ(EncodeUcs2Hex("\xed\xa0\x80"), "003F003F003F");
    // Truncated at the very end of the text.
    EXPECT_EQ(EncodeUcs2Hex("A\xf0\x9f\x94"), "0041003F");
}

TEST(TextCodec, EncodingEndsAtTheFirstNulByte)
{
    EXPECT_EQ(EncodeUcs2Hex(std::string_view("A\0B", 3)), "0041");
}

TEST(TextCodec, EncodingIsCutTo1024UnitsWithoutSplittingAPair)
{
    const std::string encoded = EncodeUcs2Hex(std::string(2000, 'x'));
    EXPECT_EQ(encoded.size(), 4 * kMaxEncodedUnits);

    // The pair would need units 1024 and 1025: it is left out entirely.
    const std::string atBoundary = EncodeUcs2Hex(std::string(1023, 'x') + "\U0001F514");
    EXPECT_EQ(atBoundary.size(), 4 * 1023u);
    EXPECT_EQ(atBoundary.substr(atBoundary.size() - 4), "0078");

    const std::string fits = EncodeUcs2Hex(std::string(1022, 'x') + "\U0001F514");
    EXPECT_EQ(fits.size(), 4 * kMaxEncodedUnits);
    EXPECT_EQ(fits.substr(fits.size() - 8), "D83DDD14");
}

TEST(TextCodec, DecodesGroupsOfFourUpToTheFirstZeroUnit)
{
    EXPECT_EQ(DecodeUcs2Hex(""), "");
    EXPECT_EQ(DecodeUcs2Hex("0041"), "A");
    EXPECT_EQ(DecodeUcs2Hex("041F04400438043204350442"), "\u041f\u0440\u0438\u0432\u0435\u0442");
    EXPECT_EQ(DecodeUcs2Hex("D83DDD14"), "\U0001F514");
    EXPECT_EQ(DecodeUcs2Hex("004100000042"), "A");
    EXPECT_EQ(DecodeUcs2Hex("00000041"), "");
    EXPECT_EQ(DecodeUcs2Hex("00410000zz"), "A") << "nothing behind the end is looked at";
}

// Hex the encoder would not write is kept as it came, marked, and goes back
// out unchanged: never a guess such as U+FFFF that would be written as FFFF.
TEST(TextCodec, HexThatIsNotUcs2IsKeptAsReceivedAndWrittenBackUnchanged)
{
    for (const std::string_view hex : {"zzzzGGGG", "004", "00410042004", "0O61", "006a", "00 A", "D83D0041",
                                       "DD140041", "0041D83D", "D83DD83DDD14", "FFFFzzzz"}) {
        EXPECT_FALSE(TryDecodeUcs2Hex(hex).has_value()) << hex;
        const std::string kept = DecodeUcs2Hex(hex);
        EXPECT_TRUE(IsUndecodedUcs2(kept)) << hex;
        EXPECT_EQ(UndecodedHex(kept), hex);
        EXPECT_EQ(EncodeUcs2Hex(kept), hex);
        EXPECT_EQ(EncodeUcs2Hex(kept, true), hex);
    }
    for (const std::string_view hex : {"", "0041", "FFFF", "D83DDD14"}) {
        EXPECT_TRUE(TryDecodeUcs2Hex(hex).has_value()) << hex;
        EXPECT_FALSE(IsUndecodedUcs2(DecodeUcs2Hex(hex))) << hex;
    }
}

TEST(TextCodec, ScriptsRoundTrip)
{
    for (const std::string text : {"Hello, world", "\u041f\u0440\u043e\u0442\u0435\u0447\u043a\u0430 \u0432 \u0437\u043e\u043d\u0435 3",
                                   "\u4ed3\u5e93\u6e29\u5ea6\u62a5\u8b66", "Door \U0001F6AA open \U0001F514!",
                                   "it's 100% \"quoted\""}) {
        const std::string hex = EncodeUcs2Hex(text);
        EXPECT_EQ(hex.size() % 4, 0u);
        EXPECT_EQ(DecodeUcs2Hex(hex), text) << hex;
    }
}

// Whatever the script, a text of up to 1024 units comes back unit for unit.
TEST(TextCodec, LongTextsOfEveryScriptRoundTripUnitForUnit)
{
    const struct {
        const char* name;
        std::string unit;  // one character
        std::size_t units;  // UTF-16 units it takes
    } scripts[] = {{"latin", "A", 1}, {"accented", "\u00e9", 1}, {"cyrillic", "\u041f", 1},
                   {"cjk", "\u62a5", 1},  {"emoji", "\U0001F514", 2}};
    for (const auto& script : scripts) {
        const std::size_t count = kMaxEncodedUnits / script.units;
        const std::string text = Repeat(script.unit, count);
        const std::string hex = EncodeUcs2Hex(text);
        EXPECT_EQ(hex.size(), 4 * kMaxEncodedUnits) << script.name;
        EXPECT_EQ(DecodeUcs2Hex(hex), text) << script.name;
        EXPECT_EQ(EncodeUcs2Hex(DecodeUcs2Hex(hex)), hex) << script.name;
        // Units beyond the limit are no text of the terminal's: cut there.
        EXPECT_EQ(DecodeUcs2Hex(hex + EncodeUcs2Hex(script.unit)), text) << script.name;
    }
    // A pair the limit would split is left out whole.
    const std::string split = Repeat("0041", kMaxEncodedUnits - 1) + "D83DDD14";
    EXPECT_EQ(DecodeUcs2Hex(split), std::string(kMaxEncodedUnits - 1, 'A'));
}

} // namespace
} // namespace orlan
