#include "pages/system/MainParamsPage.h"

#include <algorithm>
#include <span>

#include "console/KeyAutomaton.h"
#include "console/WireFormat.h"
#include "labels/CommonLabelKeys.h"
#include "labels/TextCodec.h"
#include "pages/FieldHelpers.h"

namespace orlan {

namespace {

SFieldDesc InGroup(SFieldDesc desc, std::string_view group)
{
    desc.group = std::string(group);
    return desc;
}

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

constexpr SDumpRoute TextAt(std::string_view key, int position)
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
    {TextAt("$PINC", 6), kPin},
    {TextAt("$BPS", 5), kBps},
    {Index("$PARITY", 8), kParity},
    {Index("$GSMBAND", 9), kGsmBand},
    {TextAt("$DESC ", 6), kMemo, true},
    {Switch("$DAS 0", false), kDas},
    {Switch("$DAS 1", true), kDas},
    {TextAt("$DID", 5), kUnitId},
    {TextAt("$CC", 4), kCountryCode},
    {TextAt("$CSQLOW ", 8), kSignalLow},
    {Switch("$PRTCS 0", false), kCsReport},
    {Switch("$PRTCS 1", true), kCsReport},
    {Switch("$PRTSP 0", false), kSpReport},
    {Switch("$PRTSP 1", true), kSpReport},
    {TextAt("$SPN", 5), kServiceNumber},
    {Switch("$SIGNALA 0", false), kSignalAlarm},
    {Switch("$SIGNALA 1", true), kSignalAlarm},
    {Switch("$RPLSUC 0", false), kReplySuccess},
    {Switch("$RPLSUC 1", true), kReplySuccess},
    {Switch("$RPLERR 0", false), kReplyError},
    {Switch("$RPLERR 1", true), kReplyError},
    {TextAt("$SMSC ", 6), kSmsCentre},
    {TextAt("$PUKC ", 6), kPuk},
    {Index("$MODEMSMODE ", 12), kSmsMode},
    {{.key = "$FWDSMS ", .form = EHandOver::SwitchIfOne, .position = 8}, kForwardSms},
    {TextAt("$MODEM_FWDSPAN ", 15), kForwardSpan},
    {TextAt("$FWDKEY ", 8), kForwardKey, true},
    {TextAt("$CKBSP ", 7), kBalanceNumber},
    {TextAt("$CKBCD ", 7), kBalanceCode},
};

} // namespace

