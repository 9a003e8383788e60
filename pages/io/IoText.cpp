#include "pages/io/IoText.h"

#include <algorithm>

#include "console/TextScan.h"
#include "labels/LabelCatalogue.h"

namespace orlan::io {

std::string LabelText(const CLabelCatalogue& catalogue, const SLabelWord& word)
{
    std::string text = catalogue.Lookup(word.key, word.section);
    return text.empty() ? std::string(word.builtIn) : text;
}

SChoiceItem WordItem(const SLabelWord& word, std::string prefix)
{
    return {.text = std::move(prefix),
            .section = std::string(word.section),
            .key = std::string(word.key),
            .fallback = std::string(word.builtIn)};
}

std::vector<SChoiceItem> WordItems(std::span<const SLabelWord> words)
{
    std::vector<SChoiceItem> items;
    for (const SLabelWord& word : words)
        items.push_back(WordItem(word));
    return items;
}

SFieldDesc ShowsNotSet(SFieldDesc desc)
{
    desc.noSelectionKey = "NOT_SET";
    return desc;
}

std::optional<SLeadingNumber> LeadingNumber(std::string_view text, std::size_t maxDigits)
{
    // Eleven digits still fit a long long.
    maxDigits = std::min<std::size_t>(maxDigits, 11);
    SLeadingNumber number;
    std::size_t digits = 0;
    while (digits < text.size() && digits < maxDigits && IsDigit(text[digits])) {
        number.value = number.value * 10 + (text[digits] - '0');
        ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    number.rest = text.substr(digits);
    return number;
}

std::string_view TextFrom(std::string_view text, std::size_t position)
{
    return position < text.size() ? text.substr(position) : std::string_view();
}

bool AllDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (char c : text) {
        if (!IsDigit(c))
            return false;
    }
    return true;
}

} // namespace orlan::io
