#pragma once
// Catalogue texts as the widgets show them.
#include <QString>

#include <cstddef>
#include <string_view>

namespace orlan {

class CLabelCatalogue;
struct SChoiceItem;
struct SFieldDesc;

QString CatalogueText(const CLabelCatalogue& catalogue, std::string_view section, std::string_view key);
// A list item: its fixed text, followed by its catalogue text when it names
// one (so a page can give a fixed "03: " before a catalogue word), or by its
// built-in text while the catalogue has none.
QString ChoiceItemText(const CLabelCatalogue& catalogue, const SChoiceItem& item);

// A field's label: its catalogue text in the page's section, else its
// fixed label.
QString FieldCaption(const CLabelCatalogue& catalogue, std::string_view section, const SFieldDesc& desc);

} // namespace orlan
