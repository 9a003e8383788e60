#include "cli/commands/ExecCommand.h"

#include "cli/commands/OfflineProfile.h"
#include "cli/commands/ProfileFiles.h"
#include "cli/commands/ReadAfterJob.h"
#include "console/ConsoleCommands.h"
#include "session/ProfileDiff.h"
#include "session/TerminalSession.h"

namespace orlan {

bool CExecCommand::Prepare()
{
    return SparesProfile(m_host, m_host.Options().backupPath) && LoadProfile()
           && ProfileCanBeSaved(m_host, m_host.Options().backupPath);
}

bool CExecCommand::LoadProfile()
{
    const SCliOptions& options = m_host.Options();
    std::string filled;
    if (!options.assignments.empty() && !FillTemplate(filled))
        return false;
    // In chunks through the reader: the file is never held whole.
    CProfileReader reader;
    auto feed = [&](std::string_view bytes) {
        reader.Feed(bytes);
        if (options.verify)
            m_profileText += bytes;  // compared with the terminal afterwards
    };
    std::string why;
    if (options.assignments.empty())
        why = ReadFileInChunks(options.profilePath, kMaxProfileBytes, feed);
    else
        feed(filled);
    if (why.empty()) {
        reader.Finish();
        why = reader.Error();
    }
    if (!why.empty()) {
        m_host.Finish(ECliExit::ProfileFailed, ProfileFailure(options.profilePath, why));
        return false;
    }
    m_profile = reader.TakeLines();
    for (const SProfileLine& line : m_profile) {
        if (line.command)
            m_profileCommands.push_back(line.text);
    }
    return true;
}

bool CExecCommand::FillTemplate(std::string& filled)
{
    // The template's values go into the pages, the values given over them,
    // by the same rules as write and edit; refused before the port opens.
    SOpenedProfile opened;
    if (!OpenProfile(m_host, m_host.Options().profilePath, opened))
        return false;
    const size_t leftOutBefore = LeftOutNow(m_host, opened);
    if (const std::string refused = SetTemplateValues(m_host, m_host.Options().assignments); !refused.empty()) {
        m_host.Finish(refused.find("not written") != std::string::npos ? ECliExit::NotWritten : ECliExit::Usage,
                      refused + "; nothing was sent");
        return false;
    }
    if (!ProfileAfterChanges(m_host, opened, leftOutBefore, filled))
        return false;
    return true;
}

// Commands that begin with a whole read need no login check of their own:
// the read is answered with a prompt when logged out, and the login starts
// it again.
bool CExecCommand::NeedsLogin() const
{
    return m_host.Options().backupPath.empty();
}

bool CExecCommand::BacksUpFirst() const
{
    return !m_host.Options().backupPath.empty() && !m_backupDone;
}

void CExecCommand::Run()
{
    if (BacksUpFirst())
        ReadWholeConfiguration("reading the whole configuration for the backup");
    else
        Execute();
}

void CExecCommand::Execute()
{
    m_host.Progress("executing " + m_host.Options().profilePath);
    m_started = m_host.Session().ExecuteProfile(std::move(m_profile));
    m_profile.clear();
    if (!m_started)
        m_host.Finish(ECliExit::ProfileFailed, "the profile was not executed");
}

void CExecCommand::BackupThenExecute()
{
    const std::string& path = m_host.Options().backupPath;
    const std::string bytes = m_host.Session().ProfileBytes();
    const std::string why = SaveFileSafely(path, bytes, kProfileSave);
    if (!why.empty()) {
        m_host.Finish(ECliExit::ProfileFailed,
                      "the backup could not be written (" + path + ": " + why + "); nothing was sent");
        return;
    }
    m_host.Progress("backup written to " + path + " (" + std::to_string(bytes.size()) + " bytes)");
    m_backupDone = true;
    m_host.StopDeadline();
    Execute();
}

void CExecCommand::OnProgressLine(const std::string& text)
{
    // While the profile runs these are its lines, as its progress window
    // shows them: its notes always, its commands only when asked for (a
    // long profile would bury the outcome).
    if (!m_host.Session().ProfileRunning())
        return;
    if (m_host.Options().verbose || !text.starts_with('%'))
        m_host.Progress(text);
    if (m_commandsOut < m_profileCommands.size() && text == m_profileCommands[m_commandsOut]) {
        ++m_commandsOut;  // announced right before it is written
        m_lastAnswered = false;
    }
}

void CExecCommand::OnAnswer(EAnswer /*answer*/)
{
    if (m_host.Session().ProfileRunning())
        m_lastAnswered = true;
}

void CExecCommand::OnWholeReadComplete()
{
    if (m_readAfter)
        Verify();
    else if (BacksUpFirst())
        BackupThenExecute();
}

void CExecCommand::OnWholeReadFailed(const std::string& reason)
{
    if (m_readAfter)
        ReadAfterJobFailed(m_host, reason);
    else
        CCliCommand::OnWholeReadFailed(reason);
}

void CExecCommand::OnJobFinished(const SJobReport& /*report*/)
{
    // The session has started the whole read that follows the commands.
    m_readAfter = true;
    m_host.StartDeadline();
}

void CExecCommand::OnDeadline(const std::string& waited)
{
    if (m_readAfter)
        ReadAfterJobLate(m_host, waited);
    else
        CCliCommand::OnDeadline(waited);
}

void CExecCommand::Verify()
{
    const SJobReport& report = m_host.LastReport();
    if (!m_host.Options().verify) {
        m_host.Finish(ExitOf(report), "whole configuration read");
        return;
    }
    // What the profile asks for and the terminal does not hold now did not
    // take effect; settings the profile does not name do not count.
    const std::vector<std::string> notHeld = CommandsNotHeld(m_profileText, m_host.Session().ProfileBytes());
    for (const std::string& command : notHeld) {
        if (!m_host.PrintLine(command + " (did not take effect)")) {
            m_host.Finish(ECliExit::OutputFailed);
            return;
        }
    }
    const size_t missing = notHeld.size();
    if (missing > 0)
        m_host.Finish(ECliExit::NotVerified, std::to_string(missing) + " of the profile's settings did not take effect");
    else
        m_host.Finish(ExitOf(report), "every setting of the profile took effect");
}

void CExecCommand::OnLinkLostInProfile()
{
    // Which commands went out: the one on the wire lost its answer, the rest
    // never left, and the batch stays open on the terminal.
    m_host.Progress("the link was lost during the profile: " + std::to_string(m_commandsOut) + " of its "
                    + std::to_string(m_profileCommands.size())
                    + " commands had gone out; \"%COMMITCMD\" was not sent");
    bool written = true;
    if (m_commandsOut > 0 && !m_lastAnswered)
        written = m_host.PrintLine(m_profileCommands[m_commandsOut - 1] + " (no answer)");
    for (size_t i = m_commandsOut; i < m_profileCommands.size() && written; ++i)
        written = m_host.PrintLine(m_profileCommands[i] + " (not sent)");
    if (written)
        m_host.PrintLine(std::string(kCommitCmd.substr(0, kCommitCmd.size() - 1)) + " (not sent)");
}

void CExecCommand::BeforeEnd(bool portUsed)
{
    if (!portUsed || m_started || m_profileCommands.empty())
        return;
    // The port was open and the run ends before the profile: say so where its results go.
    m_host.Progress("nothing of the profile was sent");
    bool written = true;
    for (size_t i = 0; i < m_profileCommands.size() && written; ++i)
        written = m_host.PrintLine(m_profileCommands[i] + " (not sent)");
}

} // namespace orlan
