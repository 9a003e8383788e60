#include "pages/system/BatteryPage.h"

namespace orlan {

CPageBattery::CPageBattery()
    : CPage({.className = "CPageBattery",
             .section = "PagePower",
             .navKey = "PAGE_BATTERY",
             .profileTitle = "Battery alarm",
             .defaultTickLimit = 3000})
{
    AddSetting({.field = {.id = "powerDelay", .labelKey = "POWDLY"},
                .keys = {"$POWDLY"},
                .command = "%%POWDLY%s\r"});
    AddSetting({.field = {.id = "batteryAlarm", .kind = EFieldKind::Check, .labelKey = "POWEN"},
                .keys = {"$BATEN 1", "$BATEN 0"},
                .command = "%%BATEN%d\r"});
    AddSetting({.field = {.id = "powerThreshold", .labelKey = "POWLS"},
                .keys = {"$POWLS"},
                .command = "%%POWLS%s\r"});
}

std::string CPageBattery::DumpRequest() const
{
    return "%DUMP_GPIO\r";
}

} // namespace orlan
