#pragma once
// How orlan-cli prints pages: the list of pages and what a page's fields
// take (PageListRender.cpp), and a page's values as text for a person or as
// JSON for scripts (PageRender.cpp). None of it needs a terminal beyond the
// values a read left in the page.
#include <memory>
#include <string>
#include <vector>

#include "pages/Page.h"

namespace orlan {

class CLabelCatalogue;

// A JSON string of `text`, quotes included, control bytes escaped.
std::string JsonString(std::string_view text);

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

// "Siren (CPageBuzzer, buzzer)" and a line end: the first line of a page's
// text and of its field list.
std::string PageHeading(const CPage& page, const CLabelCatalogue& catalogue);
// The page as one JSON object: class, alias, caption, fields by id (value
// of one type per field: boolean, list index, number or string, null while
// not known; caption, hidden, known) and tables with their columns (id,
// caption) and rows (label, cells by column id, null while not known).
std::string PageJson(const CPage& page, const CLabelCatalogue& catalogue);
// The page for a person: one field a line, then its tables row by row,
// each named by its label.
std::string PageText(const CPage& page, const CLabelCatalogue& catalogue);

} // namespace orlan
