#include "cli/commands/StatusCommand.h"

#include <QDateTime>
#include <QTimer>

#include "cli/StatusRender.h"
#include "session/TerminalSession.h"

namespace orlan {

namespace {

int64_t NowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

CStatusCommand::CStatusCommand(ICliHost& host)
    : CCliCommand(host), m_overview(host.Session(), NowMs), m_self(std::make_shared<CStatusCommand*>(this))
{
    m_observer = host.Session().AddLineObserver([this](std::string_view line) { m_overview.OnLine(line); });
}

CStatusCommand::~CStatusCommand()
{
    m_host.Session().RemoveLineObserver(m_observer);
}

void CStatusCommand::Run()
{
    CTerminalSession& session = m_host.Session();
    m_host.Progress("reading what the status shows");
    m_host.StartDeadline();
    m_readStartMs = NowMs();
    for (std::string_view name : CStatusOverview::RefreshPages()) {
        if (CPage* page = session.FindPage(name))
            session.ReadPage(*page);
    }
    m_host.WaitForQuiet(kQuietMs);
}

void CStatusCommand::OnLine(std::string_view line)
{
    EchoVerbose(line);
    if (!m_read) {
        // Events and realtime samples come whenever they like: only the
        // answers to the reads hold the printing back, and not for ever.
        const bool unasked = line.starts_with("$:") || line.find("ET33") != std::string_view::npos;
        if (!unasked && NowMs() - m_readStartMs < kReadLimitMs)
            m_host.WaitForQuiet(kQuietMs);
        return;
    }
    // The line reaches the pages after this: look once it has.
    if (m_checkQueued)
        return;
    m_checkQueued = true;
    std::weak_ptr<CStatusCommand*> self = m_self;
    QTimer::singleShot(0, [self] {
        if (const auto command = self.lock()) {
            (*command)->m_checkQueued = false;
            (*command)->PrintIfChanged();
        }
    });
}

void CStatusCommand::OnQuiet()
{
    if (m_read)
        return;
    m_read = true;
    const SStatus status = m_overview.Snapshot(&m_host.Catalogue());
    m_printed = StatusValues(status);
    const bool json = m_host.Options().json;
    const bool watch = m_host.Options().watch;
    const std::string out = json ? StatusJson(status, m_overview.NowMs(), watch)
                            : watch ? StatusLine(status, m_overview.NowMs())
                                    : StatusText(status, m_overview.NowMs());
    if (!m_host.PrintOut(out) || !m_host.FlushOut()) {
        m_host.Finish(ECliExit::OutputFailed);
        return;
    }
    if (!watch) {
        m_host.StopDeadline();
        m_host.Finish(ECliExit::Ok);
        return;
    }
    m_host.Progress("watching; SIGINT or SIGTERM ends it");
    // Watching lasts as long as --timeout only when it is given.
    if (m_host.Options().timeoutGiven)
        m_host.StartDeadline();
    else
        m_host.StopDeadline();
}

void CStatusCommand::PrintIfChanged()
{
    const SStatus status = m_overview.Snapshot(&m_host.Catalogue());
    std::string values = StatusValues(status);
    if (values == m_printed)
        return;
    m_printed = std::move(values);
    const std::string out = m_host.Options().json ? StatusJson(status, m_overview.NowMs(), true)
                                                  : StatusLine(status, m_overview.NowMs());
    if (!m_host.PrintOut(out) || !m_host.FlushOut())
        m_host.Finish(ECliExit::OutputFailed);
}

void CStatusCommand::OnDeadline(const std::string& waited)
{
    if (m_read)
        m_host.Finish(ECliExit::Ok, "watched for " + waited);
    else
        m_host.Finish(ECliExit::TimedOut, "the reads did not end within " + waited);
}

bool CStatusCommand::OnInterrupt()
{
    if (!m_read || !m_host.Options().watch)
        return false;
    m_host.Finish(ECliExit::Ok, "stopped");
    return true;
}

} // namespace orlan
