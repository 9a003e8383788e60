#include "pages/system/MainParamsPage.h"

#include "labels/CommonLabelKeys.h"
#include "pages/FieldHelpers.h"
#include "pages/JointCommand.h"

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

// The balance check: number and code in one command.
const SJointCommand kBalance{"%%CHECKBALANCE%s,%s\r", {kBalanceNumber, kBalanceCode}};
constexpr int kSignalLowMaximum = 36;

} // namespace

CPageMainParams::CPageMainParams()
    : CPage({.className = "CPageMainParams",
             .section = "PageMainParams",
             .navKey = "PAGE_BASIC",
             .profileTitle = "System Main Params",
             .defaultAnswerWaitMs = 3000})
{
    // In command order.
    AddSetting({.field = Hidden(Choice(kParity, "PARITY", CatalogueItems(kSectionSysChar, kParityKeys))),
                .initial = kNoSelection,
                .keys = {"$PARITY"},
                .command = "%%UP%d\r"});
    AddSetting({.field = Choice(kSmsMode, "SMSMODE", FixedItems({"0: PDU", "1: TEXT"})),
                .initial = kNoSelection,
                .keys = {"$MODEMSMODE "},
                .command = "%%MODEMSMSMD%d\r"});
    AddSetting({.field = Text(kCountryCode, "CCODE"), .keys = {"$CC"}, .command = "%%CC%s\r"});
    AddSetting({.field = WithHint(Text(kUnitId, "UID"), "UID_DESC"), .keys = {"$DID"}, .command = "%%ID%s\r"});
    AddSetting({.field = Flag(kDas, "DAS"), .keys = SwitchKeys("$DAS"), .command = "%%DAS%d\r"});
    AddSetting({.field = Hidden(Whole(Text(kBps, "BPS"))), .keys = {"$BPS"}, .command = "%%UB%s\r"});
    AddSetting({.field = Field(kMemo, EFieldKind::MultiLine, "MEMO"),
                .keys = {"$DESC "},
                .take = ETake::Ucs2Text,
                .command = "%%DESC%s\r"});
    AddSetting({.field = Flag(kCsReport, "TSCS"), .keys = SwitchKeys("$PRTCS"), .command = "%%PRTCS%d\r"});
    AddSetting({.field = Flag(kSpReport, "TSSP"), .keys = SwitchKeys("$PRTSP"), .command = "%%PRTSP%d\r"});
    AddSetting({.field = Text(kServiceNumber, "SP"), .keys = {"$SPN"}, .command = "%%SP%s\r"});
    AddSetting({.field = Text(kPin, "PIN"), .keys = {"$PINC"}, .command = "%%PIN%s\r"});
    // The threshold joins its switch on screen; the commands keep their order.
    m_fields.AddGroup({.id = "lowSignal", .captionKey = "CSQ_GROUP"});
    AddSetting({.field = InGroup(Flag(kSignalAlarm, "CSQ_ALARM"), "lowSignal"), .keys = SwitchKeys("$SIGNALA"), .command = "%%SIGNALA%d\r"});
    AddSetting({.field = Flag(kReplyError, "RPLERR"), .keys = SwitchKeys("$RPLERR"), .command = "%%RPLERR%d\r"});
    AddSetting({.field = Flag(kReplySuccess, "RPLSUC"), .keys = SwitchKeys("$RPLSUC"), .command = "%%RPLSUC%d\r"});
    AddSetting({.field = InGroup(Spin(kSignalLow, "CSQ_LOW", 0, kSignalLowMaximum), "lowSignal"),
                .keys = {"$CSQLOW "},
                .command = "%%RSILOW%s\r"});
    AddSetting({.field = Text(kPuk, "PUK"), .keys = {"$PUKC "}, .command = "%%PUK%s\r"});
    AddSetting({.field = Hidden(Choice(kGsmBand, "GSMBANDS",
                                       FixedItems({"PGSM_MODE", "DCS_MODE", "PCS_MODE", "EGSM_DCS_MODE",
                                                   "GSM850_PCS_MODE", "Default"}))),
                .initial = kNoSelection,
                .keys = {"$GSMBAND"},
                .command = "%%CBAND%d\r"});
    AddSetting({.field = Flag(kForwardSms, "CHECKFWDEN"), .keys = {"$FWDSMS "}, .command = "%%FWDSMS%d\r"});
    // Number and code go as one command, behind the code.
    AddSetting({.field = Text(kBalanceNumber, "CHECKSP"), .keys = {"$CKBSP "}});
    AddSetting({.field = Text(kBalanceCode, "CHECKCODE"), .keys = {"$CKBCD "}});
    AddSetting({.field = WithHint(Hidden(Text(kSmsCentre, "SMSC")), "SMSCDESC"), .keys = {"$SMSC "}});
    AddSetting({.field = Hidden(Text(kForwardKey, "FWDKEY")), .keys = {"$FWDKEY "}, .take = ETake::Ucs2Text});
    AddSetting({.field = Hidden(Whole(Text(kForwardSpan, "FWDSPAN"))), .keys = {"$MODEM_FWDSPAN "}});
    AddProfileInverse(std::string(kBalance.format), JointInverse(kBalance, m_fields));
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

CCommandList CPageMainParams::SettingCommands(ETarget) const
{
    CCommandList commands;
    for (const SSetting& setting : m_settings) {
        const std::string& id = setting.field.id;
        if (id == kBalanceCode) {
            if (std::optional<std::string> text = FormatJoint(kBalance, m_fields))
                commands.push_back({std::move(*text)});
        } else if (IsSelected(m_fields, id)) {
            if (std::optional<std::string> text = FormatSetting(setting, m_fields))
                commands.push_back({std::move(*text), setting.answerWaitMs});
        }
    }
    return commands;
}

} // namespace orlan
