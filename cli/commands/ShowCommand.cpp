#include "cli/commands/ShowCommand.h"

#include "cli/PageRender.h"
#include "cli/commands/PageLookup.h"
#include "session/TerminalSession.h"

namespace orlan {

bool CShowCommand::Prepare()
{
    if (m_host.Options().page.empty())
        return true;
    m_page = FindNamedPage(m_host);
    return m_page != nullptr;
}

void CShowCommand::Run()
{
    ReadWholeConfiguration("reading the whole configuration");
}

void CShowCommand::OnWholeReadComplete()
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
