#include "pages/fieldbus/Meter62056Page.h"

#include "console/TextScan.h"
#include "pages/FieldHelpers.h"

namespace orlan {

namespace {

constexpr std::string_view kUpload = "uploadInterval";
constexpr std::string_view kHeart = "heartInterval";
constexpr std::string_view kErrorReport = "errorReport";
// "POOLT 15": a five-letter code, one separator, the number.
constexpr size_t kNumberAt = 6;

SFieldDesc Captioned(SFieldDesc desc, std::string_view caption)
{
    desc.fixedLabel = std::string(caption);
    return desc;
}

} // namespace

CPage62056::CPage62056()
    : CPage({.className = "CPage62056",
             .section = "Page62056",
             .defaultAnswerWaitMs = 3000,
             .headingSection = "Page62056",
             .headingKey = "TITLE"})
{
    AddSetting({.field = Captioned(Digits(Text(kUpload)), "Upload interval (mins)"), .command = "%%P62056UT%s\r"});
    AddSetting({.field = Captioned(Digits(Text(kHeart)), "\"Heart\" interval (mins)"), .command = "%%P62056HT%s\r"});
    AddSetting({.field = Captioned(Flag(kErrorReport), "Upload error report to server if no meter"),
                .command = "%%P62056ERRT%d\r"});
}

std::vector<SDumpEntry> CPage62056::DumpEntries()
{
    return {{"$P62056", [this](const SDumpValue& value) { Store(value.text); }}};
}

void CPage62056::Store(std::string_view value)
{
    // The number is shown as the terminal's integer ("015" as 15, a text
    // that is no number as 0); the first code found names the field.
    const long long number = WholeNumber(value.size() > kNumberAt ? value.substr(kNumberAt) : std::string_view());
    if (value.find("POOLT") != std::string_view::npos)
        m_fields.SetText(kUpload, std::to_string(number));
    else if (value.find("HEART") != std::string_view::npos)
        m_fields.SetText(kHeart, std::to_string(number));
    else if (value.find("ERRUP") != std::string_view::npos)
        m_fields.SetNumber(kErrorReport, number == 1 ? 1 : 0);
    else
        return;
    NotifyChanged();
}

} // namespace orlan
