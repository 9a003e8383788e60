#pragma once
// The picture the simulated camera takes (sim/fixtures/picture.jpg, a 64 × 48
// gray JPEG), built into the program like the configuration fixture.
#include <cstdint>
#include <span>

namespace orlan {

std::span<const std::uint8_t> SamplePicture();

} // namespace orlan
