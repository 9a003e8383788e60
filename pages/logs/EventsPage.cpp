#include "pages/logs/EventsPage.h"

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
    m_tables[kEventList].AddRow({row.columns.begin(), row.columns.end()});
    NotifyChanged();
}

std::optional<SPageJob> CPageEvents::ActionJob(std::string_view actionId, std::optional<size_t>)
{
    if (actionId == kResetAction) {
        m_tables[kEventList].Clear();
        NotifyChanged();
    }
    return std::nullopt;
}

} // namespace orlan
