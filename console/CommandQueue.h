#pragma once
// Runs command jobs (a page write-back, a row edit, a profile execution) one
// after another. A step sends one command and waits asynchronously for an
// answer line or its answer wait (in milliseconds); nothing sleeps, nothing
// pumps events, and two jobs never interleave, so a "%STARTCMD" ...
// "%COMMITCMD" bracket never holds another job's commands.
//
// No command is lost while reported as sent, and an answer belongs to its
// command:
// - A command goes out only when the sink has room for all its blocks; the
//   queue retries on a short timer meanwhile (kRoomRetryMs, at most
//   kRoomWaitLimitMs). A write the sink refuses or cuts is reported as not
//   sent. A command longer than the terminal's input line limit refuses its
//   whole job before anything of it is written.
// - An answer that arrives before the command's bytes left the sink (the
//   second "CMD OK" of a terminal that answers twice, read in the same block
//   as the first) is a surplus answer and is ignored.
// - "Please wait" is the terminal's acceptance of a command it is still
//   working on: the command counts as accepted, and a "CMD OK" or "CMD ERR"
//   within its answer wait (or the settle behind it) is its own final answer.
// - After a command's answer wait ran out, and after an answer that may not
//   be the command's own, the queue lets the line settle: it waits until no
//   answer line has come for kSettleMs. An answer in that time is the
//   command's own, late one. Only answer lines count
//   for the settle: they are what could be taken for the next command's
//   answer, while dump lines, event lines or garbage cannot, and a
//   terminal that keeps printing them must not stall a profile.
// - A command written after one that got no answer is "answer uncertain":
//   the answer it gets may be the late answer of the one before. After one
//   accepted with "Please wait" only, the next command also waits the settle
//   for a second answer (the first was then the late final word before it),
//   but a single answer is its own.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "console/ByteSink.h"
#include "console/LeftOut.h"
#include "console/ProfileReader.h"
#include "console/ReceiveListener.h"
#include "console/TimerService.h"

namespace orlan {

struct SJobStep {
    enum class EKind {
        Send,   // write `text`, wait for an answer or `answerWaitMs` ms
        Write,  // write `text`, do not wait
        Call,   // run `call`
        Lines,  // walk `lines`: `onLine` for each, then each command line is
                // sent like a Send (its text and CR, `answerWaitMs`)
    };
    EKind kind = EKind::Send;
    std::string text;
    int answerWaitMs = 0;
    std::function<void()> call;
    std::shared_ptr<const std::vector<SProfileLine>> lines;
    std::function<void(const SProfileLine&)> onLine;
    // Runs even when the job is cancelled (the closing "%COMMITCMD").
    bool always = false;

    static SJobStep Send(std::string text, int answerWaitMs, bool always = false);
    static SJobStep Write(std::string text);
    static SJobStep Call(std::function<void()> call, bool always = false);
    static SJobStep Lines(std::shared_ptr<const std::vector<SProfileLine>> lines, int answerWaitMs,
                          std::function<void(const SProfileLine&)> onLine);
};

// What became of a job's commands. Every command that waits for an answer
// ends in exactly one of `accepted`, `rejected`, `unanswered`, `uncertain`
// and `notSent`.
struct SJobReport {
    int sent = 0;        // commands written whole
    int accepted = 0;    // "CMD OK" in time and surely its own, or "Please wait" with no final refusal
    int busy = 0;        // of the accepted: "Please wait" only, no final answer (not a failure)
    int rejected = 0;    // "CMD ERR" (also late or uncertain ones)
    int unanswered = 0;  // answer wait and settle time ran out
    int uncertain = 0;   // "CMD OK" that came late or may answer the command before
    int notSent = 0;     // refused or cut by the sink, or over the line limit
    int surplus = 0;     // answer lines that were no command's (ignored)
    bool cancelled = false;
    // Every command not accepted, without CR, with what became of it:
    // "(CMD ERR)", "(no answer)", "(not sent: ...)", "(... answer uncertain)".
    std::vector<std::string> failed;
    // Commands the job left out because a value they carry is not known.
    std::vector<SLeftOut> leftOut;

