// The embedded camera picture: the committed file, whole, and safe to frame.
#include "sim/SamplePicture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace orlan::test {
namespace {

TEST(SamplePicture, IsTheCommittedFileAsAWholeJpeg)
{
    const std::span<const std::uint8_t> picture = SamplePicture();
    const std::string bytes(picture.begin(), picture.end());

    std::ifstream file(ORLAN_SOURCE_DIR "/sim/fixtures/picture.jpg", std::ios::binary);
    ASSERT_TRUE(file) << "sim/fixtures/picture.jpg";
    const std::string committed{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_EQ(bytes, committed) << "the build embeds the file byte for byte";

    ASSERT_GE(bytes.size(), 4U);
    EXPECT_TRUE(bytes.starts_with("\xFF\xD8")) << "start of image";
    EXPECT_TRUE(bytes.ends_with("\xFF\xD9")) << "end of image";
    // The reader stops at the first end marker, so the picture may not contain it.
    EXPECT_EQ(bytes.find("$IMAGE_END"), std::string::npos);
}

} // namespace
} // namespace orlan::test
