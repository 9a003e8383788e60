#include "pages/network/MmsSetupPage.h"

#include <array>
#include <fstream>

#include "console/ReceivePath.h"
#include "console/TextScan.h"
#include "console/WireFormat.h"
#include "pages/FieldHelpers.h"
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

// "$MMS_SCUhttp://...", handed over from behind "$MMS_": three letters name
// the value, which follows them directly.
enum class EServiceTake { Text, Index, Number };
struct SServiceKey {
    std::string_view letters;
    std::string_view field;
    EServiceTake take;
};
constexpr std::array<SServiceKey, 14> kServiceKeys = {{
    {"SCU", kMmsCentre, EServiceTake::Text},
    {"SCP", kMmsPort, EServiceTake::Text},
    {"GAT", kGateway, EServiceTake::Text},
    {"APN", kApn, EServiceTake::Text},
    {"UID", kUser, EServiceTake::Text},
    {"PWD", kPassword, EServiceTake::Text},
    {"PXY", kProxy, EServiceTake::Text},
    {"NAP", kNap, EServiceTake::Text},
    {"PSZ", kPictureSize, EServiceTake::Index},
    {"PWB", kWhiteBalance, EServiceTake::Index},
    {"PMD", kShootingMode, EServiceTake::Index},
    {"PBR", kBrightness, EServiceTake::Number},
    {"PCT", kPicturesPerMms, EServiceTake::Number},
    {"PTR", kTimedInterval, EServiceTake::Number},
}};
constexpr size_t kServiceValueAt = 3;
// Numbers longer than this are no setting of the terminal.
constexpr size_t kNumberDigits = 9;

SFieldDesc InGroup(SFieldDesc desc, std::string_view group)
{
    desc.group = std::string(group);
    return desc;
}

SChoiceItem CatalogueItem(std::string_view key, std::string_view builtIn)
{
    return {.section = std::string(kSection), .key = std::string(key), .fallback = std::string(builtIn)};
}

