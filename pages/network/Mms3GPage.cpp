#include "pages/network/Mms3GPage.h"

#include "console/WireFormat.h"
#include "pages/FieldHelpers.h"
#include "pages/JointCommand.h"
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

// Several values in one command each.
const SJointCommand kSmtp{"%%SYSSMTP%s,%s,%s,%s,%s\r", {kSmtpServer, kSmtpPort, kSmtpUser, kSmtpPassword, kSmtpFrom}};
const SJointCommand kGis{"%%GPSGIS%s,%s\r", {kGisServer, kGisPort}};
const SJointCommand kFtp{"%%FTPSVR0=%s,%s\r", {kFtpServer, kFtpPort}};

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
             .headingKey = "TITLE",
             .wholeLineKeys = {"$3GS_", "$M2M_", "$SMTP", "$SYS_FTP"}})
{
    auto add = [this](SFieldDesc field, std::vector<std::string> keys, std::string command = {}) {
        const bool list = field.kind == EFieldKind::Choice;
        AddSetting({.field = std::move(field),
                    .initial = list ? kNoSelection : SFieldValue{},
                    .keys = std::move(keys),
                    .command = std::move(command)});
    };
    add(Labelled(Text(kApn), "3G APN"), {"$M2M_APN"}, "%%M2MAPN%s\r");
    add(Labelled(Text(kUser), "3G user"), {"$M2M_UID"}, "%%M2MUID%s\r");
    add(Labelled(Text(kPassword), "3G password"), {"$M2M_PWD"}, "%%M2MPWD%s\r");
    add(Labelled(Text(kSmtpServer), "SMTP server", true), {"$SMTP_SVR"});
    add(Labelled(Whole(Text(kSmtpPort), 0, 65535), "SMTP port", true), {"$SMTP_PORT"});
    add(Labelled(Text(kSmtpUser), "SMTP user", true), {"$SMTP_UID"});
    add(Labelled(Text(kSmtpPassword), "SMTP password", true), {"$SMTP_PWD"});
    add(Labelled(Text(kSmtpFrom), "Sender address", true), {"$SMTP_FROM"});
    add(Labelled(Text(kGisServer), "GIS server", true), {"$3GS_GISS"});
    add(Labelled(Whole(Text(kGisPort), 0, 65535), "GIS port", true), {"$3GS_GISP"});
    add(Labelled(Whole(Text(kGpsInterval)), "GPS transmit interval (s)", true), {"$3GS_GPST"}, "%%GISTIMER%s\r");
    add(Labelled(Choice(kVideoChannel, {}, Channels()), "Default video channel"), {"$3GS_VCHN"}, "%%MMSVINC%d\r");
    add(Labelled(Choice(kVideoFormat, {}, FixedItems({"PAL", "NTSC"})), "Default video format"), {"$3GS_VFMT"},
        "%%MMSVINF%d\r");
    add(Labelled(Whole(Text(kDvrTime)), "DVR time span (s)"), {"$3GS_VCRS"}, "%%3GDVRTIME%s\r");
    add(Labelled(Flag(kAlarmMms), "Alarm by MMS"), {"$3GS_ALARM_MMS"}, "%%3GALARMMMS%d\r");
    add(Labelled(Flag(kAlarmVideoCall), "Alarm by video call"), {"$3GS_ALARM_VCALL"}, "%%3GALARMVP%d\r");
    add(Labelled(Flag(kAutoRecord), "Record the video call and send it", true), {"$3GS_ALARM_VPR"},
        "%%3GALARMVC%d\r");
    add(Labelled(Flag(kIn1VideoCall), "Input 1 alarm makes a video call", true), SwitchKeys("$3GS_DINVPC0"),
        "%%IOVPC0,%d\r");
    add(Labelled(Flag(kIn1Record), "Input 1 alarm records", true), SwitchKeys("$3GS_DINVCR0"), "%%IODVR0,%d\r");
    add(Labelled(Flag(kIn2VideoCall), "Input 2 alarm makes a video call", true), SwitchKeys("$3GS_DINVPC1"),
        "%%IOVPC1,%d\r");
    add(Labelled(Flag(kIn2Record), "Input 2 alarm records", true), SwitchKeys("$3GS_DINVCR1"), "%%IODVR1,%d\r");
    add(Labelled(Choice(kIn1Channel, {}, Channels()), "Input 1 video channel", true), {"$3GS_DINVCH0"},
        "%%IOVCH0,%d\r");
    add(Labelled(Choice(kIn2Channel, {}, Channels()), "Input 2 video channel", true), {"$3GS_DINVCH1"},
        "%%IOVCH1,%d\r");
    add(Labelled(Text(kFtpServer), "FTP server", true), {"$SYS_FTPSVR0"});
    add(Labelled(Whole(Text(kFtpPort), 0, 65535), "FTP port", true), {"$SYS_FTPPOT0"});
    for (const SJointCommand* joint : {&kSmtp, &kGis, &kFtp})
        AddProfileInverse(std::string(joint->format), JointInverse(*joint, m_fields));
}

std::string CPage3GMMS::DumpRequest() const
{
    return "%DUMP_MMS\r%DUMP_GPIO\r";
}

CCommandList CPage3GMMS::SettingCommands(ETarget target) const
{
    CCommandList commands = PlainCommands({kApn, kUser, kPassword});
    for (const SJointCommand* joint : {&kSmtp, &kGis}) {
        if (std::optional<std::string> text = FormatJoint(*joint, m_fields))
            commands.push_back({std::move(*text)});
    }
    for (SCommand& command :
         PlainCommands({kGpsInterval, kVideoChannel, kVideoFormat, kDvrTime, kAlarmMms, kAlarmVideoCall, kAutoRecord}))
        commands.push_back(std::move(command));
    // A profile leaves the inputs' video settings to the 3G input page's
    // section: this page numbers the channel from 0, that page from 1, and
    // both in one profile would leave the channel to whichever came last.
    if (target == ETarget::Terminal) {
        for (SCommand& command :
             PlainCommands({kIn1VideoCall, kIn2VideoCall, kIn1Record, kIn2Record, kIn1Channel, kIn2Channel}))
            commands.push_back(std::move(command));
    }
    if (std::optional<std::string> text = FormatJoint(kFtp, m_fields))
        commands.push_back({std::move(*text)});
    return commands;
}

} // namespace orlan
