#include "pages/AllPages.h"

#include "pages/PageFamilies.h"

namespace orlan {

std::vector<std::unique_ptr<CPage>> CreateAllPages()
{
    CPageList pages;
    AddContactPages(pages);
    AddSystemPages(pages);
    AddMessagePages(pages);
    AddPriorityPages(pages);
    AddTimerPages(pages);
    AddDiagnosticPages(pages);
    AddIoPages(pages);
    AddAnalogPages(pages);
    AddNetworkPages(pages);
    AddFieldbusPages(pages);
    AddLogsPages(pages);
    return pages;
}

} // namespace orlan
