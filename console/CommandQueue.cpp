#include "console/CommandQueue.h"

#include <algorithm>
#include <utility>

#include "console/ConsoleCommands.h"

namespace orlan {

namespace {

std::string_view WithoutLineEnd(std::string_view text)
{
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

// A command too long to list whole: its start and its length.
std::string Shortened(std::string_view text)
{
    constexpr size_t kShown = 40;
    if (text.size() <= kShown)
        return std::string(text);
    return std::string(text.substr(0, kShown)) + "... (" + std::to_string(text.size()) + " bytes)";
}

std::string Counted(int count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

SJobStep SJobStep::Send(std::string text, int answerWaitMs, bool always)
{
    SJobStep step;
    step.kind = EKind::Send;
    step.text = std::move(text);
    step.answerWaitMs = answerWaitMs;
    step.always = always;
    return step;
}

SJobStep SJobStep::Write(std::string text)
{
    SJobStep step;
    step.kind = EKind::Write;
    step.text = std::move(text);
    return step;
}

SJobStep SJobStep::Call(std::function<void()> call, bool always)
{
    SJobStep step;
    step.kind = EKind::Call;
    step.call = std::move(call);
    step.always = always;
    return step;
}

SJobStep SJobStep::Lines(std::shared_ptr<const std::vector<SProfileLine>> lines, int answerWaitMs,
                         std::function<void(const SProfileLine&)> onLine)
{
    SJobStep step;
    step.kind = EKind::Lines;
    step.lines = std::move(lines);
    step.answerWaitMs = answerWaitMs;
    step.onLine = std::move(onLine);
    return step;
}

std::string SJobReport::Summary() const
{
    std::string text = Counted(sent, "command sent", "commands sent");
    if (notSent > 0)
        text += ", " + std::to_string(notSent) + " not sent";
    if (rejected > 0)
        text += ", " + std::to_string(rejected) + " rejected";
    if (unanswered > 0)
        text += ", " + std::to_string(unanswered) + " unanswered";
    if (busy > 0)
        text += ", " + std::to_string(busy) + " accepted with \"Please wait\" only";
    if (uncertain > 0)
        text += ", " + std::to_string(uncertain) + " answer uncertain";
    if (surplus > 0)
        text += ", " + Counted(surplus, "surplus answer ignored", "surplus answers ignored");
    if (cancelled)
        text += ", cancelled";
    return text;
}

CCommandQueue::CCommandQueue(IByteSink& sink, ITimerService& timers) : m_sink(sink), m_timers(timers) {}

CCommandQueue::~CCommandQueue()
{
    StopTimer();
}

const std::string& CCommandQueue::RunningJobName() const
{
    static const std::string none;
    return m_running ? m_running->name : none;
}

void CCommandQueue::Enqueue(SJob job)
{
    if (RefuseTooLong(job))
        return;
    m_waiting.push_back(std::move(job));
    if (!m_running)
        StartNext();
    RunSteps();
}

bool CCommandQueue::RefuseTooLong(SJob& job)
{
    SJobReport report;
    auto check = [&report](std::string_view text) {
        ++report.notSent;
        if (WithoutLineEnd(text).size() > kTerminalLineLimit)
            report.failed.push_back(Shortened(WithoutLineEnd(text)) + " (not sent: longer than the terminal's line "
                                    + "limit of " + std::to_string(kTerminalLineLimit) + " bytes)");
    };
    for (const SJobStep& step : job.steps) {
        if (step.kind == SJobStep::EKind::Send || step.kind == SJobStep::EKind::Write) {
            check(step.text);
        } else if (step.kind == SJobStep::EKind::Lines && step.lines) {
            for (const SProfileLine& line : *step.lines) {
                if (line.command)
                    check(line.text);
            }
        }
    }
    if (report.failed.empty())
        return false;
    if (job.done)
        job.done(report);
    return true;
}

void CCommandQueue::OnAnswer(EAnswer answer)
{
    if (m_writing) {
        // The sink answered from inside the write: taken up once it is done.
        m_answersDuringWrite.push_back(answer);
        return;
    }
    if (!m_running)
        return;
    switch (m_phase) {
    case EPhase::Answer:
        if (!m_sink.OnWire(m_command.mark)) {
            ++m_report.surplus;  // its command is not even on the wire yet
            return;
        }
        if (answer == EAnswer::PleaseWait) {
            // Accepted, still working: its final answer may follow within
            // the answer wait, and is then its own.
            TakePleaseWait();
            return;
        }
        m_command.answer = answer;
        if (m_command.uncertain || m_command.afterBusy)
            Settle(false);  // a second answer would show the first was the late one before it
        else
            FinishCommand();
        return;
    case EPhase::Settle:
        if (answer == EAnswer::PleaseWait) {
            TakePleaseWait();
            Settle(true);
            return;
        }
        // Its own final answer, late or behind "Please wait"; the line is in
        // step again.
        m_command.answer = answer;
        FinishCommand();
        return;
    case EPhase::Ready:
    case EPhase::Room:
        ++m_report.surplus;
        return;
    }
}

void CCommandQueue::TakePleaseWait()
{
    // "Please wait" is the terminal's first word on the command it just
    // read, and it answers in order: whatever the command before still had
    // to say came before it, so what follows is this command's own.
    m_command.busy = true;
    m_command.uncertain = false;
    m_command.afterBusy = false;
}

void CCommandQueue::CancelAll()
{
    m_waiting.clear();
    if (!m_running)
        return;
    // The command on the wire keeps its wait, so that its late answer is not
    // taken for the answer to the closing steps; one still waiting for room
    // is not on the wire and goes unless it must run.
    m_report.cancelled = true;
    if (m_stopWhy.empty())
        m_stopWhy = "cancelled";
    if (m_phase == EPhase::Room && !m_running->steps[m_step].always) {
        StopTimer();
        m_phase = EPhase::Ready;
        NotSent(WithoutLineEnd(m_command.wire), m_stopWhy);
        AdvanceStep();
    }
    RunSteps();
}

void CCommandQueue::Abandon(const std::string& why)
{
    m_waiting.clear();
    if (!m_running)
        return;
    m_report.cancelled = true;
    m_abandoned = true;
    m_stopWhy = why;
    switch (m_phase) {
    case EPhase::Answer:
    case EPhase::Settle:
        FinishCommand();  // runs what is left: nothing
        break;
    case EPhase::Room:
        StopTimer();
        m_phase = EPhase::Ready;
        NotSent(WithoutLineEnd(m_command.wire), why);
        AdvanceStep();
        RunSteps();
        break;
    case EPhase::Ready:
        RunSteps();
        break;
    }
    // A restarted terminal owes no late answer to the next job.
    m_nextUncertain = false;
    m_nextAfterBusy = false;
}

void CCommandQueue::StartNext()
{
    if (m_waiting.empty())
        return;
    m_running = std::move(m_waiting.front());
    m_waiting.pop_front();
    m_step = 0;
    m_line = 0;
    m_lineShown = false;
    m_report = {};
    m_abandoned = false;
    m_stopWhy.clear();
}

void CCommandQueue::RunSteps()
{
    // An answer that arrives while a step is being written, or a job queued
    // from a step's call, is taken up by the loop already running.
    if (m_inRun)
        return;
    m_inRun = true;
    while (m_running && m_phase == EPhase::Ready) {
        if (m_step >= m_running->steps.size()) {
            FinishJob();
            continue;
        }
        SJobStep& step = m_running->steps[m_step];
        if (m_report.cancelled && (!step.always || m_abandoned)) {
            SkipStep();
            continue;
        }
        switch (step.kind) {
        case SJobStep::EKind::Send:
            StartCommand(step.text, step.answerWaitMs, true);
            break;
        case SJobStep::EKind::Write:
            StartCommand(step.text, 0, false);
            break;
        case SJobStep::EKind::Call: {
            auto call = step.call;
            AdvanceStep();
            if (call)
                call();
            break;
        }
        case SJobStep::EKind::Lines: {
            if (!step.lines || m_line >= step.lines->size()) {
                AdvanceStep();
                break;
            }
            // The lines stay alive while the step shows and sends them.
            const std::shared_ptr<const std::vector<SProfileLine>> lines = step.lines;
            const SProfileLine& line = (*lines)[m_line];
            if (!m_lineShown) {
                // Shown first, as EXEC shows each line; the loop looks again
                // in case the view cancelled meanwhile.
                m_lineShown = true;
                if (step.onLine)
                    step.onLine(line);
                continue;
            }
            if (line.command)
                StartCommand(line.text + "\r", step.answerWaitMs, true);
            else
                AdvanceStep();
            break;
        }
        }
    }
    m_inRun = false;
}

void CCommandQueue::StartCommand(std::string wire, int answerWaitMs, bool waits)
{
    m_command = {};
    m_command.wire = std::move(wire);
    m_command.answerWaitMs = answerWaitMs;
    m_command.waits = waits;
    m_command.since = m_timers.NowMs();
    TryWrite();
}

void CCommandQueue::TryWrite()
{
    const std::string& wire = m_command.wire;
    const std::string_view text = WithoutLineEnd(wire);
    if (m_sink.FreeBlocks() < IByteSink::BlocksFor(wire.size())) {
        if (m_timers.NowMs() - m_command.since >= kRoomWaitLimitMs) {
            m_phase = EPhase::Ready;
            NotSent(text, "the channel's output stayed full");
            AdvanceStep();
            return;
        }
        m_phase = EPhase::Room;
        m_timer = m_timers.CallAfter(kRoomRetryMs, [this] {
            m_timer.reset();
            TryWrite();
            RunSteps();
        });
        return;
    }

    m_writing = true;
    const size_t taken = m_sink.QueueWrite(wire);
    m_writing = false;
    std::vector<EAnswer> early = std::exchange(m_answersDuringWrite, {});
    m_phase = EPhase::Ready;
    if (taken < wire.size()) {
        if (taken == 0) {
            NotSent(text, "the channel refused it");
        } else {
            // A piece of it waits in the terminal's line: what answers next is uncertain.
            NotSent(text, "cut after " + std::to_string(taken) + " of " + std::to_string(wire.size()) + " bytes");
            m_nextUncertain = true;
        }
        AdvanceStep();
        return;
    }
    if (!m_command.waits) {
        AdvanceStep();
        for (EAnswer answer : early)
            OnAnswer(answer);
        return;
    }
    ++m_report.sent;
    m_command.mark = m_sink.WriteMark();
    m_command.uncertain = std::exchange(m_nextUncertain, false);
    m_command.afterBusy = std::exchange(m_nextAfterBusy, false);
    m_phase = EPhase::Answer;
    m_timer = m_timers.CallAfter(m_command.answerWaitMs, [this] {
        m_timer.reset();
        OnAnswerWaitOver();
    });
    for (EAnswer answer : early)
        OnAnswer(answer);
}

void CCommandQueue::OnAnswerWaitOver()
{
    if (m_phase != EPhase::Answer)
        return;
    m_command.timedOut = true;
    Settle(false);
}

void CCommandQueue::Settle(bool restart)
{
    StopTimer();
    const int64_t now = m_timers.NowMs();
    if (m_phase != EPhase::Settle) {
        m_phase = EPhase::Settle;
        m_command.settleStart = now;
    }
    int64_t wait = kSettleMs;
    if (restart) {
        const int64_t left = kSettleLimitMs - (now - m_command.settleStart);
        if (left <= 0) {
            FinishCommand();
            return;
        }
        wait = std::min<int64_t>(wait, left);
    }
    m_timer = m_timers.CallAfter(static_cast<int>(wait), [this] {
        m_timer.reset();
        FinishCommand();
    });
}

void CCommandQueue::FinishCommand()
{
    StopTimer();
    m_phase = EPhase::Ready;
    const SCommandState& c = m_command;
    const std::string text(WithoutLineEnd(c.wire));
    if (c.answer == EAnswer::CmdErr) {
        ++m_report.rejected;
        m_report.failed.push_back(text + (c.timedOut    ? " (CMD ERR after its wait)"
                                          : c.uncertain ? " (CMD ERR, answer uncertain)"
                                                        : " (CMD ERR)"));
    } else if (c.answer == EAnswer::CmdOk) {
        if (!c.busy && (c.timedOut || c.uncertain)) {
            ++m_report.uncertain;
            m_report.failed.push_back(text + (c.timedOut ? " (CMD OK after its wait, answer uncertain)"
                                                         : " (CMD OK, answer uncertain)"));
        } else {
            ++m_report.accepted;
        }
    } else if (c.busy) {
        // "Please wait" is the terminal's acceptance; no final answer came.
        ++m_report.accepted;
        ++m_report.busy;
    } else {
        ++m_report.unanswered;
        m_report.failed.push_back(text + " (no answer)");
    }
    // Without a final answer its answer may still come, and be taken for the
    // next command's. One the terminal accepted with "Please wait" may still
    // send its final word: the next command listens for a second answer, but
    // a single one is its own.
    m_nextUncertain = !c.answer.has_value() && !c.busy;
    m_nextAfterBusy = !c.answer.has_value() && c.busy;
    AdvanceStep();
    RunSteps();
}

void CCommandQueue::NotSent(std::string_view text, const std::string& why)
{
    ++m_report.notSent;
    m_report.failed.push_back(Shortened(text) + " (not sent: " + why + ")");
}

void CCommandQueue::SkipStep()
{
    const SJobStep& step = m_running->steps[m_step];
    if (step.kind == SJobStep::EKind::Send) {
        NotSent(WithoutLineEnd(step.text), m_stopWhy);
    } else if (step.kind == SJobStep::EKind::Lines && step.lines) {
        for (size_t i = m_line; i < step.lines->size(); ++i) {
            if ((*step.lines)[i].command)
                NotSent((*step.lines)[i].text, m_stopWhy);
        }
    }
    ++m_step;
    m_line = 0;
    m_lineShown = false;
}

void CCommandQueue::AdvanceStep()
{
    if (!m_running)
        return;
    if (m_step < m_running->steps.size() && m_running->steps[m_step].kind == SJobStep::EKind::Lines) {
        const auto& lines = m_running->steps[m_step].lines;
        m_lineShown = false;
        // A cancelled job's next line is skipped, and reported, by the loop.
        if (lines && ++m_line < lines->size())
            return;
    }
    ++m_step;
    m_line = 0;
    m_lineShown = false;
}

void CCommandQueue::FinishJob()
{
    SJob job = std::move(*m_running);
    m_running.reset();
    const SJobReport report = m_report;
    StartNext();
    if (job.done)
        job.done(report);
    if (!Busy() && onIdle)
        onIdle();
}

void CCommandQueue::StopTimer()
{
    if (m_timer) {
        m_timers.Cancel(*m_timer);
        m_timer.reset();
    }
}

} // namespace orlan
