#include "pages/NumberedText.h"

#include "console/TextScan.h"

namespace orlan {

namespace {
// Eleven digits still fit a long long, so the number never overflows.
constexpr size_t kMaxDigits = 11;
} // namespace

std::optional<SNumberedText> ParseNumberedText(std::string_view value)
{
    SNumberedText result;
    size_t digits = 0;
    while (digits < value.size() && digits < kMaxDigits && IsDigit(value[digits])) {
        result.number = result.number * 10 + (value[digits] - '0');
        ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    const size_t start = digits + 1;  // one separator
    result.rest = start < value.size() ? value.substr(start) : std::string_view();
    return result;
}

} // namespace orlan
