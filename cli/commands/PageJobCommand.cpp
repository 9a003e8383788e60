#include "cli/commands/PageJobCommand.h"

#include "cli/commands/OfflineProfile.h"
#include "cli/commands/PageLookup.h"
#include "cli/commands/ReadAfterJob.h"
#include "session/PageAccess.h"
#include "session/TerminalSession.h"

namespace orlan {

bool CPageJobCommand::Prepare()
{
    SOpenedProfile opened;
    const bool offline = WorksOffline(m_host.Options());
    if (offline && !OpenProfile(m_host, m_host.Options().profilePath, opened))
        return false;
    m_page = FindNamedPage(m_host);
    if (m_page == nullptr || !Check())
        return false;
    if (!offline)
        return true;
    // On a profile: the same values into the same page, then the file.
    const size_t leftOutBefore = LeftOutNow(m_host, opened);
    if (const std::string refused = ChangeProfile(); !refused.empty()) {
        m_host.Finish(refused.starts_with("not written") ? ECliExit::NotWritten : ECliExit::Usage,
                      PageNameForRefusal(*m_page, m_host.Catalogue()) + ": " + refused
                          + "; the profile was left as it was");
        return false;
    }
    SaveProfileAndFinish(m_host, opened, leftOutBefore);
    return false;
}

void CPageJobCommand::Run()
{
    ReadWholeConfiguration("reading the whole configuration");
}

void CPageJobCommand::OnLine(std::string_view line)
{
    EchoVerbose(line);
}

void CPageJobCommand::OnWholeReadComplete()
{
    if (m_stage == EStage::Reading)
        StartJob();
    else if (m_stage == EStage::ReadAfter)
        m_host.Finish(ExitOf(m_host.LastReport()), "whole configuration read");
}

void CPageJobCommand::OnWholeReadFailed(const std::string& reason)
{
    if (m_stage == EStage::Reading)
        CCliCommand::OnWholeReadFailed(reason);
    else if (m_stage == EStage::ReadAfter)
        ReadAfterJobFailed(m_host, reason);
}

void CPageJobCommand::JobStarts()
{
    m_stage = EStage::Job;
    m_pageReadEnded = false;
}

void CPageJobCommand::OnJobFinished(const SJobReport& /*report*/)
{
    switch (m_host.LastJobEnd()) {
    case EJobEnd::ReadPage:
    case EJobEnd::Request:  // a row's own request: the session ends it like a page's read
        if (m_pageReadEnded) {
            ReadBack();
            return;
        }
        m_stage = EStage::PageRead;
        break;
    case EJobEnd::ReadAll:
        m_stage = EStage::ReadAfter;
        break;
    case EJobEnd::Nothing:  // nothing went out: nothing comes back
        ReadBack();
        return;
    }
    m_host.StartDeadline();
}

void CPageJobCommand::OnPageReadEnded(const CPage& page)
{
    if (&page != m_page)
        return;
    if (m_stage == EStage::PageRead)
        ReadBack();
    else if (m_stage == EStage::Job)
        m_pageReadEnded = true;
}

void CPageJobCommand::ReadBack()
{
    m_host.Finish(ExitOf(m_host.LastReport()), PageCaption(*m_page, m_host.Catalogue()) + " read back");
}

void CPageJobCommand::OnDeadline(const std::string& waited)
{
    if (m_stage == EStage::PageRead)
        m_host.Finish(ExitOf(m_host.LastReport()), "the page's read did not end within " + waited);
    else if (m_stage == EStage::ReadAfter)
        ReadAfterJobLate(m_host, waited);
    else
        CCliCommand::OnDeadline(waited);
}

} // namespace orlan
