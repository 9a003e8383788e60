#pragma once
// The internal temperature sensor (a TMP100 on the terminal's board): enable,
// thresholds, adjustment offset, hysteresis, SMS timing, urgent, siren and
// SMS flags and the outputs switched on a high or low temperature; the
// present temperature is shown. Reset sets both thresholds to 0.
//
// Field ids: enabled, high, low, adjust, current (shown only), smsInterval,
// smsRepeat, confirmDelay, hysteresis, urgent, sound, sms, highOutput,
// lowOutput ("Output 0" … "Output 7", "Nc"), and the hidden reportPeriod,
// which is never sent.
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageTemp final : public CPage {
public:
    CPageTemp();

    // Every field back to its start but the present temperature.
    void Clear() override;
    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;
    std::optional<SPageJob> ActionJob(std::string_view actionId, std::optional<size_t> selectedRow) override;

protected:
    CCommandList SettingCommands(ETarget target) const override;
};

} // namespace orlan
