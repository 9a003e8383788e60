#pragma once
// The generic list of a page table: numbered rows labelled SYSCHAR/NO_X (or
// a fixed prefix) and the row number, column headers from the page's
// section. Cells are not typed into; a double click or Enter on the selected
// row asks for its editor, and in a grid of marks a click toggles the cell.
#include <QTableWidget>

#include <optional>
#include <string>

namespace orlan {

class CLabelCatalogue;
class CPageTable;

class CTableView : public QTableWidget {
    Q_OBJECT
public:
    CTableView(CPageTable& table, const std::string& section, const CLabelCatalogue& catalogue,
               QWidget* parent = nullptr);

    // Shows the table's cells; selection and scroll position stay.
    void Refresh();
    std::optional<size_t> SelectedRow() const;
    // Tall enough for every row; the view grows no taller than that.
    QSize sizeHint() const override;

Q_SIGNALS:
    // The user asked to edit the selected row.
    void RowActivated(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ActivateSelectedRow();
    void SetCellText(int row, int column, const QString& text);
    void ToggleCell(int row, int column);

    CPageTable& m_table;
    int m_firstDataColumn = 0;
};

} // namespace orlan
