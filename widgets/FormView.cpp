#include "widgets/FormView.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QResizeEvent>
#include <QStyle>

#include <algorithm>
#include <map>

#include "widgets/CatalogueText.h"

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

bool HasGridHint(const SFieldGroup& group)
{
    return group.rows > 0 && group.columns > 0;
}

// Label beside editor, the caption under the editor; in the grid's columns
// `column` (label) and the next (editor).
void AddLabelledRows(QGridLayout& grid, const CFieldEditor& editor, int& row, int column = 0)
{
    if (QLabel* label = editor.Label()) {
        const Qt::Alignment vertical = editor.IsTall() ? Qt::AlignTop : Qt::AlignVCenter;
        grid.addWidget(label, row, column, Qt::AlignRight | vertical);
    }
    grid.addWidget(editor.Editor(), row, column + 1);
    ++row;
    if (QLabel* caption = editor.Caption()) {
        grid.addWidget(caption, row, column + 1);
        ++row;
    }
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
    CreateBlocks(section, catalogue);

    m_outer = new QVBoxLayout(this);
    m_outer->setContentsMargins(0, 0, 0, 0);
    m_outer->addStretch(1);
    UpdateShown();
    Arrange(false);
}

CFormView::~CFormView() = default;

void CFormView::CreateBlocks(const std::string& section, const CLabelCatalogue& catalogue)
{
    // A group takes the place of its first field; its other fields join it.
    std::map<std::string, size_t, std::less<>> blockOfGroup;
    for (size_t e = 0; e < m_entries.size(); ++e) {
        const SFieldDesc& desc = m_fields.Desc(m_entries[e].fieldIndex);
        if (desc.group.empty() || !m_fields.FindGroup(desc.group)) {
            m_blocks.push_back(SBlock{{e}, nullptr, {}, 0});
            continue;
        }
        const auto [found, added] = blockOfGroup.try_emplace(desc.group, m_blocks.size());
        if (added)
            m_blocks.push_back(SBlock{{}, nullptr, desc.group, 0});
        m_blocks[found->second].entries.push_back(e);
    }

    // Entries are complete before editors exist: an editor's callback finds
    // its entry by position.
    for (SBlock& block : m_blocks) {
        const SFieldGroup* group = block.groupId.empty() ? nullptr : m_fields.FindGroup(block.groupId);
        QWidget* parent = this;
        if (group) {
            const std::string& captionSection = group->captionSection.empty() ? section : group->captionSection;
            block.box = new QGroupBox(CatalogueText(catalogue, captionSection, group->captionKey), this);
            block.box->setObjectName(QString::fromStdString(group->id));
            parent = block.box;
        }
        const auto place = group && HasGridHint(*group) ? CFieldEditor::EPlace::GridCell
                                                         : CFieldEditor::EPlace::Labelled;
        for (size_t e : block.entries) {
            SEntry& entry = m_entries[e];
            entry.editor = std::make_unique<CFieldEditor>(m_fields.Desc(entry.fieldIndex), section, catalogue,
                                                          parent, [this, e] { TakeEdit(m_entries[e]); }, place);
            entry.editor->Show(entry.shown);
        }
        if (group) {
            FillGroupBox(block, *group, section, catalogue);
        } else {
            block.weight = EntryHeightWeight(*m_entries[block.entries.front()].editor);
        }
    }
}

void CFormView::FillGroupBox(SBlock& block, const SFieldGroup& group, const std::string& section,
                             const CLabelCatalogue& catalogue)
{
    auto* grid = new QGridLayout(block.box);
    if (HasGridHint(group)) {
        FillGrid(*grid, block, group, section, catalogue);
        // Its rows, a header line and the caption.
        block.weight = grid->rowCount() + 1;
        return;
    }
    // Labelled fields side by side: each column of the box is a label
    // column and an editor column, filled top to bottom.
    const size_t columns = std::max<size_t>(group.columns, 1);
    const size_t perColumn = (block.entries.size() + columns - 1) / columns;
    std::vector<int> rowOfColumn(columns, 0);
    block.weight = 1;
    for (size_t i = 0; i < block.entries.size(); ++i) {
        const CFieldEditor& editor = *m_entries[block.entries[i]].editor;
        const size_t column = perColumn == 0 ? 0 : i / perColumn;
        grid->setColumnStretch(static_cast<int>(2 * column + 1), 1);
        AddLabelledRows(*grid, editor, rowOfColumn[column], static_cast<int>(2 * column));
        if (column == 0)
            block.weight += EntryHeightWeight(editor);
    }
}

