#include "pages/io/CounterPage.h"

#include <charconv>
#include <cmath>

#include "console/TextScan.h"
#include "console/WireFormat.h"
#include "pages/FieldHelpers.h"
#include "pages/io/IoText.h"

namespace orlan {

namespace {

constexpr std::string_view kAutoUpload = "autoUpload";

std::string Id(std::string_view name, std::size_t counter)
{
    return std::string(name) + std::to_string(counter);
}

// "$COUNTER_" + code: each code fills one field from a fixed position of
// the line (counted from the code, which stands at line position 9).
struct SCounterCode {
    std::string_view code;
    std::string_view field;  // without the counter number
    std::size_t counter;
    std::size_t textAt;
};
constexpr SCounterCode kCodes[] = {
    {"CT0", "value", 0, 4},        {"CT1", "value", 1, 4},         {"UN0", "units", 0, 4},
    {"UN1", "units", 1, 4},        {"UT0", "uploadTimer", 0, 4},   {"UT1", "uploadTimer", 1, 4},
    {"VA0", "current", 0, 4},      {"VA1", "current", 1, 4},       {"RPH0", "reportHour", 0, 5},
    {"RPH1", "reportHour", 1, 5},  {"RPM0", "reportMinute", 0, 5}, {"RPM1", "reportMinute", 1, 5},
    {"UST0", "threshold", 0, 5},   {"UST1", "threshold", 1, 5},
};
// "$COUNTER_AT 1": the mode's digit three behind the code.
constexpr std::size_t kAutoUploadAt = 3;

constexpr char kAutoUploadFormat[] = "%%IOCNAT=%d\r";

} // namespace

CPageCounter::CPageCounter()
    : CPage({.className = "CPageCounter",
             .section = "PageCounter",
             .defaultAnswerWaitMs = 3000,
             .headingSection = "PageCounter",
             .headingKey = "TIMERS_TITLE",
             .bracketedSave = false})
{
    for (std::size_t n = 0; n < kCounters; ++n) {
        const std::string digit = std::to_string(n);
        m_fields.Add(Whole(Text(Id("value", n), "IOCT" + digit)));
        m_fields.Add(Text(Id("units", n), "IOCU" + digit));
        m_fields.Add(Whole(Text(Id("uploadTimer", n), "IOCUT" + digit)));
        m_fields.Add(WithHint(Hour(Text(Id("reportHour", n), "IOCRPT" + digit)), "HOUR"));
        m_fields.Add(WithHint(Minute(Text(Id("reportMinute", n))), "MINUTE"));
        m_fields.Add(Decimal(Text(Id("threshold", n), "IOCHOLD" + digit)));
        SFieldDesc current = Text(Id("current", n), "IOCVA" + digit);
        current.readOnly = true;
        m_fields.Add(std::move(current));
    }
    m_fields.Add(Hidden(Flag(kAutoUpload, "AUTMOMODE")));
    // A counter's command read back from a profile: "%IOCUT1,60" is timer 1.
    constexpr std::pair<const char*, std::string_view> kRowCommands[] = {
        {"IOCCT", "value"},         {"IOCU", "units"},           {"IOCUT", "uploadTimer"},
        {"IOCRPH", "reportHour"},   {"IOCRPM", "reportMinute"},  {"IOCST", "threshold"}};
    for (const auto& [name, field] : kRowCommands) {
        AddProfileInverse("%%" + std::string(name) + "%zu,%s\r",
                          IntoRowFields(m_fields, kCounters, [field](std::size_t n) {
                              return std::vector<std::string>{Id(field, n)};
                          }));
    }
    AddProfileInverse(kAutoUploadFormat, IntoFields(m_fields, {std::string(kAutoUpload)}));
}

void CPageCounter::Clear()
{
    std::vector<std::string> kept;
    for (std::size_t n = 0; n < kCounters; ++n)
        kept.push_back(Id("current", n));
    m_fields.Reset(kept);
    NotifyChanged();
}

std::string CPageCounter::DumpRequest() const
{
    return "%DUMP_COUNTER\r";
}

std::vector<SDumpEntry> CPageCounter::DumpEntries()
{
    return {{"$COUNTER_", [this](const SDumpValue& value) { StoreCounterLine(value); }}};
}

void CPageCounter::StoreCounterLine(const SDumpValue& value)
{
    const std::string_view text = value.text;
    if (text.starts_with("AT")) {
        const std::string_view digit = io::TextFrom(text, kAutoUploadAt);
        m_fields.SetNumber(kAutoUpload, !digit.empty() && digit.front() == '1' ? 1 : 0);
        NotifyChanged();
        return;
    }
    for (const SCounterCode& code : kCodes) {
        if (text.starts_with(code.code)) {
            m_fields.SetText(Id(code.field, code.counter), io::TextFrom(text, code.textAt));
            NotifyChanged();
            return;
        }
    }
}

std::string CPageCounter::TwoDecimals(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    double number = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), number, std::chars_format::fixed).ec != std::errc()
        || !std::isfinite(number))
        number = 0;
    if (negative && number != 0)
        number = -number;
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed, 2);
    return error == std::errc() ? std::string(buffer, end) : std::string("0.00");
}

CCommandList CPageCounter::SettingCommands(ETarget) const
{
    const CFieldSet& f = m_fields;
    // Whole numbers go as the digits they start with ("12abc" is 12).
    auto whole = [&f](const char* name, std::string_view field, std::size_t n) {
        return SCommand{FormatWire("%%%s%zu,%lld\r", name, n, WholeNumber(f.Text(Id(field, n))))};
    };
    CCommandList commands{whole("IOCCT", "value", 0), whole("IOCCT", "value", 1),
                          {FormatWire(kAutoUploadFormat, FlagDigit(f, kAutoUpload))}};
    for (std::size_t n = 0; n < kCounters; ++n)
        commands.push_back({FormatWire("%%IOCU%zu,%s\r", n, TwoDecimals(f.Text(Id("units", n))).c_str())});
    for (std::size_t n = 0; n < kCounters; ++n)
        commands.push_back(whole("IOCUT", "uploadTimer", n));
    for (std::size_t n = 0; n < kCounters; ++n)
        commands.push_back(whole("IOCRPH", "reportHour", n));
    for (std::size_t n = 0; n < kCounters; ++n)
        commands.push_back(whole("IOCRPM", "reportMinute", n));
    for (std::size_t n = 0; n < kCounters; ++n)
        commands.push_back(whole("IOCST", "threshold", n));
    return commands;
}

} // namespace orlan
