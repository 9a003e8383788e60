#pragma once
// Readers the analog and sensor pages share: the channel digit of a dump
// line, a character at a position, and a decimal number read the way the
// terminal's own texts are read (leading blanks, sign, digits, point,
// exponent; 0 where there is none). None reads past its text.
#include <cstddef>
#include <optional>
#include <string_view>

namespace orlan::analog {

// The text from `at` on; empty beyond its end.
std::string_view TextFrom(std::string_view text, size_t at);
// The digit at `at` as a channel below `count`; nothing for another character.
std::optional<size_t> ChannelAt(std::string_view text, size_t at, size_t count);
bool IsOneAt(std::string_view text, size_t at);
// The decimal number at the start of `text`; 0 for none and for a number
// beyond the range of a double.
double DecimalNumber(std::string_view text);

} // namespace orlan::analog
