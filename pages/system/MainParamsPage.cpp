#include "pages/system/MainParamsPage.h"

#include "console/WireFormat.h"
#include "labels/CommonLabelKeys.h"
#include "labels/TextCodec.h"

#include <initializer_list>
#include <vector>

namespace orlan {

namespace {

constexpr std::string_view kParity = "parity";
constexpr std::string_view kSmsMode = "smsMode";
constexpr std::string_view kCountryCode = "countryCode";
constexpr std::string_view kUnitId = "unitId";
constexpr std::string_view kDas = "das";
constexpr std::string_view kBps = "bps";
constexpr std::string_view kMemo = "memo";
constexpr std::string_view kCsReport = "csReport";
constexpr std::string_view kSpReport = "spReport";
constexpr std::string_view kServiceNumber = "serviceNumber";
constexpr std::string_view kPin = "pin";
constexpr std::string_view kSignalAlarm = "signalAlarm";
constexpr std::string_view kReplyError = "replyError";
constexpr std::string_view kReplySuccess = "replySuccess";
constexpr std::string_view kSignalLow = "signalLow";
constexpr std::string_view kPuk = "puk";
constexpr std::string_view kGsmBand = "gsmBand";
constexpr std::string_view kForwardSms = "forwardSms";
constexpr std::string_view kBalanceNumber = "balanceNumber";
constexpr std::string_view kBalanceCode = "balanceCode";
constexpr std::string_view kSmsCentre = "smsCentre";
constexpr std::string_view kForwardKey = "forwardKey";
constexpr std::string_view kForwardSpan = "forwardSpan";

constexpr int kSmsModeText = 1;
constexpr int kSignalLowMaximum = 36;

// One key of the page's own parser: how the value is taken from the line
// (the routing table's forms, so positions are read the same safe way) and
// the field it lands in.
struct SKeyRule {
    SDumpRoute route;
    std::string_view field;
    bool ucs2 = false;  // the text is UCS-2 hex
};

constexpr SDumpRoute Text(std::string_view key, int position)
{
    return {.key = key, .form = EHandOver::FromPosition, .position = position};
}
constexpr SDumpRoute Index(std::string_view key, int position)
{
    return {.key = key, .form = EHandOver::ListIndex, .position = position};
}
constexpr SDumpRoute Switch(std::string_view key, bool value)
{
    return {.key = key, .form = EHandOver::Switch, .switchValue = value};
}

// Tested in this order; the first key the line contains wins.
constexpr SKeyRule kKeyRules[] = {
    {Text("$PINC", 6), kPin},
    {Text("$BPS", 5), kBps},
    {Index("$PARITY", 8), kParity},
    {Index("$GSMBAND", 9), kGsmBand},
    {Text("$DESC ", 6), kMemo, true},
    {Switch("$DAS 0", false), kDas},
    {Switch("$DAS 1", true), kDas},
    {Text("$DID", 5), kUnitId},
    {Text("$CC", 4), kCountryCode},
    {Text("$CSQLOW ", 8), kSignalLow},
    {Switch("$PRTCS 0", false), kCsReport},
    {Switch("$PRTCS 1", true), kCsReport},
    {Switch("$PRTSP 0", false), kSpReport},
    {Switch("$PRTSP 1", true), kSpReport},
    {Text("$SPN", 5), kServiceNumber},
    {Switch("$SIGNALA 0", false), kSignalAlarm},
    {Switch("$SIGNALA 1", true), kSignalAlarm},
    {Switch("$RPLSUC 0", false), kReplySuccess},
    {Switch("$RPLSUC 1", true), kReplySuccess},
    {Switch("$RPLERR 0", false), kReplyError},
    {Switch("$RPLERR 1", true), kReplyError},
    {Text("$SMSC ", 6), kSmsCentre},
    {Text("$PUKC ", 6), kPuk},
    {Index("$MODEMSMODE ", 12), kSmsMode},
    {{.key = "$FWDSMS ", .form = EHandOver::SwitchIfOne, .position = 8}, kForwardSms},
    {Text("$MODEM_FWDSPAN ", 15), kForwardSpan},
    {Text("$FWDKEY ", 8), kForwardKey, true},
    {Text("$CKBSP ", 7), kBalanceNumber},
    {Text("$CKBCD ", 7), kBalanceCode},
};

std::vector<SChoiceItem> FixedItems(std::initializer_list<std::string_view> texts)
{
    std::vector<SChoiceItem> items;
    for (std::string_view text : texts)
        items.push_back({.text = std::string(text)});
    return items;
}

std::vector<SChoiceItem> ParityItems()
{
    std::vector<SChoiceItem> items;
    for (std::string_view key : kParityKeys)
        items.push_back({.section = std::string(kSectionSysChar), .key = std::string(key)});
    return items;
}

SFieldDesc Field(std::string_view id, EFieldKind kind, std::string_view labelKey)
{
    return {.id = std::string(id), .kind = kind, .labelKey = std::string(labelKey)};
}

SFieldDesc Hidden(SFieldDesc desc)
{
    desc.hidden = true;
    return desc;
}

SFieldDesc WithHint(SFieldDesc desc, std::string_view hintKey)
{
    desc.hintKey = std::string(hintKey);
    return desc;
}

SFieldDesc Choice(std::string_view id, std::string_view labelKey, std::vector<SChoiceItem> items)
{
    SFieldDesc desc = Field(id, EFieldKind::Choice, labelKey);
    desc.items = std::move(items);
    return desc;
}

} // namespace

CPageMainParams::CPageMainParams()
    : CPage({.className = "CPageMainParams",
             .section = "PageMainParams",
             .navKey = "PAGE_BASIC",
             .profileTitle = "System Main Params",
             .defaultTickLimit = 3000,
             .lineFeed = ELineFeed::EveryLine})
{
    const SFieldValue unselected{.number = -1};
    m_fields.Add(Hidden(Choice(kParity, "PARITY", ParityItems())), unselected);
    m_fields.Add(Choice(kSmsMode, "SMSMODE", FixedItems({"0: PDU", "1: TEXT"})), unselected);
    m_fields.Add(Field(kCountryCode, EFieldKind::Text, "CCODE"));
    m_fields.Add(WithHint(Field(kUnitId, EFieldKind::Text, "UID"), "UID_DESC"));
    m_fields.Add(Field(kDas, EFieldKind::Check, "DAS"));
    m_fields.Add(Hidden(Field(kBps, EFieldKind::Text, "BPS")));
    m_fields.Add(Field(kMemo, EFieldKind::MultiLine, "MEMO"));
    m_fields.Add(Field(kCsReport, EFieldKind::Check, "TSCS"));
    m_fields.Add(Field(kSpReport, EFieldKind::Check, "TSSP"));
    m_fields.Add(Field(kServiceNumber, EFieldKind::Text, "SP"));
    m_fields.Add(Field(kPin, EFieldKind::Text, "PIN"));
    m_fields.Add(Field(kSignalAlarm, EFieldKind::Check, "CSQ_ALARM"));
    m_fields.Add(Field(kReplyError, EFieldKind::Check, "RPLERR"));
    m_fields.Add(Field(kReplySuccess, EFieldKind::Check, "RPLSUC"));
    SFieldDesc signalLow = Field(kSignalLow, EFieldKind::Spin, "");
    signalLow.minimum = 0;
    signalLow.maximum = kSignalLowMaximum;
    m_fields.Add(std::move(signalLow));
    m_fields.Add(Field(kPuk, EFieldKind::Text, "PUK"));
    m_fields.Add(Hidden(Choice(kGsmBand, "GSMBANDS",
                               FixedItems({"PGSM_MODE", "DCS_MODE", "PCS_MODE", "EGSM_DCS_MODE",
                                           "GSM850_PCS_MODE", "Default"}))),
                 unselected);
    m_fields.Add(Field(kForwardSms, EFieldKind::Check, "CHECKFWDEN"));
    m_fields.Add(Field(kBalanceNumber, EFieldKind::Text, "CHECKSP"));
    m_fields.Add(Field(kBalanceCode, EFieldKind::Text, "CHECKCODE"));
    m_fields.Add(WithHint(Hidden(Field(kSmsCentre, EFieldKind::Text, "SMSC")), "SMSCDESC"));
    m_fields.Add(Hidden(Field(kForwardKey, EFieldKind::Text, "FWDKEY")));
    m_fields.Add(Hidden(Field(kForwardSpan, EFieldKind::Text, "FWDSPAN")));
}

void CPageMainParams::Clear()
{
    m_fields.Reset();
    m_fields.SetNumber(kSmsMode, kSmsModeText);
    NotifyChanged();
}

std::string CPageMainParams::DumpRequest() const
{
    return "%DUMP_SYS\r%DUMP_ROMSMS\r";
}

void CPageMainParams::ParseLine(std::string_view line)
{
    for (const SKeyRule& rule : kKeyRules) {
        if (!CDumpRouter::Matches(rule.route, line))
            continue;
        const SDumpValue value = CDumpRouter::HandOver(rule.route, line);
        switch (rule.route.form) {
        case EHandOver::Switch:
        case EHandOver::SwitchIfOne:
            m_fields.SetNumber(rule.field, value.on ? 1 : 0);
            break;
        case EHandOver::ListIndex:
            m_fields.SetChoice(rule.field, value.index);
            break;
        default:
            m_fields.SetText(rule.field, rule.ucs2 ? DecodeUcs2Hex(value.text) : std::string(value.text));
            break;
        }
        NotifyChanged();
        return;
    }
}

CCommandList CPageMainParams::SettingCommands(ETarget) const
{
    const CFieldSet& f = m_fields;
    auto flag = [&f](std::string_view id) { return f.Number(id) != 0 ? 1 : 0; };
    auto text = [&f](std::string_view id) { return f.LineText(id); };
    // A list is sent only with one of its items selected.
    auto selected = [&f](std::string_view id) {
        const int index = f.Number(id);
        return index >= 0 && static_cast<size_t>(index) < f.Desc(f.IndexOf(id)).items.size();
    };

    CCommandList commands;
    auto add = [&commands](std::string command) { commands.push_back({std::move(command)}); };

    if (selected(kParity))
        add(FormatWire("%%UP%d\r", f.Number(kParity)));
    if (selected(kSmsMode))
        add(FormatWire("%%MODEMSMSMD%d\r", f.Number(kSmsMode)));
    add(FormatWire("%%CC%s\r", text(kCountryCode).c_str()));
    add(FormatWire("%%ID%s\r", text(kUnitId).c_str()));
    add(FormatWire("%%DAS%d\r", flag(kDas)));
    add(FormatWire("%%UB%s\r", text(kBps).c_str()));
    add(FormatWire("%%DESC%s\r", EncodeUcs2Hex(f.Text(kMemo)).c_str()));
    add(FormatWire("%%PRTCS%d\r", flag(kCsReport)));
    add(FormatWire("%%PRTSP%d\r", flag(kSpReport)));
    add(FormatWire("%%SP%s\r", text(kServiceNumber).c_str()));
    add(FormatWire("%%PIN%s\r", text(kPin).c_str()));
    add(FormatWire("%%SIGNALA%d\r", flag(kSignalAlarm)));
    add(FormatWire("%%RPLERR%d\r", flag(kReplyError)));
    add(FormatWire("%%RPLSUC%d\r", flag(kReplySuccess)));
    add(FormatWire("%%RSILOW%s\r", text(kSignalLow).c_str()));
    add(FormatWire("%%PUK%s\r", text(kPuk).c_str()));
    if (selected(kGsmBand))
        add(FormatWire("%%CBAND%d\r", f.Number(kGsmBand)));
    add(FormatWire("%%FWDSMS%d\r", flag(kForwardSms)));
    add(FormatWire("%%CHECKBALANCE%s,%s\r", text(kBalanceNumber).c_str(), text(kBalanceCode).c_str()));
    return commands;
}

} // namespace orlan
