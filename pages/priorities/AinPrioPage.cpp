#include "pages/priorities/AinPrioPage.h"

#include "pages/priorities/PriorityColumns.h"

namespace orlan {

// The page's only catalogue text heads the row labels, so its section is
// the common one. Its masks hold four hex digits at most.
CPageAinprio::CPageAinprio()
    : CPriorityPage({.className = "CPageAinprio", .section = "SYSCHAR", .headingKey = "PAGE_AINPRIO"},
                    {{"sms", "$PRIOAINSMS"}}, NumberedColumns({"NO_X"}, kInputs, "AIN"), 4, "AINPRIO", 2)
{
}

} // namespace orlan
