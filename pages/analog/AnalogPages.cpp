#include "pages/PageFamilies.h"
#include "pages/analog/AdPage.h"
#include "pages/analog/AdcExtPage.h"
#include "pages/analog/ExtTempPage.h"
#include "pages/analog/GSensorPage.h"
#include "pages/analog/GraycodePage.h"
#include "pages/analog/HumidityPage.h"
#include "pages/analog/TempPage.h"

namespace orlan {

void AddAnalogPages(CPageList& pages)
{
    pages.push_back(std::make_unique<CPageAD>());
    pages.push_back(std::make_unique<CPageAdcExt>());
    pages.push_back(std::make_unique<CPageTemp>());
    pages.push_back(std::make_unique<CPageExtTemp>());
    pages.push_back(std::make_unique<CPageHumidity>());
    pages.push_back(std::make_unique<CPageGSensor>());
    pages.push_back(std::make_unique<CPageGraycode>());
}

} // namespace orlan
