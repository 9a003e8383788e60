#include "pages/system/UpsPage.h"

#include <charconv>
#include <limits>

#include "console/WireFormat.h"
#include "pages/DumpBindings.h"

namespace orlan {

namespace {

constexpr std::string_view kEnable = "enable";
constexpr std::string_view kSms = "sms";
constexpr std::string_view kSpan = "span";
constexpr std::string_view kRate = "rate";
constexpr std::string_view kBps = "bps";

SFieldDesc Number(std::string_view id, std::string_view labelKey)
{
    return {.id = std::string(id),
            .kind = EFieldKind::Spin,
            .labelKey = std::string(labelKey),
            .minimum = 0,
            .maximum = std::numeric_limits<int>::max()};
}

// The field read as a whole number: leading digits, 0 when there are none.
long long WholeNumber(const CFieldSet& fields, std::string_view id)
{
    const std::string& text = fields.Text(id);
    long long number = 0;
    const char* begin = text.data();
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        ++begin;
    if (std::from_chars(begin, text.data() + text.size(), number).ec != std::errc())
        return 0;
    return !text.empty() && text.front() == '-' ? -number : number;
}

} // namespace

CPageUps::CPageUps()
    : CPage({.className = "CPageUps", .section = "PageUPS", .defaultTickLimit = 3000})
{
    m_fields.Add({.id = std::string(kEnable), .kind = EFieldKind::Check, .labelKey = "ENABLE"});
    m_fields.Add({.id = std::string(kSms), .kind = EFieldKind::Check, .labelKey = "SND"});
    m_fields.Add(Number(kSpan, "SPAN"), {.text = "0"});
    m_fields.Add(Number(kRate, "RATE"), {.text = "0"});
    m_fields.Add(Number(kBps, "BPS"), {.text = "0"});
}

std::string CPageUps::DumpRequest() const
{
    return "%DUMP_UPS\r";
}

CCommandList CPageUps::SettingCommands(ETarget) const
{
    const CFieldSet& f = m_fields;
    return {{FormatWire("%%STUPSEN%d\r", FlagDigit(f, kEnable))},
            {FormatWire("%%STUPSSND%d\r", FlagDigit(f, kSms))},
            {FormatWire("%%STUPSAS%lld\r", WholeNumber(f, kSpan))},
            {FormatWire("%%STUPSRATE%lld\r", WholeNumber(f, kRate))},
            {FormatWire("%%STUPSBPS%lld\r", WholeNumber(f, kBps))}};
}

} // namespace orlan
