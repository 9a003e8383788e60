#include "pages/network/Mms3GPage.h"

#include <array>

#include "console/WireFormat.h"
#include "pages/FieldHelpers.h"
#include "pages/network/NetworkText.h"

namespace orlan {

namespace {

constexpr std::string_view kApn = "apn";
constexpr std::string_view kUser = "user";
constexpr std::string_view kPassword = "password";
constexpr std::string_view kSmtpServer = "smtpServer";
constexpr std::string_view kSmtpPort = "smtpPort";
constexpr std::string_view kSmtpUser = "smtpUser";
constexpr std::string_view kSmtpPassword = "smtpPassword";
constexpr std::string_view kSmtpFrom = "smtpFrom";
constexpr std::string_view kGisServer = "gisServer";
constexpr std::string_view kGisPort = "gisPort";
constexpr std::string_view kGpsInterval = "gpsInterval";
constexpr std::string_view kVideoChannel = "videoChannel";
constexpr std::string_view kVideoFormat = "videoFormat";
constexpr std::string_view kDvrTime = "dvrTime";
constexpr std::string_view kAlarmMms = "alarmMms";
constexpr std::string_view kAlarmVideoCall = "alarmVideoCall";
constexpr std::string_view kAutoRecord = "autoRecord";
constexpr std::string_view kIn1VideoCall = "in1VideoCall";
constexpr std::string_view kIn1Record = "in1Record";
constexpr std::string_view kIn2VideoCall = "in2VideoCall";
constexpr std::string_view kIn2Record = "in2Record";
constexpr std::string_view kIn1Channel = "in1Channel";
constexpr std::string_view kIn2Channel = "in2Channel";
constexpr std::string_view kFtpServer = "ftpServer";
constexpr std::string_view kFtpPort = "ftpPort";

enum class ELineTake {
    Text,    // the text behind the key and one separator
    Digit,   // a switch or list index: the digit there
    On,      // the key holds the value
    Off,
};

struct SLineKey {
    std::string_view key;
    std::string_view field;
    ELineTake take;
};

// Each key is tested on every line.
constexpr std::array<SLineKey, 29> kKeys = {{
    {"$M2M_APN", kApn, ELineTake::Text},
    {"$M2M_UID", kUser, ELineTake::Text},
    {"$M2M_PWD", kPassword, ELineTake::Text},
    {"$SMTP_SVR", kSmtpServer, ELineTake::Text},
    {"$SMTP_UID", kSmtpUser, ELineTake::Text},
    {"$SMTP_PWD", kSmtpPassword, ELineTake::Text},
    {"$SMTP_PORT", kSmtpPort, ELineTake::Text},
    {"$SMTP_FROM", kSmtpFrom, ELineTake::Text},
    {"$3GS_GISS", kGisServer, ELineTake::Text},
    {"$3GS_GISP", kGisPort, ELineTake::Text},
    {"$3GS_GPST", kGpsInterval, ELineTake::Text},
    {"$3GS_VCHN", kVideoChannel, ELineTake::Digit},
    {"$3GS_VFMT", kVideoFormat, ELineTake::Digit},
    {"$3GS_VCRS", kDvrTime, ELineTake::Text},
    {"$3GS_ALARM_MMS", kAlarmMms, ELineTake::Digit},
    {"$3GS_ALARM_VCALL", kAlarmVideoCall, ELineTake::Digit},
    {"$3GS_ALARM_VPR", kAutoRecord, ELineTake::Digit},
    {"$3GS_DINVPC0 1", kIn1VideoCall, ELineTake::On},
    {"$3GS_DINVPC0 0", kIn1VideoCall, ELineTake::Off},
    {"$3GS_DINVCR0 1", kIn1Record, ELineTake::On},
    {"$3GS_DINVCR0 0", kIn1Record, ELineTake::Off},
    {"$3GS_DINVPC1 1", kIn2VideoCall, ELineTake::On},
    {"$3GS_DINVPC1 0", kIn2VideoCall, ELineTake::Off},
    {"$3GS_DINVCR1 1", kIn2Record, ELineTake::On},
    {"$3GS_DINVCR1 0", kIn2Record, ELineTake::Off},
    {"$3GS_DINVCH0", kIn1Channel, ELineTake::Digit},
    {"$3GS_DINVCH1", kIn2Channel, ELineTake::Digit},
    {"$SYS_FTPSVR0", kFtpServer, ELineTake::Text},
    {"$SYS_FTPPOT0", kFtpPort, ELineTake::Text},
}};

SFieldDesc Labelled(SFieldDesc desc, std::string_view label, bool hidden = false)
{
    desc.fixedLabel = std::string(label);
    desc.hidden = hidden;
    return desc;
}

std::vector<SChoiceItem> Channels()
{
    return FixedItems({"Channel: 1", "Channel: 2"});
}

} // namespace

CPage3GMMS::CPage3GMMS()
    : CPage({.className = "CPage3GMMS",
             .section = "Page3GMMS",
             .defaultAnswerWaitMs = kWaitMs,
             .headingSection = "Page3GMMS",
             .headingKey = "TITLE"})
{
    CFieldSet& f = m_fields;
    f.Add(Labelled(Text(kApn), "3G APN"));
    f.Add(Labelled(Text(kUser), "3G user"));
    f.Add(Labelled(Text(kPassword), "3G password"));
    f.Add(Labelled(Text(kSmtpServer), "SMTP server", true));
    f.Add(Labelled(Whole(Text(kSmtpPort), 0, 65535), "SMTP port", true));
    f.Add(Labelled(Text(kSmtpUser), "SMTP user", true));
    f.Add(Labelled(Text(kSmtpPassword), "SMTP password", true));
    f.Add(Labelled(Text(kSmtpFrom), "Sender address", true));
    f.Add(Labelled(Text(kGisServer), "GIS server", true));
    f.Add(Labelled(Whole(Text(kGisPort), 0, 65535), "GIS port", true));
    f.Add(Labelled(Whole(Text(kGpsInterval)), "GPS transmit interval (s)", true));
    f.Add(Labelled(Choice(kVideoChannel, {}, Channels()), "Default video channel"), kNoSelection);
    f.Add(Labelled(Choice(kVideoFormat, {}, FixedItems({"PAL", "NTSC"})), "Default video format"), kNoSelection);
    f.Add(Labelled(Whole(Text(kDvrTime)), "DVR time span (s)"));
    f.Add(Labelled(Flag(kAlarmMms), "Alarm by MMS"));
    f.Add(Labelled(Flag(kAlarmVideoCall), "Alarm by video call"));
    f.Add(Labelled(Flag(kAutoRecord), "Record the video call and send it", true));
    f.Add(Labelled(Flag(kIn1VideoCall), "Input 1 alarm makes a video call", true));
    f.Add(Labelled(Flag(kIn1Record), "Input 1 alarm records", true));
    f.Add(Labelled(Flag(kIn2VideoCall), "Input 2 alarm makes a video call", true));
    f.Add(Labelled(Flag(kIn2Record), "Input 2 alarm records", true));
    f.Add(Labelled(Choice(kIn1Channel, {}, Channels()), "Input 1 video channel", true), kNoSelection);
    f.Add(Labelled(Choice(kIn2Channel, {}, Channels()), "Input 2 video channel", true), kNoSelection);
    f.Add(Labelled(Text(kFtpServer), "FTP server", true));
    f.Add(Labelled(Whole(Text(kFtpPort), 0, 65535), "FTP port", true));
}

std::string CPage3GMMS::DumpRequest() const
{
    return "%DUMP_MMS\r%DUMP_GPIO\r";
}

std::vector<SDumpEntry> CPage3GMMS::DumpEntries()
{
    std::vector<SDumpEntry> entries;
    for (std::string_view key : {"$3GS_", "$M2M_", "$SMTP", "$SYS_FTP"})
        entries.push_back({std::string(key), [this](const SDumpValue& value) { StoreLine(value.line); }});
    return entries;
}

void CPage3GMMS::StoreLine(std::string_view line)
{
    bool changed = false;
    for (const SLineKey& key : kKeys) {
        const auto value = net::ValueOf(line, key.key, key.key.size() + 1);
        if (!value)
            continue;
        const size_t i = m_fields.IndexOf(key.field);
        const EFieldKind kind = m_fields.Desc(i).kind;
        switch (key.take) {
        case ELineTake::Text:
            m_fields.SetText(key.field, *value);
            break;
        case ELineTake::Digit:
            // A list selects the item of that number (none beyond the list),
            // a switch is on for a digit other than 0.
            if (kind == EFieldKind::Choice)
                m_fields.SetChoice(key.field, net::DigitAt(*value, 0).value_or(-1));
            else
                m_fields.SetNumber(key.field, net::SwitchOf(*value, 0));
            break;
        case ELineTake::On:
            m_fields.SetNumber(key.field, 1);
            break;
        case ELineTake::Off:
            m_fields.SetNumber(key.field, 0);
            break;
        }
        changed = true;
    }
    if (changed)
        NotifyChanged();
}

CCommandList CPage3GMMS::SettingCommands(ETarget) const
{
    const CFieldSet& f = m_fields;
    auto text = [&f](std::string_view id) { return f.LineText(id); };
    CCommandList commands;
    auto add = [&commands](std::string line) { commands.push_back({std::move(line)}); };
    add(FormatWire("%%M2MAPN%s\r", text(kApn).c_str()));
    add(FormatWire("%%M2MUID%s\r", text(kUser).c_str()));
    add(FormatWire("%%M2MPWD%s\r", text(kPassword).c_str()));
    add(FormatWire("%%SYSSMTP%s,%s,%s,%s,%s\r", text(kSmtpServer).c_str(), text(kSmtpPort).c_str(),
                   text(kSmtpUser).c_str(), text(kSmtpPassword).c_str(), text(kSmtpFrom).c_str()));
    add(FormatWire("%%GPSGIS%s,%s\r", text(kGisServer).c_str(), text(kGisPort).c_str()));
    add(FormatWire("%%GISTIMER%s\r", text(kGpsInterval).c_str()));
    // A list is sent only with a selection: no item chosen is no value to
    // give the terminal.
    if (IsSelected(f, kVideoChannel))
        add(FormatWire("%%MMSVINC%d\r", f.Number(kVideoChannel)));
    if (IsSelected(f, kVideoFormat))
        add(FormatWire("%%MMSVINF%d\r", f.Number(kVideoFormat)));
    add(FormatWire("%%3GDVRTIME%s\r", text(kDvrTime).c_str()));
    add(FormatWire("%%3GALARMMMS%d\r", FlagDigit(f, kAlarmMms)));
    add(FormatWire("%%3GALARMVP%d\r", FlagDigit(f, kAlarmVideoCall)));
    add(FormatWire("%%3GALARMVC%d\r", FlagDigit(f, kAutoRecord)));
    add(FormatWire("%%IOVPC0,%d\r", FlagDigit(f, kIn1VideoCall)));
    add(FormatWire("%%IOVPC1,%d\r", FlagDigit(f, kIn2VideoCall)));
    add(FormatWire("%%IODVR0,%d\r", FlagDigit(f, kIn1Record)));
    add(FormatWire("%%IODVR1,%d\r", FlagDigit(f, kIn2Record)));
    if (IsSelected(f, kIn1Channel))
        add(FormatWire("%%IOVCH0,%d\r", f.Number(kIn1Channel)));
    if (IsSelected(f, kIn2Channel))
        add(FormatWire("%%IOVCH1,%d\r", f.Number(kIn2Channel)));
    add(FormatWire("%%FTPSVR0=%s,%s\r", text(kFtpServer).c_str(), text(kFtpPort).c_str()));
    return commands;
}

} // namespace orlan
