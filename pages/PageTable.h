#pragma once
// A list of rows on a page (phone numbers, message texts, names): its
// columns' catalogue keys and its cells. Rows are edited one at a time.
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlan {

class CLabelCatalogue;
class CPageTable;

// How rows come and go: a fixed number of rows, or a list that grows as
// rows arrive, newest on top or appended, up to a limit.
enum class ERowOrder {
    Fixed,
    NewestFirst,
    Append,
};

// A small picture beside a cell's text, chosen by the page's rule.
enum class ECellIcon {
    None,
    Alarm,
    Normal,
    Fault,
    Offline,
};
using CellIconRule = std::function<ECellIcon(const CPageTable& table, size_t row, size_t column)>;

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
    // Fixed tables have `rowCount` rows; growing ones start empty and keep
    // at most `rowLimit` rows (0: no limit), dropping the oldest.
    ERowOrder order = ERowOrder::Fixed;
    size_t rowLimit = 0;
    // Width hints of the data columns in average characters (0: fit).
    std::vector<int> columnWidths;
    CellIconRule icon;
    // A caption over the table (the SMS and the call grid of a page), in
    // the page's section or `captionSection`; empty: none.
    std::string captionKey;
    std::string captionSection;
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
    // Fixed tables: every cell empty. Growing tables: no rows.
    void Clear();
    // Whether a cell's text is known: set from a read, a profile, a person
    // or a row the table grew by. Cleared cells are not, and a command
    // carrying one is never sent.
    bool IsKnown(size_t row, size_t column) const;
    // Whether every cell of `row` from column `first` up to `last` (not
    // included) is known: a row dialog sends them all.
    bool AreKnown(size_t row, size_t first, size_t last) const;
    // One cell empty again, and unknown.
    void ForgetCell(size_t row, size_t column);
    // A cell whose text stays but is not known to be the terminal's (a row
    // editor's mark drawn from a cell never read).
    void SetKnown(size_t row, size_t column, bool known);

    // Growing tables: a new row, on top or at the end as the table orders
    // them, the oldest dropped beyond the limit; missing cells stay empty.
    // False for a fixed table.
    bool AddRow(std::vector<std::string> cells);
    // The name a row goes by wherever it is shown (the list, its dialog's
    // title, a job's report, the CLI): a numbered row's prefix (the table's
    // own, else SYSCHAR/NO_X) and number from 0 ("No.2"), else the label the
    // page put in its first cell ("03", "Input1"), else its number.
    std::string RowLabel(size_t row, const CLabelCatalogue& catalogue) const;
    // The row a person names by its label (letter case and blanks around it
    // do not count) or by its number from 0; none for anything else.
    std::optional<size_t> FindRow(std::string_view name, const CLabelCatalogue& catalogue) const;

    // Rows changed since the table was made; views redraw when it moves.
    std::uint64_t Revision() const { return m_revision; }

    // Mark tables: `count` cells from `firstColumn` as a bit mask, bit i for
    // cell firstColumn + i, set where the cell holds `toggleOn`.
    std::uint32_t RowMask(size_t row, size_t firstColumn, size_t count) const;
    // Fills those cells with `toggleOn` or `toggleOff` from a mask.
    void SetRowMask(size_t row, size_t firstColumn, size_t count, std::uint32_t mask);

private:
    STableDesc m_desc;
    // Rows come and go at both ends (newest first or a row limit).
    std::deque<std::vector<std::string>> m_cells;
    std::deque<std::vector<bool>> m_known;
    std::uint64_t m_revision = 0;
};

} // namespace orlan
