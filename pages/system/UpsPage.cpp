#include "pages/system/UpsPage.h"

#include <limits>

#include "pages/FieldHelpers.h"

namespace orlan {

namespace {

SSetting Number(std::string_view id, std::string_view labelKey, std::string command)
{
    return {.field = Spin(id, labelKey, 0, std::numeric_limits<int>::max()),
            .initial = {.text = "0"},
            .command = std::move(command)};
}

} // namespace

CPageUps::CPageUps()
    : CPage({.className = "CPageUps", .section = "PageUPS", .defaultAnswerWaitMs = 3000, .headingKey = "PAGE_UPS"})
{
    AddSetting({.field = Flag("enable", "ENABLE"), .command = "%%STUPSEN%d\r"});
    AddSetting({.field = Flag("sms", "SND"), .command = "%%STUPSSND%d\r"});
    // The numbers go as whole numbers, whatever follows their digits.
    AddSetting(Number("span", "SPAN", "%%STUPSAS%d\r"));
    AddSetting(Number("rate", "RATE", "%%STUPSRATE%d\r"));
    AddSetting(Number("bps", "BPS", "%%STUPSBPS%d\r"));
}

std::string CPageUps::DumpRequest() const
{
    return "%DUMP_UPS\r";
}

} // namespace orlan
