#pragma once
// What the input, output and zone pages share: the catalogue words they
// write into their own values (with the built-in English used until a view
// loads the catalogue), list items of such words, and the readers of the
// numbers in their dump lines. No reader looks past the text it is given.
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pages/FieldSet.h"

namespace orlan {
class CLabelCatalogue;
}

namespace orlan::io {

struct SLabelWord {
    std::string_view section;
    std::string_view key;
    std::string_view builtIn;
};

// The catalogue's text of the word, or its built-in text when there is none.
std::string LabelText(const CLabelCatalogue& catalogue, const SLabelWord& word);
// List items of catalogue words, each with `prefix` before it.
SChoiceItem WordItem(const SLabelWord& word, std::string prefix = {});
std::vector<SChoiceItem> WordItems(std::span<const SLabelWord> words);

// A list that says "not set" (key NOT_SET of the page's section) while
// nothing is selected: a value never set is sent as -1, and the user sees
// that before saving.
SFieldDesc ShowsNotSet(SFieldDesc desc);

inline constexpr SLabelWord kYesWord{"SYSCHAR", "YES", "Yes"};
inline constexpr SLabelWord kNoWord{"SYSCHAR", "NO", "No"};

// A decimal number at the very start of a text (no blanks, no sign), of at
// most `maxDigits` digits, and the text right behind its digits.
struct SLeadingNumber {
    long long value = 0;
    std::string_view rest;
};
std::optional<SLeadingNumber> LeadingNumber(std::string_view text, std::size_t maxDigits);

// The text from `position` on; empty beyond its end.
std::string_view TextFrom(std::string_view text, std::size_t position);
// True for a text of decimal digits only (an empty text is none).
bool AllDigits(std::string_view text);

} // namespace orlan::io
