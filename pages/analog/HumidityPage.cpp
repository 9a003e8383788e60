#include "pages/analog/HumidityPage.h"

#include "pages/FieldHelpers.h"
#include "pages/analog/AnalogText.h"
#include "pages/analog/SensorOutputs.h"

namespace orlan {

using namespace analog;

namespace {

constexpr std::string_view kEnabled = "enabled";
constexpr std::string_view kHigh = "high";
constexpr std::string_view kLow = "low";
constexpr std::string_view kAdjust = "adjust";
constexpr std::string_view kCurrent = "current";
constexpr std::string_view kSmsInterval = "smsInterval";
constexpr std::string_view kSmsRepeat = "smsRepeat";
constexpr std::string_view kConfirmDelay = "confirmDelay";
constexpr std::string_view kHysteresis = "hysteresis";
constexpr std::string_view kSound = "sound";
constexpr std::string_view kUrgent = "urgent";
constexpr std::string_view kReportPeriod = "reportPeriod";
constexpr std::string_view kHighOutput = "highOutput";
constexpr std::string_view kLowOutput = "lowOutput";

// "$HUM" + code + one separator + value: "$HUMDLY 3". Switches carry their
// digit where a text value would start.
struct SCode {
    std::string_view code;
    std::string_view field;
    bool isSwitch;
};
constexpr SCode kCodes[] = {
    {"B", kAdjust, false},       {"H", kHigh, false},       {"L", kLow, false},
    {"C", kCurrent, false},      {"AS", kSmsInterval, false}, {"RS", kSmsRepeat, false},
    {"DLY", kConfirmDelay, false}, {"OS", kHysteresis, false}, {"EN", kEnabled, true},
    {"SND", kSound, true},       {"URG", kUrgent, true},     {"UPS", kReportPeriod, false},
};

bool IsUpper(char c)
{
    return c >= 'A' && c <= 'Z';
}

SFieldDesc InPercent(SFieldDesc desc)
{
    return WithHint(std::move(desc), "UNIT");
}

SFieldDesc OutputList(std::string_view id, std::string_view labelKey)
{
    SFieldDesc desc = Choice(id, labelKey, SensorOutputItems());
    desc.noSelectionKey = "NOTSET";
    return desc;
}

} // namespace

CPageHumidity::CPageHumidity()
    : CPage({.className = "CPageHumidity",
             .section = "PageHumidity",
             .defaultAnswerWaitMs = 3000,
             .headingSection = "PageHumidity",
             .headingKey = "TITLE"})
{
    AddSetting({.field = Flag(kEnabled, "CHECK_EN"), .command = "%%HUMEN%d\r"});
    AddSetting({.field = InPercent(Decimal(Text(kHigh, "HIGH"))), .command = "%%HUMH%s\r"});
    AddSetting({.field = InPercent(Decimal(Text(kLow, "LOW"))), .command = "%%HUML%s\r"});
    AddSetting({.field = InPercent(Decimal(Text(kAdjust, "Adjust"))), .command = "%%HUMB%s\r"});
    SFieldDesc current = InPercent(Text(kCurrent, "CUR"));
    current.readOnly = true;
    AddSetting({.field = current, .keys = {"*HUMIDITY"}});
    AddSetting({.field = Decimal(Text(kHysteresis, "TMPLAG")), .command = "%%HUMOS%s\r"});
    AddSetting({.field = Whole(Text(kSmsInterval, "TMPAS")), .command = "%%HUMAS%s\r"});
    AddSetting({.field = Whole(Text(kSmsRepeat, "TMPLS")), .command = "%%HUMRS%s\r"});
    AddSetting({.field = Whole(Text(kConfirmDelay, "TMPDLY")), .command = "%%HUMDLY%s\r"});
    AddSetting({.field = Flag(kUrgent, "URGENT"), .command = "%%HUMURG%d\r"});
    AddSetting({.field = Flag(kSound, "CHECK_SND"), .command = "%%HUMSND%d\r"});
    AddSetting({.field = OutputList(kHighOutput, "TMPHOC"), .initial = kNoSelection, .command = "%%HUMIH%d\r"});
    AddSetting({.field = OutputList(kLowOutput, "TMPLOC"), .initial = kNoSelection, .command = "%%HUMIL%d\r"});
    AddSetting({.field = Hidden(Whole(Text(kReportPeriod, "TMPUPS"))), .command = "%%HUMUPS%s\r"});
}

std::string CPageHumidity::DumpRequest() const
{
    return "%DUMP_HUM\r";
}

std::vector<SDumpEntry> CPageHumidity::DumpEntries()
{
    std::vector<SDumpEntry> entries = SettingEntries();
    entries.push_back({"$HUM", [this](const SDumpValue& v) { StoreCoded(v); }});
    entries.push_back({"$HUMI", [this](const SDumpValue& v) {
                           if (StoreSensorOutput(m_fields, v.text, kHighOutput, kLowOutput))
                               NotifyChanged();
                       }});
    return entries;
}

void CPageHumidity::StoreCoded(const SDumpValue& value)
{
    const std::string_view text = value.text;
    for (const SCode& code : kCodes) {
        // The whole code: "H" is not the start of another one.
        if (!text.starts_with(code.code) || (text.size() > code.code.size() && IsUpper(text[code.code.size()])))
            continue;
        const size_t at = code.code.size() + 1;
        if (code.isSwitch)
            m_fields.SetNumber(code.field, IsOneAt(text, at) ? 1 : 0);
        else
            m_fields.SetText(code.field, TextFrom(text, at));
        NotifyChanged();
        return;
    }
}

CCommandList CPageHumidity::SettingCommands(ETarget) const
{
    return PlainCommands({kAdjust, kHigh, kLow, kSmsInterval, kSmsRepeat, kConfirmDelay, kHysteresis, kEnabled, kSound,
                          kUrgent, kReportPeriod, kHighOutput, kLowOutput});
}

} // namespace orlan
