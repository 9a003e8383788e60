#include "widgets/TableView.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>

#include "pages/PageTable.h"
#include "widgets/CatalogueText.h"
#include "widgets/TableModel.h"

namespace orlan {

namespace {

QStringList HeaderTexts(const STableDesc& desc, const std::string& section, const CLabelCatalogue& catalogue)
{
    const size_t columns = (desc.numberedRows ? 1 : 0) + desc.dataColumns;
    QStringList headers;
    for (size_t c = 0; c < columns; ++c) {
        if (c < desc.headerKeys.size() && !desc.headerKeys[c].empty())
            headers << CatalogueText(catalogue, section, desc.headerKeys[c]);
        else
            headers << (c < desc.fixedHeaders.size() ? QString::fromStdString(desc.fixedHeaders[c]) : QString());
    }
    return headers;
}

std::vector<std::string> RowCells(const CPageTable& table, size_t row)
{
    std::vector<std::string> cells;
    for (size_t c = 0; c < table.Desc().dataColumns; ++c)
        cells.push_back(table.Cell(row, c));
    return cells;
}

} // namespace

CTableView::CTableView(CPageTable& table, const std::string& section, const CLabelCatalogue& catalogue,
                       QWidget* parent)
    : QTableView(parent), m_table(table)
{
    const STableDesc& desc = table.Desc();
    setObjectName(QString::fromStdString(desc.id));
    m_model = new CTableModel(table, HeaderTexts(desc, section, catalogue), catalogue, this);
    UpdateMarkTint();
    setModel(m_model);

    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(true);
    setWordWrap(false);
    verticalHeader()->hide();
    // One height for every row: long lists never measure their rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().lineSpacing() * 3 / 2);
    // Columns are as wide as what they hold; the room to spare stays empty
    // rather than one column spreading a short value over the whole width.
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    const bool growing = desc.order != ERowOrder::Fixed;
    // A fixed list is as wide as its columns; lists that grow and grids of
    // marks take the page's width.
    setSizePolicy(FitsItsColumns() ? QSizePolicy::Maximum : QSizePolicy::Expanding,
                  growing ? QSizePolicy::Expanding : QSizePolicy::Maximum);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] { updateGeometry(); });

    connect(this, &QTableView::doubleClicked, this, [this] { ActivateSelectedRow(); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        RememberSelectedRow();
        Q_EMIT SelectedRowChanged();
    });
    if (desc.toggleCells) {
        setSelectionMode(QAbstractItemView::NoSelection);
        setAlternatingRowColors(false);  // the tint alone marks the cells
        connect(this, &QTableView::clicked, m_model, &CTableModel::Toggle);
    }

    resizeColumnsToContents();
    // Width hints count characters: the average one, or a digit where digits
    // are wider (times, numbers), plus the margins a cell keeps.
    const int charWidth = std::max(fontMetrics().averageCharWidth(), fontMetrics().horizontalAdvance(QLatin1Char('0')));
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    if (desc.toggleCells) {
        // Marks share the width evenly, however narrow, without scrolling.
        horizontalHeader()->setMinimumSectionSize(2 * charWidth + margin);
        // A column with a width hint (the row's own index) keeps it.
        for (int c = m_model->FirstDataColumn(); c < m_model->columnCount(); ++c) {
            const auto dataColumn = static_cast<size_t>(c - m_model->FirstDataColumn());
            if (dataColumn >= desc.columnWidths.size() || desc.columnWidths[dataColumn] <= 0)
                horizontalHeader()->setSectionResizeMode(c, QHeaderView::Stretch);
        }
    }
    for (size_t c = 0; c < desc.columnWidths.size() && c < desc.dataColumns; ++c) {
        if (desc.columnWidths[c] > 0)
            setColumnWidth(m_model->FirstDataColumn() + static_cast<int>(c), desc.columnWidths[c] * charWidth + margin);
    }
}

void CTableView::Refresh()
{
    QScrollBar* scroll = verticalScrollBar();
    const bool atEnd = scroll->value() == scroll->maximum();
    const int rowsBefore = m_model->rowCount();
    m_model->Sync();
    // Columns fit the first values that arrive; later reads keep the widths
    // the person may have changed.
    if (!m_fittedToValues && HasValues()) {
        FitUnhintedColumns();
        m_fittedToValues = true;
        updateGeometry();
    }
    if (m_table.Desc().order == ERowOrder::Fixed)
        return;
    FollowSelectedRow();
    if (m_table.Desc().order == ERowOrder::Append && atEnd && m_model->rowCount() > rowsBefore)
        scrollToBottom();
}

