#include "pages/priorities/SysPrioPage.h"

#include "console/WireFormat.h"

namespace orlan {

namespace {

STableDesc EventColumns()
{
    STableDesc columns{.dataColumns = CPageSysPrio::kEvents};
    for (size_t column = 0; column <= CPageSysPrio::kEvents; ++column)
        columns.headerKeys.push_back(FormatWire("LISTC%zu", column));
    return columns;
}

} // namespace

CPageSysPrio::CPageSysPrio()
    : CPriorityPage({.className = "CPageSysPrio",
                     .section = "PageCSPrio",
                     .navKey = "PAGE_SYSPRIO",
                     .profileTitle = "system basic prio table"},
                    {{"prio", "$PRIOSYS"}}, EventColumns(), 8, "BASEPRIO", 1)
{
    m_fields.Add({.id = std::string(kM2mField), .kind = EFieldKind::Check, .labelKey = "M2MSMSEN"});
}

std::vector<SDumpEntry> CPageSysPrio::DumpEntries()
{
    std::vector<SDumpEntry> entries = CPriorityPage::DumpEntries();
    entries.push_back({"$M2M_SMS", [this](const SDumpValue& value) {
                           m_fields.SetNumber(kM2mField, value.on ? 1 : 0);
                           NotifyChanged();
                       }});
    return entries;
}

CCommandList CPageSysPrio::SettingCommands(ETarget target) const
{
    CCommandList commands = CPriorityPage::SettingCommands(target);
    commands.push_back({FormatWire("%%M2MSMSEN%d\r", m_fields.Number(kM2mField) != 0 ? 1 : 0), kRowTicks});
    return commands;
}

} // namespace orlan
