#include "widgets/CatalogueText.h"

#include "labels/CommonLabelKeys.h"
#include "labels/LabelCatalogue.h"
#include "pages/FieldSet.h"

namespace orlan {

QString CatalogueText(const CLabelCatalogue& catalogue, std::string_view section, std::string_view key)
{
    return QString::fromStdString(catalogue.Lookup(key, section));
}

QString ChoiceItemText(const CLabelCatalogue& catalogue, const SChoiceItem& item)
{
    QString text = QString::fromStdString(item.text);
    if (!item.section.empty()) {
        const QString word = CatalogueText(catalogue, item.section, item.key);
        text += word.isEmpty() ? QString::fromStdString(item.fallback) : word;
    }
    return text;
}

QString FieldCaption(const CLabelCatalogue& catalogue, std::string_view section, const SFieldDesc& desc)
{
    if (!desc.labelKey.empty())
        return CatalogueText(catalogue, section, desc.labelKey);
    return QString::fromStdString(desc.fixedLabel);
}

} // namespace orlan
