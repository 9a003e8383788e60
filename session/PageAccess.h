#pragma once
// Pages and their values addressed as a person or a script would: a page by
// its class name or a short alias, a field by its id, a value as text. The
// command line and exports use these; every value goes through the same
// rules a typed value does.
#include <memory>
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

// Whether the navigation bar has an item that selects the page.
bool PageInNavigation(const CPage& page);
// The pages for a person, one a line under a header: class name, alias,
// whether it has a Save, its tables' rows, whether it writes a profile
// section, whether the navigation shows it, and its title.
std::string PageListText(const std::vector<std::unique_ptr<CPage>>& pages, const CLabelCatalogue& catalogue);
// What a page's fields and tables take, for scripts: one line per field
// ("id  kind  range or items  # caption") and per table column, without
// values, so it needs no terminal.
std::string PageFieldsText(const CPage& page, const CLabelCatalogue& catalogue);

// The value as `show` prints it: a list as "index: item", a switch as 0/1.
std::string FieldValueText(const CFieldSet& fields, size_t i, const CLabelCatalogue& catalogue);

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

// The page as one JSON object: class, alias, caption, fields by id (value,
// caption, hidden) and tables as arrays of rows.
std::string PageJson(const CPage& page, const CLabelCatalogue& catalogue);
// The page for a person: one field a line, then its tables row by row.
std::string PageText(const CPage& page, const CLabelCatalogue& catalogue);

} // namespace orlan
