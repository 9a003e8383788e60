#include "cli/commands/ReadCommand.h"

#include "cli/commands/ProfileFiles.h"
#include "console/LeftOut.h"
#include "session/TerminalSession.h"

namespace orlan {

bool CReadCommand::Prepare()
{
    return ProfileCanBeSaved(m_host, m_host.Options().profilePath);
}

void CReadCommand::Run()
{
    m_printLines = m_host.Options().profilePath.empty();
    ReadWholeConfiguration("reading the whole configuration");
}

void CReadCommand::OnLine(std::string_view line)
{
    if (m_printLines)
        PrintConfigurationLine(line);
    else
        EchoVerbose(line);
}

void CReadCommand::PrintConfigurationLine(std::string_view line)
{
    if (!line.starts_with('$'))
        m_host.Progress("terminal: " + std::string(line));
    else if (!m_host.PrintLine(line))
        m_host.Finish(ECliExit::OutputFailed);
}

void CReadCommand::OnWholeReadComplete()
{
    if (m_host.Options().profilePath.empty())
        m_host.Finish(ECliExit::Ok, "whole configuration read");
    else
        SaveProfile();
}

void CReadCommand::SaveProfile()
{
    const std::string& path = m_host.Options().profilePath;
    std::vector<SLeftOut> leftOut;
    const std::string bytes = m_host.Session().ProfileBytes(&leftOut);
    for (const SLeftOut& left : leftOut)
        m_host.Progress("profile: " + LeftOutText(left));
    const std::string why = SaveFileSafely(path, bytes, kProfileSave);
    if (!why.empty()) {
        m_host.Finish(ECliExit::ProfileFailed, ProfileFailure(path, why));
        return;
    }
    m_host.Finish(ECliExit::Ok, "profile written to " + path + " (" + std::to_string(bytes.size()) + " bytes)");
}

} // namespace orlan
