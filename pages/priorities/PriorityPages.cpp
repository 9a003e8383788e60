#include "pages/PageFamilies.h"
#include "pages/priorities/AinPrioPage.h"
#include "pages/priorities/DinPrioPage.h"
#include "pages/priorities/SysPrioPage.h"
#include "pages/priorities/WinPrioPage.h"

namespace orlan {

void AddPriorityPages(CPageList& pages)
{
    pages.push_back(std::make_unique<CPageSysPrio>());
    pages.push_back(std::make_unique<CPageWinPrio>());
    pages.push_back(std::make_unique<CPagePriotab>());
    pages.push_back(std::make_unique<CPageAinprio>());
}

} // namespace orlan
