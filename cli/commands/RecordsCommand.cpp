#include "cli/commands/RecordsCommand.h"

#include "pages/logs/ExtTmpLogPage.h"
#include "platform/SafeFile.h"
#include "session/TerminalSession.h"

namespace orlan {

void CRecordsCommand::Run()
{
    m_page = m_host.Session().FindPage("CPageExtTmpLog");
    if (m_page == nullptr) {
        m_host.Finish(ECliExit::Usage, "this build has no temperature log page");
        return;
    }
    m_host.Progress("asking the terminal for its stored temperature log");
    if (!m_host.Session().RunAction(*m_page, CPageExtTmpLog::kSyncAction, std::nullopt))
        m_host.Finish(ECliExit::Unanswered, "the replay request was not sent");
}

void CRecordsCommand::OnJobFinished(const SJobReport& /*report*/)
{
    m_replaying = true;
    m_host.WaitForQuiet(m_host.Options().quietMs);
    m_host.StartDeadline();
}

void CRecordsCommand::OnLine(std::string_view line)
{
    if (m_replaying)
        m_host.WaitForQuiet(m_host.Options().quietMs);
    EchoVerbose(line);
}

void CRecordsCommand::OnQuiet()
{
    Export();
}

void CRecordsCommand::OnDeadline(const std::string& waited)
{
    if (!m_replaying) {
        CCliCommand::OnDeadline(waited);
        return;
    }
    // A log cut short is not exported as if whole.
    m_host.Finish(ECliExit::TimedOut, "the terminal was still sending its log after " + waited
                                          + "; nothing was exported (a longer --timeout gives it time)");
}

void CRecordsCommand::Export()
{
    const std::string& path = m_host.Options().exportPath;
    const std::string bytes = static_cast<const CPageExtTmpLog*>(m_page)->ExportBytes();
    const size_t records = m_page->Tables().empty() ? 0 : m_page->Tables().front().Rows();
    // A replay that brought nothing (a silent or refused request) is no
    // success, and no reason to empty a file that holds an earlier export.
    if (records == 0) {
        m_host.Finish(ECliExit::Unanswered,
                      "no records came" + (path.empty() ? std::string() : "; " + path + " left as it was"));
        return;
    }
    if (path.empty()) {
        m_host.Finish(m_host.PrintOut(bytes) ? ExitOf(m_host.LastReport()) : ECliExit::OutputFailed,
                      std::to_string(records) + " records");
        return;
    }
    // The records are the unit's data: written whole or not at all.
    const std::string why = SaveFileSafely(path, bytes, {});
    if (!why.empty()) {
        m_host.Finish(ECliExit::ProfileFailed, "Open/Create the log file failed! (" + path + ": " + why + ")");
        return;
    }
    m_host.Finish(ExitOf(m_host.LastReport()), std::to_string(records) + " records written to " + path);
}

} // namespace orlan
