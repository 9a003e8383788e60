#include "pages/PageTable.h"

namespace orlan {

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
    m_cells[row][column] = std::move(text);
    return true;
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
    return true;
}

void CPageTable::Clear()
{
    m_cells.assign(m_desc.rowCount, std::vector<std::string>(m_desc.dataColumns));
}

} // namespace orlan
