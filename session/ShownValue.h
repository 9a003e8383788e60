#pragma once
// Values and captions as a person reads them, without a window: the value
// comparison and the configuration report show the same words the pages do.
#include <string>

#include "pages/Page.h"

namespace orlan {

class CLabelCatalogue;

// A switch as "on"/"off", a list as its item's caption (a code outside the
// list as its number), a picture by its size, anything else as its text.
std::string ShownValue(const CFieldSet& fields, size_t i, const CLabelCatalogue& catalogue);
// The header of a table's data column: its catalogue text, its fixed
// header, else "column N".
std::string ColumnCaption(const CPageTable& table, size_t column, const std::string& section,
                          const CLabelCatalogue& catalogue);
// Whether a field belongs in a comparison or a report: not a picture and
// not a reading the terminal reports (read-only).
bool IsSettingField(const SFieldDesc& desc);

} // namespace orlan
