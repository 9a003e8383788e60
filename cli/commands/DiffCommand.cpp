#include "cli/commands/DiffCommand.h"

#include "cli/commands/ProfileFiles.h"
#include "session/ProfileDiff.h"
#include "session/TerminalSession.h"

namespace orlan {

bool CDiffCommand::Prepare()
{
    return ReadProfileText(m_host, m_profileText);
}

void CDiffCommand::Run()
{
    ReadWholeConfiguration("reading the whole configuration");
}

void CDiffCommand::OnWholeReadComplete()
{
    const std::string& path = m_host.Options().profilePath;
    const std::vector<SSectionDiff> diff = DiffProfiles(m_profileText, m_host.Session().ProfileBytes());
    if (!m_host.PrintOut(DiffText(diff, path, "terminal"))) {
        m_host.Finish(ECliExit::OutputFailed);
        return;
    }
    if (diff.empty())
        m_host.Finish(ECliExit::Ok, "the terminal holds " + path);
    else
        m_host.Finish(ECliExit::Differs, std::to_string(diff.size()) + " sections differ from " + path);
}

} // namespace orlan
