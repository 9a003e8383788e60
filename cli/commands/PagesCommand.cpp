#include "cli/commands/PagesCommand.h"

#include "cli/PageRender.h"
#include "cli/commands/PageLookup.h"
#include "session/TerminalSession.h"

namespace orlan {

bool CPagesCommand::Prepare()
{
    std::string text;
    if (m_host.Options().page.empty()) {
        text = PageListText(m_host.Session().Pages(), m_host.Catalogue());
    } else if (const CPage* page = FindNamedPage(m_host)) {
        text = PageFieldsText(*page, m_host.Catalogue());
    } else {
        return false;
    }
    m_host.Finish(m_host.PrintOut(text) ? ECliExit::Ok : ECliExit::OutputFailed);
    return false;
}

} // namespace orlan
