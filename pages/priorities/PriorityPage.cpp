#include "pages/priorities/PriorityPage.h"

#include <algorithm>

#include "console/WireFormat.h"

namespace orlan {

CPriorityPage::CPriorityPage(SPageInfo info, std::vector<SGrid> grids, const STableDesc& columns,
                             size_t maxMaskChars, std::string command, size_t wireMasks)
    : CPage(std::move(info)), m_maxMaskChars(maxMaskChars), m_command(std::move(command)), m_wireMasks(wireMasks)
{
    for (SGrid& grid : grids) {
        STableDesc desc = columns;
        desc.id = std::move(grid.id);
        desc.rowCount = kPriorityRows;
        desc.numberedRows = true;
        desc.rowLabelPrefix = "CS";
        desc.toggleCells = true;
        desc.toggleOn = kMarkOn;
        desc.toggleOff = kMarkOff;
        m_tables.emplace_back(std::move(desc));
        m_dumpKeys.push_back(std::move(grid.dumpKey));
    }
}

std::string CPriorityPage::DumpRequest() const
{
    return "%DUMP_PRIOTB\r";
}

std::vector<SDumpEntry> CPriorityPage::DumpEntries()
{
    std::vector<SDumpEntry> entries;
    for (size_t grid = 0; grid < m_dumpKeys.size(); ++grid)
        entries.push_back({m_dumpKeys[grid], [this, grid](const SDumpValue& value) { StoreRow(grid, value); }});
    return entries;
}

void CPriorityPage::StoreRow(size_t grid, const SDumpValue& value)
{
    const std::optional<SPriorityRow> parsed = ParsePriorityRow(value.text, m_maxMaskChars);
    if (!parsed)
        return;
    CPageTable& table = m_tables[grid];
    for (size_t cell = 0; cell < table.Desc().dataColumns; ++cell) {
        const bool on = cell < 32 && ((parsed->mask >> cell) & 1U) != 0;
        table.SetCell(parsed->row, cell, std::string(on ? kMarkOn : kMarkOff));
    }
    NotifyChanged();
}

std::uint16_t CPriorityPage::Mask(size_t grid, size_t row) const
{
    if (grid >= m_tables.size())
        return 0;
    std::uint16_t mask = 0;
    const size_t cells = std::min<size_t>(m_tables[grid].Desc().dataColumns, 16);
    for (size_t cell = 0; cell < cells; ++cell) {
        if (m_tables[grid].Cell(row, cell) == kMarkOn)
            mask = static_cast<std::uint16_t>(mask | (1U << cell));
    }
    return mask;
}

const std::string& CPriorityPage::Mark(size_t grid, size_t row, size_t cell) const
{
    static const std::string none;
    return grid < m_tables.size() ? m_tables[grid].Cell(row, cell) : none;
}

CCommandList CPriorityPage::SettingCommands(ETarget) const
{
    CCommandList commands;
    for (size_t row = 0; row < kPriorityRows; ++row) {
        std::string text = FormatWire("%%%s=%zu", m_command.c_str(), row);
        for (size_t mask = 0; mask < m_wireMasks; ++mask)
            text += FormatWire(",%4.4x", static_cast<unsigned>(Mask(mask, row)));
        commands.push_back({text + "\r", kRowTicks});
    }
    return commands;
}

} // namespace orlan
