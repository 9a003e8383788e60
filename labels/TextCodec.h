#pragma once
// Free texts (message texts, names, user commands) travel to and from the
// terminal as UCS-2 hex: four upper-case hex digits per UTF-16 unit, high
// byte first ("abc" is 006100620063). Inside the program texts are UTF-8.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orlan {

// The terminal takes at most this many UTF-16 units of one text, and a
// decoded text keeps as many.
inline constexpr std::size_t kMaxEncodedUnits = 1024;

// What a text decoded from hex that is not UCS-2 hex as the encoder writes
// it begins with: a NUL (no decoded text holds one), then the hex exactly
// as received, so it is shown, kept and written back unchanged.
inline constexpr char kUndecodedMark = '\0';

// UTF-8 to UCS-2 hex. The text ends at its first NUL byte; each ill-formed
// UTF-8 sequence becomes "?". The result holds at most kMaxEncodedUnits units
// and never ends in half a surrogate pair. With `replaceApostrophe` the unit
// 0027 goes out as 0001 (the user command page needs this, the terminal's
// command parser reserves the apostrophe). A text that DecodeUcs2Hex kept
// undecoded goes out as the hex it came as.
std::string EncodeUcs2Hex(std::string_view utf8Text, bool replaceApostrophe = false);

// UCS-2 hex to UTF-8, or nothing when `hex` is not UCS-2 hex as the encoder
// writes it: groups of four upper-case hex digits, surrogates in pairs.
// The text ends at the first unit 0000 (nothing behind it is looked at) and
// keeps at most kMaxEncodedUnits units.
std::optional<std::string> TryDecodeUcs2Hex(std::string_view hex);

// TryDecodeUcs2Hex, and for hex it refuses the hex itself behind
// kUndecodedMark: never a lossy guess that would be written back changed.
std::string DecodeUcs2Hex(std::string_view hex);

// Whether a text is hex DecodeUcs2Hex could not decode, and that hex.
bool IsUndecodedUcs2(std::string_view text);
std::string_view UndecodedHex(std::string_view text);

} // namespace orlan
