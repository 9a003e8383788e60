#include "session/PageOrders.h"

namespace orlan {

const std::vector<std::string_view>& AllPageClasses()
{
    static const std::vector<std::string_view> classes = {
        "CPageMainParams", "CPageAlarmParams", "CPageBattery",    "CPageBuzzer",      "CPageUps",
        "CDataParams",     "CPageUserCmd",     "CPageServer",     "CPageSos",         "CPageAllSms",
        "CPageADSms",      "CPageDinAlarm",    "CPageDinName",    "CPageDoutName",    "CPageADName",
        "CPageISensorName", "CPagePriotab",    "CPageAinprio",    "CPageSysPrio",     "CPageWinPrio",
        "CPageMTimer",     "CWeekTimerPage",   "CPageRname",      "CPageGPIO",        "CPageCio",
        "CPageInterlock",  "CPageDinParams",   "CPageCounter",    "CPageDinCt",       "CPageRfZone",
        "CPageDin3G",      "CPageAD",          "CPageAdcExt",     "CPageTemp",        "CPageExtTemp",
        "CPageHumidity",   "CPageGSensor",     "CPageGraycode",   "CPageGPRS",        "CPageHttp",
        "CPageEmail",      "CPageMmsSetup",    "CPage3GMMS",      "CPageMbusParams",  "CPageComm2",
        "CPage62056",      "CPageComm",        "CPageExTmpRcd",   "CPageExtTmpLog",   "CPageEvents"};
    return classes;
}

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
