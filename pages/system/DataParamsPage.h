#pragma once
// "Uart Data by sms": data arriving on the terminal's serial port is packed
// and sent as SMS to up to eight numbers. Its labels are fixed English texts.
//
// Field ids: transfer, packetType, idleSpan, easyModem, easyModemPassword.
// Table "numbers": eight phone numbers, each edited in the phone entry
// dialog and written at once; the Save batch leaves them out, and a read
// does not empty them.
#include <string>

#include "pages/Page.h"

namespace orlan {

class CDataParams final : public CPage {
public:
    static constexpr size_t kRows = 8;
    static constexpr int kEditTicks = 3000;

    CDataParams();

    // The fields back to their start; the numbers stay.
    void Clear() override;
    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;
    std::optional<SRowEditor> RowEditor(size_t table, size_t row) const override;
    CCommandList CommitRow(size_t table, size_t row, const CFieldSet& edited) override;

    const std::string& Number(size_t row) const { return m_tables.front().Cell(row, 0); }

protected:
    CCommandList SettingCommands(ETarget target) const override;

private:
    void StoreNumber(const SDumpValue& value);
};

} // namespace orlan
