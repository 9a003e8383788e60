#pragma once
// An absolute rotary encoder read as Gray code: its range, step, offset, bit
// count, accuracy, timer, detection time and event counting; the report
// hours and the three present readings are shown as the terminal reports
// them.
//
// Field ids: rangeLow, rangeHigh, step, offset, bits, accuracy, timer,
// detectTime, eventCount, eventMinutes, and shown only reportStart,
// reportEnd, value, binary, gray.
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageGraycode final : public CPage {
public:
    CPageGraycode();

    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;

protected:
    CCommandList SettingCommands(ETarget target) const override;

private:
    void StoreLine(const SDumpValue& value);
};

} // namespace orlan
