#include "pages/system/DataParamsPage.h"

#include "pages/FieldHelpers.h"

namespace orlan {

namespace {

constexpr std::string_view kTransfer = "transfer";
constexpr std::string_view kPacketType = "packetType";
constexpr std::string_view kIdleSpan = "idleSpan";
constexpr std::string_view kEasyModem = "easyModem";
constexpr std::string_view kEasyModemPassword = "easyModemPassword";

SFieldDesc Labelled(SFieldDesc desc, std::string_view label)
{
    desc.fixedLabel = std::string(label);
    return desc;
}

} // namespace

CDataParams::CDataParams()
    : CPhoneListPage({.className = "CDataParams", .section = "DataParams", .headingKey = "PAGE_SMSDATA"},
                     {.rowKey = "$SR",
                      .commandName = "SR",
                      .table = {.id = "numbers", .rowCount = kRows, .fixedHeaders = {"Index", "Phone"}},
                      .takesEmpty = true})
{
    AddSetting({.field = Labelled(Flag(kTransfer), "Enable transfer data by sms"),
                .keys = SwitchKeys("$GSMDTU"),
                .command = "%%GSMDTUEN%d\r"});
    AddSetting({.field = Labelled(Choice(kPacketType, "",
                                         FixedItems({"0: ASCII", "1: PDU MODE", "2: ASCII2", "3: ASCII3",
                                                     "4: UCS(packet by time)", "5: UCS(packet by #)",
                                                     "6: ASCII4(packet by #)"})),
                                  "Packet tyep"),
                .initial = kNoSelection,
                .keys = {"$DTM"},
                .command = "%%TM%d\r"});
    AddSetting({.field = Labelled(Digits(Text(kIdleSpan)), "Packet idle span (ms)"), .keys = {"$DOT"}, .command = "%%OT%s\r"});
    AddSetting({.field = Hidden(Labelled(Flag(kEasyModem), "Enable Easy modem sms export")),
                .keys = SwitchKeys("$EASYMODEMEN"),
                .command = "%%EASYMODEMEN%d\r"});
    AddSetting({.field = Hidden(Labelled(Flag(kEasyModemPassword), "Easy modem sms need password")),
                .keys = SwitchKeys("$EASYMODEMPWD"),
                .command = "%%EASYMODEMPWD%d\r"});
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

CCommandList CDataParams::SettingCommands(ETarget) const
{
    CCommandList commands;
    if (IsSelected(m_fields, kPacketType))
        AppendPlainCommand(commands, kPacketType);
    for (SCommand& command : PlainCommands({kIdleSpan, kTransfer, kEasyModem, kEasyModemPassword}))
        commands.push_back(std::move(command));
    return commands;
}

} // namespace orlan
