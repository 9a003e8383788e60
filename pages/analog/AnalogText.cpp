#include "pages/analog/AnalogText.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "console/TextScan.h"

namespace orlan::analog {

std::string_view TextFrom(std::string_view text, size_t at)
{
    return at < text.size() ? text.substr(at) : std::string_view{};
}

std::optional<size_t> ChannelAt(std::string_view text, size_t at, size_t count)
{
    if (at >= text.size() || !IsDigit(text[at]))
        return std::nullopt;
    const auto channel = static_cast<size_t>(text[at] - '0');
    return channel < count ? std::optional<size_t>(channel) : std::nullopt;
}

bool IsOneAt(std::string_view text, size_t at)
{
    return at < text.size() && text[at] == '1';
}

double DecimalNumber(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    // Only the form of a plain decimal number: the parser below would also
    // take "inf" and "nan", which the terminal never means.
    const size_t start = i;
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '-' || text[j] == '+'))
            ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                ++j;
            i = j;
        }
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data() + start, text.data() + i, value);
    if (error != std::errc() || !std::isfinite(value))
        return 0.0;
    return negative ? -value : value;
}

} // namespace orlan::analog