// The decimal digits at the start of `text`, as a number without leading
// zeros; empty when there are none.
std::string LeadingDecimal(std::string_view text)
{
    size_t digits = 0;
    while (digits < text.size() && digits < kNumberDigits && IsDigit(text[digits]))
        ++digits;
    if (digits == 0)
        return {};
    return std::to_string(WholeNumber(text.substr(0, digits)));
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
             .pictureFile = std::string(kPictureFile)})
{
    m_fields.AddGroup({.id = "service", .captionKey = "GRP_SERVICE"});
    m_fields.AddGroup({.id = "camera", .captionKey = "GRP_CAMERA"});
    m_fields.AddGroup({.id = "video", .captionKey = "GRP_VIDEO"});
    m_fields.AddGroup({.id = "preview", .captionKey = "GRP_PREVIEW"});

    CFieldSet& f = m_fields;
    f.Add(InGroup(Text(kMmsCentre, "MMSC"), "service"));
    f.Add(InGroup(Whole(Text(kMmsPort, "PORT"), 0, 65535), "service"));
    f.Add(InGroup(Text(kGateway, "GWIP"), "service"));
    f.Add(InGroup(Text(kApn, "APN"), "service"));
    f.Add(InGroup(Text(kUser, "UID"), "service"));
    SFieldDesc password = InGroup(Text(kPassword, "PWD"), "service");
    password.masked = true;
    f.Add(password);
    f.Add(InGroup(Hidden(Text(kProxy, "PROXY")), "service"));
    f.Add(InGroup(Hidden(Text(kNap, "NAP")), "service"));

    f.Add(InGroup(Choice(kPictureSize, "PICSIZE",
                         FixedItems({"0: 640*480", "1: 320*240", "2: 352*288", "3: 176*144"})),
                  "camera"),
          kNoSelection);
    f.Add(InGroup(Choice(kWhiteBalance, "WBALANCE",
                         FixedItems({"Atuo", "Incandescent", "Fluorescent", "Daylight", "Cloudy", "Indoor"})),
                  "camera"),
          kNoSelection);
    f.Add(InGroup(Spin(kBrightness, "BRIGHTNESS", 0, 6), "camera"));
    f.Add(InGroup(Choice(kShootingMode, "DSCMODE", FixedItems({"Atuo", "Normal mode", "Night mode"})), "camera"),
          kNoSelection);
    f.Add(InGroup(Spin(kPicturesPerMms, "MMSPC", 0, 6), "camera"));
    f.Add(InGroup(WithHint(Whole(Text(kTimedInterval, "MMSTIMER")), "MINS"), "camera"));

    f.Add(InGroup(Hidden(Flag(kAlarmMmsAll, "MMSACC")), "service"));
    f.Add(InGroup(Hidden(Flag(kTimedMmsAll, "MMSTCC")), "service"));
    f.Add(InGroup(Hidden(Flag(kAlarmSmsAll, "MMSSACC")), "service"));
    f.Add(InGroup(Hidden(Flag(kAlarmSmsOwner, "MMSSHCC")), "service"));
    f.Add(InGroup(Flag(kMmsAlarm, "MMSEN"), "service"));
    f.Add(InGroup(Flag(kSmsNotice, "MMSSMSNOTI"), "service"));

    f.Add(InGroup(Choice(kVideoChannel, "MMSVCH", FixedItems({"Default", "Video 1", "Video 2"})), "video"),
          kNoSelection);
    f.Add(InGroup(Choice(kVideoFormat, "MMSVFMT", FixedItems({"0: PAL", "1: NTSC"})), "video"), kNoSelection);
    f.Add(InGroup(WithHint(Whole(Text(kRecordLength, "VCRTIMER")), "SEC"), "video"));
    f.Add(InGroup(Flag(kVideoCallAlarm, "VPCALL"), "video"));
    SFieldDesc first = InGroup(Choice(kFirstAction, {}, {CatalogueItem("VPCFIRST", "Video call first"),
                                                          CatalogueItem("MMSFIRST", "MMS first")}),
                               "service");
    first.fixedLabel = "First action";
    f.Add(first, kNoSelection);

    SFieldDesc picture = InGroup(Field(kPictureField, EFieldKind::Image), "preview");
    picture.readOnly = true;
    f.Add(picture);

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

std::vector<SDumpEntry> CPageMmsSetup::DumpEntries()
{
    // Behind "$MMS" the switch lines hold their value after the name and
    // one separator: "ACC 1", "SMSCC 0".
    struct SSwitchKey {
        std::string_view key;
        std::string_view field;
        size_t at;
    };
    static constexpr std::array<SSwitchKey, 6> kSwitches = {{
        {"$MMSACC", kAlarmMmsAll, 4},
        {"$MMSTCC", kTimedMmsAll, 4},
        {"$MMSSMSCC", kAlarmSmsAll, 6},
        {"$MMSALARM", kMmsAlarm, 6},
        {"$MMSSMSRP", kSmsNotice, 6},
        {"$MMSSMSHC", kAlarmSmsOwner, 6},
    }};
    std::vector<SDumpEntry> entries;
    entries.push_back({"$MMS_", [this](const SDumpValue& value) { StoreServiceLine(value.text); }});
    for (const SSwitchKey& key : kSwitches) {
        entries.push_back({std::string(key.key), [this, key](const SDumpValue& value) {
                               StoreSwitch(key.field, value.text, key.at);
                           }});
    }
    entries.push_back({"$MMSEXTMMSFST", [this](const SDumpValue& value) {
                           m_fields.SetChoice(kFirstAction, value.index);
                           NotifyChanged();
                       }});
    entries.push_back({"$3GS_", [this](const SDumpValue& value) { StoreVideoLine(value.line); }});
    return entries;
}

void CPageMmsSetup::StoreServiceLine(std::string_view text)
{
    for (const SServiceKey& key : kServiceKeys) {
        if (!text.starts_with(key.letters))
            continue;
        const std::string_view value = text.substr(kServiceValueAt);
        switch (key.take) {
        case EServiceTake::Text:
            m_fields.SetText(key.field, value);
            break;
        case EServiceTake::Index:
            m_fields.SetChoice(key.field, net::DigitAt(value, 0).value_or(-1));
            break;
        case EServiceTake::Number:
            // All its digits: a timed interval of 15 minutes is 15, not 1.
            m_fields.SetText(key.field, LeadingDecimal(value));
            break;
        }
        NotifyChanged();
        return;
    }
}

void CPageMmsSetup::StoreSwitch(std::string_view field, std::string_view text, size_t at)
{
    const char value = net::CharAt(text, at);
    m_fields.SetNumber(field, value != '\0' && value != '0' ? 1 : 0);
    NotifyChanged();
}

void CPageMmsSetup::StoreVideoLine(std::string_view line)
{
    bool changed = false;
    if (const auto value = net::ValueOf(line, "$3GS_VCHN", 10)) {
        m_fields.SetChoice(kVideoChannel, net::DigitAt(*value, 0).value_or(-1));
        changed = true;
    }
    if (const auto value = net::ValueOf(line, "$3GS_VFMT", 10)) {
        m_fields.SetChoice(kVideoFormat, net::DigitAt(*value, 0).value_or(-1));
        changed = true;
    }
    if (const auto value = net::ValueOf(line, "$3GS_VCRS", 10)) {
        m_fields.SetText(kRecordLength, *value);
        changed = true;
    }
    if (const auto value = net::ValueOf(line, "$3GS_ALARM_VCALL", 17)) {
        m_fields.SetNumber(kVideoCallAlarm, net::SwitchOf(*value, 0));
        changed = true;
    }
    if (changed)
        NotifyChanged();
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
    const CFieldSet& f = m_fields;
    auto text = [&f](std::string_view id) { return f.LineText(id); };
    CCommandList commands;
    auto add = [&commands](std::string line) { commands.push_back({std::move(line)}); };
    // A list is sent only with a selection: no item chosen is no value to
    // give the terminal.
    if (IsSelected(f, kFirstAction))
        add(FormatWire("%%MMSEXTMMSFIRST%d\r", f.Number(kFirstAction)));
    add(FormatWire("%%3GALARMVP%d\r", FlagDigit(f, kVideoCallAlarm)));
    add(FormatWire("%%3GDVRTIME%s\r", text(kRecordLength).c_str()));
    if (IsSelected(f, kVideoChannel))
        add(FormatWire("%%MMSVINC%d\r", f.Number(kVideoChannel)));
    if (IsSelected(f, kVideoFormat))
        add(FormatWire("%%MMSVINF%d\r", f.Number(kVideoFormat)));
    add(FormatWire("%%MMSC%s,%s\r", text(kMmsCentre).c_str(), text(kMmsPort).c_str()));
    add(FormatWire("%%MMSGATE%s\r", text(kGateway).c_str()));
    add(FormatWire("%%MMSUID%s\r", text(kUser).c_str()));
    add(FormatWire("%%MMSPWD%s\r", text(kPassword).c_str()));
    add(FormatWire("%%MMSPXY%s\r", text(kProxy).c_str()));
    add(FormatWire("%%MMSAPN%s\r", text(kApn).c_str()));
    add(FormatWire("%%MMSNAP%s\r", text(kNap).c_str()));
    if (IsSelected(f, kPictureSize) && IsSelected(f, kWhiteBalance))
        add(FormatWire("%%DSCFMT%d,%s,%d\r", f.Number(kPictureSize), text(kBrightness).c_str(),
                       f.Number(kWhiteBalance)));
    if (IsSelected(f, kShootingMode))
        add(FormatWire("%%DSCMODE%d\r", f.Number(kShootingMode)));
    add(FormatWire("%%MMSPC%s\r", text(kPicturesPerMms).c_str()));
    add(FormatWire("%%MMST%s\r", text(kTimedInterval).c_str()));
    add(FormatWire("%%MMSACC%d\r", FlagDigit(f, kAlarmMmsAll)));
    add(FormatWire("%%MMSTCC%d\r", FlagDigit(f, kTimedMmsAll)));
    add(FormatWire("%%MMSSMSCC%d\r", FlagDigit(f, kAlarmSmsAll)));
    add(FormatWire("%%MMSALARM%d\r", FlagDigit(f, kMmsAlarm)));
    add(FormatWire("%%MMSSMSHC%d\r", FlagDigit(f, kAlarmSmsOwner)));
    add(FormatWire("%%MMSSMSNT%d\r", FlagDigit(f, kSmsNotice)));
    return commands;
}

} // namespace orlan
