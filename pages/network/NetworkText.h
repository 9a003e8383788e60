#pragma once
// Readers the network pages share for their dump lines: a value stands a
// fixed number of characters behind its key (the key's length and one
// separator), and a switch or list index is one digit there. None of them
// reads past the line it is given.
#include <cstddef>
#include <optional>
#include <string_view>

namespace orlan::net {

// The text from `offset` characters behind the start of `key` in `line` to
// the line's end; nothing when the line does not hold the key. Empty when
// the line ends before that place.
std::optional<std::string_view> ValueOf(std::string_view line, std::string_view key, std::size_t offset);

// The character at `position`; '\0' beyond the text's end.
char CharAt(std::string_view text, std::size_t position);

// The value of the digit at `position`; nothing for any other character.
std::optional<int> DigitAt(std::string_view text, std::size_t position);

// A switch the terminal reports as one digit: on for a digit other than 0,
// off for 0 and for anything that is no digit.
int SwitchOf(std::string_view text, std::size_t position);

} // namespace orlan::net
