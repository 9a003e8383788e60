#pragma once
// 3G data access and video reporting: the 3G access point, the mail and GIS
// servers, the default video channel and format, the video-call and MMS
// alarm switches, video calls and recording per input, and the FTP server.
// Only the access point, the video defaults and the two alarm switches are
// shown; the other values are kept as read and written back unchanged.
//
// Field ids: apn, user, password, smtpServer, smtpPort, smtpUser,
// smtpPassword, smtpFrom, gisServer, gisPort, gpsInterval, videoChannel,
// videoFormat, dvrTime, alarmMms, alarmVideoCall, autoRecord, in1VideoCall,
// in1Record, in2VideoCall, in2Record, in1Channel, in2Channel, ftpServer,
// ftpPort.
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPage3GMMS final : public CPage {
public:
    static constexpr int kWaitMs = 3000;

    CPage3GMMS();

    std::string DumpRequest() const override;

protected:
    CCommandList SettingCommands(ETarget target) const override;
};

} // namespace orlan
