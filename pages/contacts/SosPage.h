#pragma once
// The emergency (panic alarm) phone number and the switch that lets it start
// a video call. The number is edited in the phone entry dialog, the switch
// is sent on every click; neither waits for a Save.
#include "pages/contacts/PhoneListPage.h"

namespace orlan {

class CPageSos final : public CPhoneListPage {
public:
    static constexpr std::string_view kVideoCallField = "videoCall";

    CPageSos();
    // Its number goes out from its row dialog only.
    bool RowsInCompleteProfile() const override { return true; }

    // Empties the number; the video call switch keeps its state until the
    // terminal reports it again.
    void Clear() override;
};

} // namespace orlan
