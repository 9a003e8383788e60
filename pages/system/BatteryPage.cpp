#include "pages/system/BatteryPage.h"

#include "console/WireFormat.h"
#include "pages/system/DumpBindings.h"

namespace orlan {

namespace {

constexpr std::string_view kPowerDelay = "powerDelay";
constexpr std::string_view kBatteryAlarm = "batteryAlarm";
constexpr std::string_view kPowerThreshold = "powerThreshold";

} // namespace

CPageBattery::CPageBattery()
    : CPage({.className = "CPageBattery",
             .section = "PagePower",
             .navKey = "PAGE_BATTERY",
             .profileTitle = "Battery alarm",
             .defaultTickLimit = 3000})
{
    m_fields.Add({.id = std::string(kPowerDelay), .kind = EFieldKind::Text, .labelKey = "POWDLY"});
    m_fields.Add({.id = std::string(kBatteryAlarm), .kind = EFieldKind::Check, .labelKey = "POWEN"});
    m_fields.Add({.id = std::string(kPowerThreshold), .kind = EFieldKind::Text, .labelKey = "POWLS"});
}

std::string CPageBattery::DumpRequest() const
{
    return "%DUMP_GPIO\r";
}

std::vector<SDumpEntry> CPageBattery::DumpEntries()
{
    return {TextEntry(*this, "$POWDLY", kPowerDelay), SwitchEntry(*this, "$BATEN 1", kBatteryAlarm),
            SwitchEntry(*this, "$BATEN 0", kBatteryAlarm), TextEntry(*this, "$POWLS", kPowerThreshold)};
}

CCommandList CPageBattery::SettingCommands(ETarget) const
{
    return {{FormatWire("%%POWDLY%s\r", m_fields.LineText(kPowerDelay).c_str())},
            {FormatWire("%%BATEN%d\r", FlagDigit(m_fields, kBatteryAlarm))},
            {FormatWire("%%POWLS%s\r", m_fields.LineText(kPowerThreshold).c_str())}};
}

} // namespace orlan
