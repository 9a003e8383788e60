#include "pages/PageFamilies.h"
#include "pages/system/AlarmParamsPage.h"
#include "pages/system/BatteryPage.h"
#include "pages/system/BuzzerPage.h"
#include "pages/system/DataParamsPage.h"
#include "pages/system/MainParamsPage.h"
#include "pages/system/UpsPage.h"
#include "pages/system/UserCmdPage.h"

namespace orlan {

void AddSystemPages(CPageList& pages)
{
    pages.push_back(std::make_unique<CPageMainParams>());
    pages.push_back(std::make_unique<CPageAlarmParams>());
    pages.push_back(std::make_unique<CPageBattery>());
    pages.push_back(std::make_unique<CPageBuzzer>());
    pages.push_back(std::make_unique<CPageUps>());
    pages.push_back(std::make_unique<CDataParams>());
    pages.push_back(std::make_unique<CPageUserCmd>());
}

} // namespace orlan
