#include "pages/fieldbus/MbusParamsPage.h"

#include "console/TextScan.h"
#include "console/WireFormat.h"
#include "labels/LabelCatalogue.h"
#include "labels/TextCodec.h"
#include "pages/FieldHelpers.h"
#include "pages/NumberedText.h"
#include "pages/ProfileInverse.h"
#include "pages/fieldbus/ModmasterSetupDlg.h"

namespace orlan {

using namespace fieldbus;

namespace {

constexpr std::string_view kSlaveAddress = "slaveAddress";
constexpr std::string_view kRepeatInterval = "repeatInterval";
constexpr std::string_view kAlarmInterval = "alarmInterval";
constexpr std::string_view kReadTimeout = "readTimeout";
constexpr std::string_view kPollInterval = "pollInterval";
constexpr std::string_view kGeneralGroup = "general";

// Register lines hand "05,1,40001,3,1": fields cut at every blank and comma.
constexpr size_t kFieldChars = 31;
constexpr size_t kRegisterFieldChars = 63;
constexpr size_t kFlagColumns = 5;

// The register lines that set one column: row, value.
struct SColumnKey {
    std::string_view key;
    size_t column;
};
constexpr SColumnKey kColumnKeys[] = {
    {"$MDMSC", CPageMbusParams::kGain},      {"$MDMCG", CPageMbusParams::kStep},
    {"$MDBAS", CPageMbusParams::kAdjust},    {"$MDMSK", CPageMbusParams::kAlarmMask},
    {"$MDLKO", CPageMbusParams::kInterlock}, {"$MDLAG", CPageMbusParams::kLag},
    {"$MDMTX", CPageMbusParams::kChannelMask},
};

SSetting General(std::string_view id, std::string_view labelKey, std::string_view key, std::string command)
{
    SFieldDesc field = Whole(Text(id, labelKey), 0, kAnyCount);
    field.group = std::string(kGeneralGroup);
    return {.field = std::move(field), .keys = {std::string(key)}, .command = std::move(command)};
}

// The row a register line names: its first field, a decimal number below
// the table's size; nothing for a line without one (a blank behind the key
// would otherwise shift every value into row 0).
std::optional<size_t> RowOf(const std::vector<std::string_view>& fields)
{
    const int row = fields.empty() || fields.front().empty() || !IsDigit(fields.front().front())
                        ? -1
                        : LeadingIndex(fields.front());
    if (row < 0 || static_cast<size_t>(row) >= CPageMbusParams::kRows)
        return std::nullopt;
    return static_cast<size_t>(row);
}

std::string_view TypeName(long long type)
{
    switch (type) {
    case kCoil: return "Coils";
    case kHolding: return "Keep Registers";
    case kInput: return "Input Registers";
    case kDiscrete: return "Discrete State";
    default: return "Invalid";
    }
}

} // namespace

CPageMbusParams::CPageMbusParams()
    : CPage({.className = "CPageMbusParams",
             .section = "PageMbusParams",
             .defaultAnswerWaitMs = kWaitMs,
             .headingSection = "PageMbusParams",
             .headingKey = "TITLE",
             .saveEnd = EJobEnd::ReadAll}),
      m_outputWord(SInterlockWords{}.output),
      m_noneWord(SInterlockWords{}.none)
{
    m_registerStates.fill(1);
    m_fields.AddGroup({.id = std::string(kGeneralGroup), .captionKey = "FRAME0"});
    // The terminal's own address is not shown, but it travels with Save.
    SSetting slave = General(kSlaveAddress, "SLA_ADDR", "$MDADDR", "%%MDADDR%s\r");
    slave.field.hidden = true;
    AddSetting(std::move(slave));
    AddSetting(General(kRepeatInterval, "MDLS", "$MDRSDT", "%%MDLS%s\r"));
    AddSetting(General(kAlarmInterval, "MDAS", "$MDRAST", "%%MDAS%s\r"));
    AddSetting(General(kReadTimeout, "MDRTO", "$MDRDTO", "%%MDRTO%s\r"));
    AddSetting(General(kPollInterval, "MDLTO", "$MDLPTO", "%%MDLTO%s\r"));

    STableDesc table{.id = "registers", .rowCount = kRows, .dataColumns = kColumns, .numberedRows = false};
    table.captionKey = "FRAME1";
    for (size_t c = 0; c < kColumns; ++c)
        table.headerKeys.push_back("LISTC" + std::to_string(c));
    table.columnWidths = {4, 14, 6, 8, 15, 6, 6, 6, 6, 6, 7, 6, 10, 7, 10, 6, 9, 10, 5, 9};
    m_tables.emplace_back(std::move(table));
    for (size_t row = 0; row < kRows; ++row)
        m_tables.front().SetCell(row, kIndex, std::to_string(row));

    AddAction({.id = "edit", .labelKey = "EDIT", .labelSection = "Buttons", .rowEditorTable = 0});
    AddRowInverses();
}

void CPageMbusParams::AddRowInverses()
{
    AddProfileInverse(kRegisterFormat, [this](const std::vector<std::string>& v) { return TakeRegisterCommand(v); });
    AddProfileInverse(kLimitFormat, [this](const std::vector<std::string>& v) {
        // Row numbers 0-31 carry the highest values, 32-63 the lowest.
        const std::optional<long long> number = ScannedNumber(v[0]);
        if (!number || *number >= 2 * static_cast<long long>(kRows))
            return false;
        StoreLimit(v[0] + " " + v[1]);
        return true;
    });
    AddProfileInverse(kFlagsFormat, [this](const std::vector<std::string>& v) {
        if (!RowOf({v.front()}))
            return false;
        std::string line = v[0];
        for (size_t i = 1; i < v.size(); ++i)
            line += "," + v[i];
        StoreFlags(line);
        return true;
    });
    AddProfileInverse(kNameFormat, [this](const std::vector<std::string>& v) {
        const std::optional<size_t> row = RowOf({v.front()});
        if (!row)
            return false;
        m_tables.front().SetCell(*row, kName, DecodeUcs2Hex(v[1]));
        return true;
    });
}

bool CPageMbusParams::TakeRegisterCommand(const std::vector<std::string>& v)
{
    // row, slave, address, type, state, gain, step, offset, alarm mask,
    // interlock, lag, channel mask: as the dump lines report them.
    const std::optional<size_t> row = RowOf({v.front()});
    const std::optional<long long> mask = ScannedNumber(v[11], 16);
    if (!row || !mask || v[1].find_first_of(" ,") != std::string::npos)
        return false;
    StoreRegister(v[0] + "," + v[1] + "," + v[2] + "," + v[3] + "," + v[4]);
    const size_t columns[] = {kGain, kStep, kAdjust, kAlarmMask, kInterlock, kLag};
    for (size_t i = 0; i < std::size(columns); ++i)
        m_tables.front().SetCell(*row, columns[i], v[5 + i]);
    m_tables.front().SetCell(*row, kChannelMask, FormatWire("%llx", *mask));
    return true;
}

void CPageMbusParams::Clear()
{
    m_fields.Reset();
    m_registerStates.fill(1);
    for (size_t row = 0; row < kRows; ++row) {
        for (size_t column = kName; column < kColumns; ++column)
            m_tables.front().ForgetCell(row, column);
    }
    NotifyChanged();
}

std::vector<SDumpEntry> CPageMbusParams::DumpEntries()
{
    std::vector<SDumpEntry> entries = SettingEntries();
    entries.push_back({"$MDMAS", [this](const SDumpValue& v) { StoreRegister(v.text); }});
    entries.push_back({"$MDFLG", [this](const SDumpValue& v) { StoreFlags(v.text); }});
    for (const SColumnKey& key : kColumnKeys)
        entries.push_back(
            {std::string(key.key), [this, column = key.column](const SDumpValue& v) { StoreColumn(v.text, column); }});
    entries.push_back({"$RNAME", [this](const SDumpValue& v) { StoreName(v.text); }});
    entries.push_back({"$REG", [this](const SDumpValue& v) { StoreLimit(v.text); }});
    return entries;
}

void CPageMbusParams::StoreRegister(std::string_view value)
{
    // row, slave, register, type, state; a line with fewer fields fills the
    // columns it carries and leaves the others as they are.
    const std::vector<std::string_view> f = SplitFields(value, kRegisterFieldChars);
    const std::optional<size_t> row = RowOf(f);
    if (!row || f.size() < 2)
        return;
    CPageTable& table = m_tables.front();
    table.SetCell(*row, kSlave, std::string(f[1]));
    if (f.size() > 2)
        table.SetCell(*row, kRegister, std::string(f[2]));
    if (f.size() > 3) {
        // A type that is no number names no type.
        const long long type =
            !f[3].empty() && (IsDigit(f[3].front()) || f[3].front() == '-') ? WholeNumber(f[3]) : -1;
        table.SetCell(*row, kType, std::string(TypeName(type)));
        if (f.size() > 4 && (type == kCoil || type == kDiscrete))
            table.SetCell(*row, kState, WholeNumber(f[4]) != 0 ? "ON" : "OFF");
        else if (f.size() > 4) {
            // A register has no normal state of its own: the cell stays
            // blank, and the row's command carries back what was reported.
            table.SetCell(*row, kState, {});
            m_registerStates[*row] = WholeNumber(f[4]) != 0 ? 1 : 0;
        }
    }
    NotifyChanged();
}

void CPageMbusParams::StoreColumn(std::string_view value, size_t column)
{
    const std::vector<std::string_view> f = SplitFields(value, kFieldChars);
    const std::optional<size_t> row = RowOf(f);
    if (!row || f.size() < 2)
        return;
    m_tables.front().SetCell(*row, column, std::string(f[1]));
    NotifyChanged();
}

void CPageMbusParams::StoreFlags(std::string_view value)
{
    const std::vector<std::string_view> f = SplitFields(value, kFieldChars);
    const std::optional<size_t> row = RowOf(f);
    if (!row || f.size() < 1 + kFlagColumns)
        return;
    for (size_t i = 0; i < kFlagColumns; ++i)
        m_tables.front().SetCell(*row, kFlag32 + i, std::string(f[1 + i]));
    NotifyChanged();
}

void CPageMbusParams::StoreName(std::string_view value)
{
    const std::optional<SNumberedText> parsed = ParseNumberedText(value);
    if (!parsed || parsed->number >= static_cast<long long>(kRows))
        return;
    if (m_tables.front().SetCell(static_cast<size_t>(parsed->number), kName, DecodeUcs2Hex(parsed->rest)))
        NotifyChanged();
}

void CPageMbusParams::StoreLimit(std::string_view value)
{
    // Values 0-31 are the rows' highest, 32-63 their lowest.
    const std::optional<SNumberedText> parsed = ParseNumberedText(value);
    if (!parsed || parsed->number >= 2 * static_cast<long long>(kRows))
        return;
    const bool low = parsed->number >= static_cast<long long>(kRows);
    const auto row = static_cast<size_t>(low ? parsed->number - static_cast<long long>(kRows) : parsed->number);
    if (m_tables.front().SetCell(row, low ? kLow : kHigh, std::string(parsed->rest)))
        NotifyChanged();
}

void CPageMbusParams::LoadLabels(const CLabelCatalogue& catalogue)
{
    const std::string output = catalogue.Lookup("LINKDO", "SYSCHAR");
    const std::string none = catalogue.Lookup("NC", "SYSCHAR");
    if (!output.empty())
        m_outputWord = output;
    if (!none.empty())
        m_noneWord = none;
}

CCommandList CPageMbusParams::SettingCommands(ETarget) const
{
    // The terminal's order; the register rows go out from their editor only.
    return PlainCommands({kAlarmInterval, kSlaveAddress, kRepeatInterval, kReadTimeout, kPollInterval});
}

bool CPageMbusParams::RowInCompleteProfile(size_t table, size_t row) const
{
    // The row's batch carries every cell: one never reported would go out
    // as the dialog's default.
    return table == 0 && m_tables.front().AreKnown(row, kName, kColumns);
}

std::optional<SRowEditor> CPageMbusParams::RowEditor(size_t table, size_t row) const
{
    if (table != 0 || row >= kRows)
        return std::nullopt;
    return MakeEditor(m_tables.front(), row, m_info.section, {.output = m_outputWord, .none = m_noneWord},
                      m_registerStates[row]);
}

std::string CPageMbusParams::RowEditError(size_t table, size_t row, const CFieldSet& edited) const
{
    if (table != 0 || row >= kRows || !edited.Has(kTypeField))
        return {};
    return EditError(edited);
}

CCommandList CPageMbusParams::CommitEditedRow(size_t table, size_t row, const SRowEditor& edited)
{
    if (table != 0 || row >= kRows || !edited.fields.Has(kTypeField) || !EditError(edited.fields).empty())
        return {};
    CCommandList commands = RowCommands(row, edited);
    // The row shows what went out at once; the terminal's view of it follows.
    const CFieldSet& f = edited.fields;
    StoreRegister(FormatWire("%2.2zu,%s,%s,%d,%d", row, f.LineText(kSlaveField).c_str(),
                             f.LineText(kRegisterField).c_str(), f.Number(kTypeField),
                             f.Number(kStateField) == 1 ? 1 : 0));
    CPageTable& cells = m_tables.front();
    cells.SetCell(row, kLow, f.LineText(kLowField));
    cells.SetCell(row, kHigh, f.LineText(kHighField));
    cells.SetCell(row, kName, f.LineText(kNameField));
    NotifyChanged();
    // The terminal's view of this row only; the others stay as they are.
    commands.push_back({.text = FormatWire("%%DUMP_MODBUS_MASTER%zu\r", row), .noWait = true});
    return commands;
}

} // namespace orlan
