#include "cli/commands/RestartCommand.h"

#include "console/ConsoleCommands.h"
#include "session/TerminalSession.h"

namespace orlan {

// Named without its CR.
CRestartCommand::CRestartCommand(ICliHost& host)
    : CAnswerCommand(host, std::string(kRestart.substr(0, kRestart.size() - 1)))
{
}

void CRestartCommand::Run()
{
    m_host.WaitForAnswer(kAnswerWaitMs);
    m_host.Session().Restart();
}

void CRestartCommand::Accepted()
{
    m_host.Finish(ECliExit::Ok, "the terminal accepted \"%RST\" and restarts");
}

} // namespace orlan
