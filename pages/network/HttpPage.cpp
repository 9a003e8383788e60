#include "pages/network/HttpPage.h"

#include "pages/FieldHelpers.h"

namespace orlan {

namespace {

constexpr std::string_view kUrl = "url";
constexpr std::string_view kAuth = "auth";
constexpr std::string_view kGroup = "group";
constexpr std::string_view kSim = "sim";

} // namespace

CPageHttp::CPageHttp()
    : CPage({.className = "CPageHttp",
             .section = "PageHttp",
             .defaultAnswerWaitMs = kWaitMs,
             .headingSection = "TABS",
             .headingKey = "PAGE_HTTP",
             // The other "$M2M_" and "$NTP_" lines belong to the GPRS page.
             .wholeLineKeys = {"$M2M_", "$NTP_"}})
{
    AddSetting({.field = Text(kUrl, "URL"), .keys = {"$M2M_HTTP_URL"}, .command = "%%HTTPURL%s\r"});
    AddSetting({.field = Text(kAuth, "AUTH"), .keys = {"$M2M_HTTP_PWD"}, .command = "%%HTTPPOSTPWD%s\r"});
    AddSetting({.field = Text(kGroup, "GROUP"), .keys = {"$M2M_HTTP_GID"}, .command = "%%HTTPGROUP%s\r"});
    AddSetting({.field = Text(kSim, "SIM"), .keys = {"$M2M_HTTP_SIM"}, .command = "%%HTTPSIM%s\r"});
}

std::string CPageHttp::DumpRequest() const
{
    return "%DUMP_HTTP\r";
}

CCommandList CPageHttp::SettingCommands(ETarget) const
{
    return PlainCommands({kUrl, kSim, kAuth, kGroup});
}

} // namespace orlan
