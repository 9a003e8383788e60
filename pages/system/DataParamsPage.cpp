#include "pages/system/DataParamsPage.h"

#include "console/WireFormat.h"
#include "pages/contacts/PhoneEditor.h"
#include "pages/DumpBindings.h"

namespace orlan {

namespace {

constexpr std::string_view kTransfer = "transfer";
constexpr std::string_view kPacketType = "packetType";
constexpr std::string_view kIdleSpan = "idleSpan";
constexpr std::string_view kEasyModem = "easyModem";
constexpr std::string_view kEasyModemPassword = "easyModemPassword";

constexpr std::string_view kPacketTypes[] = {"0: ASCII",
                                             "1: PDU MODE",
                                             "2: ASCII2",
                                             "3: ASCII3",
                                             "4: UCS(packet by time)",
                                             "5: UCS(packet by #)",
                                             "6: ASCII4(packet by #)"};

SFieldDesc Fixed(std::string_view id, EFieldKind kind, std::string_view label, bool hidden = false)
{
    return {.id = std::string(id), .kind = kind, .hidden = hidden, .fixedLabel = std::string(label)};
}

// Only an empty text or one that starts like a number is a number entry.
bool TakesAsNumber(std::string_view text)
{
    return text.empty() || (text.front() >= '0' && text.front() <= '9') || text.front() == '+';
}

} // namespace

CDataParams::CDataParams()
    : CPage({.className = "CDataParams", .section = "DataParams"})
{
    m_fields.Add(Fixed(kTransfer, EFieldKind::Check, "Enable transfer data by sms"));
    SFieldDesc packetType = Fixed(kPacketType, EFieldKind::Choice, "Packet tyep");
    for (std::string_view item : kPacketTypes)
        packetType.items.push_back({.text = std::string(item)});
    m_fields.Add(std::move(packetType), {.number = -1});
    m_fields.Add(Fixed(kIdleSpan, EFieldKind::Text, "Packet idle span (ms)"));
    m_fields.Add(Fixed(kEasyModem, EFieldKind::Check, "Enable Easy modem sms export", true));
    m_fields.Add(Fixed(kEasyModemPassword, EFieldKind::Check, "Easy modem sms need password", true));
    m_tables.emplace_back(STableDesc{.id = "numbers", .rowCount = kRows, .fixedHeaders = {"Index", "Phone"}});
}

void CDataParams::Clear()
{
    m_fields.Reset();
    NotifyChanged();
}

std::string CDataParams::DumpRequest() const
{
    return "%DUMP_SYS\r%DUMP_PHONE\r";
}

std::vector<SDumpEntry> CDataParams::DumpEntries()
{
    CPage& page = *this;
    return {
        ChoiceEntry(page, "$DTM", kPacketType),
        TextEntry(page, "$DOT", kIdleSpan),
        {"$SR", [this](const SDumpValue& value) { StoreNumber(value); }},
        SwitchEntry(page, "$GSMDTU 0", kTransfer),
        SwitchEntry(page, "$GSMDTU 1", kTransfer),
        SwitchEntry(page, "$EASYMODEMEN 1", kEasyModem),
        SwitchEntry(page, "$EASYMODEMEN 0", kEasyModem),
        SwitchEntry(page, "$EASYMODEMPWD 0", kEasyModemPassword),
        SwitchEntry(page, "$EASYMODEMPWD 1", kEasyModemPassword),
    };
}

void CDataParams::StoreNumber(const SDumpValue& value)
{
    if (value.index < 0 || !TakesAsNumber(value.text))
        return;
    // Rows 8 and 9 address no row.
    if (m_tables.front().SetCell(static_cast<size_t>(value.index), 0, std::string(value.text)))
        NotifyChanged();
}

std::optional<SRowEditor> CDataParams::RowEditor(size_t table, size_t row) const
{
    if (table != 0 || row >= kRows)
        return std::nullopt;
    return MakePhoneEditor(Number(row));
}

CCommandList CDataParams::CommitRow(size_t table, size_t row, const CFieldSet& edited)
{
    if (table != 0 || row >= kRows)
        return {};
    return {{FormatWire("%%SR%zu%s\r", row, EditedPhoneNumber(edited).c_str()), kEditTicks}};
}

CCommandList CDataParams::SettingCommands(ETarget) const
{
    const CFieldSet& f = m_fields;
    CCommandList commands;
    const int packetType = f.Number(kPacketType);
    if (packetType >= 0)
        commands.push_back({FormatWire("%%TM%d\r", packetType)});
    commands.push_back({FormatWire("%%OT%s\r", f.LineText(kIdleSpan).c_str())});
    commands.push_back({FormatWire("%%GSMDTUEN%d\r", FlagDigit(f, kTransfer))});
    commands.push_back({FormatWire("%%EASYMODEMEN%d\r", FlagDigit(f, kEasyModem))});
    commands.push_back({FormatWire("%%EASYMODEMPWD%d\r", FlagDigit(f, kEasyModemPassword))});
    return commands;
}

} // namespace orlan
