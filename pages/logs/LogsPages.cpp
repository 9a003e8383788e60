#include "pages/PageFamilies.h"
#include "pages/logs/EventsPage.h"
#include "pages/logs/ExTmpRcdPage.h"
#include "pages/logs/ExtTmpLogPage.h"

namespace orlan {

// The realtime page before the log page: every "$" line reaches them in
// this order.
void AddLogsPages(CPageList& pages)
{
    pages.push_back(std::make_unique<CPageExTmpRcd>());
    pages.push_back(std::make_unique<CPageExtTmpLog>());
    pages.push_back(std::make_unique<CPageEvents>());
}

} // namespace orlan
