#pragma once
// UTF-8 helpers shared by the catalogue reader and the terminal text codec.
// Ill-formed input is never rejected: each broken sequence becomes one
// replacement character, the way the Windows code page functions behave.
#include <cstddef>
#include <string>
#include <string_view>

namespace orlan {

struct Utf8Step {
    char32_t codePoint = 0; // meaningful only when `valid`
    std::size_t length = 0; // bytes consumed, at least 1
    bool valid = false;
};

// Decodes the sequence that starts at text[pos] (pos < text.size()). An
// ill-formed sequence consumes its longest well-formed prefix, or one byte,
// so that each broken sequence is replaced exactly once (Unicode's
// "maximal subpart" practice). Overlong forms, surrogates and code points
// above U+10FFFF are ill-formed.
Utf8Step DecodeUtf8At(std::string_view text, std::size_t pos);

// Bytes that `codePoint` (a scalar value) takes in UTF-8.
std::size_t Utf8Length(char32_t codePoint);
void AppendUtf8(std::string& out, char32_t codePoint);

bool IsValidUtf8(std::string_view text);
// The text with every ill-formed sequence replaced by `replacement`.
std::string SanitizeUtf8(std::string_view text, char replacement = '?');
// Code points of well-formed text.
std::size_t CountUtf8CodePoints(std::string_view validText);
// The first `maxCodePoints` code points of well-formed text.
std::string_view TruncateUtf8(std::string_view validText, std::size_t maxCodePoints);

} // namespace orlan
