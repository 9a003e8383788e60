#include "cli/CliCommand.h"

#include <algorithm>

#include "session/TerminalSession.h"

namespace orlan {

ECliExit ExitOf(const SJobReport& report)
{
    if (report.rejected > 0)
        return ECliExit::Rejected;
    const bool editLeftOut = std::any_of(report.leftOut.begin(), report.leftOut.end(),
                                         [](const SLeftOut& left) { return left.carriesEdit; });
    if (editLeftOut || (report.sent == 0 && !report.leftOut.empty()))
        return ECliExit::NotWritten;
    // A command that never went out, or whose answer may be another's, is
    // as unknown as one that got no answer.
    return report.AllAccepted() ? ECliExit::Ok : ECliExit::Unanswered;
}

void CCliCommand::OnLine(std::string_view line)
{
    EchoVerbose(line);
}

void CCliCommand::EchoVerbose(std::string_view line) const
{
    if (m_host.Options().verbose)
        m_host.Progress("< " + std::string(line));
}

void CCliCommand::ReadWholeConfiguration(const std::string& what)
{
    m_host.Progress(what);
    m_host.StartDeadline();
    m_host.Session().Reload();
}

void CCliCommand::OnWholeReadFailed(const std::string& reason)
{
    m_host.Finish(ECliExit::TimedOut, "the whole configuration read failed: " + reason);
}

void CCliCommand::OnDeadline(const std::string& waited)
{
    m_host.Finish(ECliExit::TimedOut, "no complete answer from the terminal within " + waited);
}

} // namespace orlan
