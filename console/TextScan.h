#pragma once
// Small readers of the terminal's texts, shared by every parser: digits, hex
// digits, leading numbers and the field splitter of the list dumps. None of
// them reads past the text it is given.
#include <cstdint>
#include <string_view>
#include <vector>

namespace orlan {

constexpr bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

constexpr bool IsHexDigit(char c)
{
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The value of a hex digit; 0 for any other character.
constexpr std::uint32_t HexValue(char c)
{
    if (IsDigit(c))
        return static_cast<std::uint32_t>(c - '0');
    if (c >= 'a' && c <= 'f')
        return static_cast<std::uint32_t>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return static_cast<std::uint32_t>(c - 'A' + 10);
    return 0;
}

// The decimal number at the start of `text` (leading blanks skipped) as a
// list index or row: -1 when there is none, when it is negative or when it
// is larger than any list.
int LeadingIndex(std::string_view text);

// The text read as a whole number the way a setting command carries it:
// leading blanks, an optional sign and the leading digits; 0 when there are none or they
// do not fit.
long long WholeNumber(std::string_view text);

// `text` without its leading blanks and tabs and its trailing blanks, tabs
// and line ends.
std::string_view Trimmed(std::string_view text);

// Splits `text` at every character of `separators`; two separators in a row
// make an empty field, and each field keeps at most `maxChars` characters.
// At most `maxFields` fields are returned (0: no limit).
std::vector<std::string_view> SplitFields(std::string_view text, size_t maxChars, size_t maxFields = 0,
                                          std::string_view separators = " ,");

} // namespace orlan
