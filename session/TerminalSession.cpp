#include "session/TerminalSession.h"

#include "console/ConsoleCommands.h"

namespace orlan {

CTerminalSession::CTerminalSession(ISessionView& view, IByteSink& sink, ITimerService& timers)
    : m_view(view), m_sink(sink), m_rx(*this, sink), m_queue(sink, timers)
{
    m_rx.SetDumpDispatcher(&m_router);
}

CPage& CTerminalSession::AddPage(std::unique_ptr<CPage> page)
{
    CPage& added = *page;
    for (SDumpEntry& entry : added.DumpEntries())
        m_router.Bind(added.Info().className, entry.key, std::move(entry.handler));
    if (added.Info().lineFeed == ELineFeed::EveryLine)
        m_router.SetMainParamsParser([&added](std::string_view line) { added.ParseLine(line); });
    else if (added.Info().lineFeed == ELineFeed::EveryDollarLine)
        m_router.AddTemperatureConsumer([&added](std::string_view line) { added.ParseLine(line); });
    m_pages.push_back(std::move(page));
    return added;
}

CPage* CTerminalSession::FindPage(std::string_view className) const
{
    for (const auto& page : m_pages) {
        if (page->Info().className == className)
            return page.get();
    }
    return nullptr;
}

void CTerminalSession::SetPassword(std::string password)
{
    m_password = std::move(password);
    m_rx.SetPassword(m_password);
}

void CTerminalSession::Reload()
{
    for (std::string_view name : WholeReadClearOrder()) {
        if (CPage* page = FindPage(name))
            page->Clear();
    }
    SendWholeConfigurationRead(m_sink);
}

void CTerminalSession::Login(const std::string& haveLoginText)
{
    m_loginRetries = 0;
    if (m_rx.HaveLogin()) {
        m_view.ShowInformation(haveLoginText);
        return;
    }
    SendPassword(m_sink, m_password);
}

void CTerminalSession::EnterSetupMode()
{
    m_rx.SetSetupRequested(true);
    SendSetupKeyRun(m_sink);
}

void CTerminalSession::Restart()
{
    m_view.OnRestart();
    SendRestart(m_sink);
    m_rx.SetSetupRequested(false);
}

void CTerminalSession::FactoryDefaults()
{
    SendFactoryDefaults(m_sink);
    Reload();
}

void CTerminalSession::SendRaw(std::string_view text)
{
    m_sink.QueueWrite(text);
}

void CTerminalSession::ReadPage(CPage& page)
{
    page.Clear();
    m_sink.QueueWrite(page.DumpRequest());
}

void CTerminalSession::RunJob(CPage& page, SPageJob pageJob, std::string jobName)
{
    SJob job;
    job.name = std::move(jobName);
    job.steps.push_back(SJobStep::Call([this, &page] { m_view.OnPageBusy(page, true); }));
    if (pageJob.bracketed)
        job.steps.push_back(SJobStep::Send(std::string(kStartCmd), page.Info().defaultTickLimit));
    for (const SCommand& command : pageJob.commands) {
        if (command.noWait)
            job.steps.push_back(SJobStep::Write(command.text));
        else
            job.steps.push_back(SJobStep::Send(command.text, page.TickLimit(command)));
    }
    // A batch that was opened is always closed, even when the job is cancelled.
    if (pageJob.bracketed)
        job.steps.push_back(SJobStep::Send(std::string(kCommitCmd), page.Info().defaultTickLimit, true));
    switch (pageJob.end) {
    case EJobEnd::ReadPage:
        job.steps.push_back(SJobStep::Call([this, &page] { ReadPage(page); }));
        break;
    case EJobEnd::ReadAll:
        job.steps.push_back(SJobStep::Call([this] { Reload(); }));
        break;
    case EJobEnd::Request:
        job.steps.push_back(SJobStep::Write(std::move(pageJob.request)));
        break;
    case EJobEnd::Nothing:
        break;
    }
    job.done = [this, &page, name = job.name](const SJobReport& report) {
        m_view.OnPageBusy(page, false);
        m_view.OnJobFinished(name, report);
    };
    m_queue.Enqueue(std::move(job));
}

void CTerminalSession::WriteBack(CPage& page)
{
    if (!page.Info().hasWriteBack)
        return;
    RunJob(page, page.SaveJob(), "Write " + page.Info().className);
}

bool CTerminalSession::RunAction(CPage& page, std::string_view actionId, std::optional<size_t> selectedRow)
{
    std::optional<SPageJob> job = page.ActionJob(actionId, selectedRow);
    if (!job)
        return false;
    RunJob(page, std::move(*job), std::string(actionId) + " on " + page.Info().className);
    return true;
}

std::string CTerminalSession::CommitRow(CPage& page, size_t table, size_t row, const CFieldSet& edited)
{
    std::optional<SRowEditor> editor = page.RowEditor(table, row);
    if (!editor)
        return {};
    editor->fields = edited;
    return CommitRow(page, table, row, *editor);
}

std::string CTerminalSession::CommitRow(CPage& page, size_t table, size_t row, const SRowEditor& edited)
{
    if (!page.RowEditor(table, row))
        return {};
    std::string error = page.RowEditError(table, row, edited.fields);
    if (error.empty())
        RunJob(page, {.commands = page.CommitEditedRow(table, row, edited), .bracketed = false},
               "Edit row of " + page.Info().className);
    return error;
}

void CTerminalSession::FieldEdited(CPage& page, std::string_view fieldId)
{
    const CCommandList commands = page.OnFieldEdited(fieldId);
    if (commands.empty())
        return;
    SJob job;
    job.name = "Change " + std::string(fieldId);
    for (const SCommand& command : commands)
        job.steps.push_back(SJobStep::Send(command.text, page.TickLimit(command)));
    job.done = [this, name = job.name](const SJobReport& report) { m_view.OnJobFinished(name, report); };
    m_queue.Enqueue(std::move(job));
}

std::string CTerminalSession::ProfileBytes() const
{
    CProfileText text;
    for (std::string_view name : ProfileSectionOrder()) {
        if (const CPage* page = FindPage(name))
            page->WriteProfileSection(text);
    }
    return text.Bytes();
}

void CTerminalSession::SetProfileTickLimits(int bracketTicks, int commandTicks)
{
    m_profileBracketTicks = bracketTicks;
    m_profileCommandTicks = commandTicks;
}

bool CTerminalSession::ExecuteProfile(std::string_view contents)
{
    if (m_profileRunning)
        return false;
    m_profileRunning = true;

    SJob job;
    job.name = "Execute profile";
    job.steps.push_back(SJobStep::Send(std::string(kStartCmd), m_profileBracketTicks));
    std::string previous;
    size_t pos = 0;
    while (pos < contents.size()) {
        size_t end = contents.find('\n', pos);
        if (end == std::string_view::npos)
            end = contents.size();
        std::string line;
        for (char c : contents.substr(pos, end - pos)) {
            if (c != '\r')
                line += c;
        }
        pos = end + 1;
        if (line.empty() || line == previous)
            continue;
        previous = line;
        const bool shown = line.starts_with("\\\\");
        const bool command = !shown && line.starts_with('%');
        if (!shown && !command)
            continue;  // section headers and free text
        job.steps.push_back(SJobStep::Call([this, line] { m_view.OnProgressShowLine(3, line); }));
        if (command)
            job.steps.push_back(SJobStep::Send(line + "\r", m_profileCommandTicks));
    }
    job.steps.push_back(SJobStep::Send(std::string(kCommitCmd), m_profileBracketTicks, true));
    job.steps.push_back(SJobStep::Call(
        [this] {
            m_profileRunning = false;
            if (!m_closing) {
                m_view.ShowInformation("Excute the profile sucessed!");
                Reload();
            }
        },
        true));
    job.done = [this](const SJobReport& report) { m_view.OnJobFinished("Execute profile", report); };
    m_queue.Enqueue(std::move(job));
    return true;
}

bool CTerminalSession::PrepareToClose()
{
    m_closing = true;
    m_queue.CancelAll();
    return m_queue.Busy();
}

void CTerminalSession::OnAnswer(EAnswer answer)
{
    m_view.OnAnswer(answer);
    m_queue.OnAnswer(answer);
}

void CTerminalSession::OnLoginSuccess()
{
    m_loginRetries = 0;
    m_view.OnLoginSuccess();
    Reload();
}

void CTerminalSession::OnLoginFailed()
{
    m_view.OnLoginFailed();
    if (++m_loginRetries > kMaxLoginRetries) {
        m_loginRetries = 0;
        m_view.ShowInformation("The login password is incorrect!");
        return;
    }
    SendPassword(m_sink, m_password);
}

void CTerminalSession::OnSetupKeyRunRequested()
{
    m_view.OnSetupKeyRunRequested();
    SendSetupKeyRun(m_sink);
    m_rx.SetSetupRequested(false);
}

} // namespace orlan