void CFormView::FillGrid(QGridLayout& grid, const SBlock& block, const SFieldGroup& group,
                         const std::string& section, const CLabelCatalogue& catalogue)
{
    // Cells are counted over all the group's fields, hidden ones too, so a
    // field keeps its cell whatever else the group holds.
    std::map<size_t, size_t> cellOfField;
    for (size_t i = 0; i < m_fields.Size(); ++i) {
        if (m_fields.Desc(i).group == group.id)
            cellOfField.emplace(i, cellOfField.size());
    }
    const size_t columns = group.columns;
    const size_t rows = std::max(group.rows, (cellOfField.size() + columns - 1) / columns);
    const bool rowLabels = !group.rowKeys.empty() || !group.rowPrefix.empty();
    const int firstColumn = rowLabels ? 1 : 0;
    const int firstRow = group.columnKeys.empty() ? 0 : 1;
    const std::string& textSection = group.captionSection.empty() ? section : group.captionSection;

    // Switches sit in the middle of their cells, under centred headers.
    std::vector<bool> switchColumn(columns, false);
    for (size_t e : block.entries) {
        const SEntry& entry = m_entries[e];
        const size_t cell = cellOfField.at(entry.fieldIndex);
        const int row = firstRow + static_cast<int>(cell / columns);
        const int column = firstColumn + static_cast<int>(cell % columns);
        const bool isSwitch = entry.editor->Desc().kind == EFieldKind::Check;
        if (cell < columns)
            switchColumn[cell] = isSwitch;
        grid.addWidget(entry.editor->Editor(), row, column, isSwitch ? Qt::AlignCenter : Qt::Alignment());
    }

    // One key more than there are columns heads the row labels.
    const size_t skipped = rowLabels && group.columnKeys.size() > columns ? 1 : 0;
    for (size_t k = 0; k < group.columnKeys.size() && k < columns + skipped; ++k) {
        auto* header = new QLabel(CatalogueText(catalogue, textSection, group.columnKeys[k]), block.box);
        const bool labelsHeader = k < skipped;
        const size_t column = k - skipped;
        const Qt::Alignment horizontal =
            !labelsHeader && switchColumn[column] ? Qt::AlignHCenter : Qt::AlignLeft;
        grid.addWidget(header, 0, labelsHeader ? 0 : firstColumn + static_cast<int>(column),
                       horizontal | Qt::AlignBottom);
    }
    for (size_t r = 0; r < rows && rowLabels; ++r) {
        QString text;
        if (r < group.rowKeys.size())
            text = CatalogueText(catalogue, textSection, group.rowKeys[r]);
        else if (!group.rowPrefix.empty())
            text = QString::fromStdString(group.rowPrefix) +
                   QString::number(group.firstRowNumber + static_cast<int>(r));
        if (!text.isEmpty())
            grid.addWidget(new QLabel(text, block.box), firstRow + static_cast<int>(r), 0);
    }
    // Columns keep their editors' width, so the cells of a row stay close
    // together; an empty last column takes what the box has to spare.
    grid.setColumnStretch(firstColumn + static_cast<int>(columns), 1);
}

void CFormView::Refresh()
{
    for (SEntry& entry : m_entries) {
        const SFieldValue& value = m_fields.Value(entry.fieldIndex);
        // Names read since the list was made (or edited meanwhile) show too.
        entry.editor->ShowOutputNames();
        if (entry.editor->IsReadOnly()) {
            if (!entry.editor->Shows(value))
                entry.editor->Show(value);
            entry.shown = value;
            continue;
        }
        if (CFieldEditor::SameForKind(entry.editor->Desc().kind, value, entry.shown))
            continue;
        entry.editor->Show(value);
        entry.shown = value;
    }
    UpdateShown();
    UpdateEditMarks();
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
    if (entry.editor->IsReadOnly() || entry.editor->Shows(entry.shown))
        return;
    entry.shown = entry.editor->Read(m_fields.Value(entry.fieldIndex));
    m_fields.Edit(entry.fieldIndex, entry.shown);
    // Fields that depend on this one switch before anyone hears of the edit.
    UpdateShown();
    UpdateEditMarks();
    Q_EMIT FieldEdited(QString::fromStdString(entry.editor->Desc().id));
}

