#pragma once
// Two configurations compared value by value, as a person reads them: each
// profile is loaded into its own set of pages, and every setting whose value
// differs is named by its page's caption, its row (tables) and its caption.
// The window's "compare with terminal" and the command line's diff share it.
#include <string>
#include <string_view>
#include <vector>

namespace orlan {

class CLabelCatalogue;
class CTerminalSession;

struct SValueChange {
    std::string page;       // the page's caption
    std::string row;        // a table row's label; empty for a plain field
    std::string field;      // the field's caption, or the table column's
    std::string before;     // as shown: "on", a list item's caption, a text
    std::string after;
    bool knownBefore = false;  // false: the first side holds no value for it
    bool knownAfter = false;
    std::string pageClass;  // "CPageMainParams", for scripts
    std::string fieldId;    // the field's id, or the table's id and column ("phones.1")
};

// The changes from the pages of `a` to those of `b` (pages matched by class,
// in `a`'s order; fields in page order, then tables row by row). A value
// known on one side only counts as a change; unknown on both, it does not.
std::vector<SValueChange> DiffPageValues(const CTerminalSession& a, const CTerminalSession& b,
                                         const CLabelCatalogue& catalogue);
// The same for two profile texts, each loaded into a fresh set of pages.
std::vector<SValueChange> DiffProfileValues(std::string_view a, std::string_view b,
                                            const CLabelCatalogue& catalogue);
// "Page: row field: before → after", a value not held shown as "(none)".
std::string ValueChangeText(const SValueChange& change);

} // namespace orlan
