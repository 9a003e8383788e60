#include "pages/network/HttpPage.h"

#include <array>

#include "pages/FieldHelpers.h"
#include "pages/network/NetworkText.h"

namespace orlan {

namespace {

constexpr std::string_view kUrl = "url";
constexpr std::string_view kAuth = "auth";
constexpr std::string_view kGroup = "group";
constexpr std::string_view kSim = "sim";

// "$M2M_HTTP_URL http://...": the value behind the key and one separator.
constexpr size_t kValueAt = 14;

} // namespace

CPageHttp::CPageHttp()
    : CPage({.className = "CPageHttp",
             .section = "PageHttp",
             .defaultAnswerWaitMs = kWaitMs,
             .headingSection = "TABS",
             .headingKey = "PAGE_HTTP"})
{
    AddSetting({.field = Text(kUrl, "URL"), .command = "%%HTTPURL%s\r"});
    AddSetting({.field = Text(kAuth, "AUTH"), .command = "%%HTTPPOSTPWD%s\r"});
    AddSetting({.field = Text(kGroup, "GROUP"), .command = "%%HTTPGROUP%s\r"});
    AddSetting({.field = Text(kSim, "SIM"), .command = "%%HTTPSIM%s\r"});
}

std::string CPageHttp::DumpRequest() const
{
    return "%DUMP_HTTP\r";
}

std::vector<SDumpEntry> CPageHttp::DumpEntries()
{
    std::vector<SDumpEntry> entries;
    for (std::string_view key : {"$M2M_", "$NTP_"})
        entries.push_back({std::string(key), [this](const SDumpValue& value) { StoreLine(value.line); }});
    return entries;
}

void CPageHttp::StoreLine(std::string_view line)
{
    // The first key the line holds wins; the other "$M2M_" and "$NTP_" lines
    // belong to the GPRS page.
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kKeys = {{
        {"$M2M_HTTP_URL", kUrl},
        {"$M2M_HTTP_SIM", kSim},
        {"$M2M_HTTP_PWD", kAuth},
        {"$M2M_HTTP_GID", kGroup},
    }};
    for (const auto& [key, field] : kKeys) {
        if (const auto value = net::ValueOf(line, key, kValueAt)) {
            m_fields.SetText(field, *value);
            NotifyChanged();
            return;
        }
    }
}

CCommandList CPageHttp::SettingCommands(ETarget) const
{
    return PlainCommands({kUrl, kSim, kAuth, kGroup});
}

} // namespace orlan
