#include "pages/analog/TempPage.h"

#include "pages/FieldHelpers.h"
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
constexpr std::string_view kUrgent = "urgent";
constexpr std::string_view kSound = "sound";
constexpr std::string_view kSms = "sms";
constexpr std::string_view kHighOutput = "highOutput";
constexpr std::string_view kLowOutput = "lowOutput";
constexpr std::string_view kReset = "reset";
constexpr std::string_view kSensorOn = "%TMPON\r";
constexpr std::string_view kSensorOff = "%TMPOFF\r";

SFieldDesc InDegrees(SFieldDesc desc)
{
    return WithHint(std::move(desc), "UNIT");
}

SFieldDesc OutputList(std::string_view id, std::string_view labelKey)
{
    SFieldDesc desc = Choice(id, labelKey, SensorOutputItems());
    // No selection is sent as -1: the user sees it before saving.
    desc.noSelectionKey = "NOTSET";
    return desc;
}

} // namespace

CPageTemp::CPageTemp()
    : CPage({.className = "CPageTemp",
             .section = "PageTmp100",
             .navKey = "PAGE_TMP100",
             .profileTitle = "Tmp100 Sensor",
             .defaultAnswerWaitMs = 3000})
{
    AddSetting({.field = Flag(kEnabled, "CHECK_EN"), .keys = SwitchKeys("*TMP100_EN")});
    AddSetting({.field = InDegrees(Decimal(Text(kHigh, "HIGH"))), .keys = {"$TMPH"}, .command = "%%TMPH%s\r"});
    AddSetting({.field = InDegrees(Decimal(Text(kLow, "LOW"))), .keys = {"$TMPL"}, .command = "%%TMPL%s\r"});
    AddSetting({.field = InDegrees(Decimal(Text(kAdjust, "Adjust"))), .keys = {"$TMPB"}, .command = "%%TMPB%s\r"});
    SFieldDesc current = InDegrees(Text(kCurrent, "CUR"));
    current.readOnly = true;
    AddSetting({.field = current, .keys = {"*TMPC"}});
    AddSetting({.field = Decimal(Text(kHysteresis, "TMPLAG")), .keys = {"$TMPOS"}, .command = "%%TMPOS%s\r"});
    AddSetting({.field = Whole(Text(kSmsInterval, "TMPAS")), .keys = {"$TMPAS"}, .command = "%%TMPAS%s\r"});
    AddSetting({.field = Whole(Text(kSmsRepeat, "TMPLS")), .keys = {"$TMPRS"}, .command = "%%TMPRS%s\r"});
    AddSetting({.field = Whole(Text(kConfirmDelay, "TMPDLY")), .keys = {"$TMPDLY"}, .command = "%%TMPDLY%s\r"});
    AddSetting({.field = Flag(kUrgent, "URGENT"), .keys = SwitchKeys("$TMPURG"), .command = "%%TMPURG%d\r"});
    AddSetting({.field = Flag(kSound, "CHECK_SND"), .keys = SwitchKeys("$TMPSND"), .command = "%%TMPSND%d\r"});
    AddSetting({.field = Flag(kSms, "CHECK_SMS"), .keys = SwitchKeys("$TMPSMS"), .command = "%%TMPSMS%d\r"});
    AddSetting({.field = OutputList(kHighOutput, "TMPHOC"), .initial = kNoSelection, .command = "%%TMPIH%d\r"});
    AddSetting({.field = OutputList(kLowOutput, "TMPLOC"), .initial = kNoSelection, .command = "%%TMPIL%d\r"});
    AddSetting({.field = Hidden(Whole(Text("reportPeriod", "TMPUPS"))), .keys = {"$TMPUPS"}});

    AddAction({.id = std::string(kReset), .labelKey = "Reset", .labelSection = "Buttons"});
    AddProfileInverse("%" + std::string(kSensorOn), [this](const std::vector<std::string>&) {
        m_fields.SetNumber(kEnabled, 1);
        return true;
    });
    AddProfileInverse("%" + std::string(kSensorOff), [this](const std::vector<std::string>&) {
        m_fields.SetNumber(kEnabled, 0);
        return true;
    });
}

void CPageTemp::Clear()
{
    m_fields.Reset({std::string(kCurrent)});
    NotifyChanged();
}

std::string CPageTemp::DumpRequest() const
{
    return "%DUMP_TMP\r%DUMPR\r";
}

std::vector<SDumpEntry> CPageTemp::DumpEntries()
{
    std::vector<SDumpEntry> entries = SettingEntries();
    entries.push_back({"$TMPI", [this](const SDumpValue& value) {
                           if (StoreSensorOutput(m_fields, value.text, kHighOutput, kLowOutput))
                               NotifyChanged();
                       }});
    return entries;
}

CCommandList CPageTemp::SettingCommands(ETarget) const
{
    CCommandList commands = PlainCommands({kHigh, kLow, kAdjust});
    commands.push_back({std::string(m_fields.Number(kEnabled) != 0 ? kSensorOn : kSensorOff)});
    for (SCommand& command :
         PlainCommands({kSms, kSound, kSmsInterval, kSmsRepeat, kConfirmDelay, kUrgent, kHysteresis}))
        commands.push_back(std::move(command));
    // "Nc" leaves the output as it is.
    for (std::string_view id : {kHighOutput, kLowOutput}) {
        if (m_fields.Number(id) < kNoOutput)
            AppendPlainCommand(commands, id);
    }
    return commands;
}

std::optional<SPageJob> CPageTemp::ActionJob(std::string_view actionId, std::optional<size_t>)
{
    if (actionId != kReset)
        return std::nullopt;
    return SPageJob{.commands = {{"%TMPH0\r"}, {"%TMPL0\r"}}, .bracketed = true, .end = EJobEnd::ReadPage};
}

} // namespace orlan
