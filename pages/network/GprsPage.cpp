#include "pages/network/GprsPage.h"

#include <array>

#include "console/ConsoleCommands.h"
#include "console/TextScan.h"
#include "console/WireFormat.h"
#include "labels/LabelCatalogue.h"
#include "pages/FieldHelpers.h"
#include "pages/network/NetworkText.h"

namespace orlan {

namespace {

constexpr std::string_view kGprsEnable = "gprsEnable";
constexpr std::string_view kApn = "apn";
constexpr std::string_view kUser = "user";
constexpr std::string_view kPassword = "password";
constexpr std::string_view kDns = "dns";
constexpr std::string_view kIdleTimeout = "idleTimeout";
constexpr std::string_view kModbusUnitId = "modbusUnitId";
constexpr std::string_view kTcpTimeout = "tcpTimeout";
constexpr std::string_view kDeviceId = "deviceId";
constexpr std::string_view kGprsDtu = "gprsDtu";
constexpr std::string_view kQexIo = "qexIo";
constexpr std::string_view kQexNtp = "qexNtp";

constexpr std::string_view kRowLabelKey = "SVRNAME";
constexpr std::string_view kRowLabelBuiltIn = "Centre ";

// The terminal's service protocols by code.
constexpr std::array<std::string_view, 10> kProtocolNames = {
    "QEX IO", "GPRS DTU", "MODBUS TCP", "WMMP", "GPS", "HTTP", "CSU", "QEX IO Over Eth", "MODBUS TCP Over Eth",
    "HTTP Over Eth"};
// Names searched for in a cell, longer ones before the names they contain.
constexpr std::array<int, 10> kNameSearchOrder = {9, 7, 8, 0, 1, 2, 3, 4, 5, 6};
constexpr int kUnknownProtocol = 255;


// A data-centre line: key, row digit right behind it, one separator, value.
struct SCentreKey {
    std::string_view key;
    size_t column;
};
constexpr std::array<SCentreKey, 7> kCentreKeys = {{
    {"$M2MD_SVR", CPageGPRS::kAddressColumn},
    {"$M2MD_PT", CPageGPRS::kPortColumn},
    {"$M2MD_PRO", CPageGPRS::kTransportColumn},
    {"$M2MD_IDLT", CPageGPRS::kIdleColumn},
    {"$M2MD_REPT", CPageGPRS::kResponseColumn},
    {"$M2MD_HRTT", CPageGPRS::kHeartbeatColumn},
    {"$M2MD_MODE", CPageGPRS::kProtocolColumn},
}};

SFieldDesc Masked(SFieldDesc desc)
{
    desc.masked = true;
    return desc;
}

} // namespace

int GprsProtocolCode(std::string_view name)
{
    for (int code : kNameSearchOrder) {
        if (name.find(kProtocolNames[static_cast<size_t>(code)]) != std::string_view::npos)
            return code;
    }
    return kUnknownProtocol;
}

std::string_view GprsProtocolName(int code)
{
    return code >= 0 && code < static_cast<int>(kProtocolNames.size()) ? kProtocolNames[static_cast<size_t>(code)]
                                                                         : std::string_view();
}

CPageGPRS::CPageGPRS()
    : CPage({.className = "CPageGPRS",
             .section = "PageGPRS",
             .defaultAnswerWaitMs = kWaitMs,
             .headingSection = "PageGPRS",
             .headingKey = "TITLE",
             // "$NTP_" lines hold no value the page keeps.
             .wholeLineKeys = {"$M2M_", "$NTP_"}}),
      m_rowLabel(kRowLabelBuiltIn)
{
    AddSetting({.field = Flag(kGprsEnable, "GPRS_EN"), .keys = SwitchKeys("$M2M_EN"), .command = "%%M2MEN%d\r"});
    AddSetting({.field = Text(kApn, "APN"), .keys = {"$M2M_APN "}, .command = "%%M2MAPN%s\r"});
    AddSetting({.field = Text(kUser, "UID"), .keys = {"$M2M_UID "}, .command = "%%M2MUID%s\r"});
    AddSetting({.field = Masked(Text(kPassword, "PWD")), .keys = {"$M2M_PWD "}, .command = "%%M2MPWD%s\r"});
    AddSetting({.field = Text(kDns, "DNS"), .keys = {"$M2M_DNS"}, .command = "%%M2MDNS%s\r"});
    AddSetting({.field = Whole(Text(kIdleTimeout, "GPRS_IDLE_TO")), .keys = {"$M2M_IDT"}, .command = "%%M2MIDT%s\r"});
    AddSetting({.field = Whole(Text(kModbusUnitId, "MTCPUID"), 0, 255), .keys = {"$M2M_TID"}, .command = "%%MODUID%s\r"});
    AddSetting({.field = Whole(Text(kTcpTimeout, "GPRS_TCPTO")), .keys = {"$M2M_CTO"}, .command = "%%M2MCTO%s\r"});
    AddSetting({.field = Text(kDeviceId, "QEXID"), .keys = {"$DID"}, .command = "%%ID%s\r"});
    AddSetting({.field = Flag(kGprsDtu, "GPRS_DTU"), .keys = SwitchKeys("$GDTU_EN"), .command = "%%GDTUEN%d\r"});
    AddSetting({.field = Flag(kQexIo, "GPRS_QEXIO"), .keys = SwitchKeys("$GMSG_EN"), .command = "%%GMSGEN%d\r"});
    AddSetting({.field = Flag(kQexNtp, "GPRS_QEXNTP"), .keys = {"$M2M_QEXNTP "}, .command = "%%M2MQEXNTPEN%d\r"});

    m_tables.emplace_back(STableDesc{.id = "centres",
                                     .headerKeys = {"LIST0", "LIST1", "LIST2", "LIST3", "LIST4", "LIST5", "LIST6",
                                                    "LIST7"},
                                     .rowCount = kCentres,
                                     .dataColumns = kColumns,
                                     .numberedRows = false,
                                     .columnWidths = {9, 18, 7, 9, 20, 9, 13, 12}});
    LabelRows();

    // A data centre's commands in a profile read back as the lines the
    // terminal reports the centre with.
    struct SCentreCommand {
        const char* format;
        std::vector<std::string_view> keys;  // one per value after the row
    };
    const SCentreCommand centreCommands[] = {
        {"%%M2MDTSIP%zu=%s\r", {"$M2MD_SVR"}},
        {"%%M2MDTSPT%zu=%s\r", {"$M2MD_PT"}},
        {"%%M2MDTSPO%zu=%d\r", {"$M2MD_PRO"}},
        {"%%M2MDTSTP%zu=%d\r", {"$M2MD_MODE"}},
        {"%%M2MDTSTO%zu=%s,%s,%s\r", {"$M2MD_IDLT", "$M2MD_REPT", "$M2MD_HRTT"}},
    };
    for (const SCentreCommand& command : centreCommands) {
        AddProfileInverse(command.format, [this, keys = command.keys](const std::vector<std::string>& values) {
            if (values.size() != keys.size() + 1 || values[0].size() != 1 || !IsDigit(values[0][0])
                || static_cast<size_t>(values[0][0] - '0') >= kCentres)
                return false;
            for (size_t i = 0; i < keys.size(); ++i)
                StoreCentre(std::string(keys[i]) + values[0] + " " + values[i + 1]);
            return true;
        });
    }
}

void CPageGPRS::LabelRows()
{
    for (size_t row = 0; row < kCentres; ++row)
        m_tables.front().SetCell(row, 0, m_rowLabel + std::to_string(row));
}

void CPageGPRS::LoadLabels(const CLabelCatalogue& catalogue)
{
    std::string label = catalogue.Lookup(kRowLabelKey, m_info.section);
    m_rowLabel = label.empty() ? std::string(kRowLabelBuiltIn) : std::move(label);
    LabelRows();
    NotifyChanged();
}

void CPageGPRS::Clear()
{
    m_fields.Reset();
    NotifyChanged();
}

std::string CPageGPRS::DumpRequest() const
{
    return "%DUMP_M2M\r%DUMP_SYS\r";
}

std::vector<SDumpEntry> CPageGPRS::DumpEntries()
{
    std::vector<SDumpEntry> entries = SettingEntries();
    entries.push_back({"$M2MD_", [this](const SDumpValue& value) { StoreCentre(value.line); }});
    return entries;
}

void CPageGPRS::StoreCentre(std::string_view line)
{
    CPageTable& table = m_tables.front();
    bool changed = false;
    // Every key is tried: a line may carry more than one.
    for (const SCentreKey& centre : kCentreKeys) {
        const auto rest = net::ValueOf(line, centre.key, centre.key.size());
        if (!rest)
            continue;
        const std::optional<int> row = net::DigitAt(*rest, 0);
        if (!row || *row >= static_cast<int>(kCentres))
            continue;
        const std::string_view value = rest->size() > 2 ? rest->substr(2) : std::string_view();
        const auto r = static_cast<size_t>(*row);
        switch (centre.column) {
        case kAddressColumn:
        case kPortColumn:
            changed = table.SetCell(r, centre.column, std::string(value)) || changed;
            break;
        case kTransportColumn: {
            const char code = net::CharAt(value, 0);
            if (code == '0' || code == '1')
                changed = table.SetCell(r, centre.column, code == '0' ? "Tcp" : "Udp") || changed;
            break;
        }
        case kProtocolColumn:
            if (const std::optional<int> code = net::DigitAt(value, 0))
                changed = table.SetCell(r, centre.column, std::string(GprsProtocolName(*code))) || changed;
            break;
        default:
            changed = table.SetCell(r, centre.column, std::to_string(WholeNumber(value))) || changed;
            break;
        }
    }
    if (changed)
        NotifyChanged();
}

std::optional<SRowEditor> CPageGPRS::RowEditor(size_t table, size_t row) const
{
    if (table != 0 || row >= kCentres)
        return std::nullopt;
    SRowEditor editor{.className = "CGprsSvrSetup", .section = "PageGPRS", .titleKey = "DLGTITLE"};
    CFieldSet& f = editor.fields;
    f.Add(Text(kAddressField, "IP"), {.text = Cell(row, kAddressColumn)});
    f.Add(Whole(Text(kPortField, "PORT"), 0, 65535), {.text = Cell(row, kPortColumn)});
    // A transport never reported is none chosen, never Tcp by default.
    const std::string& transport = Cell(row, kTransportColumn);
    const int transportIndex = transport.find("Udp") != std::string::npos   ? 1
                               : transport.find("Tcp") != std::string::npos ? 0
                                                                            : -1;
    f.Add(Choice(kTransportField, "TCP", FixedItems({"Tcp", "Udp"})), {.number = transportIndex});
    // Every code the terminal reports has its entry, so a row keeps its
    // protocol when only its address is edited.
    SFieldDesc protocol = Choice(kProtocolField, "SRVAPP",
                                 FixedItems({"0: QEX_IO", "1: GPRS DTU", "2: MODBUS TCP", "3: WMMP", "4: GPS",
                                             "5: HTTP", "6: FS", "7: QEX IO Over Eth", "8: MODBUS TCP Over Eth",
                                             "9: HTTP Over Eth"}));
    protocol.noSelectionKey = "NOT_SET";
    f.Add(protocol, kNoSelection);
    // A cell naming no protocol leaves none chosen: OK waits for a choice.
    if (const int code = GprsProtocolCode(Cell(row, kProtocolColumn)); code != kUnknownProtocol)
        f.SetChoice(kProtocolField, code);
    f.Add(Whole(Text(kIdleField, "SIDLETO")), {.text = Cell(row, kIdleColumn)});
    f.Add(Whole(Text(kResponseField, "REPTO")), {.text = Cell(row, kResponseColumn)});
    f.Add(Whole(Text(kHeartbeatField, "HTTO")), {.text = Cell(row, kHeartbeatColumn)});
    return editor;
}

std::string CPageGPRS::RowEditError(size_t table, size_t row, const CFieldSet& edited) const
{
    if (table != 0 || row >= kCentres || !edited.Has(kProtocolField) || !edited.Has(kTransportField))
        return {};
    // A row sent without them would lose its protocol (-1) on the terminal.
    if (!IsSelected(edited, kProtocolField) || !IsSelected(edited, kTransportField))
        return "GPRS_NO_PROTOCOL";
    return {};
}

CCommandList CPageGPRS::CommitRow(size_t table, size_t row, const CFieldSet& edited)
{
    if (table != 0 || row >= kCentres || !edited.Has(kProtocolField) || !RowEditError(table, row, edited).empty())
        return {};
    auto text = [&edited](std::string_view id) { return edited.Has(id) ? edited.LineText(id) : std::string(); };
    return {{std::string(kStartCmd)},
            {FormatWire("%%M2MDTSIP%zu=%s\r", row, text(kAddressField).c_str())},
            {FormatWire("%%M2MDTSPT%zu=%s\r", row, text(kPortField).c_str())},
            {FormatWire("%%M2MDTSPO%zu=%d\r", row, edited.Number(kTransportField))},
            {FormatWire("%%M2MDTSTP%zu=%d\r", row, edited.Number(kProtocolField))},
            {FormatWire("%%M2MDTSTO%zu=%s,%s,%s\r", row, text(kIdleField).c_str(), text(kResponseField).c_str(),
                        text(kHeartbeatField).c_str())},
            {std::string(kCommitCmd)}};
}

CCommandList CPageGPRS::SettingCommands(ETarget) const
{
    return PlainCommands({kQexNtp, kApn, kUser, kPassword, kDns, kIdleTimeout, kModbusUnitId, kGprsEnable, kGprsDtu,
                          kQexIo, kTcpTimeout, kDeviceId});
}

} // namespace orlan
