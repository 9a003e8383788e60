#include "console/TextScan.h"

#include <charconv>

namespace orlan {

int LeadingIndex(std::string_view text)
{
    constexpr long kLongestList = 1000000;
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    if (i >= text.size() || !IsDigit(text[i]))
        return -1;
    long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kLongestList)
            return -1;
    }
    return negative ? -1 : static_cast<int>(value);
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

long long WholeNumber(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    long long number = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), number).ec != std::errc())
        return 0;
    return negative ? -number : number;
}

std::vector<std::string_view> SplitFields(std::string_view text, size_t maxChars, size_t maxFields,
                                          std::string_view separators)
{
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (maxFields == 0 || fields.size() < maxFields) {
        const size_t end = text.find_first_of(separators, start);
        const std::string_view field = text.substr(start, end == std::string_view::npos ? end : end - start);
        fields.push_back(field.substr(0, maxChars));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return fields;
}

} // namespace orlan
