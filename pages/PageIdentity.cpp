#include "pages/PageIdentity.h"

#include <algorithm>

namespace orlan {

namespace {

// class, alias, clear rank, profile rank
constexpr SPageIdentity kPages[] = {
    {"CPageMainParams", "main", 2, 3},
    {"CPageAlarmParams", "alarm", 12, 4},
    {"CPageBattery", "battery", 23, 16},
    {"CPageBuzzer", "buzzer", 32, 13},
    {"CPageUps", "ups", 0, 0},
    {"CDataParams", "sms-data", 5, 0},
    {"CPageUserCmd", "user-commands", 25, 21},
    {"CPageServer", "control-phones", 6, 1},
    {"CPageSos", "sos-phone", 21, 0},
    {"CPageAllSms", "messages", 1, 5},
    {"CPageADSms", "analog-messages", 4, 0},
    {"CPageDinAlarm", "input-messages", 3, 0},
    {"CPageDinName", "input-names", 33, 10},
    {"CPageDoutName", "output-names", 34, 12},
    {"CPageADName", "analog-names", 22, 0},
    {"CPageISensorName", "sensor-names", 18, 17},
    {"CPagePriotab", "input-priorities", 27, 11},
    {"CPageAinprio", "analog-priorities", 28, 0},
    {"CPageSysPrio", "system-priorities", 29, 6},
    {"CPageWinPrio", "zone-priorities", 14, 7},
    {"CPageMTimer", "timers", 13, 19},
    {"CWeekTimerPage", "weekly-timers", 30, 20},
    {"CPageRname", "register-names", 0, 0},
    {"CPageGPIO", "io-types", 10, 8},
    {"CPageCio", "linkage", 0, 18},
    {"CPageInterlock", "interlocks", 26, 0},
    {"CPageDinParams", "input-timing", 24, 9},
    {"CPageCounter", "counters", 0, 0},
    {"CPageDinCt", "counter-setup", 0, 0},
    {"CPageRfZone", "rf-zones", 7, 2},
    {"CPageDin3G", "3g-inputs", 36, 0},
    {"CPageAD", "analog", 11, 0},
    {"CPageAdcExt", "analog-ext", 0, 0},
    {"CPageTemp", "temperature", 9, 15},
    {"CPageExtTemp", "ext-temperature", 0, 14},
    {"CPageHumidity", "humidity", 0, 0},
    {"CPageGSensor", "motion", 17, 0},
    {"CPageGraycode", "encoder", 19, 0},
    {"CPageGPRS", "gprs", 31, 0},
    {"CPageHttp", "http", 0, 0},
    {"CPageEmail", "email", 8, 0},
    {"CPageMmsSetup", "mms", 20, 0},
    {"CPage3GMMS", "3g-mms", 16, 0},
    {"CPageMbusParams", "modbus", 35, 0},
    {"CPageComm2", "uart2", 0, 0},
    {"CPage62056", "meter", 15, 0},
    {"CPageComm", "console", 0, 0},
    {"CPageExTmpRcd", "temp-records", 0, 0},
    {"CPageExtTmpLog", "temp-log", 0, 0},
    {"CPageEvents", "events", 0, 0},
};

} // namespace

std::span<const SPageIdentity> PageIdentities()
{
    return kPages;
}

const SPageIdentity* FindPageIdentity(std::string_view className)
{
    const auto* found = std::find_if(std::begin(kPages), std::end(kPages),
                                     [className](const SPageIdentity& page) { return page.className == className; });
    return found == std::end(kPages) ? nullptr : found;
}

} // namespace orlan
