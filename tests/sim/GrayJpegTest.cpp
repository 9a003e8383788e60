// The camera picture must be a well-formed baseline JPEG.
#include "sim/GrayJpeg.h"

#include <gtest/gtest.h>

#include <map>

namespace orlan::test {
namespace {

unsigned Byte(const std::string& data, std::size_t at)
{
    return static_cast<unsigned char>(data.at(at));
}

struct Segments {
    std::map<unsigned, std::string> payloads; // last payload per marker
    std::size_t entropyStart = 0;
    bool ok = false;
};

// Walks the marker segments up to the start of scan.
Segments Walk(const std::string& jpeg)
{
    Segments result;
    if (jpeg.size() < 4 || Byte(jpeg, 0) != 0xFF || Byte(jpeg, 1) != 0xD8)
        return result;
    std::size_t at = 2;
    while (at + 4 <= jpeg.size()) {
        if (Byte(jpeg, at) != 0xFF)
            return result;
        const unsigned marker = Byte(jpeg, at + 1);
        const std::size_t length = Byte(jpeg, at + 2) << 8 | Byte(jpeg, at + 3);
        if (length < 2 || at + 2 + length > jpeg.size())
            return result;
        result.payloads[marker] = jpeg.substr(at + 4, length - 2);
        at += 2 + length;
        if (marker == 0xDA) {
            result.entropyStart = at;
            result.ok = true;
            return result;
        }
    }
    return result;
}

TEST(GrayJpeg, SamplePictureIsABaselineGrayJpeg)
{
    const std::string& jpeg = SamplePicture();
    const Segments segments = Walk(jpeg);
    ASSERT_TRUE(segments.ok);
    ASSERT_TRUE(segments.payloads.count(0xC0)) << "baseline frame";
    const std::string& frame = segments.payloads.at(0xC0);
    ASSERT_EQ(frame.size(), 9U);
    EXPECT_EQ(Byte(frame, 0), 8U);
    EXPECT_EQ(Byte(frame, 1) << 8 | Byte(frame, 2), 48U);
    EXPECT_EQ(Byte(frame, 3) << 8 | Byte(frame, 4), 64U);
    EXPECT_EQ(Byte(frame, 5), 1U) << "one component";
    EXPECT_EQ(segments.payloads.at(0xDB).size(), 65U);
    EXPECT_EQ(segments.payloads.at(0xE0).substr(0, 5), std::string("JFIF\0", 5));

    // Entropy data: every FF is stuffed, and the file ends with EOI.
    ASSERT_GT(jpeg.size(), segments.entropyStart + 2);
    EXPECT_EQ(Byte(jpeg, jpeg.size() - 2), 0xFFU);
    EXPECT_EQ(Byte(jpeg, jpeg.size() - 1), 0xD9U);
    for (std::size_t i = segments.entropyStart; i + 2 < jpeg.size(); ++i) {
        if (Byte(jpeg, i) == 0xFF) {
            EXPECT_EQ(Byte(jpeg, ++i), 0U) << "at " << i;
        }
    }
    EXPECT_EQ(jpeg.find("$IMAGE_END"), std::string::npos);
}

TEST(GrayJpeg, HuffmanTablesAreComplete)
{
    // Both tables sit in separate DHT segments; the map kept the last, AC.
    const Segments segments = Walk(SamplePicture());
    const std::string& ac = segments.payloads.at(0xC4);
    ASSERT_GE(ac.size(), 17U);
    EXPECT_EQ(Byte(ac, 0), 0x10U);
    unsigned symbols = 0;
    for (std::size_t i = 1; i <= 16; ++i)
        symbols += Byte(ac, i);
    EXPECT_EQ(symbols, 162U);
    EXPECT_EQ(ac.size(), 17U + symbols);
}

TEST(GrayJpeg, FlatPictureEncodesAndBadSizesDoNot)
{
    const std::string flat = EncodeGrayJpeg(8, 8, std::vector<std::uint8_t>(64, 128));
    EXPECT_TRUE(Walk(flat).ok);
    EXPECT_TRUE(EncodeGrayJpeg(12, 8, std::vector<std::uint8_t>(96, 0)).empty());
    EXPECT_TRUE(EncodeGrayJpeg(8, 8, std::vector<std::uint8_t>(63, 0)).empty());
    EXPECT_TRUE(EncodeGrayJpeg(0, 0, {}).empty());
}

} // namespace
} // namespace orlan::test
