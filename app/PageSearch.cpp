#include "app/PageSearch.h"

#include <QCompleter>
#include <QSet>
#include <QStandardItemModel>

#include "pages/Page.h"
#include "widgets/CatalogueText.h"

namespace orlan {

std::vector<SSearchEntry> BuildSearchEntries(const std::map<QString, CPage*>& pages,
                                             const CLabelCatalogue& catalogue,
                                             const std::function<QString(const CPage&)>& captionOf)
{
    std::vector<SSearchEntry> entries;
    // Cells of a grid may share a label: one entry leads to the first.
    QSet<QString> seen;
    auto add = [&entries, &seen](SSearchEntry entry) {
        if (!seen.contains(entry.text)) {
            seen.insert(entry.text);
            entries.push_back(std::move(entry));
        }
    };
    for (const auto& [key, page] : pages) {
        const QString caption = captionOf(*page);
        add({key, {}, caption});
        const CFieldSet& fields = page->Fields();
        for (size_t i = 0; i < fields.Size(); ++i) {
            const SFieldDesc& desc = fields.Desc(i);
            if (desc.hidden)
                continue;
            const QString label = FieldCaption(catalogue, page->Info().section, desc).simplified();
            if (label.isEmpty())
                continue;
            add({key, QString::fromStdString(desc.id), label + QStringLiteral(" \u2013 ") + caption});
        }
    }
    return entries;
}

CPageSearchBox::CPageSearchBox(QWidget* parent)
    : QLineEdit(parent), m_model(new QStandardItemModel(this)), m_completer(new QCompleter(m_model, this))
{
    setObjectName(QStringLiteral("pageSearch"));
    setClearButtonEnabled(true);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setFilterMode(Qt::MatchContains);
    m_completer->setCompletionMode(QCompleter::PopupCompletion);
    m_completer->setMaxVisibleItems(12);
    setCompleter(m_completer);
    connect(m_completer, qOverload<const QString&>(&QCompleter::activated), this, &CPageSearchBox::Choose);
    // Enter without picking from the list takes the first match.
    connect(this, &QLineEdit::returnPressed, this, [this] {
        const std::vector<SSearchEntry> matches = Find(text());
        if (!matches.empty())
            Choose(matches.front().text);
    });
}

void CPageSearchBox::SetEntries(std::vector<SSearchEntry> entries)
{
    m_source = nullptr;
    m_entries = std::move(entries);
    m_model->clear();
    for (const SSearchEntry& entry : m_entries)
        m_model->appendRow(new QStandardItem(entry.text));
}

void CPageSearchBox::SetEntrySource(std::function<std::vector<SSearchEntry>()> source)
{
    SetEntries({});
    m_source = std::move(source);
}

void CPageSearchBox::EnsureEntries()
{
    if (m_source)
        SetEntries(m_source());
}

void CPageSearchBox::focusInEvent(QFocusEvent* event)
{
    // Before the first key, so the completer has its list.
    EnsureEntries();
    QLineEdit::focusInEvent(event);
}

std::vector<SSearchEntry> CPageSearchBox::Find(const QString& text)
{
    EnsureEntries();
    std::vector<SSearchEntry> matches;
    const QString wanted = text.trimmed();
    if (wanted.isEmpty())
        return matches;
    for (const SSearchEntry& entry : m_entries) {
        if (entry.text.contains(wanted, Qt::CaseInsensitive))
            matches.push_back(entry);
    }
    return matches;
}

void CPageSearchBox::Choose(const QString& text)
{
    EnsureEntries();
    for (const SSearchEntry& entry : m_entries) {
        if (entry.text == text) {
            Q_EMIT found(entry.pageKey, entry.fieldId);
            return;
        }
    }
}

} // namespace orlan
