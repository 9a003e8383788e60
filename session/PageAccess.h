#pragma once
// Pages and their values addressed as a person or a script would: a page by
// its class name or a short alias, a field by its id, a value as text. The
// command line and the main window use these; every value goes through the
// same rules a typed value does. How the command line prints pages is its
// own (cli/PageRender.h).
#include <string>
#include <string_view>
#include <vector>

#include "pages/Page.h"

namespace orlan {

class CLabelCatalogue;
class CTerminalSession;

// The short alias of a page class ("gprs", "rf-zones"); empty for a class
// that is no page of the system.
std::string_view PageAlias(std::string_view className);
// A page by class name (any letter case) or alias; null when none answers.
CPage* FindPageByName(const CTerminalSession& session, std::string_view name);
// The page's caption: its navigation caption or heading from the catalogue.
std::string PageCaption(const CPage& page, const CLabelCatalogue& catalogue);
// A field's caption: its label from the catalogue, its fixed label, or its id.
std::string FieldCaption(const SFieldDesc& desc, const std::string& section, const CLabelCatalogue& catalogue);
// A list item as shown: its fixed text followed by its catalogue text, or
// its built-in text while the catalogue has none.
std::string ChoiceItemCaption(const SChoiceItem& item, const CLabelCatalogue& catalogue);
// The name a name page holds in `row`, trimmed; empty when none was read
// or `page` is no name page.
std::string ListedName(const CPage* page, size_t row);
// The name the unit gives terminal output 0..7; empty when none was read.
std::string OutputName(const CTerminalSession& session, int output);

// Whether the navigation bar has an item that selects the page.
bool PageInNavigation(const CPage& page);
// Sets a field from text: a switch takes 0/1, on/off, true/false, yes/no; a
// list its index or an item's text; a spin box a whole number in its range;
// a one-line text loses its line breaks. Read-only and picture fields take
// nothing. Empty on success, else why not (nothing changed).
std::string SetFieldFromText(CFieldSet& fields, std::string_view id, std::string_view text,
                             const CLabelCatalogue& catalogue);

// "ID=VALUE" pairs applied in order; the first refusal stops and is
// returned with the ids that exist. Empty on success.
std::string ApplySettings(CFieldSet& fields, const std::vector<std::string>& assignments,
                          const CLabelCatalogue& catalogue);

} // namespace orlan
