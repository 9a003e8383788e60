#include "cli/commands/SendCommand.h"

#include "session/TerminalSession.h"

namespace orlan {

CSendCommand::CSendCommand(ICliHost& host) : CAnswerCommand(host, host.Options().text) {}

void CSendCommand::Run()
{
    m_host.WaitForAnswer(kAnswerWaitMs);
    m_host.Session().SendRaw(m_host.Options().text + "\r");
}

void CSendCommand::OnLine(std::string_view line)
{
    m_host.WaitForQuiet(kQuietMs);
    // A watcher sees each line as it comes.
    if (!m_host.PrintLine(line))
        m_host.Finish(ECliExit::OutputFailed);
}

void CSendCommand::OnQuiet()
{
    m_host.Finish(ECliExit::Ok, "the terminal has gone quiet");
}

void CSendCommand::Accepted()
{
    m_host.Finish(ECliExit::Ok);
}

} // namespace orlan
