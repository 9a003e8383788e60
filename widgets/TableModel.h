#pragma once
// A page table as an item model: the row label column when rows are
// numbered, then the table's cells, with the mark tint and the cell icons
// the table describes. The model reads the table's cells when a view asks,
// so long lists cost only what is on screen; Sync tells the views what
// changed once the table's revision moved.
#include <QAbstractTableModel>
#include <QColor>
#include <QIcon>
#include <QStringList>

#include <array>
#include <cstdint>

#include "pages/PageTable.h"

namespace orlan {

class CLabelCatalogue;

class CTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    // `headers` name every column, the label column first; numbered rows
    // show the table's row label (`CPageTable::RowLabel`).
    CTableModel(CPageTable& table, QStringList headers, const CLabelCatalogue& catalogue, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    CPageTable& Table() const { return m_table; }
    int FirstDataColumn() const { return m_firstDataColumn; }
    // Rows as the views know them: rows come and go at the end, the other
    // rows are redrawn. Nothing happens while the revision stands still.
    void Sync();
    // Swaps a mark cell; false where the table does not toggle it.
    bool Toggle(const QModelIndex& index);
    // The background of cells holding the table's "on" mark.
    void SetMarkTint(QColor tint) { m_markTint = tint; }

private:
    CPageTable& m_table;
    QStringList m_headers;
    const CLabelCatalogue& m_catalogue;
    int m_firstDataColumn = 0;
    int m_rows = 0;
    std::uint64_t m_revision = 0;
    QColor m_markTint;
    QString m_markOn;
    mutable std::array<QIcon, 5> m_icons;  // by ECellIcon, drawn when first shown
};

} // namespace orlan
