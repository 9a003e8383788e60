#include "cli/commands/DefaultsCommand.h"

#include "session/TerminalSession.h"

namespace orlan {

void CDefaultsCommand::Run()
{
    m_printLines = true;
    m_host.Progress("factory defaults, then reading the whole configuration");
    m_host.StartDeadline();
    m_host.Session().FactoryDefaults();
}

void CDefaultsCommand::OnAnswer(EAnswer answer)
{
    if (answer == EAnswer::CmdErr)
        m_rejected = true;
}

void CDefaultsCommand::OnWholeReadComplete()
{
    m_host.Finish(m_rejected ? ECliExit::Rejected : ECliExit::Ok,
                  m_rejected ? "\"%ATF\" was answered CMD ERR" : "whole configuration read");
}

} // namespace orlan
