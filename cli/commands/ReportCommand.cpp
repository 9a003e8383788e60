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

bool EndsWith(const std::string& path, std::string_view end)
{
    return path.size() >= end.size()
           && std::equal(end.rbegin(), end.rend(), path.rbegin(),
                         [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

bool IsHtmlName(const std::string& path)
{
    return EndsWith(path, ".html") || EndsWith(path, ".htm");
}

} // namespace

bool IsPdfReportName(const std::string& path)
{
    return EndsWith(path, ".pdf");
}

bool CReportCommand::Prepare()
{
    const std::string& output = m_host.Options().outputPath;
    if (!IsHtmlName(output) && !IsPdfReportName(output)) {
        m_host.Finish(ECliExit::Usage, "report writes HTML or PDF: a name ending in .html or .pdf");
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
    std::string bytes = ConfigurationReportHtml(m_host.Session(), m_host.Catalogue(), kOrlanVersion, date);
    if (IsPdfReportName(output)) {
        std::string pdf;
        if (const std::string why = m_host.HtmlToPdf(bytes, pdf); !why.empty()) {
            m_host.Finish(ECliExit::ProfileFailed, "the report was not written: " + why);
            return;
        }
        bytes = std::move(pdf);
    }
    // The report holds the SIM PIN and PUK as a profile does.
    if (const std::string why = SaveFileSafely(output, bytes, kProfileSave); !why.empty()) {
        m_host.Finish(ECliExit::ProfileFailed, ProfileFailure(output, why));
        return;
    }
    m_host.Finish(ECliExit::Ok, "report written to " + output);
}

} // namespace orlan
