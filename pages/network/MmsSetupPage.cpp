#include "pages/network/MmsSetupPage.h"

#include <array>
#include <fstream>

#include "console/ReceivePath.h"
#include "console/TextScan.h"
#include "console/WireFormat.h"
#include "pages/FieldHelpers.h"
#include "pages/JointCommand.h"
#include "pages/network/NetworkText.h"

namespace orlan {

namespace {

constexpr std::string_view kMmsCentre = "mmsCentre";
constexpr std::string_view kMmsPort = "mmsPort";
constexpr std::string_view kGateway = "gateway";
constexpr std::string_view kApn = "apn";
constexpr std::string_view kUser = "user";
constexpr std::string_view kPassword = "password";
constexpr std::string_view kProxy = "proxy";
constexpr std::string_view kNap = "nap";
constexpr std::string_view kPictureSize = "pictureSize";
constexpr std::string_view kWhiteBalance = "whiteBalance";
constexpr std::string_view kBrightness = "brightness";
constexpr std::string_view kShootingMode = "shootingMode";
constexpr std::string_view kPicturesPerMms = "picturesPerMms";
constexpr std::string_view kTimedInterval = "timedInterval";
constexpr std::string_view kAlarmMmsAll = "alarmMmsAll";
constexpr std::string_view kTimedMmsAll = "timedMmsAll";
constexpr std::string_view kAlarmSmsAll = "alarmSmsAll";
constexpr std::string_view kAlarmSmsOwner = "alarmSmsOwner";
constexpr std::string_view kMmsAlarm = "mmsAlarm";
constexpr std::string_view kSmsNotice = "smsNotice";
constexpr std::string_view kVideoChannel = "videoChannel";
constexpr std::string_view kVideoFormat = "videoFormat";
constexpr std::string_view kRecordLength = "recordLength";
constexpr std::string_view kVideoCallAlarm = "videoCallAlarm";
constexpr std::string_view kFirstAction = "firstAction";

constexpr std::string_view kSection = "PageMMSSetup";

// Several values in one command each.
const SJointCommand kCentre{"%%MMSC%s,%s\r", {kMmsCentre, kMmsPort}};
const SJointCommand kCamera{"%%DSCFMT%d,%s,%d\r", {kPictureSize, kBrightness, kWhiteBalance}};

SFieldDesc InGroup(SFieldDesc desc, std::string_view group)
{
    desc.group = std::string(group);
    return desc;
}

SChoiceItem CatalogueItem(std::string_view key, std::string_view builtIn)
{
    return {.section = std::string(kSection), .key = std::string(key), .fallback = std::string(builtIn)};
}

} // namespace

bool IsWholeJpeg(std::span<const std::uint8_t> bytes)
{
    size_t end = bytes.size();
    while (end > 0 && (bytes[end - 1] == 0x00 || bytes[end - 1] == '\r' || bytes[end - 1] == '\n'))
        --end;
    return end >= 4 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[end - 2] == 0xFF && bytes[end - 1] == 0xD9;
}

CPageMmsSetup::CPageMmsSetup()
    : CPage({.className = "CPageMmsSetup",
             .section = std::string(kSection),
             .defaultAnswerWaitMs = kWaitMs,
             .headingSection = std::string(kSection),
             .headingKey = "TITLE",
             .pictureFile = std::string(kPictureFile),
             .wholeLineKeys = {"$3GS_"}})
{
    m_fields.AddGroup({.id = "service", .captionKey = "GRP_SERVICE"});
    m_fields.AddGroup({.id = "camera", .captionKey = "GRP_CAMERA"});
    m_fields.AddGroup({.id = "video", .captionKey = "GRP_VIDEO"});
    m_fields.AddGroup({.id = "preview", .captionKey = "GRP_PREVIEW"});

    // "$MMS_APNcmnet": the service and camera values follow their keys directly.
    auto add = [this](SFieldDesc field, std::string_view group, std::string key, std::string command = {},
                      bool joined = false) {
        field.group = std::string(group);
        const bool list = field.kind == EFieldKind::Choice;
        AddSetting({.field = std::move(field),
                    .initial = list ? kNoSelection : SFieldValue{},
                    .keys = {std::move(key)},
                    .joinedValue = joined,
                    .command = std::move(command)});
    };
    auto service = [&add](SFieldDesc field, std::string key, std::string command = {}) {
        add(std::move(field), "service", std::move(key), std::move(command), true);
    };
    service(Text(kMmsCentre, "MMSC"), "$MMS_SCU");
    service(Whole(Text(kMmsPort, "PORT"), 0, 65535), "$MMS_SCP");
    service(Text(kGateway, "GWIP"), "$MMS_GAT", "%%MMSGATE%s\r");
    service(Text(kApn, "APN"), "$MMS_APN", "%%MMSAPN%s\r");
    service(Text(kUser, "UID"), "$MMS_UID", "%%MMSUID%s\r");
    SFieldDesc password = Text(kPassword, "PWD");
    password.masked = true;
    service(password, "$MMS_PWD", "%%MMSPWD%s\r");
    service(Hidden(Text(kProxy, "PROXY")), "$MMS_PXY", "%%MMSPXY%s\r");
    service(Hidden(Text(kNap, "NAP")), "$MMS_NAP", "%%MMSNAP%s\r");

    add(Choice(kPictureSize, "PICSIZE", FixedItems({"0: 640*480", "1: 320*240", "2: 352*288", "3: 176*144"})),
        "camera", "$MMS_PSZ", {}, true);
    add(Choice(kWhiteBalance, "WBALANCE",
               FixedItems({"Atuo", "Incandescent", "Fluorescent", "Daylight", "Cloudy", "Indoor"})),
        "camera", "$MMS_PWB", {}, true);
    add(Spin(kBrightness, "BRIGHTNESS", 0, 6), "camera", "$MMS_PBR", {}, true);
    add(Choice(kShootingMode, "DSCMODE", FixedItems({"Atuo", "Normal mode", "Night mode"})), "camera", "$MMS_PMD",
        "%%DSCMODE%d\r", true);
    add(Spin(kPicturesPerMms, "MMSPC", 0, 6), "camera", "$MMS_PCT", "%%MMSPC%s\r", true);
    add(WithHint(Whole(Text(kTimedInterval, "MMSTIMER")), "MINS"), "camera", "$MMS_PTR", "%%MMST%s\r", true);

    add(Hidden(Flag(kAlarmMmsAll, "MMSACC")), "service", "$MMSACC", "%%MMSACC%d\r");
    add(Hidden(Flag(kTimedMmsAll, "MMSTCC")), "service", "$MMSTCC", "%%MMSTCC%d\r");
    add(Hidden(Flag(kAlarmSmsAll, "MMSSACC")), "service", "$MMSSMSCC", "%%MMSSMSCC%d\r");
    add(Hidden(Flag(kAlarmSmsOwner, "MMSSHCC")), "service", "$MMSSMSHC", "%%MMSSMSHC%d\r");
    add(Flag(kMmsAlarm, "MMSEN"), "service", "$MMSALARM", "%%MMSALARM%d\r");
    add(Flag(kSmsNotice, "MMSSMSNOTI"), "service", "$MMSSMSRP", "%%MMSSMSNT%d\r");

    add(Choice(kVideoChannel, "MMSVCH", FixedItems({"Default", "Video 1", "Video 2"})), "video", "$3GS_VCHN",
        "%%MMSVINC%d\r");
    add(Choice(kVideoFormat, "MMSVFMT", FixedItems({"0: PAL", "1: NTSC"})), "video", "$3GS_VFMT", "%%MMSVINF%d\r");
    add(WithHint(Whole(Text(kRecordLength, "VCRTIMER")), "SEC"), "video", "$3GS_VCRS", "%%3GDVRTIME%s\r");
    add(Flag(kVideoCallAlarm, "VPCALL"), "video", "$3GS_ALARM_VCALL", "%%3GALARMVP%d\r");
    SFieldDesc first = Choice(kFirstAction, {}, {CatalogueItem("VPCFIRST", "Video call first"),
                                                  CatalogueItem("MMSFIRST", "MMS first")});
    first.fixedLabel = "First action";
    add(first, "service", "$MMSEXTMMSFST", "%%MMSEXTMMSFIRST%d\r");
    for (const SJointCommand* joint : {&kCentre, &kCamera})
        AddProfileInverse(std::string(joint->format), JointInverse(*joint, m_fields));

    SFieldDesc picture = InGroup(Field(kPictureField, EFieldKind::Image), "preview");
    picture.readOnly = true;
    m_fields.Add(picture);

    AddAction({.id = std::string(kViewAction), .labelKey = "BTNVIEW"});
    AddAction({.id = std::string(kStopAction), .labelKey = "BTNSTOP"});
}

void CPageMmsSetup::Clear()
{
    m_fields.Reset({std::string(kPictureField)});
    NotifyChanged();
}

std::string CPageMmsSetup::DumpRequest() const
{
    return "%DUMP_MMS\r";
}

std::optional<SPageJob> CPageMmsSetup::ActionJob(std::string_view actionId, std::optional<size_t>)
{
    // Both first drop a picture still coming: a new one starts from nothing.
    if (actionId == kViewAction) {
        // Take a picture, then ask for picture 0; the receive path collects it.
        return SPageJob{.commands = {{.text = "%SDSC\r"}, {.text = "%memr0\r", .noWait = true}},
                        .bracketed = false,
                        .end = EJobEnd::Nothing,
                        .resetsPicture = true,
                        .progressTicks = kViewProgressTicks};
    }
    if (actionId == kStopAction)
        return SPageJob{.bracketed = false, .end = EJobEnd::Nothing, .resetsPicture = true};
    return std::nullopt;
}

void CPageMmsSetup::OnPicture(std::span<const std::uint8_t> jpeg)
{
    // What is not a whole picture never replaces the last good one.
    if (!IsWholeJpeg(jpeg))
        return;
    m_fields.SetText(kPictureField, std::string(reinterpret_cast<const char*>(jpeg.data()), jpeg.size()));
    NotifyChanged();
}

bool CPageMmsSetup::ShowPictureFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    // No picture the receive path takes is larger.
    std::string bytes(CReceivePath::kImageBufferSize, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const auto count = static_cast<size_t>(in.gcount());
    if (count == bytes.size() || !in.eof())
        return false;
    bytes.resize(count);
    if (!IsWholeJpeg({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}))
        return false;
    m_fields.SetText(kPictureField, bytes);
    NotifyChanged();
    return true;
}

CCommandList CPageMmsSetup::SettingCommands(ETarget) const
{
    CCommandList commands =
        PlainCommands({kFirstAction, kVideoCallAlarm, kRecordLength, kVideoChannel, kVideoFormat});
    auto joint = [this, &commands](const SJointCommand& command) {
        if (std::optional<std::string> text = FormatJoint(command, m_fields))
            commands.push_back({std::move(*text)});
    };
    auto plain = [this, &commands](std::initializer_list<std::string_view> ids) {
        for (SCommand& command : PlainCommands(ids))
            commands.push_back(std::move(command));
    };
    joint(kCentre);
    plain({kGateway, kUser, kPassword, kProxy, kApn, kNap});
    joint(kCamera);
    plain({kShootingMode, kPicturesPerMms, kTimedInterval, kAlarmMmsAll, kTimedMmsAll, kAlarmSmsAll, kMmsAlarm,
           kAlarmSmsOwner, kSmsNotice});
    return commands;
}

} // namespace orlan
