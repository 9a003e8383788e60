#include "pages/PageIdentity.h"

#include <algorithm>

namespace orlan {

namespace {

// class, alias, clear rank, profile rank, complete profile title
constexpr SPageIdentity kPages[] = {
    {"CPageMainParams", "main", 2, 3},
    {"CPageAlarmParams", "alarm", 12, 4},
    {"CPageBattery", "battery", 23, 16},
    {"CPageBuzzer", "buzzer", 32, 13},
    {"CPageUps", "ups", 0, 0},
    {"CDataParams", "sms-data", 5, 0, "SMS data transfer"},
    {"CPageUserCmd", "user-commands", 25, 21},
    {"CPageServer", "control-phones", 6, 1},
    {"CPageSos", "sos-phone", 21, 0, "SOS phone"},
    {"CPageAllSms", "messages", 1, 5},
    {"CPageADSms", "analog-messages", 4, 0, "Analog input alarm texts"},
    {"CPageDinAlarm", "input-messages", 3, 0, "Digital input alarm texts"},
    {"CPageDinName", "input-names", 33, 10},
    {"CPageDoutName", "output-names", 34, 12},
    {"CPageADName", "analog-names", 22, 0, "Analog inputs Names"},
    {"CPageISensorName", "sensor-names", 18, 17},
    {"CPagePriotab", "input-priorities", 27, 11, "Digital inputs prio table"},
    {"CPageAinprio", "analog-priorities", 28, 0, "Analog inputs prio table"},
    {"CPageSysPrio", "system-priorities", 29, 6},
    {"CPageWinPrio", "zone-priorities", 14, 7},
    {"CPageMTimer", "timers", 13, 19},
    {"CWeekTimerPage", "weekly-timers", 30, 20},
    {"CPageRname", "register-names", 0, 0, "Register Names"},
    {"CPageGPIO", "io-types", 10, 8},
    {"CPageCio", "linkage", 0, 18},
    {"CPageInterlock", "interlocks", 26, 0, "Interlock table"},
    {"CPageDinParams", "input-timing", 24, 9},
    {"CPageCounter", "counters", 0, 0, "Counters"},
    {"CPageDinCt", "counter-setup", 0, 0, "Digital input counters"},
    {"CPageRfZone", "rf-zones", 7, 2},
    {"CPageDin3G", "3g-inputs", 36, 0, "3G input alarm channels"},
    {"CPageAD", "analog", 11, 0, "Analog inputs"},
    {"CPageAdcExt", "analog-ext", 0, 0, "Extended analog inputs"},
    {"CPageTemp", "temperature", 9, 15},
    {"CPageExtTemp", "ext-temperature", 0, 14},
    {"CPageHumidity", "humidity", 0, 0, "Humidity sensor"},
    {"CPageGSensor", "motion", 17, 0, "Motion sensor"},
    {"CPageGraycode", "encoder", 19, 0, "Encoder"},
    {"CPageGPRS", "gprs", 31, 0, "GPRS data centres"},
    {"CPageHttp", "http", 0, 0, "HTTP"},
    {"CPageEmail", "email", 8, 0, "E-mail"},
    {"CPageMmsSetup", "mms", 20, 0, "MMS"},
    {"CPage3GMMS", "3g-mms", 16, 0, "3G MMS"},
    {"CPageMbusParams", "modbus", 35, 0, "Modbus master"},
    {"CPageComm2", "uart2", 0, 0, "Second UART"},
    {"CPage62056", "meter", 15, 0, "Meter reading"},
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
