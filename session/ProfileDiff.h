#pragma once
// Compares two profiles section by section and command by command, the way
// an installer asks "does this terminal hold that profile?": section headers
// name the sections, command lines keep their order, the batch brackets,
// shown lines, free text and line ends do not count.
#include <string>
#include <string_view>
#include <vector>

namespace orlan {

struct SProfileSection {
    std::string title;  // after "//Page "; empty before the first header
    std::vector<std::string> commands;
};

std::vector<SProfileSection> ParseProfileSections(std::string_view profile);

struct SSectionDiff {
    std::string title;
    std::vector<std::string> lines;  // "-%CMD" only in the expected, "+%CMD" only in the actual
};

// The sections that differ, in the expected profile's order, then sections
// only the actual one has.
std::vector<SSectionDiff> DiffProfiles(std::string_view expected, std::string_view actual);

// The commands of `profile` that `terminal` does not hold, in the profile's
// order: what running the profile did not achieve. Settings the profile does
// not name do not count.
std::vector<std::string> CommandsNotHeld(std::string_view profile, std::string_view terminal);

// A unified-diff-like text of the differences; empty when they agree.
std::string DiffText(const std::vector<SSectionDiff>& diff, std::string_view expectedName,
                     std::string_view actualName);

} // namespace orlan
