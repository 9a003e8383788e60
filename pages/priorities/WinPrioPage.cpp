#include "pages/priorities/WinPrioPage.h"

#include "pages/priorities/PriorityColumns.h"

namespace orlan {

CPageWinPrio::CPageWinPrio()
    : CPriorityPage({.className = "CPageWinPrio",
                     .section = "PageWinPrio",
                     .navKey = "PAGE_WINPRIO",
                     .profileTitle = "wireless zones alarm prio table"},
                    {{"sms", "$PRIOWINSMS", "PRIO_SMS"}, {"ring", "$PRIOWINRING", "PRIO_CALL"}},
                    NumberedColumns({"LIST0C0", "LIST0C1"}, kColumns - 1), 8, "WINPRIO", 2)
{
}

} // namespace orlan
