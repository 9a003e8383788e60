#include "pages/PageFamilies.h"
#include "pages/network/EmailPage.h"
#include "pages/network/GprsPage.h"
#include "pages/network/HttpPage.h"
#include "pages/network/Mms3GPage.h"
#include "pages/network/MmsSetupPage.h"

namespace orlan {

void AddNetworkPages(CPageList& pages)
{
    pages.push_back(std::make_unique<CPageGPRS>());
    pages.push_back(std::make_unique<CPageHttp>());
    pages.push_back(std::make_unique<CPageEmail>());
    pages.push_back(std::make_unique<CPage3GMMS>());
    pages.push_back(std::make_unique<CPageMmsSetup>());
}

} // namespace orlan
