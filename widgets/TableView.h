#pragma once
// The generic list of a page table: numbered rows labelled SYSCHAR/NO_X (or
// a fixed prefix) and the row number, column headers from the page's
// section, column widths from the table's hints and cell icons from its
// rule. Cells are not typed into; a double click or Enter on the selected
// row asks for its editor, and in a grid of marks a click toggles the cell.
// Growing lists of thousands of rows cost only the rows on screen.
#include <QTableView>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orlan {

class CLabelCatalogue;
class CPageTable;
class CTableModel;

class CTableView : public QTableView {
    Q_OBJECT
public:
    // Rows a growing list shows before it scrolls, and the fewest it keeps
    // in view when the page is short of height.
    static constexpr int kGrowingVisibleRows = 10;
    static constexpr int kGrowingMinimumRows = 5;

    CTableView(CPageTable& table, const std::string& section, const CLabelCatalogue& catalogue,
               QWidget* parent = nullptr);

    // Shows the table's changes; selection and scroll position stay. In a
    // growing list the selection stays on its row while rows come and go
    // (and goes when the row is dropped), and a list that appends keeps
    // showing its end when it was scrolled there.
    void Refresh();
    std::optional<size_t> SelectedRow() const;
    // Fixed tables: tall enough for every row; the view grows no taller
    // than that. Growing lists take the height they are given.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    CTableModel* TableModel() const { return m_model; }
    int rowCount() const;
    int columnCount() const;
    // What a cell shows, the row label column counted.
    QString CellText(int row, int column) const;
    QString HeaderText(int column) const;
    // A fixed list of values (no marks) is as wide as its columns.
    bool FitsItsColumns() const;

Q_SIGNALS:
    // The user asked to edit the selected row.
    void RowActivated(int row);
    // A row was selected, or the selection went.
    void SelectedRowChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The height that shows rows of this height with header and frame.
    int HeightFor(int rowsHeight) const;
    void ActivateSelectedRow();
    void UpdateMarkTint();
    void FitUnhintedColumns();
    bool HasValues() const;
    void RememberSelectedRow();
    // Finds the remembered row again after rows came or went.
    void FollowSelectedRow();

    CPageTable& m_table;
    CTableModel* m_model = nullptr;
    std::optional<size_t> m_selectedRow;
    std::vector<std::string> m_selectedCells;
    bool m_fittedToValues = false;
};

} // namespace orlan
