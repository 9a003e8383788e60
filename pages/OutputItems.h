#pragma once
// The lists that pick one of the terminal's eight outputs (or none): the
// pages word them differently ("Output 3", "OC 3", "Nc", "Not Used"), but
// every item names its output, so a view can show the output's own name.
#include <string_view>
#include <vector>

#include "pages/FieldSet.h"

namespace orlan {

inline constexpr int kTerminalOutputs = 8;

// `word` followed by 0..7, then `none` (the last item, index 8).
std::vector<SChoiceItem> OutputChoiceItems(std::string_view word, std::string_view none);

} // namespace orlan
