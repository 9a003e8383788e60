#include "cli/commands/WriteCommand.h"

#include <utility>

#include "cli/commands/OfflineProfile.h"
#include "cli/commands/PageLookup.h"
#include "pages/KnownValues.h"
#include "session/PageAccess.h"
#include "session/TerminalSession.h"

namespace orlan {

bool CWriteCommand::Check()
{
    const CLabelCatalogue& catalogue = m_host.Catalogue();
    const std::string name = PageNameForRefusal(*m_page, catalogue);
    if (!m_page->Info().hasWriteBack) {
        m_host.Finish(ECliExit::Usage,
                      name + " has no Save; the pages with one are: " + PageNames(m_host.Session(), true));
        return false;
    }
    // The values are tried on a copy now, so nothing is read in vain:
    // each by its field's rules, then in the commands they go out in.
    CFieldSet trial = m_page->Fields();
    const std::string refused = ApplySettings(trial, m_host.Options().assignments, catalogue);
    if (!refused.empty()) {
        m_host.Finish(ECliExit::Usage, name + ": " + refused);
        return false;
    }
    const CFieldSet before = std::exchange(m_page->Fields(), trial);
    std::vector<SLeftOut> leftOut;
    const std::string broken = BrokenCommand(KnownSaveJob(*m_page, leftOut).commands);
    m_page->Fields() = before;
    if (!broken.empty()) {
        m_host.Finish(ECliExit::Usage, name + ": the value given " + BrokenCommandText(broken) + "; nothing was sent");
        return false;
    }
    return true;
}

void CWriteCommand::StartJob()
{
    const CLabelCatalogue& catalogue = m_host.Catalogue();
    // Lists filled by the read may hold other items than before it.
    const std::string refused = ApplySettings(m_page->Fields(), m_host.Options().assignments, catalogue);
    if (!refused.empty()) {
        m_host.Finish(ECliExit::Usage, PageCaption(*m_page, catalogue) + ": " + refused + "; nothing was sent");
        return;
    }
    m_page->NotifyChanged();
    m_host.Progress("writing " + PageCaption(*m_page, catalogue));
    // With nothing known the Save sends nothing, not even its read: its
    // report says so.
    JobStarts();
    m_host.Session().WriteBack(*m_page);
}

std::string CWriteCommand::ChangeProfile()
{
    return SetPageFields(m_host, *m_page, m_host.Options().assignments);
}

} // namespace orlan