    bool AllAccepted() const
    {
        return rejected == 0 && unanswered == 0 && uncertain == 0 && notSent == 0;
    }
    // "12 commands sent, 1 not sent, 1 rejected, 2 unanswered, 1 accepted
    // with \"Please wait\" only, 1 answer uncertain, 3 surplus answers ignored"
    std::string Summary() const;
};

struct SJob {
    std::string name;
    std::vector<SJobStep> steps;
    std::function<void(const SJobReport&)> done;
};

class CCommandQueue {
public:
    // How long the line must be free of answer lines before the next command
    // after an uncertain one: longer than the channel's pauses (50 ms after
    // each block written, 50 ms before each read) many times over, short
    // enough not to slow a run that has to wait.
    static constexpr int kSettleMs = 800;
    // A line that never stops answering does not hold the queue for ever.
    static constexpr int kSettleLimitMs = 10 * kSettleMs;
    static constexpr int kRoomRetryMs = 20;
    static constexpr int kRoomWaitLimitMs = 5000;

    CCommandQueue(IByteSink& sink, ITimerService& timers);
    ~CCommandQueue();
    CCommandQueue(const CCommandQueue&) = delete;
    CCommandQueue& operator=(const CCommandQueue&) = delete;

    // Starts the job at once when idle, else after the jobs before it. A job
    // with a command over the terminal's line limit is refused whole: none of
    // its steps runs and its report says what was not sent.
    void Enqueue(SJob job);
    // Feed every answer line the receive path sees.
    void OnAnswer(EAnswer answer);
    // Ends the running job after the command now on the wire (its answer or
    // answer wait), still running its `always` steps, and drops the jobs
    // waiting behind it. The commands it skips are reported not sent.
    void CancelAll();
    // The terminal restarted: it lost what it was doing, so the running job
    // ends now, without its `always` steps (a closing "%COMMITCMD" would
    // reach a terminal that holds no batch). The command on the wire ends
    // as it stands, the rest are reported not sent for `why`, and the jobs
    // waiting behind it are dropped.
    void Abandon(const std::string& why);

    // The running job's report so far.
    const SJobReport& RunningReport() const { return m_report; }

    bool Busy() const { return m_running.has_value(); }
    size_t Waiting() const { return m_waiting.size(); }
    // Called once the last job's `done` has run and no job follows it.
    std::function<void()> onIdle;
    const std::string& RunningJobName() const;

private:
    enum class EPhase {
        Ready,   // the next step may run
        Room,    // a write waits for room in the sink
        Answer,  // a command waits for its answer or answer wait
        Settle,  // a command's answer is uncertain: the line settles
    };
    // The command now waiting, or the write waiting for room.
    struct SCommandState {
        std::string wire;  // with its CR
        int answerWaitMs = 0;
        bool waits = true;
        int64_t since = 0;  // when it first asked for room
        uint64_t mark = 0;  // the sink's write mark after it went out
        bool uncertain = false;
        bool afterBusy = false;  // the one before was accepted with "Please wait" only
        bool busy = false;
        bool timedOut = false;
        std::optional<EAnswer> answer;
        int64_t settleStart = 0;
    };

    void StartNext();
    void RunSteps();
    void StartCommand(std::string wire, int answerWaitMs, bool waits);
    void TryWrite();
    void OnAnswerWaitOver();
    void TakePleaseWait();
    void Settle(bool restart);
    void FinishCommand();
    void NotSent(std::string_view text, const std::string& why);
    // A step the cancelled job does not run: its commands are not sent.
    void SkipStep();
    void AdvanceStep();
    void FinishJob();
    void StopTimer();
    bool RefuseTooLong(SJob& job);

    IByteSink& m_sink;
    ITimerService& m_timers;
    std::deque<SJob> m_waiting;
    std::optional<SJob> m_running;
    size_t m_step = 0;
    size_t m_line = 0;         // within a Lines step
    bool m_lineShown = false;  // its onLine has run
    EPhase m_phase = EPhase::Ready;
    SCommandState m_command;
    // The command before got no final answer: its answer may still come.
    bool m_nextUncertain = false;
    // The command before was accepted with "Please wait" only.
    bool m_nextAfterBusy = false;
    bool m_writing = false;
    std::vector<EAnswer> m_answersDuringWrite;
    std::optional<ITimerService::TimerId> m_timer;
    SJobReport m_report;
    bool m_abandoned = false;  // not even the `always` steps run
    std::string m_stopWhy;     // why the cancelled job's commands are not sent
    bool m_inRun = false;
};

} // namespace orlan
