#pragma once
// The second serial port (the RS-485 port the field-bus master polls): its
// speed and parity, written as one command without the batch bracket, then
// the system dump. A read keeps the values: the system dump brings them.
//
// Fields "baud" (text, sent as typed), "parity" (list, -1 until the terminal
// reports one) and "parityNote" (read-only, shown while no parity is known).
// Save sends nothing while no parity is chosen: the terminal would take the
// -1 of an empty list as the port's parity.
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageComm2 final : public CPage {
public:
    CPageComm2();

    void Clear() override { NotifyChanged(); }
    std::string DumpRequest() const override { return "%DUMP_SYS\r"; }
    SPageJob SaveJob() const override;
    void LoadLabels(const CLabelCatalogue& catalogue) override;

protected:
    CCommandList SettingCommands(ETarget target) const override;
};

} // namespace orlan
