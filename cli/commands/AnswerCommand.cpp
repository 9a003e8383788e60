#include "cli/commands/AnswerCommand.h"

#include "session/TerminalSession.h"

namespace orlan {

static_assert(CAnswerCommand::kAnswerWaitMs == CTerminalSession::kProfileBracketWaitMs,
              "an answer is waited for as long as a profile's bracket");

void CAnswerCommand::OnAnswer(EAnswer answer)
{
    if (answer == EAnswer::CmdErr)
        m_host.Finish(ECliExit::Rejected, m_awaited + " was answered CMD ERR");
    else
        Accepted();
}

void CAnswerCommand::OnAnswerLate()
{
    m_host.Finish(ECliExit::Unanswered, "no answer to " + m_awaited + " in time");
}

} // namespace orlan
