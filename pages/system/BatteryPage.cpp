#include "pages/system/BatteryPage.h"

#include "pages/FieldHelpers.h"

namespace orlan {

CPageBattery::CPageBattery()
    : CPage({.className = "CPageBattery",
             .section = "PagePower",
             .navKey = "PAGE_BATTERY",
             .profileTitle = "Battery alarm",
             .defaultAnswerWaitMs = 3000})
{
    AddSetting({.field = Whole(Text("powerDelay", "POWDLY")), .keys = {"$POWDLY"}, .command = "%%POWDLY%s\r"});
    AddSetting({.field = Flag("batteryAlarm", "POWEN"), .keys = SwitchKeys("$BATEN"), .command = "%%BATEN%d\r"});
    AddSetting({.field = Decimal(Text("powerThreshold", "POWLS")), .keys = {"$POWLS"}, .command = "%%POWLS%s\r"});
}

std::string CPageBattery::DumpRequest() const
{
    return "%DUMP_GPIO\r";
}

} // namespace orlan
