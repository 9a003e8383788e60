#pragma once
// Translates the tool's own texts (the tr() texts of the windows) from the
// catalogue's [ToolTexts] section; a text the catalogue lacks is left to Qt,
// which then shows the English source.
#include <QTranslator>

#include "labels/LabelCatalogue.h"

namespace orlan {

class CCatalogueTranslator final : public QTranslator {
    Q_OBJECT
public:
    explicit CCatalogueTranslator(CLabelCatalogue catalogue, QObject* parent = nullptr);

    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;
    // Empty when the catalogue has no [ToolTexts] (the English one).
    bool isEmpty() const override { return !m_hasTexts; }

private:
    CLabelCatalogue m_catalogue;
    bool m_hasTexts = false;
};

} // namespace orlan
