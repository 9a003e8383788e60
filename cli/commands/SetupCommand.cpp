#include "cli/commands/SetupCommand.h"

#include "session/TerminalSession.h"

namespace orlan {

namespace {

constexpr std::string_view kSetupModeLine = "come in setup mode";

} // namespace

void CSetupCommand::Run()
{
    m_host.Progress("setup key run sent; power-cycle or reset the terminal now");
    m_host.StartDeadline();
    m_host.Session().EnterSetupMode();
}

void CSetupCommand::OnLine(std::string_view line)
{
    EchoVerbose(line);
    if (line.find(kSetupModeLine) != std::string_view::npos)
        m_host.Finish(ECliExit::Ok, "the terminal is in setup mode");
}

void CSetupCommand::OnDeadline(const std::string& waited)
{
    m_host.Finish(ECliExit::TimedOut, "no \"come in setup mode\" within " + waited);
}

} // namespace orlan