bool CTableView::HasValues() const
{
    // A few rows tell: a read fills a table from its first row.
    constexpr int kRowsLooked = 16;
    for (int r = 0; r < m_model->rowCount() && r < kRowsLooked; ++r) {
        for (int c = m_model->FirstDataColumn(); c < m_model->columnCount(); ++c) {
            if (!m_model->data(m_model->index(r, c)).toString().isEmpty())
                return true;
        }
    }
    return false;
}

void CTableView::FitUnhintedColumns()
{
    // Marks share the width evenly; they have nothing to fit.
    if (m_table.Desc().toggleCells)
        return;
    // Columns without a width hint fit their values and their caption.
    const std::vector<int>& widths = m_table.Desc().columnWidths;
    for (int c = m_model->FirstDataColumn(); c < m_model->columnCount(); ++c) {
        const auto dataColumn = static_cast<size_t>(c - m_model->FirstDataColumn());
        if (dataColumn >= widths.size() || widths[dataColumn] <= 0)
            resizeColumnToContents(c);
    }
}

void CTableView::RememberSelectedRow()
{
    m_selectedRow = SelectedRow();
    m_selectedCells = m_selectedRow ? RowCells(m_table, *m_selectedRow) : std::vector<std::string>();
}

void CTableView::FollowSelectedRow()
{
    if (!m_selectedRow)
        return;
    // Newest-first lists push older rows down, appending ones drop rows
    // from the top: the row can only have moved that way.
    const size_t rows = m_table.Rows();
    const bool movesDown = m_table.Desc().order == ERowOrder::NewestFirst;
    std::optional<size_t> found;
    for (size_t step = 0; !found; ++step) {
        if (movesDown ? *m_selectedRow + step >= rows : step > *m_selectedRow)
            break;
        const size_t row = movesDown ? *m_selectedRow + step : *m_selectedRow - step;
        if (row < rows && RowCells(m_table, row) == m_selectedCells)
            found = row;
    }
    if (found == m_selectedRow)
        return;
    if (found)
        selectRow(static_cast<int>(*found));
    else
        clearSelection();
}

int CTableView::HeightFor(int rowsHeight) const
{
    const int scrollBar = horizontalScrollBar()->isVisible() ? horizontalScrollBar()->height() : 0;
    return 2 * frameWidth() + horizontalHeader()->sizeHint().height() + rowsHeight + scrollBar;
}

QSize CTableView::sizeHint() const
{
    QSize hint = QTableView::sizeHint();
    const int rows = m_table.Desc().order == ERowOrder::Fixed
                         ? verticalHeader()->length()
                         : kGrowingVisibleRows * verticalHeader()->defaultSectionSize();
    hint.setHeight(HeightFor(rows));
    if (FitsItsColumns())
        hint.setWidth(2 * frameWidth() + horizontalHeader()->length() +
                      (verticalScrollBar()->isVisible() ? verticalScrollBar()->width() : 0));
    return hint;
}

bool CTableView::FitsItsColumns() const
{
    return m_table.Desc().order == ERowOrder::Fixed && !m_table.Desc().toggleCells;
}

QSize CTableView::minimumSizeHint() const
{
    QSize hint = QTableView::minimumSizeHint();
    if (m_table.Desc().order != ERowOrder::Fixed) {
        hint.setHeight(HeightFor(kGrowingMinimumRows * verticalHeader()->defaultSectionSize()));
        return hint;
    }
    // A list of a few rows needs no room for a scroll bar it never shows.
    hint.setHeight(std::min(hint.height(), sizeHint().height()));
    return hint;
}

int CTableView::rowCount() const
{
    return m_model->rowCount();
}

int CTableView::columnCount() const
{
    return m_model->columnCount();
}

QString CTableView::CellText(int row, int column) const
{
    return m_model->index(row, column).data().toString();
}

QString CTableView::HeaderText(int column) const
{
    return m_model->headerData(column, Qt::Horizontal).toString();
}

void CTableView::UpdateMarkTint()
{
    // A soft shade of the selection colour, readable in light and dark palettes.
    QColor tint = palette().color(QPalette::Highlight);
    tint.setAlpha(70);
    m_model->SetMarkTint(tint);
}

void CTableView::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        UpdateMarkTint();
}

std::optional<size_t> CTableView::SelectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return std::nullopt;
    return static_cast<size_t>(rows.first().row());
}

void CTableView::ActivateSelectedRow()
{
    if (const std::optional<size_t> row = SelectedRow())
        Q_EMIT RowActivated(static_cast<int>(*row));
}

void CTableView::keyPressEvent(QKeyEvent* event)
{
    // A grid of marks has no rows to edit: Enter goes on to the dialog's OK.
    const bool editsRows = selectionMode() != QAbstractItemView::NoSelection;
    if (editsRows && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        ActivateSelectedRow();
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace orlan
