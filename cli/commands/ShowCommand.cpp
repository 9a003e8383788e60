#include "cli/commands/ShowCommand.h"

#include "cli/PageRender.h"
#include "cli/commands/OfflineProfile.h"
#include "cli/commands/PageLookup.h"
#include "session/TerminalSession.h"

namespace orlan {

bool CShowCommand::Prepare()
{
    SOpenedProfile opened;
    const bool offline = WorksOffline(m_host.Options());
    if (offline && !OpenProfile(m_host, m_host.Options().profilePath, opened))
        return false;
    if (!m_host.Options().page.empty()) {
        m_page = FindNamedPage(m_host);
        if (m_page == nullptr)
            return false;
    }
    if (!offline)
        return true;
    PrintPages();
    return false;
}

void CShowCommand::Run()
{
    ReadWholeConfiguration("reading the whole configuration");
}

void CShowCommand::OnWholeReadComplete()
{
    PrintPages();
}

void CShowCommand::PrintPages()
{
    const bool json = m_host.Options().json;
    const CLabelCatalogue& catalogue = m_host.Catalogue();
    std::string out;
    if (m_page != nullptr) {
        out = json ? PageJson(*m_page, catalogue) + "\n" : PageText(*m_page, catalogue);
    } else {
        for (const auto& page : m_host.Session().Pages()) {
            if (json)
                out += (out.empty() ? "[\n" : ",\n") + PageJson(*page, catalogue);
            else
                out += (out.empty() ? "" : "\n") + PageText(*page, catalogue);
        }
        if (json)
            out += "\n]\n";
    }
    m_host.Finish(m_host.PrintOut(out) ? ECliExit::Ok : ECliExit::OutputFailed);
}

} // namespace orlan
