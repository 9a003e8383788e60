#include "pages/fieldbus/ModmasterSetupDlg.h"

#include "console/TextScan.h"
#include "console/WireFormat.h"
#include "labels/TextCodec.h"
#include "pages/FieldHelpers.h"
#include "pages/OutputItems.h"
#include "pages/fieldbus/MbusParamsPage.h"

namespace orlan::fieldbus {

namespace {

using Col = CPageMbusParams::EColumn;

// The texts that travel inside the comma-separated register command: a
// comma or blank in one of them would shift every value behind it.
constexpr std::string_view kListedTexts[] = {kSlaveField, kRegisterField, kGainField, kStepField,
                                             kAdjustField, kAlarmMaskField, kLagField};

constexpr std::string_view kRangeGroup = "range";

SFieldDesc For(SFieldDesc desc, std::initializer_list<int> types)
{
    desc.visibleWhen = {.field = std::string(kTypeField), .numbers = types};
    return desc;
}

SFieldDesc ForRegisters(SFieldDesc desc)
{
    return For(std::move(desc), {kHolding, kInput});
}

SFieldDesc InGroup(SFieldDesc desc, std::string_view group)
{
    desc.group = std::string(group);
    return desc;
}

std::vector<SChoiceItem> InterlockItems(const SInterlockWords& words)
{
    return OutputChoiceItems(words.output, words.none);
}

// The list entry of an interlock cell: its output, the last entry for any
// other number or a cell without one.
int InterlockEntry(std::string_view cell)
{
    const int number = LeadingIndex(cell);
    return number >= 0 && number < kNoInterlockEntry ? number : kNoInterlockEntry;
}

int FlagOf(std::string_view cell)
{
    return WholeNumber(cell) > 0 ? 1 : 0;
}

} // namespace

int TypeCode(std::string_view cell)
{
    // The order matters: "Input Registers" before "Keep", "Coils" before
    // "Discrete State".
    if (cell.find("Input") != std::string_view::npos)
        return kInput;
    if (cell.find("Keep") != std::string_view::npos)
        return kHolding;
    if (cell.find("Coil") != std::string_view::npos)
        return kCoil;
    if (cell.find("Discrete") != std::string_view::npos)
        return kDiscrete;
    return -1;
}

std::uint32_t ChannelMask(std::string_view cell)
{
    while (!cell.empty() && cell.front() == ' ')
        cell.remove_prefix(1);
    if (cell.size() > 2 && cell[0] == '0' && (cell[1] == 'x' || cell[1] == 'X'))
        cell.remove_prefix(2);
    std::uint32_t mask = 0;
    for (char c : cell) {
        if (!IsHexDigit(c))
            break;
        mask = (mask << 4) | HexValue(c);
    }
    return mask;
}

SRowEditor MakeEditor(const CPageTable& table, size_t row, const std::string& section, const SInterlockWords& words,
                      int registerState)
{
    auto cell = [&table, row](size_t column) { return table.Cell(row, column); };
    SRowEditor editor{.className = std::string(kEditorClass), .section = section};
    CFieldSet& f = editor.fields;
    f.Add(Text(kNameField, "LAB_NAME"), {.text = cell(Col::kName)});
    f.Add(Text(kSlaveField, "LAB_SID"), {.text = cell(Col::kSlave)});
    f.Add(Text(kRegisterField, "LAB_REGID"), {.text = cell(Col::kRegister)});
    // A type cell that names no type selects none: OK waits for a choice.
    SFieldDesc type = Choice(kTypeField, "LAB_REGTYPE", FixedItems({"Coil", "Keep(Holding)", "Input", "Discrete State"}));
    type.noSelectionKey = "NO_TYPE";
    f.Add(std::move(type), {.number = TypeCode(cell(Col::kType))});
    f.Add(For(Choice(kStateField, "LAB_REGNS", FixedItems({"OFF", "ON"})), {kCoil, kDiscrete}),
          {.number = cell(Col::kState).empty() ? registerState : cell(Col::kState).find("OFF") != std::string::npos ? 0 : 1});

    f.AddGroup({.id = std::string(kRangeGroup), .captionKey = "LAB_REGNR"});
    f.Add(InGroup(ForRegisters(Text(kLowField, "LAB_REGLOW")), kRangeGroup), {.text = cell(Col::kLow)});
    f.Add(InGroup(ForRegisters(Text(kHighField, "LAB_REGHIGH")), kRangeGroup), {.text = cell(Col::kHigh)});
    f.Add(ForRegisters(Text(kGainField, "LAB_REGGAIN")), {.text = cell(Col::kGain)});
    f.Add(ForRegisters(Text(kStepField, "LAB_REGUP")), {.text = cell(Col::kStep)});
    f.Add(ForRegisters(Text(kAdjustField, "LAB_REGADJ")), {.text = cell(Col::kAdjust)});
    f.Add(ForRegisters(Text(kAlarmMaskField, "LAB_REGMASK")), {.text = cell(Col::kAlarmMask)});
    f.Add(ForRegisters(Choice(kInterlockField, "LAB_REGINTERLOCK", InterlockItems(words))),
          {.number = InterlockEntry(cell(Col::kInterlock))});
    f.Add(ForRegisters(Text(kLagField, "LAB_LAG")), {.text = cell(Col::kLag)});
    f.Add(ForRegisters(Flag(kFlag32Field, "LAB_32BIT")), {.number = FlagOf(cell(Col::kFlag32))});
    f.Add(ForRegisters(Flag(kWordInverseField, "LAB_LITEND")), {.number = FlagOf(cell(Col::kFlagWordInverse))});
    f.Add(ForRegisters(Flag(kFloatField, "LAB_FLOAT")), {.number = FlagOf(cell(Col::kFlagFloat))});
    f.Add(ForRegisters(Flag(kUnsignedField, "LAB_UNSIGNED")), {.number = FlagOf(cell(Col::kFlagUnsigned))});
    f.Add(ForRegisters(Flag(kByteInverseField, "LAB_BYTEINVERSE")), {.number = FlagOf(cell(Col::kFlagByteInverse))});

    STableDesc marks{.id = "channels",
                     .rowCount = 1,
                     .dataColumns = kFirstChannelColumn + kChannels,
                     .numberedRows = false,
                     .toggleCells = true,
                     .toggleOn = "O",
                     .toggleOff = "X",
                     .columnWidths = {9}};
    marks.fixedHeaders.emplace_back("Register");
    for (size_t channel = 0; channel < kChannels; ++channel)
        marks.fixedHeaders.push_back("Cs" + std::to_string(channel));
    CPageTable& grid = editor.tables.emplace_back(std::move(marks));
    grid.SetCell(0, 0, std::to_string(row));
    grid.SetRowMask(0, kFirstChannelColumn, kChannels, ChannelMask(cell(Col::kChannelMask)));
    return editor;
}

std::string EditError(const CFieldSet& edited)
{
    const int type = edited.Number(kTypeField);
    if (type < kCoil || type > kDiscrete)
        return "MB_NO_TYPE";
    for (std::string_view id : kListedTexts) {
        if (edited.LineText(id).find_first_of(" ,") != std::string::npos)
            return "MB_SEPARATOR";
    }
    return {};
}

int InterlockOutput(const CFieldSet& edited)
{
    const int entry = edited.Number(kInterlockField);
    return entry >= 0 && entry < kNoInterlockEntry ? entry : kNoInterlock;
}

CCommandList RowCommands(size_t row, const SRowEditor& edited)
{
    const CFieldSet& f = edited.fields;
    auto text = [&f](std::string_view id) { return f.LineText(id); };
    const std::uint32_t mask =
        edited.tables.empty() ? 0 : edited.tables.front().RowMask(0, kFirstChannelColumn, kChannels);
    const int state = f.Number(kStateField) == 1 ? 1 : 0;
    const size_t low = row + CPageMbusParams::kRows;
    return {
        {"%STARTCMD\r"},
        {FormatWire(kRegisterFormat, row, text(kSlaveField).c_str(),
                    text(kRegisterField).c_str(), f.Number(kTypeField), state, text(kGainField).c_str(),
                    text(kStepField).c_str(), text(kAdjustField).c_str(), text(kAlarmMaskField).c_str(),
                    InterlockOutput(f), text(kLagField).c_str(), mask)},
        {FormatWire(kLimitFormat, row, text(kHighField).c_str())},
        {FormatWire(kLimitFormat, low, text(kLowField).c_str())},
        {FormatWire(kFlagsFormat, row, FlagDigit(f, kFlag32Field), FlagDigit(f, kWordInverseField),
                    FlagDigit(f, kFloatField), FlagDigit(f, kUnsignedField), FlagDigit(f, kByteInverseField))},
        {FormatWire(kNameFormat, row, EncodeUcs2Hex(text(kNameField)).c_str())},
        {"%COMMITCMD\r"},
    };
}

} // namespace orlan::fieldbus
