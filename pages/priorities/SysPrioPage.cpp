#include "pages/priorities/SysPrioPage.h"

#include "console/WireFormat.h"
#include "pages/FieldHelpers.h"

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
    AddSetting({.field = Flag(kM2mField, "M2MSMSEN"),
                .keys = {"$M2M_SMS"},
                .command = "%%M2MSMSEN%d\r",
                .answerWaitMs = kRowWaitMs});
}

} // namespace orlan
