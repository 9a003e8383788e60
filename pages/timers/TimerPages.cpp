#include "pages/PageFamilies.h"
#include "pages/timers/MTimerPage.h"
#include "pages/timers/WeekTimerPage.h"

namespace orlan {

void AddTimerPages(CPageList& pages)
{
    pages.push_back(std::make_unique<CPageMTimer>());
    pages.push_back(std::make_unique<CWeekTimerPage>());
}

} // namespace orlan
