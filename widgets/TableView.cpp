#include "widgets/TableView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>

#include "pages/PageTable.h"
#include "widgets/CatalogueText.h"

namespace orlan {

CTableView::CTableView(const CPageTable& table, const std::string& section, const CLabelCatalogue& catalogue,
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
        headers << (key < desc.headerKeys.size() ? CatalogueText(catalogue, section, desc.headerKeys[key]) : QString());
    }
    setHorizontalHeaderLabels(headers);

    setRowCount(static_cast<int>(table.Rows()));
    if (desc.numberedRows) {
        for (int r = 0; r < rowCount(); ++r)
            SetCellText(r, 0, RowLabel(catalogue, static_cast<size_t>(r)));
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
    if (QTableWidgetItem* existing = item(row, column)) {
        if (existing->text() != text)
            existing->setText(text);
        return;
    }
    setItem(row, column, new QTableWidgetItem(text));
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
