#include "pages/PageTable.h"

#include <cctype>

#include "console/TextScan.h"
#include "labels/CommonLabelKeys.h"
#include "labels/LabelCatalogue.h"
#include "labels/TextCodec.h"

namespace orlan {

namespace {

bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace

std::string CPageTable::RowLabel(size_t row, const CLabelCatalogue& catalogue) const
{
    if (m_desc.numberedRows) {
        const std::string prefix =
            m_desc.rowLabelPrefix.empty() ? catalogue.Lookup(kCharRowNumber, kSectionSysChar) : m_desc.rowLabelPrefix;
        return prefix + std::to_string(row);
    }
    const std::string& cell = Cell(row, 0);
    return cell.empty() ? std::to_string(row) : cell;
}

std::optional<size_t> CPageTable::FindRow(std::string_view name, const CLabelCatalogue& catalogue) const
{
    const std::string_view wanted = Trimmed(name);
    if (wanted.empty())
        return std::nullopt;
    for (size_t row = 0; row < Rows(); ++row) {
        if (SameText(Trimmed(RowLabel(row, catalogue)), wanted))
            return row;
    }
    if (wanted.size() > 9 || wanted.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    const size_t row = std::stoul(std::string(wanted));
    return row < Rows() ? std::optional<size_t>(row) : std::nullopt;
}

CPageTable::CPageTable(STableDesc desc) : m_desc(std::move(desc))
{
    Clear();
}

const std::string& CPageTable::Cell(size_t row, size_t column) const
{
    static const std::string empty;
    if (row >= m_cells.size() || column >= m_desc.dataColumns)
        return empty;
    return m_cells[row][column];
}

bool CPageTable::SetCell(size_t row, size_t column, std::string text)
{
    if (row >= m_cells.size() || column >= m_desc.dataColumns)
        return false;
    // Hex that is no UCS-2 is shown as it came, never written back.
    m_known[row][column] = !IsUndecodedUcs2(text);
    m_cells[row][column] = std::move(text);
    ++m_revision;
    return true;
}

bool CPageTable::IsKnown(size_t row, size_t column) const
{
    return row < m_known.size() && column < m_desc.dataColumns && m_known[row][column];
}

bool CPageTable::AreKnown(size_t row, size_t first, size_t last) const
{
    for (size_t column = first; column < last; ++column) {
        if (!IsKnown(row, column))
            return false;
    }
    return first < last;
}

void CPageTable::SetKnown(size_t row, size_t column, bool known)
{
    if (row < m_known.size() && column < m_desc.dataColumns)
        m_known[row][column] = known;
}

void CPageTable::ForgetCell(size_t row, size_t column)
{
    if (row >= m_cells.size() || column >= m_desc.dataColumns)
        return;
    m_cells[row][column].clear();
    m_known[row][column] = false;
    ++m_revision;
}

bool CPageTable::ToggleCell(size_t row, size_t column)
{
    if (!m_desc.toggleCells || row >= m_cells.size() || column >= m_desc.dataColumns)
        return false;
    std::string& cell = m_cells[row][column];
    if (cell == m_desc.toggleOn)
        cell = m_desc.toggleOff;
    else if (cell == m_desc.toggleOff)
        cell = m_desc.toggleOn;
    else
        return false;
    m_known[row][column] = true;
    ++m_revision;
    return true;
}

void CPageTable::Clear()
{
    const size_t rows = m_desc.order == ERowOrder::Fixed ? m_desc.rowCount : 0;
    m_cells.assign(rows, std::vector<std::string>(m_desc.dataColumns));
    m_known.assign(rows, std::vector<bool>(m_desc.dataColumns, false));
    ++m_revision;
}

bool CPageTable::AddRow(std::vector<std::string> cells)
{
    if (m_desc.order == ERowOrder::Fixed)
        return false;
    cells.resize(m_desc.dataColumns);
    std::vector<bool> known(m_desc.dataColumns, true);
    if (m_desc.order == ERowOrder::NewestFirst) {
        m_cells.insert(m_cells.begin(), std::move(cells));
        m_known.insert(m_known.begin(), std::move(known));
        if (m_desc.rowLimit > 0 && m_cells.size() > m_desc.rowLimit) {
            m_cells.pop_back();
            m_known.pop_back();
        }
    } else {
        m_cells.push_back(std::move(cells));
        m_known.push_back(std::move(known));
        if (m_desc.rowLimit > 0 && m_cells.size() > m_desc.rowLimit) {
            m_cells.erase(m_cells.begin());
            m_known.erase(m_known.begin());
        }
    }
    ++m_revision;
    return true;
}

std::uint32_t CPageTable::RowMask(size_t row, size_t firstColumn, size_t count) const
{
    std::uint32_t mask = 0;
    for (size_t i = 0; i < count && i < 32; ++i) {
        if (Cell(row, firstColumn + i) == m_desc.toggleOn)
            mask |= 1U << i;
    }
    return mask;
}

void CPageTable::SetRowMask(size_t row, size_t firstColumn, size_t count, std::uint32_t mask)
{
    for (size_t i = 0; i < count; ++i) {
        const bool on = i < 32 && ((mask >> i) & 1U) != 0;
        SetCell(row, firstColumn + i, on ? m_desc.toggleOn : m_desc.toggleOff);
    }
}

} // namespace orlan
