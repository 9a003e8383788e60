#include "pages/system/AlarmParamsPage.h"

#include "console/WireFormat.h"
#include "pages/system/DumpBindings.h"

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
constexpr std::string_view kSpeakerMuted = "speakerMuted";
constexpr std::string_view kMicMuted = "micMuted";
constexpr std::string_view kMmsCount = "mmsCount";
constexpr std::string_view kMmsPeriod = "mmsPeriod";

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

bool IsOne(std::string_view text, size_t at)
{
    return at < text.size() && text[at] == '1';
}

SFieldDesc Flag(std::string_view id, std::string_view labelKey, bool hidden = false)
{
    return {.id = std::string(id), .kind = EFieldKind::Check, .labelKey = std::string(labelKey), .hidden = hidden};
}

SFieldDesc Text(std::string_view id, std::string_view labelKey, bool hidden = false)
{
    return {.id = std::string(id), .kind = EFieldKind::Text, .labelKey = std::string(labelKey), .hidden = hidden};
}

} // namespace

CPageAlarmParams::CPageAlarmParams()
    : CPage({.className = "CPageAlarmParams",
             .section = "PageAlarmParams",
             .navKey = "PAGE_ALARM",
             .profileTitle = "System Alarm Params"})
{
    SFieldDesc repeat = Text(kRepeatCount, "SMSCOUNTS");
    repeat.hintKey = "TIMES";
    m_fields.Add(std::move(repeat));
    m_fields.Add(Flag(kRing, "ALARMRING"));
    m_fields.Add(Flag(kAnswerService, "ATA"));
    m_fields.Add(Flag(kIdentity, "ALARMMEMO"));
    m_fields.Add(Text(kDisarmDelay, "INDLY"));
    m_fields.Add(Text(kArmDelay, "OUTDLY"));
    m_fields.Add(Flag(kDelaySound, "SNDALARMDLY"));
    m_fields.Add(Flag(kUartEvent, "UEVENT", true));
    for (const SReportItem& item : kReportItems)
        m_fields.Add(Flag(item.field, item.labelKey));
    m_fields.Add(Flag(kReportCounter, "COUNTER", true));
    // The analog report items have no caption of their own.
    for (std::string_view id : kAnalogReports)
        m_fields.Add(Flag(id, "", true));
    m_fields.Add(Flag(kSpeakerMuted, "SPKMUTE", true));
    m_fields.Add(Flag(kMicMuted, "MICMUTE", true));
    SFieldDesc mmsCount = Text(kMmsCount, "MMSRSTITLE", true);
    mmsCount.hintKey = "MMSPER";
    m_fields.Add(std::move(mmsCount));
    SFieldDesc mmsPeriod = Text(kMmsPeriod, "", true);
    mmsPeriod.hintKey = "MINS";
    m_fields.Add(std::move(mmsPeriod));
}

std::string CPageAlarmParams::DumpRequest() const
{
    return "%DUMP_SYS\r%DUMP_ADS\r%DUMP_GPIO\r";
}

std::vector<SDumpEntry> CPageAlarmParams::DumpEntries()
{
    CPage& page = *this;
    return {
        SwitchEntry(page, "$AR 1", kRing),
        SwitchEntry(page, "$AR 0", kRing),
        TextEntry(page, "$IAT", kRepeatCount),
        TextEntry(page, "$IOAT", kRepeatCount),
        SwitchEntry(page, "$ATA 1", kAnswerService),
        SwitchEntry(page, "$ATA 0", kAnswerService),
        SwitchEntry(page, "$AWB 1", kIdentity),
        SwitchEntry(page, "$AWB 0", kIdentity),
        SwitchEntry(page, "$UARTEVENT 1", kUartEvent),
        SwitchEntry(page, "$UARTEVENT 0", kUartEvent),
        SwitchEntry(page, "$MODEM_SPK", kSpeakerMuted),
        SwitchEntry(page, "$MODEM_MIC", kMicMuted),
        SwitchEntry(page, "$SNDALARMDLY", kDelaySound),
        TextEntry(page, "$INDLY", kDisarmDelay),
        TextEntry(page, "$OUTDLY", kArmDelay),
        TextEntry(page, "$MMS_ETC", kMmsCount),
        TextEntry(page, "$MMS_ETM", kMmsPeriod),
        {"$AINDRP", [this](const SDumpValue& value) { StoreAnalogReport(value); }},
        {"$DRP", [this](const SDumpValue& value) { StoreReportItems(value); }},
    };
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
    const CFieldSet& f = m_fields;
    auto text = [&f](std::string_view id) { return f.LineText(id); };
    CCommandList commands;
    auto add = [&commands](std::string command) { commands.push_back({std::move(command)}); };

    add(FormatWire("%%SNDALARMDLYEN%d\r", FlagDigit(f, kDelaySound)));
    add(FormatWire("%%OUTDLY%s\r", text(kArmDelay).c_str()));
    add(FormatWire("%%INDLY%s\r", text(kDisarmDelay).c_str()));
    add(FormatWire("%%IOAT%s\r", text(kRepeatCount).c_str()));
    add(FormatWire("%%ARING%d\r", FlagDigit(f, kRing)));
    add(FormatWire("%%ASC%d\r", FlagDigit(f, kAnswerService)));
    add(FormatWire("%%AWB%d\r", FlagDigit(f, kIdentity)));
    add(FormatWire("%%UARTEVENT%d\r", FlagDigit(f, kUartEvent)));
    for (std::string_view id : kReportCommandOrder) {
        for (const SReportItem& item : kReportItems) {
            if (item.field == id)
                add(FormatWire("%%%s%d\r", std::string(item.command).c_str(), FlagDigit(f, id)));
        }
    }
    add(FormatWire("%%AINDRP%d%d%d%d\r", FlagDigit(f, kAnalogReports[0]), FlagDigit(f, kAnalogReports[1]),
                   FlagDigit(f, kAnalogReports[2]), FlagDigit(f, kAnalogReports[3])));
    add(FormatWire("%%DINCDRP%d\r", FlagDigit(f, kReportCounter)));
    return commands;
}

} // namespace orlan
