#pragma once
// The power supply alarm: alarm delay, battery alarm switch and the power
// threshold. Field ids: powerDelay, batteryAlarm, powerThreshold.
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageBattery final : public CPage {
public:
    CPageBattery();

    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;

protected:
    CCommandList SettingCommands(ETarget target) const override;
};

} // namespace orlan
