#include "widgets/TableView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

#include "pages/PageTable.h"
#include "widgets/CatalogueText.h"

namespace orlan {

CTableView::CTableView(CPageTable& table, const std::string& section, const CLabelCatalogue& catalogue,
                       QWidget* parent)
    : QTableWidget(parent), m_table(table)
{
    const STableDesc& desc = table.Desc();
    setObjectName(QString::fromStdString(desc.id));
    m_firstDataColumn = desc.numberedRows ? 1 : 0;
    const int columns = m_firstDataColumn + static_cast<int>(desc.dataColumns);
    setColumnCount(columns);
    QStringList headers;
    for (int c = 0; c < columns; ++c) {
        const size_t key = static_cast<size_t>(c);
        if (key < desc.headerKeys.size() && !desc.headerKeys[key].empty())
            headers << CatalogueText(catalogue, section, desc.headerKeys[key]);
        else
            headers << (key < desc.fixedHeaders.size() ? QString::fromStdString(desc.fixedHeaders[key]) : QString());
    }
    setHorizontalHeaderLabels(headers);

    setRowCount(static_cast<int>(table.Rows()));
    if (desc.numberedRows) {
        const QString prefix = QString::fromStdString(desc.rowLabelPrefix);
        for (int r = 0; r < rowCount(); ++r) {
            SetCellText(r, 0, prefix.isEmpty() ? RowLabel(catalogue, static_cast<size_t>(r))
                                               : prefix + QString::number(r));
        }
    }

    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(true);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().lineSpacing() * 3 / 2);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);

    connect(this, &QTableWidget::cellDoubleClicked, this, [this] { ActivateSelectedRow(); });
    if (desc.toggleCells) {
        setSelectionMode(QAbstractItemView::NoSelection);
        setAlternatingRowColors(false);  // the tint alone marks the cells
        connect(this, &QTableWidget::cellClicked, this, &CTableView::ToggleCell);
    }
    Refresh();
    resizeColumnsToContents();
}

void CTableView::Refresh()
{
    if (rowCount() != static_cast<int>(m_table.Rows()))
        setRowCount(static_cast<int>(m_table.Rows()));
    for (int r = 0; r < rowCount(); ++r) {
        for (size_t c = 0; c < m_table.Desc().dataColumns; ++c) {
            const std::string& cell = m_table.Cell(static_cast<size_t>(r), c);
            SetCellText(r, m_firstDataColumn + static_cast<int>(c), QString::fromStdString(cell));
        }
    }
}

QSize CTableView::sizeHint() const
{
    QSize hint = QTableWidget::sizeHint();
    const int scrollBar = horizontalScrollBar()->isVisible() ? horizontalScrollBar()->height() : 0;
    hint.setHeight(2 * frameWidth() + horizontalHeader()->sizeHint().height() + verticalHeader()->length() + scrollBar);
    return hint;
}

void CTableView::SetCellText(int row, int column, const QString& text)
{
    QTableWidgetItem* cell = item(row, column);
    if (!cell) {
        cell = new QTableWidgetItem(text);
        setItem(row, column, cell);
    } else if (cell->text() != text) {
        cell->setText(text);
    }
    const STableDesc& desc = m_table.Desc();
    if (desc.toggleCells && column >= m_firstDataColumn) {
        cell->setTextAlignment(Qt::AlignCenter);
        if (text == QString::fromStdString(desc.toggleOn)) {
            // A soft shade of the selection colour, readable in light and dark palettes.
            QColor tint = palette().color(QPalette::Highlight);
            tint.setAlpha(70);
            cell->setBackground(tint);
        } else {
            cell->setBackground(QBrush());
        }
    }
}

void CTableView::ToggleCell(int row, int column)
{
    if (row < 0 || column < m_firstDataColumn)
        return;
    const size_t dataColumn = static_cast<size_t>(column - m_firstDataColumn);
    if (m_table.ToggleCell(static_cast<size_t>(row), dataColumn))
        SetCellText(row, column, QString::fromStdString(m_table.Cell(static_cast<size_t>(row), dataColumn)));
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
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ActivateSelectedRow();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

} // namespace orlan
