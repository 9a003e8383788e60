#pragma once
// A profile loaded into the pages: every command line of a section whose
// title a page writes goes to that page, which takes its value back. What no
// page takes is never dropped: it is reported with its section and line,
// and kept, so the profile saved after the load writes it back where it
// stood. A section no page writes is kept whole, in its place.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orlan {

struct SUnplacedLine {
    std::string section;  // the title of its section ("" before the first)
    size_t line = 0;      // its line in the file, from 1
    std::string text;     // without CR and LF
    std::string reason;   // "unknown command", "value the field cannot hold", "unknown section", ...
};

struct SProfileLoad {
    std::vector<SUnplacedLine> unplaced;
    size_t placed = 0;  // command lines a page took
};

// Which sections a profile holds: the classic twenty (byte for byte what
// the original wrote), or those followed by one section per other page
// with settings, so that nothing of the configuration is left behind.
enum class EProfileScope { Classic, Complete };

// The raw lines of a loaded profile no page took, by where they stood.
class CKeptProfileLines {
public:
    // A line inside the section titled `section`, after `after` of the
    // section's command lines that a page took. `bytes` holds its line end.
    void KeepInSection(std::string_view section, size_t after, std::string bytes);
    // Bytes of a section no page writes (or before the first section),
    // behind the known section titled `afterSection` ("" : at the start).
    void KeepWhole(std::string_view afterSection, std::string bytes);
    void Clear();
    bool Empty() const { return m_inSection.empty() && m_whole.empty(); }

    // The kept lines of `section` that stood after `after` of its commands.
    std::string InSection(std::string_view section, size_t after) const;
    // Kept lines of `section` standing after `written` commands or more (all
    // that the section's end must still write).
    std::string InSectionFrom(std::string_view section, size_t written) const;
    // Whole kept sections behind `afterSection`.
    std::string Whole(std::string_view afterSection) const;
    // Whole kept sections behind a section the save does not write.
    std::string WholeNotBehind(const std::vector<std::string>& written) const;

private:
    struct SInSection {
        std::string section;
        size_t after = 0;
        std::string bytes;
    };
    struct SWhole {
        std::string afterSection;
        std::string bytes;
    };
    std::vector<SInSection> m_inSection;
    std::vector<SWhole> m_whole;
};

// Whether a line (without CR and LF) is a section header, "//Page " + title;
// `title` gets the title.
bool IsSectionHeader(std::string_view text, std::string* title = nullptr);

} // namespace orlan
