#pragma once
// The field-bus (Modbus) master: five general values written by Save, and
// the 32 registers the terminal polls on its second port. A register row is
// edited in CModmasterSetupDlg and sent at once, followed by the request for
// that row alone (the other rows stay); Save ends with the whole
// configuration read.
//
// Fields "slaveAddress" (hidden, still written), "repeatInterval",
// "alarmInterval", "readTimeout", "pollInterval". Table "registers": column 0
// the row index, then the columns of EColumn, as received or entered.
#include <array>
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageMbusParams final : public CPage {
public:
    static constexpr size_t kRows = 32;
    static constexpr size_t kColumns = 20;
    static constexpr int kWaitMs = 3000;
    enum EColumn : size_t {
        kIndex = 0,
        kName,
        kSlave,
        kRegister,
        kType,
        kState,
        kGain,
        kLow,
        kHigh,
        kStep,
        kAdjust,
        kAlarmMask,
        kInterlock,
        kFlag32,
        kFlagWordInverse,
        kFlagFloat,
        kFlagUnsigned,
        kFlagByteInverse,
        kLag,
        kChannelMask,
    };

    CPageMbusParams();

    // Empties the general values and every register cell but the index, so
    // nothing shown (and sent back by a row edit) is left from an earlier
    // read or another terminal.
    void Clear() override;
    std::string DumpRequest() const override { return "%DUMP_MODBUS\r"; }
    std::vector<SDumpEntry> DumpEntries() override;
    void LoadLabels(const CLabelCatalogue& catalogue) override;

    // A complete profile holds every register row the terminal reported whole.
    bool RowsInCompleteProfile() const override { return true; }
    bool RowInCompleteProfile(size_t table, size_t row) const override;
    std::optional<SRowEditor> RowEditor(size_t table, size_t row) const override;
    std::string RowEditError(size_t table, size_t row, const CFieldSet& edited) const override;
    CCommandList CommitEditedRow(size_t table, size_t row, const SRowEditor& edited) override;

    const std::string& Cell(size_t row, size_t column) const { return m_tables.front().Cell(row, column); }

protected:
    CCommandList SettingCommands(ETarget target) const override;

private:
    void StoreRegister(std::string_view value);
    void StoreColumn(std::string_view value, size_t column);
    void StoreFlags(std::string_view value);
    void StoreName(std::string_view value);
    void StoreLimit(std::string_view value);
    // The inverses of a register row's commands, for a profile read back.
    void AddRowInverses();
    bool TakeRegisterCommand(const std::vector<std::string>& values);

    // "Output " and "None" until the catalogue gives its words.
    std::string m_outputWord;
    // The state each register row last reported: its cell stays blank, its
    // command carries it back unchanged.
    std::array<int, kRows> m_registerStates{};
    std::string m_noneWord;
};

} // namespace orlan
