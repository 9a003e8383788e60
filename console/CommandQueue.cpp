#include "console/CommandQueue.h"

#include <utility>

namespace orlan {

namespace {

std::string WithoutLineEnd(std::string text)
{
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

} // namespace

SJobStep SJobStep::Send(std::string text, int tickLimit, bool always)
{
    SJobStep step;
    step.kind = EKind::Send;
    step.text = std::move(text);
    step.tickLimit = tickLimit;
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

std::string SJobReport::Summary() const
{
    std::string text = std::to_string(sent) + (sent == 1 ? " command sent" : " commands sent");
    if (rejected > 0)
        text += ", " + std::to_string(rejected) + " rejected";
    if (unanswered > 0)
        text += ", " + std::to_string(unanswered) + " unanswered";
    if (cancelled)
        text += ", cancelled";
    return text;
}

CCommandQueue::CCommandQueue(IByteSink& sink, ITimerService& timers) : m_sink(sink), m_timers(timers) {}

CCommandQueue::~CCommandQueue()
{
    if (m_waitingForAnswer)
        m_timers.Cancel(m_timer);
}

const std::string& CCommandQueue::RunningJobName() const
{
    static const std::string none;
    return m_running ? m_running->name : none;
}

void CCommandQueue::Enqueue(SJob job)
{
    m_waiting.push_back(std::move(job));
    if (!m_running)
        StartNext();
    RunSteps();
}

void CCommandQueue::OnAnswer(EAnswer answer)
{
    FinishStep(answer);
}

void CCommandQueue::CancelAll()
{
    m_waiting.clear();
    if (!m_running)
        return;
    // The command on the wire keeps its wait, so that its late answer is not
    // taken for the answer to the closing steps.
    m_report.cancelled = true;
    RunSteps();
}

void CCommandQueue::StartNext()
{
    if (m_waiting.empty())
        return;
    m_running = std::move(m_waiting.front());
    m_waiting.pop_front();
    m_step = 0;
    m_report = {};
}

void CCommandQueue::RunSteps()
{
    // An answer that arrives while a step is being written, or a job queued
    // from a step's call, is taken up by the loop already running.
    if (m_inRun)
        return;
    m_inRun = true;
    while (m_running && !m_waitingForAnswer) {
        if (m_step >= m_running->steps.size()) {
            FinishJob();
            continue;
        }
        SJobStep& step = m_running->steps[m_step];
        if (m_report.cancelled && !step.always) {
            ++m_step;
            continue;
        }
        switch (step.kind) {
        case SJobStep::EKind::Send:
            m_waitingForAnswer = true;
            ++m_report.sent;
            m_timer = m_timers.CallAfter(step.tickLimit, [this] { FinishStep(std::nullopt); });
            m_sink.QueueWrite(step.text);
            break;
        case SJobStep::EKind::Write:
            ++m_step;
            m_sink.QueueWrite(step.text);
            break;
        case SJobStep::EKind::Call: {
            auto call = step.call;
            ++m_step;
            if (call)
                call();
            break;
        }
        }
    }
    m_inRun = false;
}

void CCommandQueue::FinishStep(std::optional<EAnswer> answer)
{
    if (!m_waitingForAnswer || !m_running)
        return;
    m_waitingForAnswer = false;
    m_timers.Cancel(m_timer);
    const std::string& text = m_running->steps[m_step].text;
    if (!answer) {
        ++m_report.unanswered;
        m_report.failed.push_back(WithoutLineEnd(text) + " (no answer)");
    } else if (*answer == EAnswer::CmdErr) {
        ++m_report.rejected;
        m_report.failed.push_back(WithoutLineEnd(text) + " (CMD ERR)");
    } else if (*answer == EAnswer::PleaseWait) {
        ++m_report.busy;
    } else {
        ++m_report.accepted;
    }
    ++m_step;
    RunSteps();
}

void CCommandQueue::FinishJob()
{
    SJob job = std::move(*m_running);
    m_running.reset();
    const SJobReport report = m_report;
    StartNext();
    if (job.done)
        job.done(report);
}

} // namespace orlan
