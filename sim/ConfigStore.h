#pragma once
// The simulated terminal's configuration: the dump lines it prints, each in the
// dump group that prints it, in the order they are printed. Loaded from the
// fixture text; setting commands rewrite single lines.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlan {

struct ConfigLine {
    std::string group; // "SYS", "GPIO", ... ("M" is printed by "%DUMPM")
    std::string text;  // the dump line without line end
};

class CConfigStore {
public:
    // Dump groups a fixture may use, in no particular order.
    static const std::vector<std::string_view>& KnownGroups();
    static bool IsKnownGroup(std::string_view group);

    // Reads the fixture format: "#" comment lines, blank lines, "[GROUP]"
    // headers and dump lines (starting with "$" or "*"), one per line.
    // On failure returns nothing and says why (with the line number) in *error.
    static std::optional<CConfigStore> Parse(std::string_view fixture, std::string* error);

    const std::vector<ConfigLine>& Lines() const { return m_lines; }
    std::vector<std::string> GroupLines(std::string_view group) const;

    // First line that starts with prefix, or nullptr.
    const ConfigLine* Find(std::string_view prefix) const;

    // Replaces the first line that starts with prefix by text; when no line
    // does, appends text at the end of group. The prefix must identify one
    // setting (for example "$CS3 " or "$PRIOSYS09,").
    void Set(std::string_view group, std::string_view prefix, std::string text);

    // Leaves `percent` of the "$" setting lines out (rounded down), the same
    // ones for the same seed: a terminal whose dumps do not report every
    // setting. Live "*" lines stay.
    void OmitShare(int percent, std::uint32_t seed);

private:
    std::vector<ConfigLine> m_lines;
};

} // namespace orlan
