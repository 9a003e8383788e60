#include "widgets/FormView.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QResizeEvent>
#include <QStyle>

#include <algorithm>

namespace orlan {

namespace {

// Fewer fields than this stay in one column however wide the form is.
constexpr size_t kTwoColumnMinimumFields = 6;
// Widths in average characters: the gap between two columns and the least
// width at which two columns are used.
constexpr int kColumnGapChars = 4;
constexpr int kTwoColumnChars = 100;

int EntryHeightWeight(const CFieldEditor& editor)
{
    return (editor.IsTall() ? 3 : 1) + (editor.Caption() ? 1 : 0);
}

} // namespace

CFormView::CFormView(CFieldSet& fields, const std::string& section, const CLabelCatalogue& catalogue,
                     bool mayUseTwoColumns, QWidget* parent)
    : QWidget(parent), m_fields(fields), m_mayUseTwoColumns(mayUseTwoColumns)
{
    for (size_t i = 0; i < fields.Size(); ++i) {
        if (!fields.Desc(i).hidden)
            m_entries.push_back(SEntry{i, nullptr, fields.Value(i)});
    }
    // Entries are complete before editors exist: an editor's callback finds
    // its entry by position.
    for (size_t e = 0; e < m_entries.size(); ++e) {
        SEntry& entry = m_entries[e];
        entry.editor = std::make_unique<CFieldEditor>(fields.Desc(entry.fieldIndex), section, catalogue, this,
                                                      [this, e] { TakeEdit(m_entries[e]); });
        entry.editor->Show(entry.shown);
    }

    m_outer = new QVBoxLayout(this);
    m_outer->setContentsMargins(0, 0, 0, 0);
    m_outer->addStretch(1);
    Arrange(false);
}

CFormView::~CFormView() = default;

void CFormView::Refresh()
{
    for (SEntry& entry : m_entries) {
        const SFieldValue& value = m_fields.Value(entry.fieldIndex);
        if (CFieldEditor::SameForKind(entry.editor->Desc().kind, value, entry.shown))
            continue;
        entry.editor->Show(value);
        entry.shown = value;
    }
}

void CFormView::CommitEdits()
{
    for (SEntry& entry : m_entries) {
        entry.editor->InterpretTypedText();
        TakeEdit(entry);
    }
}

void CFormView::TakeEdit(SEntry& entry)
{
    if (entry.editor->Shows(entry.shown))
        return;
    entry.shown = entry.editor->Read(m_fields.Value(entry.fieldIndex));
    m_fields.SetValue(entry.fieldIndex, entry.shown);
    Q_EMIT FieldEdited(QString::fromStdString(entry.editor->Desc().id));
}

QWidget* CFormView::FieldWidget(std::string_view id) const
{
    for (const SEntry& entry : m_entries) {
        if (entry.editor->Desc().id == id)
            return entry.editor->Editor();
    }
    return nullptr;
}

void CFormView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const bool wanted = m_mayUseTwoColumns && m_entries.size() >= kTwoColumnMinimumFields &&
                        event->size().width() >= TwoColumnWidth();
    if (wanted != m_twoColumns)
        Arrange(wanted);
}

int CFormView::TwoColumnWidth() const
{
    int labelWidth = 0;
    int editorWidth = 0;
    for (const SEntry& entry : m_entries) {
        if (entry.editor->Label())
            labelWidth = std::max(labelWidth, entry.editor->Label()->sizeHint().width());
        editorWidth = std::max(editorWidth, entry.editor->Editor()->sizeHint().width());
    }
    const int spacing = style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing);
    const int charWidth = fontMetrics().averageCharWidth();
    const int oneColumn = labelWidth + std::max(spacing, 0) + editorWidth;
    return std::max(2 * oneColumn + kColumnGapChars * charWidth, kTwoColumnChars * charWidth);
}

void CFormView::Arrange(bool twoColumns)
{
    // Deleting the old arrangement deletes its layouts, not the widgets.
    if (m_columns) {
        m_outer->removeItem(m_columns);
        delete m_columns;
    }
    m_columns = new QHBoxLayout;
    m_outer->insertLayout(0, m_columns);
    m_twoColumns = twoColumns;

    size_t split = m_entries.size();
    if (twoColumns) {
        // The first column takes the leading fields; the split balances
        // the heights of the two columns.
        int total = 0;
        for (const SEntry& entry : m_entries)
            total += EntryHeightWeight(*entry.editor);
        int left = 0;
        int best = total;
        for (size_t s = 0; s < m_entries.size(); ++s) {
            // On a tie the first column is the longer one.
            if (std::max(left, total - left) <= best) {
                best = std::max(left, total - left);
                split = s;
            }
            left += EntryHeightWeight(*m_entries[s].editor);
        }
    }
    m_columns->addLayout(CreateColumn(0, split), 1);
    if (twoColumns) {
        m_columns->addSpacing(kColumnGapChars * fontMetrics().averageCharWidth());
        m_columns->addLayout(CreateColumn(split, m_entries.size()), 1);
    }
    Q_EMIT ArrangementChanged();
}

QBoxLayout* CFormView::CreateColumn(size_t first, size_t last)
{
    // Each column lines up its own labels, so a tall field in one column
    // does not stretch the rows of the other.
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    int row = 0;
    for (size_t e = first; e < last; ++e) {
        const CFieldEditor& editor = *m_entries[e].editor;
        if (QLabel* label = editor.Label()) {
            const Qt::Alignment vertical = editor.IsTall() ? Qt::AlignTop : Qt::AlignVCenter;
            grid->addWidget(label, row, 0, Qt::AlignRight | vertical);
        }
        grid->addWidget(editor.Editor(), row, 1);
        ++row;
        if (QLabel* caption = editor.Caption()) {
            grid->addWidget(caption, row, 1);
            ++row;
        }
    }
    auto* column = new QVBoxLayout;
    column->addLayout(grid);
    column->addStretch(1);
    return column;
}

} // namespace orlan
