#include "cli/commands/ReportCommand.h"

#include <algorithm>
#include <cctype>
#include <ctime>

#include "OrlanVersion.h"
#include "cli/commands/OfflineProfile.h"
#include "cli/commands/ProfileFiles.h"
#include "session/ConfigurationReport.h"
#include "session/TerminalSession.h"

namespace orlan {

namespace {

bool IsHtmlName(const std::string& path)
{
    auto endsWith = [&path](std::string_view end) {
        return path.size() >= end.size()
               && std::equal(end.rbegin(), end.rend(), path.rbegin(),
                             [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
    };
    return endsWith(".html") || endsWith(".htm");
}

} // namespace

bool CReportCommand::Prepare()
{
    const std::string& output = m_host.Options().outputPath;
    if (!IsHtmlName(output)) {
        m_host.Finish(ECliExit::Usage, "report writes HTML (a name ending in .html); a PDF is written by the window's "
                                       "File > Export report");
        return false;
    }
    if (!SparesProfile(m_host, output) || !ProfileCanBeSaved(m_host, output))
        return false;
    if (m_host.Options().profilePath.empty())
        return true;
    SOpenedProfile opened;
    if (OpenProfile(m_host, m_host.Options().profilePath, opened))
        WriteReport();
    return false;
}

void CReportCommand::Run()
{
    ReadWholeConfiguration("reading the whole configuration");
}

void CReportCommand::OnWholeReadComplete()
{
    WriteReport();
}

void CReportCommand::WriteReport()
{
    const std::string& output = m_host.Options().outputPath;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char date[16] = "";
#ifdef _WIN32
    const bool dated = localtime_s(&local, &now) == 0;
#else
    const bool dated = localtime_r(&now, &local) != nullptr;
#endif
    if (dated)
        std::strftime(date, sizeof date, "%Y-%m-%d", &local);
    const std::string html = ConfigurationReportHtml(m_host.Session(), m_host.Catalogue(), kOrlanVersion, date);
    if (const std::string why = SaveFileSafely(output, html, kProfileSave); !why.empty()) {
        m_host.Finish(ECliExit::ProfileFailed, ProfileFailure(output, why));
        return;
    }
    m_host.Finish(ECliExit::Ok, "report written to " + output);
}

} // namespace orlan
