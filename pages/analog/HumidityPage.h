#pragma once
// The humidity sensor, built like the internal temperature page: thresholds,
// adjustment, hysteresis, SMS timing, the enable, siren and urgent flags and
// the outputs switched on a high or low humidity; the present humidity is
// shown. Unlike the temperature page it always sends both outputs, "Nc" as 8.
//
// Field ids: enabled, high, low, adjust, current (shown only), smsInterval,
// smsRepeat, confirmDelay, hysteresis, sound, urgent, highOutput, lowOutput
// and the hidden reportPeriod.
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageHumidity final : public CPage {
public:
    CPageHumidity();

    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;

protected:
    CCommandList SettingCommands(ETarget target) const override;

private:
    void StoreCoded(const SDumpValue& value);
};

} // namespace orlan
