#include "widgets/TableModel.h"

#include <QBrush>

#include <algorithm>

#include "widgets/CellIcons.h"

namespace orlan {

CTableModel::CTableModel(CPageTable& table, QStringList headers, const CLabelCatalogue& catalogue, QObject* parent)
    : QAbstractTableModel(parent),
      m_table(table),
      m_headers(std::move(headers)),
      m_catalogue(catalogue),
      m_firstDataColumn(table.Desc().numberedRows ? 1 : 0),
      m_rows(static_cast<int>(table.Rows())),
      m_revision(table.Revision()),
      m_markOn(QString::fromStdString(table.Desc().toggleOn))
{
}

int CTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int CTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_firstDataColumn + static_cast<int>(m_table.Desc().dataColumns);
}

QVariant CTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const size_t row = static_cast<size_t>(index.row());
    const bool isLabel = index.column() < m_firstDataColumn;
    const size_t column = static_cast<size_t>(index.column() - m_firstDataColumn);
    const STableDesc& desc = m_table.Desc();
    switch (role) {
    case Qt::DisplayRole:
        if (isLabel)
            return QString::fromStdString(m_table.RowLabel(row, m_catalogue));
        return QString::fromStdString(m_table.Cell(row, column));
    case Qt::TextAlignmentRole:
        if (desc.toggleCells && !isLabel)
            return static_cast<int>(Qt::AlignCenter);
        return {};
    case Qt::BackgroundRole:
        if (desc.toggleCells && !isLabel && m_markTint.isValid() &&
            QString::fromStdString(m_table.Cell(row, column)) == m_markOn)
            return QBrush(m_markTint);
        return {};
    case Qt::DecorationRole: {
        if (isLabel || !desc.icon || row >= m_table.Rows())
            return {};
        const ECellIcon icon = desc.icon(m_table, row, column);
        const auto slot = static_cast<size_t>(icon);
        if (icon == ECellIcon::None || slot >= m_icons.size())
            return {};
        if (m_icons[slot].isNull())
            m_icons[slot] = CellIcon(icon);
        return m_icons[slot];
    }
    default:
        return {};
    }
}

QVariant CTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_headers.size())
        return m_headers[section];
    // Mark headers sit over their centred marks.
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole && m_table.Desc().toggleCells &&
        section >= m_firstDataColumn)
        return static_cast<int>(Qt::AlignCenter);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags CTableModel::flags(const QModelIndex& index) const
{
    // Cells are never typed into; rows are edited in the row dialog.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void CTableModel::Sync()
{
    if (m_table.Revision() == m_revision)
        return;
    m_revision = m_table.Revision();
    const int rows = static_cast<int>(m_table.Rows());
    const int kept = std::min(rows, m_rows);
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
    if (kept > 0)
        Q_EMIT dataChanged(index(0, 0), index(kept - 1, columnCount() - 1));
}

bool CTableModel::Toggle(const QModelIndex& index)
{
    if (!index.isValid() || index.column() < m_firstDataColumn)
        return false;
    if (!m_table.ToggleCell(static_cast<size_t>(index.row()), static_cast<size_t>(index.column() - m_firstDataColumn)))
        return false;
    Sync();
    return true;
}

} // namespace orlan
