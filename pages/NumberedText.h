#pragma once
// The shape of the terminal's numbered text lines ("$SMS12 0041",
// "$DINAME3 0047...", "$REG40 100"): a decimal number, one separator, then
// the value up to the end of the line.
#include <optional>
#include <string_view>

namespace orlan {

struct SNumberedText {
    long long number = 0;
    std::string_view rest;  // after the number and one separator; may be empty
};

// Reads at most 11 decimal digits from the start of `value`; nothing when it
// does not start with a digit.
std::optional<SNumberedText> ParseNumberedText(std::string_view value);

} // namespace orlan
