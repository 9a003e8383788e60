#include "app/CatalogueTranslator.h"

#include <optional>
#include <string>

#include "labels/ToolTexts.h"

namespace orlan {

CCatalogueTranslator::CCatalogueTranslator(CLabelCatalogue catalogue, QObject* parent)
    : QTranslator(parent), m_catalogue(std::move(catalogue)), m_hasTexts(m_catalogue.HasSection(kSectionToolTexts))
{
}

QString CCatalogueTranslator::translate(const char* /*context*/, const char* sourceText,
                                        const char* /*disambiguation*/, int /*n*/) const
{
    if (!m_hasTexts || sourceText == nullptr)
        return {};
    const std::optional<std::string> key = ToolTextKey(sourceText);
    if (!key)
        return {};
    const std::string stored = m_catalogue.Lookup(*key, kSectionToolTexts);
    // A null string tells Qt there is no translation.
    return stored.empty() ? QString() : QString::fromStdString(ToolTextFromCatalogue(stored));
}

} // namespace orlan
