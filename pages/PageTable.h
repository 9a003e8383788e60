#pragma once
// A list of rows on a page (phone numbers, message texts, names): its
// columns' catalogue keys and its cells. Rows are edited one at a time.
#include <string>
#include <vector>

namespace orlan {

struct STableDesc {
    std::string id;
    // Column header keys in the page's section, the row label column first
    // when the rows are numbered.
    std::vector<std::string> headerKeys;
    size_t rowCount = 0;
    size_t dataColumns = 1;
    // Column 0 shows SYSCHAR/NO_X followed by the row number from 0.
    bool numberedRows = true;
    // A fixed prefix for the numbered row labels ("CS" gives "CS3") instead
    // of the catalogue text.
    std::string rowLabelPrefix;
    // Header texts that are not in the catalogue (plain numbers), by column;
    // used where the column has no key.
    std::vector<std::string> fixedHeaders;
    // Grids of marks: a click turns `toggleOn` into `toggleOff` and back; the
    // view tints cells holding `toggleOn`. Other texts (an empty cell before
    // the first read) stay as they are.
    bool toggleCells = false;
    std::string toggleOn;
    std::string toggleOff;
};

class CPageTable {
public:
    explicit CPageTable(STableDesc desc);

    const STableDesc& Desc() const { return m_desc; }
    size_t Rows() const { return m_cells.size(); }
    // Empty for a row or column out of range.
    const std::string& Cell(size_t row, size_t column) const;
    // False (and nothing changes) for a row or column out of range.
    bool SetCell(size_t row, size_t column, std::string text);
    // Swaps a cell between the two toggle texts; false (and nothing
    // changes) when the table does not toggle, the cell is out of range or
    // holds neither text.
    bool ToggleCell(size_t row, size_t column);
    void Clear();

private:
    STableDesc m_desc;
    std::vector<std::vector<std::string>> m_cells;
};

} // namespace orlan
