#include "session/TerminalSession.h"

#include <algorithm>
#include <utility>

#include "console/ConsoleCommands.h"
#include "pages/KnownValues.h"

namespace orlan {

CTerminalSession::CTerminalSession(ISessionView& view, IByteSink& sink, ITimerService& timers)
    : m_view(view), m_sink(sink), m_timers(timers), m_rx(*this, sink), m_queue(sink, timers)
{
    m_rx.SetDumpDispatcher(this);
    m_queue.onIdle = [this] {
        if (auto then = std::exchange(m_whenIdle, nullptr))
            then();
        m_view.OnQueueIdle();
    };
}

void CTerminalSession::WhenIdle(std::function<void()> then)
{
    if (m_queue.Busy()) {
        m_whenIdle = std::move(then);
        return;
    }
    m_whenIdle = nullptr;
    if (then)
        then();
}

CTerminalSession::~CTerminalSession()
{
    StopReadTimer();
    if (m_pictureTimer)
        m_timers.Cancel(*m_pictureTimer);
    if (m_pageReadTimer)
        m_timers.Cancel(*m_pageReadTimer);
}

void CTerminalSession::OnSerialData(const char* bytes, size_t count)
{
    if (count == 0)
        return;
    m_lastBytesMs = m_timers.NowMs();
    m_rx.OnSerialData(bytes, count);
    if (m_pictureTimer) {
        m_timers.Cancel(*m_pictureTimer);
        m_pictureTimer.reset();
    }
    if (m_rx.ImageMode()) {
        m_pictureTimer = m_timers.CallAfter(kPictureQuietMs, [this] {
            m_pictureTimer.reset();
            m_rx.AbandonImage();
        });
    }
}

namespace {

// Lines only a terminal that is starting up prints: a profile's batch did not
// survive them.
constexpr std::string_view kBootLines[] = {"Machine timer supported!", "Waiting module...", "Press '%%%%",
                                           "System init Done...", "Console started, please login"};

constexpr size_t kTakenListed = 30;

} // namespace

void CTerminalSession::OnLineLogged(std::string_view line)
{
    m_view.OnLineLogged(line);
    for (const auto& [id, observer] : m_lineObservers)
        observer(line);
    if (!m_profileRunning || m_profileRestarted)
        return;
    for (std::string_view boot : kBootLines) {
        if (line.find(boot) != std::string_view::npos) {
            m_profileRestarted = true;
            m_queue.Abandon("the terminal restarted");
            return;
        }
    }
}

void CTerminalSession::DispatchLine(std::string_view line)
{
    // Settings of a stale dump (before the line went quiet, or before the
    // request went out) are not the current read's; records and live state
    // are news whenever they come.
    if (m_read == EWholeRead::Settling || (m_read == EWholeRead::Requested && !m_sink.OnWire(m_readMark))) {
        m_router.DispatchLiveLine(line);
        return;
    }
    if (m_read == EWholeRead::Requested && line.starts_with('$'))
        ++m_readDollarLines;
    m_router.DispatchLine(line);
}

CPage& CTerminalSession::AddPage(std::unique_ptr<CPage> page)
{
    CPage& added = *page;
    added.RouteSettings(m_router);
    for (SDumpEntry& entry : added.DumpEntries())
        m_router.Bind(added.Info().className, entry.key, std::move(entry.handler));
    if (added.Info().lineFeed == ELineFeed::EveryDollarLine)
        m_router.AddTemperatureConsumer([&added](std::string_view line) { added.ParseLine(line); });
    m_pages.push_back(std::move(page));
    return added;
}

void CTerminalSession::OnEventAppended(const SEventRow& row)
{
    for (const auto& page : m_pages)
        page->OnEventRow(row);
    m_view.OnEventAppended(row);
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
    if (password != m_password)
        StartLoginAttempt();
    m_password = std::move(password);
    m_rx.SetPassword(m_password);
}

void CTerminalSession::Reload()
{
    StopReadTimer();
    m_readAfterProfile = false;
    m_read = EWholeRead::Settling;
    m_readSettleStart = m_timers.NowMs();
    CheckReadSettle();
}

void CTerminalSession::CheckReadSettle()
{
    const int64_t now = m_timers.NowMs();
    const int64_t quiet = m_lastBytesMs ? now - *m_lastBytesMs : kReadSettleMs;
    const int64_t settling = now - m_readSettleStart;
    if (quiet >= kReadSettleMs || settling >= kReadSettleLimitMs) {
        RequestWholeRead();
        return;
    }
    const int64_t wait = std::min<int64_t>(kReadSettleMs - quiet, kReadSettleLimitMs - settling);
    m_readTimer = m_timers.CallAfter(static_cast<int>(wait), [this] {
        m_readTimer.reset();
        CheckReadSettle();
    });
}

void CTerminalSession::RequestWholeRead()
{
    const size_t blocks = IByteSink::BlocksFor(kDumpS.size()) + IByteSink::BlocksFor(kDumpR.size());
    if (m_sink.FreeBlocks() < blocks) {
        if (m_timers.NowMs() - m_readSettleStart >= kReadSettleLimitMs + CCommandQueue::kRoomWaitLimitMs) {
            FailWholeRead("the read request could not be written: the channel's output stayed full");
            return;
        }
        m_readTimer = m_timers.CallAfter(CCommandQueue::kRoomRetryMs, [this] {
            m_readTimer.reset();
            RequestWholeRead();
        });
        return;
    }
    // What the quiet line left unfinished (a burst without line end) would
    // swallow the first line of the dump.
    if (m_lastBytesMs)
        m_rx.DiscardUnfinishedLine();
    m_read = EWholeRead::Requested;
    m_holdsWholeRead = false;
    m_readDollarLines = 0;
    m_readGarbledMark = m_rx.GarbledDumpLines();
    m_readRequestedAt = m_timers.NowMs();
    bool written = m_sink.QueueWrite(kDumpS) == kDumpS.size();
    m_dumpsMark = m_sink.WriteMark();
    written = written && m_sink.QueueWrite(kDumpR) == kDumpR.size();
    m_readMark = m_sink.WriteMark();
    if (!written) {
        // The pages keep what they show: no dump can come to refill them.
        FailWholeRead("the read request could not be written: the channel is closed");
        return;
    }
    // Cleared after the request went out: received blocks reach this thread
    // only after this returns, so no line of the answer is lost.
    for (std::string_view name : WholeReadClearOrder()) {
        if (CPage* page = FindPage(name))
            page->Clear();
    }
    // Lines a loaded profile file kept are the file's, never the terminal's.
    m_keptProfileLines.Clear();
    m_loadedSections.reset();
    m_readTimer = m_timers.CallAfter(m_wholeReadLimitMs, [this] {
        m_readTimer.reset();
        FailWholeRead("no end of the dump within " + std::to_string(m_wholeReadLimitMs / 1000) + " s");
    });
    if (kWholeReadSilenceMs < m_wholeReadLimitMs)
        m_silenceTimer = m_timers.CallAfter(kWholeReadSilenceMs, [this] {
            m_silenceTimer.reset();
            CheckReadSilence();
        });
}

void CTerminalSession::CheckReadSilence()
{
    if (m_read != EWholeRead::Requested)
        return;
    if (m_lastBytesMs && *m_lastBytesMs >= m_readRequestedAt)
        return;  // it speaks; the read limit decides
    FailWholeRead("the terminal did not answer within " + std::to_string(kWholeReadSilenceMs / 1000)
                  + " s: check the cable, the port, that the terminal is powered and that the password is "
                    "right");
}

void CTerminalSession::OnChannelOpened()
{
    m_lastBytesMs = m_timers.NowMs();
    // Another terminal may be on the line now.
    m_holdsWholeRead = false;
}

void CTerminalSession::OnChannelClosed(const std::string& reason)
{
    if (m_read == EWholeRead::Settling || m_read == EWholeRead::Requested)
        FailWholeRead(reason.empty() ? "the port was closed" : "the link was lost: " + reason);
}

void CTerminalSession::FailWholeRead(const std::string& reason)
{
    StopReadTimer();
    m_read = EWholeRead::Failed;
    m_view.OnWholeReadFailed(reason);
}

void CTerminalSession::StopReadTimer()
{
    if (m_readTimer) {
        m_timers.Cancel(*m_readTimer);
        m_readTimer.reset();
    }
    if (m_silenceTimer) {
        m_timers.Cancel(*m_silenceTimer);
        m_silenceTimer.reset();
    }
}

void CTerminalSession::OnDumpEndLine()
{
    switch (m_read) {
    case EWholeRead::Settling:
        return;  // the end of a stale dump
    case EWholeRead::Requested:
        if (!m_sink.OnWire(m_readMark))
            return;  // it came before its request could have reached the terminal
        if (const size_t garbled = m_rx.GarbledDumpLines() - m_readGarbledMark; garbled > 0) {
            // Settings read through a line that adds bytes cannot be trusted.
            FailWholeRead(std::to_string(garbled) + " lines of the dump came with stray bytes before them: "
                          "check the port's speed and parity, and the cable");
            return;
        }
        if (m_readDollarLines == 0) {
            // An end line alone: the terminal printed none of its settings.
            FailWholeRead("the terminal ended its dump without a single setting line");
            return;
        }
        StopReadTimer();
        m_read = EWholeRead::Complete;
        m_holdsWholeRead = true;
        // Observers first: a view may end the program on a complete read.
        for (const auto& observer : m_wholeReadObservers)
            observer(m_readAfterProfile);
        m_view.OnWholeReadComplete();
        return;
    case EWholeRead::Idle:
    case EWholeRead::Complete:
    case EWholeRead::Failed:
        m_view.OnDumpEndOutsideRead();
        return;
    }
}

void CTerminalSession::Login(const std::string& haveLoginText)
{
    StartLoginAttempt();
    if (m_rx.HaveLogin()) {
        m_view.ShowInformation(haveLoginText);
        return;
    }
    SendCountedPassword();
}

void CTerminalSession::StartLoginAttempt()
{
    m_loginFailures = 0;
    m_passwordsSent = 0;
    m_awaitingVerdict = false;
    m_loginGivenUp = false;
}

void CTerminalSession::SendCountedPassword()
{
    ++m_passwordsSent;
    m_awaitingVerdict = true;
    m_passwordSentAt = m_timers.NowMs();
    SendPassword(m_sink, m_password);
}

void CTerminalSession::GiveUpLogin()
{
    if (m_loginGivenUp)
        return;
    m_loginGivenUp = true;
    m_awaitingVerdict = false;
    m_view.ShowInformation("The login password is incorrect!");
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

bool CTerminalSession::SendRaw(std::string_view text)
{
    return m_sink.QueueWrite(text) == text.size();
}

void CTerminalSession::ReadPage(CPage& page)
{
    // A page whose request the channel refuses (the cable was pulled during
    // its write-back) keeps what it shows: it would never be filled again.
    // Clearing after the write is safe, as received blocks reach this thread
    // only after this returns.
    const std::string request = page.DumpRequest();
    const bool written = m_sink.QueueWrite(request) == request.size();
    if (written)
        page.Clear();
    WatchPageRead(page);
}

void CTerminalSession::WatchPageRead(const CPage& page)
{
    if (m_pageReadTimer)
        m_timers.Cancel(*m_pageReadTimer);
    m_pageReadTimer.reset();
    m_pageRead = &page;
    m_pageReadAt = m_timers.NowMs();
    CheckPageReadQuiet();
}

void CTerminalSession::CheckPageReadQuiet()
{
    const int64_t now = m_timers.NowMs();
    const int64_t spoke = std::max(m_pageReadAt, m_lastBytesMs.value_or(m_pageReadAt));
    if (now - spoke >= kPageReadQuietMs) {
        const CPage* page = std::exchange(m_pageRead, nullptr);
        if (page != nullptr)
            m_view.OnPageReadEnded(*page);
        return;
    }
    m_pageReadTimer = m_timers.CallAfter(static_cast<int>(kPageReadQuietMs - (now - spoke)), [this] {
        m_pageReadTimer.reset();
        CheckPageReadQuiet();
    });
}

void CTerminalSession::RunJob(CPage& page, SPageJob pageJob, SPageJobKind kind, std::string jobName,
                               std::vector<SLeftOut> leftOut)
{
    SJob job;
    job.name = std::move(jobName);
    job.steps.push_back(SJobStep::Call([this, &page] { m_view.OnPageBusy(page, true); }));
    if (pageJob.resetsPicture)
        job.steps.push_back(SJobStep::Call([this] { m_rx.AbandonImage(); }));
    if (pageJob.progressTicks > 0)
        job.steps.push_back(SJobStep::Call([this, ticks = pageJob.progressTicks] { m_view.OnProgressShow(ticks); }));
    if (pageJob.bracketed)
        job.steps.push_back(SJobStep::Send(std::string(kStartCmd), page.Info().defaultAnswerWaitMs));
    for (const SCommand& command : pageJob.commands) {
        if (command.noWait)
            job.steps.push_back(SJobStep::Write(command.text));
        else
            job.steps.push_back(SJobStep::Send(command.text, page.AnswerWaitMs(command)));
    }
    // A batch that was opened is always closed, even when the job is cancelled.
    if (pageJob.bracketed)
        job.steps.push_back(SJobStep::Send(std::string(kCommitCmd), page.Info().defaultAnswerWaitMs, true));
    switch (pageJob.end) {
    case EJobEnd::ReadPage:
        job.steps.push_back(SJobStep::Call([this, &page] { ReadPage(page); }));
        break;
    case EJobEnd::ReadAll:
        job.steps.push_back(SJobStep::Call([this] { Reload(); }));
        break;
    case EJobEnd::Request:
        job.steps.push_back(SJobStep::Write(std::move(pageJob.request)));
        job.steps.push_back(SJobStep::Call([this, &page] { WatchPageRead(page); }));
        break;
    case EJobEnd::Nothing:
        break;
    }
    kind.end = pageJob.end;
    // What a write sends is what the fields hold now; edits made while it
    // runs stay edits.
    std::vector<SFieldValue> sent;
    if (kind.kind == SPageJobKind::EKind::Write)
        sent = page.Fields().Values();
    job.done = [this, &page, name = job.name, kind = std::move(kind), sent = std::move(sent),
                leftOut = std::move(leftOut)](const SJobReport& sentReport) {
        SJobReport report = sentReport;
        report.leftOut = leftOut;
        const bool written = kind.kind == SPageJobKind::EKind::Write && report.AllAccepted() && !report.cancelled;
        if (written && page.Fields().HasEdits()) {
            // An edit that went out in no command (another value of its
            // command was never reported) stays an edit.
            std::vector<std::string> notWritten;
            for (const SLeftOut& left : report.leftOut)
                notWritten.insert(notWritten.end(), left.editedIds.begin(), left.editedIds.end());
            page.Fields().AcceptEdits(sent, notWritten);
            page.NotifyChanged();
        }
        m_view.OnPageBusy(page, false);
        m_view.OnPageJobFinished(page, kind, name, report);
    };
    m_queue.Enqueue(std::move(job));
}

void CTerminalSession::WriteBack(CPage& page)
{
    if (!page.Info().hasWriteBack)
        return;
    std::vector<SLeftOut> leftOut;
    SPageJob job = KnownSaveJob(page, leftOut);
    if (RefusesValues(page, page.Fields(), job.commands))
        return;
    RunJob(page, std::move(job), {}, "Write " + page.Info().className, std::move(leftOut));
}

bool CTerminalSession::RunAction(CPage& page, std::string_view actionId, std::optional<size_t> selectedRow)
{
    std::optional<SPageJob> job = page.ActionJob(actionId, selectedRow);
    if (!job)
        return false;
    RunJob(page, std::move(*job), {SPageJobKind::EKind::Action, std::string(actionId), selectedRow},
           std::string(actionId) + " on " + page.Info().className);
    return true;
}

std::string CTerminalSession::CommitRow(CPage& page, size_t table, size_t row, const CFieldSet& edited)
{
    std::optional<SRowEditor> editor = OpenRowEditor(page, table, row);
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
    if (!error.empty())
        return error;
    if (m_profileShown) {
        std::string why = ApplyRowToPage(page, table, row, edited);
        if (!why.empty())
            m_view.OnValueRefused(page, {}, "the row was not changed in the profile: " + why);
        return why;
    }
    std::vector<SLeftOut> leftOut;
    CCommandList commands = KnownRowCommands(page, table, row, WithKnownFromRow(page, table, row, edited), leftOut);
    if (RefusesValues(page, edited.fields, commands))
        return {};
    SPageJob job = RowJob(std::move(commands), !leftOut.empty());
    RunJob(page, std::move(job), {SPageJobKind::EKind::RowEdit, {}, row, table}, "Edit row of " + page.Info().className,
           std::move(leftOut));
    return {};
}

std::string CTerminalSession::ApplyRowToPage(CPage& page, size_t table, size_t row, const SRowEditor& edited)
{
    std::vector<SLeftOut> leftOut;
    const CCommandList commands =
        KnownRowCommands(page, table, row, WithKnownFromRow(page, table, row, edited), leftOut);
    if (!leftOut.empty())
        return "not written: " + leftOut.front().command + " carries a value the profile does not hold";
    for (const SCommand& command : commands) {
        std::string_view text = command.text;
        while (text.ends_with('\r') || text.ends_with('\n'))
            text.remove_suffix(1);
        if (text.empty() || text.front() != '%' || kStartCmd.starts_with(text) || kCommitCmd.starts_with(text)
            || text.starts_with("%DUMP"))
            continue;
        if (!page.TakeProfileCommand(text))
            return "its command " + std::string(text) + " is none a profile holds";
    }
    return {};
}

SRowEditor CTerminalSession::WithKnownFromRow(const CPage& page, size_t table, size_t row, SRowEditor edited)
{
    // A dialog's value is known when the person typed it, or when it is
    // still what the row showed from known cells; the dialog need not have
    // been opened through OpenRowEditor.
    const std::optional<SRowEditor> opened = OpenRowEditor(page, table, row);
    if (!opened)
        return edited;
    for (size_t i = 0; i < edited.fields.Size(); ++i) {
        const std::string& id = edited.fields.Desc(i).id;
        if (edited.fields.IsKnown(i) || !opened->fields.Has(id))
            continue;
        const size_t o = opened->fields.IndexOf(id);
        edited.fields.SetKnown(i, opened->fields.IsKnown(o) && opened->fields.Value(o) == edited.fields.Value(i));
    }
    for (size_t t = 0; t < edited.tables.size() && t < opened->tables.size(); ++t) {
        CPageTable& cells = edited.tables[t];
        const CPageTable& shown = opened->tables[t];
        for (size_t r = 0; r < cells.Rows(); ++r) {
            for (size_t c = 0; c < cells.Desc().dataColumns; ++c) {
                if (!cells.IsKnown(r, c))
                    cells.SetKnown(r, c, shown.IsKnown(r, c) && shown.Cell(r, c) == cells.Cell(r, c));
            }
        }
    }
    return edited;
}

bool CTerminalSession::RefusesValues(const CPage& page, const CFieldSet& fields, const CCommandList& commands)
{
    for (size_t i = 0; i < fields.Size(); ++i) {
        if (!fields.IsEdited(i))
            continue;
        const SFieldDesc& desc = fields.Desc(i);
        const std::string_view value = desc.kind == EFieldKind::Check || desc.kind == EFieldKind::Choice
                                           ? std::string_view()
                                           : std::string_view(fields.Value(i).text);
        if (std::string why = ValueError(desc, value); !why.empty()) {
            m_view.OnValueRefused(page, desc.id, why);
            return true;
        }
    }
    const std::string broken = BrokenCommand(commands);
    if (broken.empty())
        return false;
    std::string culprit;
    for (size_t i = 0; i < fields.Size() && culprit.empty(); ++i) {
        if (fields.IsEdited(i) && fields.Value(i).text.find_first_of("%\r\n") != std::string::npos)
            culprit = fields.Desc(i).id;
    }
    m_view.OnValueRefused(page, culprit, BrokenCommandText(broken));
    return true;
}

SPageJob CTerminalSession::RowJob(CCommandList commands, bool leftSomeOut)
{
    SPageJob job{.commands = std::move(commands), .bracketed = false};
    CCommandList& list = job.commands;
    // A row that ends by asking for its own dump gets the terminal's view
    // of that row back; the page's read would empty all the others.
    if (!list.empty() && list.back().noWait && list.back().text.starts_with("%DUMP")) {
        job.end = EJobEnd::Request;
        job.request = std::move(list.back().text);
        list.pop_back();
    }
    // A row's own batch becomes the job's bracket, so its closing
    // "%COMMITCMD" goes out whatever happens, as a Save's does.
    if (list.size() >= 2 && list.front().text == kStartCmd && list.back().text == kCommitCmd) {
        list.erase(list.begin());
        list.pop_back();
        job.bracketed = true;
    }
    if (list.empty() && leftSomeOut) {
        // Nothing of the row could go out: no batch, no read, the report only.
        job.bracketed = false;
        job.end = EJobEnd::Nothing;
        job.request.clear();
    }
    return job;
}

void CTerminalSession::FieldEdited(CPage& page, std::string_view fieldId)
{
    std::vector<SLeftOut> leftOut;
    const CCommandList commands = KnownFieldChange(page, fieldId, leftOut);
    if (commands.empty() && leftOut.empty())
        return;
    SJob job;
    job.name = "Change " + std::string(fieldId);
    for (const SCommand& command : commands)
        job.steps.push_back(SJobStep::Send(command.text, page.AnswerWaitMs(command)));
    job.done = [this, &page, name = job.name, id = std::string(fieldId),
                leftOut = std::move(leftOut)](const SJobReport& sentReport) {
        SJobReport report = sentReport;
        report.leftOut = leftOut;
        m_view.OnPageJobFinished(page, {SPageJobKind::EKind::FieldChange, id, std::nullopt}, name, report);
    };
    m_queue.Enqueue(std::move(job));
}

void CTerminalSession::SetProfileAnswerWaits(int bracketWaitMs, int commandWaitMs)
{
    m_profileBracketWaitMs = bracketWaitMs;
    m_profileCommandWaitMs = commandWaitMs;
}

namespace {

// "\n\n" heading, then the first `listed` items a line each, then how many more of `count`.
void AppendListed(std::string& text, const std::string& heading, const std::vector<std::string>& items, size_t count,
                  size_t listed)
{
    text += "\n\n" + heading;
    const size_t shown = std::min({items.size(), listed, count});
    for (size_t i = 0; i < shown; ++i)
        text += "\n" + items[i];
    if (count > shown)
        text += "\n... and " + std::to_string(count - shown) + " more";
}

} // namespace

std::string ProfileFailureText(const SJobReport& report, size_t listed)
{
    std::string text = "The profile was not executed completely: " + report.Summary() + ".";
    if (!report.failed.empty())
        AppendListed(text, "Commands the terminal did not take:", report.failed, report.failed.size(), listed);
    return text;
}

std::string ProfileRestartText(const SJobReport& report, size_t taken, const std::vector<std::string>& takenShown,
                               size_t listed)
{
    std::string text = "The terminal restarted during the profile: nothing more was sent, and no \"%COMMITCMD\" to "
                       "the restarted terminal (" + report.Summary() + ").";
    if (taken > 0)
        AppendListed(text,
                     "Taken before the restart, " + std::to_string(taken)
                         + " (the batch was never committed: the terminal may have lost them):",
                     takenShown, taken, listed);
    if (!report.failed.empty())
        AppendListed(text, "Not taken or not sent:", report.failed, report.failed.size(), listed);
    return text;
}

void CTerminalSession::NoteProfileCommand(int accepted, const std::string* next)
{
    if (m_profileHasAnnounced && accepted > m_profileAcceptedAt) {
        ++m_profileTaken;
        if (m_profileTakenShown.size() < kTakenListed)
            m_profileTakenShown.push_back(m_profileAnnounced);
    }
    m_profileHasAnnounced = next != nullptr;
    m_profileAnnounced = next != nullptr ? *next : std::string();
    m_profileAcceptedAt = accepted;
}

bool CTerminalSession::ExecuteProfile(std::string_view contents)
{
    if (m_profileRunning)
        return false;
    CProfileReader reader;
    reader.Feed(contents);
    reader.Finish();
    if (!reader.Error().empty()) {
        m_view.ShowError("The profile was not executed, nothing was sent: " + reader.Error());
        return false;
    }
    return ExecuteProfile(reader.TakeLines());
}

bool CTerminalSession::ExecuteProfile(std::vector<SProfileLine> lines)
{
    if (m_profileRunning)
        return false;
    // A run of no command would report success for nothing done.
    if (std::none_of(lines.begin(), lines.end(), [](const SProfileLine& line) { return line.command; })) {
        m_view.ShowError("The profile was not executed: nothing to execute (no line starts with '%')");
        return false;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        const SProfileLine& line = lines[i];
        if (line.command && line.text.size() > kTerminalLineLimit) {
            m_view.ShowError("The profile was not executed, nothing was sent: line "
                             + std::to_string(line.number != 0 ? line.number : i + 1) + ": a command of "
                             + std::to_string(line.text.size()) + " bytes is longer than the terminal's line limit of "
                             + std::to_string(kTerminalLineLimit) + " bytes");
            return false;
        }
    }
    m_profileRunning = true;
    m_profileRestarted = false;
    m_profileHasAnnounced = false;
    m_profileTaken = 0;
    m_profileTakenShown.clear();
    lines.shrink_to_fit();  // held for the whole run

    // One step walks the lines: a profile of a million lines is a million
    // short strings, not two job steps each.
    SJob job;
    job.name = "Execute profile";
    job.steps.push_back(SJobStep::Send(std::string(kStartCmd), m_profileBracketWaitMs));
    job.steps.push_back(SJobStep::Lines(std::make_shared<const std::vector<SProfileLine>>(std::move(lines)),
                                        m_profileCommandWaitMs,
                                        [this](const SProfileLine& line) {
                                            if (line.command)
                                                NoteProfileCommand(m_queue.RunningReport().accepted, &line.text);
                                            m_view.OnProgressShowLine(3, line.text);
                                        }));
    job.steps.push_back(SJobStep::Send(std::string(kCommitCmd), m_profileBracketWaitMs, true));
    job.steps.push_back(SJobStep::Call(
        [this] {
            m_profileRunning = false;
            if (!m_closing) {
                Reload();
                m_readAfterProfile = true;
            }
        },
        true));
    job.done = [this](const SJobReport& report) {
        NoteProfileCommand(report.accepted, nullptr);
        m_profileRunning = false;  // also when the queue refused the job
        m_view.OnJobFinished("Execute profile", report);
        if (m_closing)
            return;
        if (m_profileRestarted) {
            // The login that follows the restart reads the terminal again.
            m_view.ShowError(ProfileRestartText(report, m_profileTaken, m_profileTakenShown));
            return;
        }
        // Success only when the terminal took every command.
        if (report.AllAccepted() && !report.cancelled)
            m_view.ShowInformation("Excute the profile sucessed!");
        else
            m_view.ShowError(ProfileFailureText(report));
    };
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
    // With no command of the queue waiting, a refusal after "%DUMPS" went
    // out is the read request's own (a terminal not logged in refuses it).
    if (answer == EAnswer::CmdErr && m_read == EWholeRead::Requested && !m_queue.Busy()
        && m_sink.OnWire(m_dumpsMark)) {
        FailWholeRead("the terminal answered the read request \"CMD ERR\": is it logged in?");
        return;
    }
    m_queue.OnAnswer(answer);
}

void CTerminalSession::OnLoginSuccess()
{
    StartLoginAttempt();
    m_view.OnLoginSuccess();
    // A shown profile file is not read over; Read all asks first.
    if (!m_profileShown)
        Reload();
}

void CTerminalSession::OnLoginFailed()
{
    // Counted per attempt, not per line: a flood of refusals raises one
    // message and sends no more than the attempt's passwords.
    m_view.OnLoginFailed();
    m_awaitingVerdict = false;
    if (m_loginGivenUp)
        return;
    if (++m_loginFailures > kMaxLoginRetries || m_passwordsSent > kMaxLoginRetries) {
        GiveUpLogin();
        return;
    }
    SendCountedPassword();
}

bool CTerminalSession::OnPasswordPrompt()
{
    if (m_loginGivenUp)
        return false;
    // The prompt a terminal prints behind its refusal, which the retry
    // already answers.
    if (m_awaitingVerdict && m_timers.NowMs() - m_passwordSentAt < kLoginVerdictMs)
        return false;
    if (m_passwordsSent > kMaxLoginRetries) {
        GiveUpLogin();
        return false;
    }
    // The receive path sends it.
    ++m_passwordsSent;
    m_awaitingVerdict = true;
    m_passwordSentAt = m_timers.NowMs();
    return true;
}

void CTerminalSession::OnSetupKeyRunRequested()
{
    m_view.OnSetupKeyRunRequested();
    SendSetupKeyRun(m_sink);
    m_rx.SetSetupRequested(false);
}

} // namespace orlan
