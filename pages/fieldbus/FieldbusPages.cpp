#include "pages/PageFamilies.h"
#include "pages/fieldbus/Comm2Page.h"
#include "pages/fieldbus/MbusParamsPage.h"
#include "pages/fieldbus/Meter62056Page.h"

namespace orlan {

void AddFieldbusPages(CPageList& pages)
{
    pages.push_back(std::make_unique<CPageMbusParams>());
    pages.push_back(std::make_unique<CPageComm2>());
    pages.push_back(std::make_unique<CPage62056>());
}

} // namespace orlan
