#pragma once
// Finds the command a received line names. The terminal writes arguments
// directly behind the name, so names are matched as prefixes and the longest
// matching pattern wins ("%SOS0..." is SOS, not S).
#include "sim/SimCommand.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace orlan {

struct CommandMatch {
    const CommandSpec* spec = nullptr;
    CommandCall call;
};

// True when text begins with pattern ('#' = a decimal digit, letters compared
// without regard to case).
bool PatternMatches(std::string_view pattern, std::string_view text);

// text is the command without its leading '%'. No match leaves spec null.
CommandMatch MatchCommand(const std::vector<CommandSpec>& table, std::string_view text);

} // namespace orlan
