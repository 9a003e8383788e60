#pragma once
// The terminal's basic system settings: SMS mode, GSM band, console line,
// unit identity and memo, SIM codes, service and balance-check numbers,
// signal alarm, confirmation switches and SMS forwarding.
//
// Its fields are declared in command order; the SMS centre, forwarding key
// and forwarding span are read but never sent.
//
// Every value comes by its declared key; only the balance check's number
// and code share one command, built and read back here.
#include <string>
#include <string_view>

#include "pages/Page.h"

namespace orlan {

class CPageMainParams final : public CPage {
public:
    CPageMainParams();

    // Every field empty, off or unselected, except the SMS mode: TEXT.
    void Clear() override;
    std::string DumpRequest() const override;

protected:
    CCommandList SettingCommands(ETarget target) const override;
};

} // namespace orlan