CPageMainParams::CPageMainParams()
    : CPage({.className = "CPageMainParams",
             .section = "PageMainParams",
             .navKey = "PAGE_BASIC",
             .profileTitle = "System Main Params",
             .defaultAnswerWaitMs = 3000,
             .lineFeed = ELineFeed::EveryLine})
{
    // In command order.
    AddSetting({.field = Hidden(Choice(kParity, "PARITY", CatalogueItems(kSectionSysChar, kParityKeys))),
                .initial = kNoSelection,
                .command = "%%UP%d\r"});
    AddSetting({.field = Choice(kSmsMode, "SMSMODE", FixedItems({"0: PDU", "1: TEXT"})),
                .initial = kNoSelection,
                .command = "%%MODEMSMSMD%d\r"});
    AddSetting({.field = Text(kCountryCode, "CCODE"), .command = "%%CC%s\r"});
    AddSetting({.field = WithHint(Text(kUnitId, "UID"), "UID_DESC"), .command = "%%ID%s\r"});
    AddSetting({.field = Flag(kDas, "DAS"), .command = "%%DAS%d\r"});
    AddSetting({.field = Hidden(Whole(Text(kBps, "BPS"))), .command = "%%UB%s\r"});
    // Sent whole, line breaks inside the hex: built in SettingCommands.
    AddSetting({.field = Field(kMemo, EFieldKind::MultiLine, "MEMO")});
    AddSetting({.field = Flag(kCsReport, "TSCS"), .command = "%%PRTCS%d\r"});
    AddSetting({.field = Flag(kSpReport, "TSSP"), .command = "%%PRTSP%d\r"});
    AddSetting({.field = Text(kServiceNumber, "SP"), .command = "%%SP%s\r"});
    AddSetting({.field = Text(kPin, "PIN"), .command = "%%PIN%s\r"});
    // The threshold joins its switch on screen; the commands keep their order.
    m_fields.AddGroup({.id = "lowSignal", .captionKey = "CSQ_GROUP"});
    AddSetting({.field = InGroup(Flag(kSignalAlarm, "CSQ_ALARM"), "lowSignal"), .command = "%%SIGNALA%d\r"});
    AddSetting({.field = Flag(kReplyError, "RPLERR"), .command = "%%RPLERR%d\r"});
    AddSetting({.field = Flag(kReplySuccess, "RPLSUC"), .command = "%%RPLSUC%d\r"});
    AddSetting({.field = InGroup(Spin(kSignalLow, "CSQ_LOW", 0, kSignalLowMaximum), "lowSignal"),
                .command = "%%RSILOW%s\r"});
    AddSetting({.field = Text(kPuk, "PUK"), .command = "%%PUK%s\r"});
    AddSetting({.field = Hidden(Choice(kGsmBand, "GSMBANDS",
                                       FixedItems({"PGSM_MODE", "DCS_MODE", "PCS_MODE", "EGSM_DCS_MODE",
                                                   "GSM850_PCS_MODE", "Default"}))),
                .initial = kNoSelection,
                .command = "%%CBAND%d\r"});
    AddSetting({.field = Flag(kForwardSms, "CHECKFWDEN"), .command = "%%FWDSMS%d\r"});
    // Number and code go as one command, behind the code.
    AddSetting({.field = Text(kBalanceNumber, "CHECKSP")});
    AddSetting({.field = Text(kBalanceCode, "CHECKCODE")});
    AddSetting({.field = WithHint(Hidden(Text(kSmsCentre, "SMSC")), "SMSCDESC")});
    AddSetting({.field = Hidden(Text(kForwardKey, "FWDKEY"))});
    AddSetting({.field = Hidden(Whole(Text(kForwardSpan, "FWDSPAN")))});
}

void CPageMainParams::Clear()
{
    m_fields.Reset();
    // Shown as the usual mode, but not known: written only once reported.
    m_fields.Substitute(m_fields.IndexOf(kSmsMode), {.number = kSmsModeText});
    NotifyChanged();
}

std::string CPageMainParams::DumpRequest() const
{
    return "%DUMP_SYS\r%DUMP_ROMSMS\r";
}

// Every line reaches the page: the rules' keys are found in one pass.
static const CKeyAutomaton& RuleKeys()
{
    static const CKeyAutomaton keys = [] {
        std::vector<std::string_view> all;
        for (const SKeyRule& rule : kKeyRules)
            all.push_back(rule.route.key);
        return CKeyAutomaton(all);
    }();
    return keys;
}

void CPageMainParams::ParseLine(std::string_view line)
{
    uint32_t first = std::size(kKeyRules);
    RuleKeys().Scan(line, [&first](uint32_t rule) { first = std::min(first, rule); });
    for (const SKeyRule& rule : std::span(kKeyRules).subspan(first)) {
        // The first rule found holds its key; a later one must be looked for.
        if (&rule == &kKeyRules[first] ? !CDumpRouter::GuardHolds(rule.route, line)
                                       : !CDumpRouter::Matches(rule.route, line))
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
    CCommandList commands;
    for (const SSetting& setting : m_settings) {
        const std::string& id = setting.field.id;
        if (id == kMemo) {
            commands.push_back({FormatWire("%%DESC%s\r", EncodeUcs2Hex(m_fields.Text(kMemo)).c_str())});
        } else if (id == kBalanceCode) {
            commands.push_back({FormatWire("%%CHECKBALANCE%s,%s\r", m_fields.LineText(kBalanceNumber).c_str(),
                                           m_fields.LineText(kBalanceCode).c_str())});
        } else if (IsSelected(m_fields, id)) {
            if (std::optional<std::string> text = FormatSetting(setting, m_fields))
                commands.push_back({std::move(*text), setting.answerWaitMs});
        }
    }
    return commands;
}

} // namespace orlan
