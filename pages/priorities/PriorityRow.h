#pragma once
// One row of a priority dump: "08,00FF" after the key. The two-digit entry
// addresses control phone entry − 8; the rest is the row's mask in hex.
#include <cstdint>
#include <optional>
#include <string_view>

namespace orlan {

struct SPriorityRow {
    size_t row = 0;
    std::uint32_t mask = 0;
};

// The first entry that addresses a control phone and the count of phones.
inline constexpr int kFirstPriorityEntry = 8;
inline constexpr size_t kPriorityRows = 10;

// Nothing for an entry that addresses no control phone, a text too short
// to hold an entry and a separator, or a mask longer than `maxMaskChars`.
// A mask character that is not a hex digit counts as 0.
std::optional<SPriorityRow> ParsePriorityRow(std::string_view text, size_t maxMaskChars);

} // namespace orlan
