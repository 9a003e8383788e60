#include "pages/PageFamilies.h"
#include "pages/system/AlarmParamsPage.h"
#include "pages/system/MainParamsPage.h"

namespace orlan {

void AddSystemPages(CPageList& pages)
{
    pages.push_back(std::make_unique<CPageMainParams>());
    pages.push_back(std::make_unique<CPageAlarmParams>());
}

} // namespace orlan
