#include "pages/logs/EventsPage.h"

#include "labels/LabelCatalogue.h"

namespace orlan {

CPageEvents::CPageEvents()
    : CPage({.className = "CPageEvents",
             .section = "PageLogs",
             .hasWriteBack = false,
             .headingSection = "PageLogs",
             .headingKey = "TITLE"})
{
    STableDesc desc{.id = "events", .numberedRows = false};
    desc.dataColumns = kColumns;
    desc.headerKeys = {"LISTC0", "LISTC1", "LISTC2", "LISTC3", "LISTC4", "LISTC5"};
    desc.columnWidths = {24, 16, 16, 10, 10, 28};
    desc.order = ERowOrder::Append;
    desc.rowLimit = kRowLimit;
    m_tables.emplace_back(std::move(desc));
    AddAction({.id = std::string(kResetAction), .labelKey = "Reset", .labelSection = "Buttons"});
}

void CPageEvents::OnEventRow(const SEventRow& row)
{
    std::vector<std::string> cells(row.columns.begin(), row.columns.end());
    cells[0] = EventTitle(row.what, m_texts);
    m_tables[kEventList].AddRow(std::move(cells));
    // The list dropped its oldest row beyond its limit: so do these.
    m_what.push_back(row.what);
    while (m_what.size() > m_tables[kEventList].Rows())
        m_what.pop_front();
    NotifyChanged();
}

void CPageEvents::LoadLabels(const CLabelCatalogue& catalogue)
{
    const auto text = [&](const SEventTextKey& entry) {
        std::string found = entry.key.empty() ? std::string() : catalogue.Lookup(entry.key, m_info.section);
        return found.empty() ? std::string(entry.builtIn) : found;
    };
    for (size_t i = 0; i < m_texts.sources.size(); ++i)
        m_texts.sources[i] = text(kEventSourceTexts[i]);
    for (size_t i = 0; i < m_texts.patterns.size(); ++i)
        m_texts.patterns[i] = text(kEventPatternTexts[i]);
    CPageTable& list = m_tables[kEventList];
    for (size_t row = 0; row < m_what.size() && row < list.Rows(); ++row)
        list.SetCell(row, 0, EventTitle(m_what[row], m_texts));
    NotifyChanged();
}

std::optional<SPageJob> CPageEvents::ActionJob(std::string_view actionId, std::optional<size_t>)
{
    if (actionId == kResetAction) {
        m_tables[kEventList].Clear();
        m_what.clear();
        NotifyChanged();
    }
    return std::nullopt;
}

} // namespace orlan
