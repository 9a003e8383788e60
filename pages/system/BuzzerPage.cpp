#include "pages/system/BuzzerPage.h"

#include "pages/FieldHelpers.h"

namespace orlan {

namespace {

constexpr std::string_view kSound = "sound";
constexpr std::string_view kDuration = "duration";
constexpr std::string_view kDurationKey = "$BUZZERT ";
constexpr size_t kDurationAt = 9;

} // namespace

CPageBuzzer::CPageBuzzer()
    : CPage({.className = "CPageBuzzer",
             .section = "PageBuzzer",
             .navKey = "PAGE_BUZZER",
             .profileTitle = "Buzzer Siren",
             .defaultAnswerWaitMs = 3000})
{
    AddSetting({.field = Flag(kSound, "SOUND_EN"), .command = "%%BUZEN%d\r"});
    AddSetting({.field = Whole(Text(kDuration, "BUZT")), .command = "%%BUZT%s\r"});
}

std::string CPageBuzzer::DumpRequest() const
{
    return "%DUMP_SYS\r";
}

std::vector<SDumpEntry> CPageBuzzer::DumpEntries()
{
    auto take = [this](const SDumpValue& value) { TakeLine(value.line); };
    return {{"$BUZ", take}, {"$IBUZ", take}};
}

void CPageBuzzer::TakeLine(std::string_view line)
{
    if (line.find("$IBUZ 0") != std::string_view::npos) {
        m_fields.SetNumber(kSound, 0);
    } else if (line.find("$IBUZ 1") != std::string_view::npos) {
        m_fields.SetNumber(kSound, 1);
    } else if (line.find(kDurationKey) != std::string_view::npos) {
        // Like every dump value, taken from a fixed position of the line.
        m_fields.SetText(kDuration, line.size() > kDurationAt ? line.substr(kDurationAt) : std::string_view());
    } else {
        return;
    }
    NotifyChanged();
}

} // namespace orlan
