#include "pages/network/NetworkText.h"

#include "console/TextScan.h"

namespace orlan::net {

std::optional<std::string_view> ValueOf(std::string_view line, std::string_view key, std::size_t offset)
{
    const std::size_t at = line.find(key);
    if (at == std::string_view::npos)
        return std::nullopt;
    const std::size_t from = at + offset;
    return from < line.size() ? line.substr(from) : std::string_view();
}

char CharAt(std::string_view text, std::size_t position)
{
    return position < text.size() ? text[position] : '\0';
}

std::optional<int> DigitAt(std::string_view text, std::size_t position)
{
    const char c = CharAt(text, position);
    if (!IsDigit(c))
        return std::nullopt;
    return c - '0';
}

int SwitchOf(std::string_view text, std::size_t position)
{
    const std::optional<int> digit = DigitAt(text, position);
    return digit && *digit != 0 ? 1 : 0;
}

} // namespace orlan::net
