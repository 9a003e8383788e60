#pragma once
// The motion (acceleration) sensor: what a motion alarm starts (a video
// call, a video recording, on which video channel) and its sensitivity.
//
// Field ids: videoCall, videoRecording, videoChannel (channels 1 … 9; the
// terminal counts from 1), minimum, step.
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageGSensor final : public CPage {
public:
    CPageGSensor();

    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;

protected:
    CCommandList SettingCommands(ETarget target) const override;

private:
    void StoreLine(const SDumpValue& value);
};

} // namespace orlan
