#pragma once
// Runs command jobs (a page write-back, a row edit, a profile execution) one
// after another. A step sends one command and waits asynchronously for an
// answer line or its tick limit (1 tick = 1 ms); nothing sleeps, nothing
// pumps events, and two jobs never interleave, so a "%STARTCMD" ...
// "%COMMITCMD" bracket never holds another job's commands.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "console/ByteSink.h"
#include "console/ReceiveListener.h"
#include "console/TimerService.h"

namespace orlan {

struct SJobStep {
    enum class EKind {
        Send,   // write `text`, wait for an answer or `tickLimit` ms
        Write,  // write `text`, do not wait
        Call,   // run `call`
    };
    EKind kind = EKind::Send;
    std::string text;
    int tickLimit = 0;
    std::function<void()> call;
    // Runs even when the job is cancelled (the closing "%COMMITCMD").
    bool always = false;

    static SJobStep Send(std::string text, int tickLimit, bool always = false);
    static SJobStep Write(std::string text);
    static SJobStep Call(std::function<void()> call, bool always = false);
};

// What became of a job's commands.
struct SJobReport {
    int sent = 0;
    int accepted = 0;    // "CMD OK"
    int busy = 0;        // "Please wait"
    int rejected = 0;    // "CMD ERR"
    int unanswered = 0;  // tick limit ran out
    bool cancelled = false;
    std::vector<std::string> failed;  // rejected or unanswered commands, without CR

    bool AllAccepted() const { return rejected == 0 && unanswered == 0; }
    // "12 commands sent, 1 rejected, 2 unanswered"
    std::string Summary() const;
};

struct SJob {
    std::string name;
    std::vector<SJobStep> steps;
    std::function<void(const SJobReport&)> done;
};

class CCommandQueue {
public:
    CCommandQueue(IByteSink& sink, ITimerService& timers);
    ~CCommandQueue();
    CCommandQueue(const CCommandQueue&) = delete;
    CCommandQueue& operator=(const CCommandQueue&) = delete;

    // Starts the job at once when idle, else after the jobs before it.
    void Enqueue(SJob job);
    // Feed every answer line the receive path sees.
    void OnAnswer(EAnswer answer);
    // Ends the running job after the command now on the wire (its answer or
    // tick limit), still running its `always` steps, and drops the jobs
    // waiting behind it.
    void CancelAll();

    bool Busy() const { return m_running.has_value(); }
    size_t Waiting() const { return m_waiting.size(); }
    const std::string& RunningJobName() const;

private:
    void StartNext();
    void RunSteps();
    void FinishStep(std::optional<EAnswer> answer);
    void FinishJob();

    IByteSink& m_sink;
    ITimerService& m_timers;
    std::deque<SJob> m_waiting;
    std::optional<SJob> m_running;
    size_t m_step = 0;
    bool m_waitingForAnswer = false;
    ITimerService::TimerId m_timer = 0;
    SJobReport m_report;
    bool m_inRun = false;
};

} // namespace orlan
