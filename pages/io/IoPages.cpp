#include "pages/PageFamilies.h"
#include "pages/io/CioPage.h"
#include "pages/io/CounterPage.h"
#include "pages/io/Din3GPage.h"
#include "pages/io/DinCtPage.h"
#include "pages/io/DinParamsPage.h"
#include "pages/io/GpioPage.h"
#include "pages/io/InterlockPage.h"
#include "pages/io/RfZonePage.h"

namespace orlan {

void AddIoPages(CPageList& pages)
{
    pages.push_back(std::make_unique<CPageGPIO>());
    pages.push_back(std::make_unique<CPageCio>());
    pages.push_back(std::make_unique<CPageInterlock>());
    pages.push_back(std::make_unique<CPageDinParams>());
    pages.push_back(std::make_unique<CPageDinCt>());
    pages.push_back(std::make_unique<CPageCounter>());
    pages.push_back(std::make_unique<CPageRfZone>());
    pages.push_back(std::make_unique<CPageDin3G>());
}

} // namespace orlan
