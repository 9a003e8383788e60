#include "pages/system/AlarmParamsPage.h"

#include "console/WireFormat.h"
#include "pages/FieldHelpers.h"

namespace orlan {

namespace {

constexpr std::string_view kRepeatCount = "repeatCount";
constexpr std::string_view kRing = "ring";
constexpr std::string_view kAnswerService = "answerService";
constexpr std::string_view kIdentity = "identity";
constexpr std::string_view kDisarmDelay = "disarmDelay";
constexpr std::string_view kArmDelay = "armDelay";
constexpr std::string_view kDelaySound = "delaySound";
constexpr std::string_view kUartEvent = "uartEvent";
constexpr std::string_view kReportCounter = "reportCounter";

// A daily report item: its field, the name the "$DRP" lines carry and the
// command that sets it.
struct SReportItem {
    std::string_view field;
    std::string_view labelKey;
    std::string_view dumpName;
    std::string_view command;
};

// Display (and label) order.
constexpr SReportItem kReportItems[] = {
    {"reportTemp", "ITEMP", "TMP", "DRPTMP"},     {"reportId", "DEVID", "TID", "DRPTID"},
    {"reportArm", "ARM", "DEF", "DRPDEF"},        {"reportSignal", "RSSI", "RSI", "DRPRSI"},
    {"reportMemo", "MEMO", "MEM", "DRPMEM"},      {"reportPower", "POW", "BAT", "DRPBAT"},
    {"reportInput", "DIN", "DIN", "DRPDIN"},      {"reportExtTemp", "ETEMP", "ETP", "DRPETMP"},
};
// The terminal takes the items in this order.
constexpr std::string_view kReportCommandOrder[] = {"reportTemp", "reportId",    "reportArm",   "reportSignal",
                                                    "reportInput", "reportMemo", "reportPower", "reportExtTemp"};

constexpr std::string_view kAnalogReports[CPageAlarmParams::kAnalogChannels] = {"reportAin0", "reportAin1",
                                                                                "reportAin2", "reportAin3"};

// "$DRPTMP 1": the name from position 4, the value at position 8.
constexpr size_t kReportValueInText = 4;
// "$AINDRP2 1": the channel at position 7, the value at position 9.
constexpr size_t kAnalogValueInText = 2;

SFieldDesc InGroup(SFieldDesc desc, std::string_view group)
{
    desc.group = std::string(group);
    return desc;
}

bool IsOne(std::string_view text, size_t at)
{
    return at < text.size() && text[at] == '1';
}

} // namespace

CPageAlarmParams::CPageAlarmParams()
    : CPage({.className = "CPageAlarmParams",
             .section = "PageAlarmParams",
             .navKey = "PAGE_ALARM",
             .profileTitle = "System Alarm Params"})
{
    AddSetting({.field = WithHint(Whole(Text(kRepeatCount, "SMSCOUNTS")), "TIMES"),
                .keys = {"$IAT", "$IOAT"},
                .command = "%%IOAT%s\r"});
    AddSetting({.field = Flag(kRing, "ALARMRING"), .keys = SwitchKeys("$AR"), .command = "%%ARING%d\r"});
    AddSetting({.field = Flag(kAnswerService, "ATA"), .keys = SwitchKeys("$ATA"), .command = "%%ASC%d\r"});
    AddSetting({.field = Flag(kIdentity, "ALARMMEMO"), .keys = SwitchKeys("$AWB"), .command = "%%AWB%d\r"});
    AddSetting({.field = Whole(Text(kDisarmDelay, "INDLY")), .keys = {"$INDLY"}, .command = "%%INDLY%s\r"});
    AddSetting({.field = Whole(Text(kArmDelay, "OUTDLY")), .keys = {"$OUTDLY"}, .command = "%%OUTDLY%s\r"});
    AddSetting({.field = Flag(kDelaySound, "SNDALARMDLY"), .keys = {"$SNDALARMDLY"}, .command = "%%SNDALARMDLYEN%d\r"});
    AddSetting({.field = Hidden(Flag(kUartEvent, "UEVENT")),
                .keys = SwitchKeys("$UARTEVENT"),
                .command = "%%UARTEVENT%d\r"});
    // The "$DRP" lines name their item inside the text: parsed below.
    m_fields.AddGroup({.id = "dailyReport", .captionKey = "REPORTS"});
    for (const SReportItem& item : kReportItems)
        AddSetting({.field = InGroup(Flag(item.field, item.labelKey), "dailyReport"),
                    .command = "%%" + std::string(item.command) + "%d\r"});
    AddSetting({.field = Hidden(Flag(kReportCounter, "COUNTER")), .command = "%%DINCDRP%d\r"});
    // The analog report items have no caption of their own and go as one command.
    for (std::string_view id : kAnalogReports)
        AddSetting({.field = Hidden(Flag(id))});
    AddSetting({.field = Hidden(Flag("speakerMuted", "SPKMUTE")), .keys = {"$MODEM_SPK"}});
    AddSetting({.field = Hidden(Flag("micMuted", "MICMUTE")), .keys = {"$MODEM_MIC"}});
    AddSetting({.field = Hidden(WithHint(Whole(Text("mmsCount", "MMSRSTITLE")), "MMSPER")), .keys = {"$MMS_ETC"}});
    AddSetting({.field = Hidden(WithHint(Whole(Text("mmsPeriod")), "MINS")), .keys = {"$MMS_ETM"}});
    AddProfileInverse(DigitsFormat("AINDRP", std::size(kAnalogReports)),
                      IntoFields(m_fields, std::vector<std::string>(std::begin(kAnalogReports), std::end(kAnalogReports))));
}

std::string CPageAlarmParams::DumpRequest() const
{
    return "%DUMP_SYS\r%DUMP_ADS\r%DUMP_GPIO\r";
}

std::vector<SDumpEntry> CPageAlarmParams::DumpEntries()
{
    std::vector<SDumpEntry> entries = SettingEntries();
    entries.push_back({"$AINDRP", [this](const SDumpValue& value) { StoreAnalogReport(value); }});
    entries.push_back({"$DRP", [this](const SDumpValue& value) { StoreReportItems(value); }});
    return entries;
}

void CPageAlarmParams::StoreAnalogReport(const SDumpValue& value)
{
    if (value.text.empty() || value.text.front() < '0' || value.text.front() > '3')
        return;
    const size_t channel = static_cast<size_t>(value.text.front() - '0');
    m_fields.SetNumber(kAnalogReports[channel], IsOne(value.text, kAnalogValueInText) ? 1 : 0);
    NotifyChanged();
}

void CPageAlarmParams::StoreReportItems(const SDumpValue& value)
{
    const int flag = IsOne(value.text, kReportValueInText) ? 1 : 0;
    bool changed = false;
    for (const SReportItem& item : kReportItems) {
        if (value.text.find(item.dumpName) != std::string_view::npos) {
            m_fields.SetNumber(item.field, flag);
            changed = true;
        }
    }
    if (value.text.find("CNT") != std::string_view::npos) {
        m_fields.SetNumber(kReportCounter, flag);
        changed = true;
    }
    if (changed)
        NotifyChanged();
}

CCommandList CPageAlarmParams::SettingCommands(ETarget) const
{
    CCommandList commands = PlainCommands({kDelaySound, kArmDelay, kDisarmDelay, kRepeatCount, kRing,
                                           kAnswerService, kIdentity, kUartEvent});
    for (std::string_view id : kReportCommandOrder)
        AppendPlainCommand(commands, id);
    const CFieldSet& f = m_fields;
    commands.push_back({FormatWire("%%AINDRP%d%d%d%d\r", FlagDigit(f, kAnalogReports[0]),
                                   FlagDigit(f, kAnalogReports[1]), FlagDigit(f, kAnalogReports[2]),
                                   FlagDigit(f, kAnalogReports[3]))});
    AppendPlainCommand(commands, kReportCounter);
    return commands;
}

} // namespace orlan
