#pragma once
// The MMS service (centre, gateway, access point and credentials), the
// camera's picture settings, the MMS and SMS alarm switches, the video
// defaults, and the camera preview: View asks the terminal for a picture,
// which the receive path collects; the page shows the last whole picture,
// and a picture that fails or stops coming never replaces it.
//
// Field ids: mmsCentre, mmsPort, gateway, apn, user, password, proxy, nap,
// pictureSize, whiteBalance, brightness, shootingMode, picturesPerMms,
// timedInterval, alarmMmsAll, timedMmsAll, alarmSmsAll, alarmSmsOwner,
// mmsAlarm, smsNotice, videoChannel, videoFormat, recordLength,
// videoCallAlarm, firstAction, and the picture (read-only).
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "pages/Page.h"

namespace orlan {

// True for the bytes of a whole JPEG picture: its start marker first and its
// end marker last (line ends or padding zeros behind it allowed).
bool IsWholeJpeg(std::span<const std::uint8_t> bytes);

class CPageMmsSetup final : public CPage {
public:
    static constexpr int kWaitMs = 3000;
    static constexpr int kViewProgressTicks = 3;
    static constexpr std::string_view kPictureField = "picture";
    static constexpr std::string_view kViewAction = "view";
    static constexpr std::string_view kStopAction = "stop";
    // Where the pictures received are saved (`SPageInfo::pictureFile`).
    static constexpr std::string_view kPictureFile = "1.jpg";

    CPageMmsSetup();

    // Everything the dump fills empty; the picture stays.
    void Clear() override;
    std::string DumpRequest() const override;
    std::optional<SPageJob> ActionJob(std::string_view actionId, std::optional<size_t> selectedRow) override;
    void OnPicture(std::span<const std::uint8_t> jpeg) override;

    bool ShowPictureFile(const std::string& path) override;
    const std::string& Picture() const { return m_fields.Text(kPictureField); }

protected:
    CCommandList SettingCommands(ETarget target) const override;
};

} // namespace orlan
