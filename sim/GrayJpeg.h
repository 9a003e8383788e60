#pragma once
// A small baseline JPEG encoder for 8-bit gray pictures: the camera picture of
// the simulated terminal is encoded by it, so no picture file is shipped.
#include <cstdint>
#include <string>
#include <vector>

namespace orlan {

// pixels holds width × height bytes, row by row. Width and height are
// multiples of 8 between 8 and 2048; other sizes yield an empty result.
std::string EncodeGrayJpeg(int width, int height, const std::vector<std::uint8_t>& pixels);

// The picture the simulated camera takes: 64 × 48 pixels, a lit disc on a
// shaded background.
const std::string& SamplePicture();

} // namespace orlan
