#pragma once
// CModmasterSetupDlg, the editor of one Modbus register row: built from the
// row's cells, checked on OK, and turned into the row's batch. Coils and
// discrete inputs show their normal state; holding and input registers show
// range, gain, step, adjustment, alarm mask, interlock, lag and five format
// flags. The ten-channel mask is a one-row grid of O/X marks.
#include <cstdint>
#include <string>

#include "pages/Page.h"

namespace orlan::fieldbus {

inline constexpr std::string_view kEditorClass = "CModmasterSetupDlg";

// Field ids of the editor.
inline constexpr std::string_view kNameField = "name";
inline constexpr std::string_view kSlaveField = "slave";
inline constexpr std::string_view kRegisterField = "register";
inline constexpr std::string_view kTypeField = "type";
inline constexpr std::string_view kStateField = "state";
inline constexpr std::string_view kLowField = "low";
inline constexpr std::string_view kHighField = "high";
inline constexpr std::string_view kGainField = "gain";
inline constexpr std::string_view kStepField = "step";
inline constexpr std::string_view kAdjustField = "adjust";
inline constexpr std::string_view kAlarmMaskField = "alarmMask";
inline constexpr std::string_view kInterlockField = "interlock";
inline constexpr std::string_view kFlag32Field = "bits32";
inline constexpr std::string_view kWordInverseField = "wordInverse";
inline constexpr std::string_view kFloatField = "float";
inline constexpr std::string_view kUnsignedField = "unsigned";
inline constexpr std::string_view kByteInverseField = "byteInverse";
inline constexpr std::string_view kLagField = "lag";

// Register type codes as the terminal numbers them.
enum ERegisterType : int { kCoil = 0, kHolding = 1, kInput = 2, kDiscrete = 3 };

inline constexpr size_t kChannels = 10;
// The grid's first column holds the row index, the channels follow.
inline constexpr size_t kFirstChannelColumn = 1;
// The interlock list's last entry: no output.
inline constexpr int kNoInterlockEntry = 8;
inline constexpr int kNoInterlock = 255;

// The words the interlock list is made of.
struct SInterlockWords {
    std::string output = "Output ";  // followed by 0..7
    std::string none = "None";
};

// The commands of a register row, built by RowCommands and read back from
// a profile by the page: the register (row, slave, address, type, state,
// gain, step, offset, alarm mask, interlock output, lag, channel mask), its
// highest and lowest value (rows 0-31 and 32-63), its format flags, its name.
inline constexpr const char* kRegisterFormat = "%%mdmas%2.2zu=%s,%s,%d,%d,%s,%s,%s,%s,%d,%s,%8.8x\r";
inline constexpr const char* kLimitFormat = "%%R%2.2zu%s\r";
inline constexpr const char* kFlagsFormat = "%%MDMSF%2.2zu=%d,%d,%d,%d,%d\r";
inline constexpr const char* kNameFormat = "%%N%2.2zu%s\r";

// Type code named by a type cell: -1 when it names none.
int TypeCode(std::string_view cell);
// The channel mask a cell holds: leading hexadecimal digits, the low 32 bits.
std::uint32_t ChannelMask(std::string_view cell);

// The editor for `row`, prepared from the cells of the register table.
// `registerState`: the state a holding or input register reported, which
// its cell does not show but its command carries back (1 when unknown).
SRowEditor MakeEditor(const CPageTable& table, size_t row, const std::string& section, const SInterlockWords& words,
                      int registerState = 1);
// The SYSMSG key of the reason the edit is refused, empty when it may go out.
std::string EditError(const CFieldSet& edited);
// The row batch for an edit EditError accepts (without the row read behind it).
CCommandList RowCommands(size_t row, const SRowEditor& edited);
// The interlock output an edit sends (0..7, or 255 for none).
int InterlockOutput(const CFieldSet& edited);

} // namespace orlan::fieldbus
