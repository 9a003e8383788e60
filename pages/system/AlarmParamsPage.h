#pragma once
// How the terminal behaves when an alarm is raised and what its daily report
// carries: message repeats, ring first, automatic answer of service numbers,
// identity in messages, arm and disarm delays, daily report items.
//
// Field ids: repeatCount, ring, answerService, identity, disarmDelay,
// armDelay, delaySound, uartEvent, the report flags (reportTemp, reportId,
// reportArm, reportSignal, reportMemo, reportPower, reportInput,
// reportExtTemp, reportCounter, reportAin0 ... reportAin3), the shown-only
// modem flags speakerMuted and micMuted, and the MMS report texts mmsCount
// and mmsPeriod, which the page never sends.
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageAlarmParams final : public CPage {
public:
    static constexpr size_t kAnalogChannels = 4;

    CPageAlarmParams();

    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;

protected:
    CCommandList SettingCommands(ETarget target) const override;

private:
    void StoreAnalogReport(const SDumpValue& value);
    void StoreReportItems(const SDumpValue& value);
};

} // namespace orlan
