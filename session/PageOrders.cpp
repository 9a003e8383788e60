#include "session/PageOrders.h"

namespace orlan {

const std::vector<std::string_view>& WholeReadClearOrder()
{
    static const std::vector<std::string_view> order = {
        "CPageAllSms",     "CPageMainParams", "CPageDinAlarm",    "CPageADSms",      "CDataParams",
        "CPageServer",     "CPageRfZone",     "CPageEmail",       "CPageTemp",       "CPageGPIO",
        "CPageAD",         "CPageAlarmParams", "CPageMTimer",     "CPageWinPrio",    "CPage62056",
        "CPage3GMMS",      "CPageGSensor",    "CPageISensorName", "CPageGraycode",   "CPageMmsSetup",
        "CPageSos",        "CPageADName",     "CPageBattery",     "CPageDinParams",  "CPageUserCmd",
        "CPageInterlock",  "CPagePriotab",    "CPageAinprio",     "CPageSysPrio",    "CWeekTimerPage",
        "CPageGPRS",       "CPageBuzzer",     "CPageDinName",     "CPageDoutName",   "CPageMbusParams",
        "CPageDin3G"};
    return order;
}

const std::vector<std::string_view>& ProfileSectionOrder()
{
    static const std::vector<std::string_view> order = {
        "CPageServer",   "CPageRfZone",   "CPageMainParams", "CPageAlarmParams", "CPageAllSms",
        "CPageSysPrio",  "CPageWinPrio",  "CPageGPIO",       "CPageDinParams",   "CPageDinName",
        "CPagePriotab",  "CPageDoutName", "CPageBuzzer",     "CPageExtTemp",     "CPageTemp",
        "CPageBattery",  "CPageISensorName", "CPageCio",     "CPageMTimer",      "CWeekTimerPage",
        "CPageUserCmd"};
    return order;
}

} // namespace orlan
