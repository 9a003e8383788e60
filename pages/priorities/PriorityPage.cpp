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
        desc.captionKey = std::move(grid.captionKey);
        desc.captionSection = "SYSCHAR";
        m_tables.emplace_back(std::move(desc));
        m_dumpKeys.push_back(std::move(grid.dumpKey));
    }
    AddProfileInverse(RowFormat(), [this](const std::vector<std::string>& values) {
        const std::optional<long long> row = ScannedNumber(values[0]);
        if (!row || *row < 0 || *row >= static_cast<long long>(kPriorityRows))
            return false;
        std::vector<std::uint16_t> masks;
        for (size_t mask = 1; mask < values.size(); ++mask) {
            const std::optional<long long> bits = ScannedNumber(values[mask], 16);
            if (!bits || *bits < 0 || *bits > 0xffff)
                return false;
            masks.push_back(static_cast<std::uint16_t>(*bits));
        }
        for (size_t grid = 0; grid < m_tables.size() && grid < masks.size(); ++grid) {
            CPageTable& table = m_tables[grid];
            table.SetRowMask(static_cast<size_t>(*row), 0, std::min<size_t>(table.Desc().dataColumns, 16),
                             masks[grid]);
        }
        return true;
    });
}

std::string CPriorityPage::RowFormat() const
{
    std::string format = "%%" + m_command + "=%zu";
    for (size_t mask = 0; mask < m_wireMasks; ++mask)
        format += ",%4.4x";
    return format + "\r";
}

std::string CPriorityPage::DumpRequest() const
{
    return "%DUMP_PRIOTB\r";
}

std::vector<SDumpEntry> CPriorityPage::DumpEntries()
{
    std::vector<SDumpEntry> entries = SettingEntries();
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
    table.SetRowMask(parsed->row, 0, table.Desc().dataColumns, parsed->mask);
    NotifyChanged();
}

std::uint16_t CPriorityPage::Mask(size_t grid, size_t row) const
{
    if (grid >= m_tables.size())
        return 0;
    const CPageTable& table = m_tables[grid];
    return static_cast<std::uint16_t>(table.RowMask(row, 0, std::min<size_t>(table.Desc().dataColumns, 16)));
}

const std::string& CPriorityPage::Mark(size_t grid, size_t row, size_t cell) const
{
    static const std::string none;
    return grid < m_tables.size() ? m_tables[grid].Cell(row, cell) : none;
}

CCommandList CPriorityPage::SettingCommands(ETarget target) const
{
    CCommandList commands;
    for (size_t row = 0; row < kPriorityRows; ++row) {
        std::string text = FormatWire("%%%s=%zu", m_command.c_str(), row);
        for (size_t mask = 0; mask < m_wireMasks; ++mask)
            text += FormatWire(",%4.4x", static_cast<unsigned>(Mask(mask, row)));
        commands.push_back({text + "\r", kRowWaitMs});
    }
    // The page's own settings follow the rows.
    for (SCommand& command : CPage::SettingCommands(target))
        commands.push_back(std::move(command));
    return commands;
}

} // namespace orlan
