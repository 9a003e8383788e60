#include "pages/OutputItems.h"

#include <string>

namespace orlan {

std::vector<SChoiceItem> OutputChoiceItems(std::string_view word, std::string_view none)
{
    std::vector<SChoiceItem> items;
    for (int output = 0; output < kTerminalOutputs; ++output)
        items.push_back({.text = std::string(word) + std::to_string(output), .output = output});
    items.push_back({.text = std::string(none)});
    return items;
}

} // namespace orlan
