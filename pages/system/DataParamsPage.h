#pragma once
// "Uart Data by sms": data arriving on the terminal's serial port is packed
// and sent as SMS to up to eight numbers. Its labels are fixed English texts.
//
// Table "numbers": the eight phone numbers, each edited in the phone entry
// dialog and written at once; the Save batch leaves them out, and a read
// does not empty them.
#include <string>

#include "pages/contacts/PhoneListPage.h"

namespace orlan {

class CDataParams final : public CPhoneListPage {
public:
    static constexpr size_t kRows = 8;

    CDataParams();

    // The fields back to their start; the numbers stay.
    void Clear() override;
    // Its numbers go out from their row dialogs only.
    bool RowsInCompleteProfile() const override { return true; }
    std::string DumpRequest() const override;

protected:
    CCommandList SettingCommands(ETarget target) const override;
};

} // namespace orlan