void CFormView::UpdateShown()
{
    bool changed = false;
    for (SEntry& entry : m_entries)
        changed = entry.editor->SetShown(m_fields.IsShown(entry.fieldIndex)) || changed;
    for (SBlock& block : m_blocks) {
        if (!block.box)
            continue;
        const bool any = std::any_of(block.entries.begin(), block.entries.end(),
                                     [this](size_t e) { return m_fields.IsShown(m_entries[e].fieldIndex); });
        if (block.box->isHidden() == any) {
            block.box->setVisible(any);
            changed = true;
        }
    }
    if (changed && m_columns)
        Q_EMIT ArrangementChanged();
}

void CFormView::UpdateEditMarks()
{
    bool any = false;
    for (SEntry& entry : m_entries) {
        const bool edited =
            m_marksEdits && !entry.editor->Desc().sendsOnChange && m_fields.IsEdited(entry.fieldIndex);
        entry.editor->SetEdited(edited);
        entry.editor->SetKnown(m_fields.IsKnown(entry.fieldIndex));
        any = any || edited;
    }
    if (any != m_anyEdited) {
        m_anyEdited = any;
        Q_EMIT EditsChanged(any);
    }
}

bool CFormView::IsMarkedEdited(std::string_view id) const
{
    for (const SEntry& entry : m_entries) {
        if (entry.editor->Desc().id == id)
            return entry.editor->IsMarkedEdited();
    }
    return false;
}

QWidget* CFormView::FieldWidget(std::string_view id) const
{
    for (const SEntry& entry : m_entries) {
        if (entry.editor->Desc().id == id)
            return entry.editor->Editor();
    }
    return nullptr;
}

QGroupBox* CFormView::GroupBox(std::string_view id) const
{
    for (const SBlock& block : m_blocks) {
        if (block.box && block.groupId == id)
            return block.box;
    }
    return nullptr;
}

void CFormView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const bool wanted = m_mayUseTwoColumns && m_entries.size() >= kTwoColumnMinimumFields && m_blocks.size() >= 2 &&
                        event->size().width() >= TwoColumnWidth();
    if (wanted != m_twoColumns)
        Arrange(wanted);
}

int CFormView::TwoColumnWidth() const
{
    int labelWidth = 0;
    int editorWidth = 0;
    int boxWidth = 0;
    for (const SBlock& block : m_blocks) {
        if (block.box) {
            boxWidth = std::max(boxWidth, block.box->sizeHint().width());
            continue;
        }
        const CFieldEditor& editor = *m_entries[block.entries.front()].editor;
        if (editor.Label())
            labelWidth = std::max(labelWidth, editor.Label()->sizeHint().width());
        editorWidth = std::max(editorWidth, editor.Editor()->sizeHint().width());
    }
    const int spacing = style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing);
    const int charWidth = fontMetrics().averageCharWidth();
    const int oneColumn = std::max(labelWidth + std::max(spacing, 0) + editorWidth, boxWidth);
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

    size_t split = m_blocks.size();
    if (twoColumns) {
        // The first column takes the leading blocks; the split balances the
        // heights of the two columns.
        int total = 0;
        for (const SBlock& block : m_blocks)
            total += block.weight;
        int left = 0;
        int best = total;
        for (size_t s = 0; s < m_blocks.size(); ++s) {
            // On a tie the first column is the longer one.
            if (std::max(left, total - left) <= best) {
                best = std::max(left, total - left);
                split = s;
            }
            left += m_blocks[s].weight;
        }
    }
    m_columns->addLayout(CreateColumn(0, split), 1);
    if (twoColumns) {
        m_columns->addSpacing(kColumnGapChars * fontMetrics().averageCharWidth());
        m_columns->addLayout(CreateColumn(split, m_blocks.size()), 1);
    }
    Q_EMIT ArrangementChanged();
}

QBoxLayout* CFormView::CreateColumn(size_t first, size_t last)
{
    // Each column lines up its own labels, so a tall field in one column
    // does not stretch the rows of the other; a group's box spans the label
    // and editor columns.
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    int row = 0;
    for (size_t b = first; b < last; ++b) {
        const SBlock& block = m_blocks[b];
        if (block.box)
            grid->addWidget(block.box, row++, 0, 1, 2);
        else
            AddLabelledRows(*grid, *m_entries[block.entries.front()].editor, row);
    }
    auto* column = new QVBoxLayout;
    column->addLayout(grid);
    column->addStretch(1);
    return column;
}

} // namespace orlan
