#include "pages/priorities/PriorityRow.h"

#include "console/TextScan.h"

namespace orlan {

std::optional<SPriorityRow> ParsePriorityRow(std::string_view text, size_t maxMaskChars)
{
    if (text.size() < 3 || !IsDigit(text[0]) || !IsDigit(text[1]))
        return std::nullopt;
    const int entry = (text[0] - '0') * 10 + (text[1] - '0');
    if (entry < kFirstPriorityEntry || entry >= kFirstPriorityEntry + static_cast<int>(kPriorityRows))
        return std::nullopt;
    const std::string_view digits = text.substr(3);  // text[2] separates entry and mask
    if (digits.size() > maxMaskChars || digits.size() > 8)
        return std::nullopt;
    SPriorityRow parsed{static_cast<size_t>(entry - kFirstPriorityEntry), 0};
    for (char c : digits)
        parsed.mask = (parsed.mask << 4) | HexValue(c);
    return parsed;
}

} // namespace orlan
