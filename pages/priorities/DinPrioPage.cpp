#include "pages/priorities/DinPrioPage.h"

#include "pages/priorities/PriorityColumns.h"

namespace orlan {

// Offered through no navigation item and kept out of profiles.
CPagePriotab::CPagePriotab()
    : CPriorityPage({.className = "CPagePriotab",
                     .section = "PageDinPrio",
                     .headingSection = "PageDinPrio",
                     .headingKey = "Title"},
                    {{"sms", "$PRIODINSMS", "PRIO_SMS"}, {"ring", "$PRIODINRING", "PRIO_CALL"}}, NumberedColumns({"LIST0C0"}, kInputs), 8,
                    "DINPRIO", 2)
{
}

} // namespace orlan
