#pragma once
// Free texts (message texts, names, user commands) travel to and from the
// terminal as UCS-2 hex: four upper-case hex digits per UTF-16 unit, high
// byte first ("abc" is 006100620063). Inside the program texts are UTF-8.
#include <cstddef>
#include <string>
#include <string_view>

namespace orlan {

// The terminal takes at most this many UTF-16 units of one text.
inline constexpr std::size_t kMaxEncodedUnits = 1024;
// Texts decoded from the terminal are cut to this many UTF-8 bytes, always
// at a character boundary.
inline constexpr std::size_t kMaxDecodedBytes = 150;

// UTF-8 to UCS-2 hex. The text ends at its first NUL byte; each ill-formed
// UTF-8 sequence becomes "?". The result holds at most kMaxEncodedUnits units
// and never ends in half a surrogate pair. With `replaceApostrophe` the unit
// 0027 goes out as 0001 (the user command page needs this, the terminal's
// command parser reserves the apostrophe).
std::string EncodeUcs2Hex(std::string_view utf8Text, bool replaceApostrophe = false);

// UCS-2 hex to UTF-8. A trailing group of fewer than four characters is
// ignored; only "0"-"9" and "A"-"F" are digits, any other character counts as
// 15; the text ends at the first unit 0000; an unpaired surrogate becomes "?".
std::string DecodeUcs2Hex(std::string_view hex);

} // namespace orlan
