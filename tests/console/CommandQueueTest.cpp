#include <gtest/gtest.h>

#include <optional>

#include "console/CommandQueue.h"
#include "console/ConsoleCommands.h"
#include "support/ManualClock.h"
#include "support/RecordingSink.h"

namespace orlan {
namespace {

using test::CManualClock;
using test::CRecordingSink;

constexpr int kSettle = CCommandQueue::kSettleMs;

// A sink with a ring of its own, like the channel's: blocks stay pending
// until the test lets them out, and it refuses what does not fit.
class CRingSink final : public IByteSink {
public:
    size_t slots = 32;
    bool closed = false;
    size_t refuseAfter = SIZE_MAX;  // blocks it takes before it refuses all
    size_t pending = 0;
    std::vector<std::string> blocks;

    size_t FreeBlocks() const override { return slots - pending; }
    size_t PendingBlocks() const override { return pending; }
    void Drain() { pending = 0; }

protected:
    void QueueBlock(std::string_view block) override { TakeBlock(block); }
    bool TakeBlock(std::string_view block) override
    {
        if (closed || pending == slots || blocks.size() >= refuseAfter)
            return false;
        blocks.emplace_back(block);
        ++pending;
        return true;
    }
};

class CommandQueueTest : public ::testing::Test {
protected:
    SJob Batch(std::string name, std::vector<std::string> commands, int ticks = 3000)
    {
        SJob job;
        job.name = name;
        for (auto& c : commands)
            job.steps.push_back(SJobStep::Send(c, ticks));
        job.done = [this, name](const SJobReport& report) { reports.emplace_back(name, report); };
        return job;
    }
    const SJobReport& Report(size_t i = 0)
    {
        EXPECT_GT(reports.size(), i);
        return reports.at(i).second;
    }

    CRecordingSink sink;
    CManualClock clock;
    CCommandQueue queue{sink, clock};
    std::vector<std::pair<std::string, SJobReport>> reports;
};

TEST_F(CommandQueueTest, EachCommandWaitsForItsAnswerOrItsTickLimit)
{
    queue.Enqueue(Batch("page", {"%STARTCMD\r", "%A1\r", "%COMMITCMD\r"}));
    EXPECT_EQ(sink.blocks, std::vector<std::string>{"%STARTCMD\r"});

    clock.Advance(2999);
    EXPECT_EQ(sink.blocks.size(), 1u) << "the next command waits for the answer";
    queue.OnAnswer(EAnswer::CmdOk);
    EXPECT_EQ(sink.blocks.back(), "%A1\r");

    // No answer: the answer wait ends the wait, nothing is retried, and the
    // line settles before the next command so a late answer stays with %A1.
    clock.Advance(3000);
    EXPECT_EQ(sink.blocks.back(), "%A1\r");
    clock.Advance(kSettle);
    EXPECT_EQ(sink.blocks.back(), "%COMMITCMD\r");
    queue.OnAnswer(EAnswer::CmdErr);
    clock.Advance(kSettle);  // its answer may have been %A1's: the line settles again

    ASSERT_EQ(reports.size(), 1u);
    const SJobReport& report = Report();
    EXPECT_EQ(report.sent, 3);
    EXPECT_EQ(report.accepted, 1);
    EXPECT_EQ(report.unanswered, 1);
    EXPECT_EQ(report.rejected, 1);
    EXPECT_FALSE(report.AllAccepted());
    EXPECT_EQ(report.failed,
              (std::vector<std::string>{"%A1 (no answer)", "%COMMITCMD (CMD ERR, answer uncertain)"}));
    EXPECT_EQ(report.Summary(), "3 commands sent, 1 rejected, 1 unanswered");
    EXPECT_FALSE(queue.Busy());
    EXPECT_EQ(clock.Pending(), 0u);
}

TEST_F(CommandQueueTest, ALateAnswerIsTakenForItsOwnCommandNotTheNext)
{
    queue.Enqueue(Batch("late", {"%A\r", "%B\r", "%C\r"}, 1000));
    clock.Advance(1000);  // %A's limit
    clock.Advance(500);
    EXPECT_EQ(sink.blocks.size(), 1u) << "%B waits while the line may still answer %A";
    queue.OnAnswer(EAnswer::CmdErr);  // %A's, late
    EXPECT_EQ(sink.blocks.back(), "%B\r") << "its own answer ends the wait at once";
    queue.OnAnswer(EAnswer::CmdOk);   // %B's, in time
    clock.Advance(1000);              // %C gets nothing
    queue.OnAnswer(EAnswer::CmdOk);   // %C's, late
    EXPECT_EQ(Report().failed, (std::vector<std::string>{"%A (CMD ERR after its wait)",
                                                          "%C (CMD OK after its wait, answer uncertain)"}));
    EXPECT_EQ(Report().accepted, 1);
    EXPECT_EQ(Report().rejected, 1);
    EXPECT_EQ(Report().uncertain, 1);
    EXPECT_EQ(Report().Summary(), "3 commands sent, 1 rejected, 1 answer uncertain");
}

TEST_F(CommandQueueTest, PleaseWaitAcceptsAndAFinalAnswerInTimeIsItsOwn)
{
    // "%A" then "%B", 3000 ms each: after each event, how many commands are
    // on the wire (the next waits while "%A" may still answer).
    struct SEvent {
        int advanceMs;
        std::optional<EAnswer> answer;
        size_t written;
    };
    struct SCase {
        const char* name;
        std::vector<SEvent> events;
        int accepted, busy, rejected, uncertain;
        std::vector<std::string> failed;
    };
    const auto wait = EAnswer::PleaseWait;
    const auto ok = EAnswer::CmdOk;
    const auto err = EAnswer::CmdErr;
    const SCase cases[] = {
        {"\"Please wait\" alone",
         {{0, wait, 1}, {2999, {}, 1}, {1 + kSettle - 1, {}, 1}, {1, {}, 2}, {0, wait, 2}, {10, ok, 2}},
         2, 1, 0, 0, {}},
        {"\"Please wait\", then \"CMD OK\" within the limit",
         {{0, wait, 1}, {2500, {}, 1}, {0, ok, 2}, {0, ok, 2}},
         2, 0, 0, 0, {}},
        {"\"Please wait\", then \"CMD ERR\"", {{0, wait, 1}, {1000, err, 2}, {0, ok, 2}}, 1, 0, 1, 0, {"%A (CMD ERR)"}},
        {"\"Please wait\", the final answer in the settle after the limit",
         {{0, wait, 1}, {3000 + kSettle / 2, ok, 2}, {0, ok, 2}},
         2, 0, 0, 0, {}},
        {"\"Please wait\", its final answer only once \"%B\" is out: \"%B\" takes the second",
         {{0, wait, 1}, {3000 + kSettle, {}, 2}, {0, err, 2}, {100, ok, 2}},
         2, 1, 0, 0, {}},
        {"\"Please wait\", then \"%B\" answered once: its own after the settle",
         {{0, wait, 1}, {3000 + kSettle, {}, 2}, {0, err, 2}, {kSettle, {}, 2}},
         1, 1, 1, 0, {"%B (CMD ERR)"}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CRecordingSink wire;
        CManualClock time;
        CCommandQueue q(wire, time);
        std::optional<SJobReport> report;
        SJob job = Batch("job", {"%A\r", "%B\r"});
        job.done = [&report](const SJobReport& r) { report = r; };
        q.Enqueue(std::move(job));
        for (const SEvent& e : c.events) {
            time.Advance(e.advanceMs);
            if (e.answer)
                q.OnAnswer(*e.answer);
            EXPECT_EQ(wire.blocks.size(), e.written);
        }
        ASSERT_TRUE(report);
        EXPECT_EQ(report->sent, 2);
        EXPECT_EQ(report->accepted, c.accepted);
        EXPECT_EQ(report->busy, c.busy);
        EXPECT_EQ(report->rejected, c.rejected);
        EXPECT_EQ(report->uncertain, c.uncertain);
        EXPECT_EQ(report->unanswered, 0);
        EXPECT_EQ(report->failed, c.failed);
        EXPECT_EQ(report->AllAccepted(), c.failed.empty());
        EXPECT_EQ(time.Pending(), 0u);
    }
}

TEST_F(CommandQueueTest, AnAcceptanceByPleaseWaitAloneIsCountedButNoFailure)
{
    queue.Enqueue(Batch("busy", {"%A\r"}, 1000));
    queue.OnAnswer(EAnswer::PleaseWait);
    queue.OnAnswer(EAnswer::PleaseWait);  // still working: one command, one acceptance
    clock.Advance(1000 + kSettle);
    EXPECT_TRUE(Report().AllAccepted());
    EXPECT_EQ(Report().Summary(), "1 command sent, 1 accepted with \"Please wait\" only");
}

TEST_F(CommandQueueTest, ASecondAnswerInTheSettleShowsTheFirstWasTheOneBefore)
{
    queue.Enqueue(Batch("shifted", {"%A\r", "%B\r", "%C\r"}, 1000));
    clock.Advance(1000 + kSettle);    // %A: nothing
    queue.OnAnswer(EAnswer::CmdErr);  // %A's, very late, while %B waits
    EXPECT_EQ(sink.blocks.back(), "%B\r");
    queue.OnAnswer(EAnswer::CmdOk);   // %B's own
    EXPECT_EQ(sink.blocks.back(), "%C\r") << "two answers: the line is in step";
    queue.OnAnswer(EAnswer::CmdOk);
    EXPECT_EQ(Report().failed,
              (std::vector<std::string>{"%A (no answer)", "%B (CMD OK, answer uncertain)"}));
    EXPECT_EQ(Report().accepted, 1);
}

TEST_F(CommandQueueTest, AnAnswerBeforeItsCommandIsOnTheWireIsSurplus)
{
    // A terminal that answers twice: both answers come in one block, while
    // the next command still sits in the channel's ring.
    CRingSink ring;
    CCommandQueue q(ring, clock);
    q.Enqueue(Batch("double", {"%A\r", "%B\r"}));
    ring.Drain();
    q.OnAnswer(EAnswer::CmdOk);  // %A's
    EXPECT_EQ(ring.blocks.back(), "%B\r");
    q.OnAnswer(EAnswer::CmdErr);  // %A's second: %B is not on the wire
    EXPECT_TRUE(reports.empty());
    ring.Drain();
    q.OnAnswer(EAnswer::CmdOk);  // %B's
    q.OnAnswer(EAnswer::CmdOk);  // its second, after the job
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(Report().AllAccepted());
    EXPECT_EQ(Report().accepted, 2);
    EXPECT_EQ(Report().surplus, 1);
    EXPECT_EQ(Report().Summary(), "2 commands sent, 1 surplus answer ignored");
}

TEST_F(CommandQueueTest, ACommandWaitsForRoomInsteadOfLosingABlock)
{
    CRingSink ring;
    ring.slots = 2;
    ring.QueueWrite("%X\r");  // someone else's block fills one slot
    CCommandQueue q(ring, clock);
    const std::string longCommand = "%M" + std::string(kTerminalLineLimit - 2, 'a') + "\r";  // two blocks
    SJob job = Batch("room", {longCommand, "%B\r"});
    q.Enqueue(std::move(job));
    EXPECT_EQ(ring.blocks.size(), 1u) << "two blocks do not fit into one free slot";
    clock.Advance(CCommandQueue::kRoomRetryMs * 3);
    EXPECT_EQ(ring.blocks.size(), 1u);
    ring.Drain();
    clock.Advance(CCommandQueue::kRoomRetryMs);
    EXPECT_EQ(ring.blocks.size(), 3u) << "the command goes out whole once there is room";
    EXPECT_EQ(ring.blocks[1] + ring.blocks[2], longCommand);

    // Then a ring that never drains: the next command is reported as not sent.
    ring.Drain();
    ring.QueueWrite("%Y\r");
    ring.QueueWrite("%Z\r");
    q.OnAnswer(EAnswer::CmdOk);
    clock.Advance(CCommandQueue::kRoomWaitLimitMs);
    EXPECT_EQ(ring.blocks.size(), 5u);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(Report().sent, 1);
    EXPECT_EQ(Report().notSent, 1);
    EXPECT_EQ(Report().failed, std::vector<std::string>{"%B (not sent: the channel's output stayed full)"});
    EXPECT_EQ(Report().Summary(), "1 command sent, 1 not sent");
}

TEST_F(CommandQueueTest, RefusedAndCutWritesAreNotSent)
{
    CRingSink ring;
    CCommandQueue q(ring, clock);
    const std::string twoBlocks = "%M" + std::string(kTerminalLineLimit - 2, 'b') + "\r";
    ring.refuseAfter = 1;  // the channel closes after the first block
    q.Enqueue(Batch("cut", {twoBlocks, "%B\r"}));
    ring.closed = true;
    clock.Advance(1);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(Report().sent, 0);
    EXPECT_EQ(Report().notSent, 2);
    ASSERT_EQ(Report().failed.size(), 2u);
    EXPECT_NE(Report().failed[0].find("(not sent: cut after 1024 of 1025 bytes)"), std::string::npos);
    EXPECT_EQ(Report().failed[1], "%B (not sent: the channel refused it)");
    EXPECT_FALSE(Report().AllAccepted());
}

TEST_F(CommandQueueTest, ACommandOverTheLineLimitRefusesItsJobBeforeAnythingIsSent)
{
    const std::string tooLong = "%M" + std::string(kTerminalLineLimit, 'c') + "\r";
    queue.Enqueue(Batch("long", {"%STARTCMD\r", tooLong, "%COMMITCMD\r"}));
    EXPECT_TRUE(sink.blocks.empty());
    EXPECT_FALSE(queue.Busy());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(Report().sent, 0);
    EXPECT_EQ(Report().notSent, 3);
    ASSERT_EQ(Report().failed.size(), 1u);
    EXPECT_NE(Report().failed[0].find("(1026 bytes) (not sent: longer than the terminal's line limit of 1024"),
              std::string::npos)
        << Report().failed[0];

    const std::string atTheLimit = "%M" + std::string(kTerminalLineLimit - 2, 'c') + "\r";
    queue.Enqueue(Batch("fits", {atTheLimit}));
    EXPECT_EQ(sink.blocks.size(), 2u);
}

TEST_F(CommandQueueTest, ALinesStepShowsEveryLineAndSendsTheCommands)
{
    auto lines = std::make_shared<const std::vector<SProfileLine>>(
        std::vector<SProfileLine>{{"%A", true, 1}, {"\\\\ note", false, 2}, {"%B", true, 3}});
    std::vector<std::string> shown;
    SJob job;
    job.name = "lines";
    job.steps.push_back(SJobStep::Lines(lines, 9000, [&](const SProfileLine& line) { shown.push_back(line.text); }));
    job.done = [this](const SJobReport& report) { reports.emplace_back("lines", report); };
    queue.Enqueue(std::move(job));
    EXPECT_EQ(shown, std::vector<std::string>{"%A"}) << "each line is shown as it comes";
    EXPECT_EQ(sink.blocks, std::vector<std::string>{"%A\r"});
    queue.OnAnswer(EAnswer::CmdOk);
    EXPECT_EQ(shown, (std::vector<std::string>{"%A", "\\\\ note", "%B"}));
    EXPECT_EQ(sink.blocks, (std::vector<std::string>{"%A\r", "%B\r"}));
    clock.Advance(9000 + kSettle);
    EXPECT_EQ(Report().failed, std::vector<std::string>{"%B (no answer)"});
    EXPECT_EQ(Report().sent, 2);
}

TEST_F(CommandQueueTest, ASecondJobNeverEntersTheFirstOnesBracket)
{
    queue.Enqueue(Batch("first", {"%STARTCMD\r", "%X\r", "%COMMITCMD\r"}));
    queue.Enqueue(Batch("second", {"%STARTCMD\r", "%Y\r", "%COMMITCMD\r"}));
    EXPECT_EQ(queue.Waiting(), 1u);
    for (int i = 0; i < 6; ++i)
        queue.OnAnswer(EAnswer::CmdOk);
    EXPECT_EQ(sink.blocks, (std::vector<std::string>{"%STARTCMD\r", "%X\r", "%COMMITCMD\r", "%STARTCMD\r", "%Y\r",
                                                     "%COMMITCMD\r"}));
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].first, "first");
    EXPECT_TRUE(reports[1].second.AllAccepted());
}

TEST_F(CommandQueueTest, AnswersOutsideAWaitAreIgnoredAndWritesDoNotWait)
{
    queue.OnAnswer(EAnswer::CmdOk);  // nothing running: no effect
    SJob job = Batch("read", {"%A\r"});
    job.steps.push_back(SJobStep::Write("%DUMP_SYS\r"));
    job.steps.push_back(SJobStep::Write("%DUMP_PHONE\r"));
    queue.Enqueue(std::move(job));
    queue.OnAnswer(EAnswer::CmdOk);
    EXPECT_EQ(sink.blocks, (std::vector<std::string>{"%A\r", "%DUMP_SYS\r", "%DUMP_PHONE\r"}));
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(CommandQueueTest, CancellingStillClosesTheBatchAndDropsWaitingJobs)
{
    SJob job = Batch("profile", {"%STARTCMD\r", "%A\r", "%B\r"}, 9000);
    job.steps.push_back(SJobStep::Send("%COMMITCMD\r", 3000, true));
    bool finalCall = false;
    job.steps.push_back(SJobStep::Call([&] { finalCall = true; }, true));
    queue.Enqueue(std::move(job));
    queue.Enqueue(Batch("later", {"%Z\r"}));
    queue.OnAnswer(EAnswer::CmdOk);  // %STARTCMD answered, %A on the wire

    queue.CancelAll();
    EXPECT_EQ(sink.blocks, (std::vector<std::string>{"%STARTCMD\r", "%A\r"})) << "%A keeps its wait";
    queue.OnAnswer(EAnswer::CmdOk);  // %A's own answer
    EXPECT_EQ(sink.blocks, (std::vector<std::string>{"%STARTCMD\r", "%A\r", "%COMMITCMD\r"}));
    EXPECT_TRUE(queue.Busy());
    EXPECT_FALSE(finalCall);
    queue.OnAnswer(EAnswer::CmdOk);
    EXPECT_TRUE(finalCall);
    EXPECT_FALSE(queue.Busy());
    ASSERT_EQ(reports.size(), 1u) << "the waiting job was dropped";
    EXPECT_TRUE(reports[0].second.cancelled);
}

TEST_F(CommandQueueTest, AnAnswerDuringTheWriteItselfIsNotLost)
{
    // A sink that answers at once, as a fast simulated terminal might.
    struct CEchoSink : IByteSink {
        CCommandQueue* queue = nullptr;
        std::vector<std::string> written;
        void QueueBlock(std::string_view bytes) override
        {
            written.emplace_back(bytes);
            queue->OnAnswer(EAnswer::CmdOk);
        }
    } echo;
    CCommandQueue fast(echo, clock);
    echo.queue = &fast;
    SJob job;
    for (const char* c : {"%A\r", "%B\r", "%C\r"})
        job.steps.push_back(SJobStep::Send(c, 3000));
    int done = 0;
    job.done = [&](const SJobReport& report) {
        ++done;
        EXPECT_EQ(report.accepted, 3);
    };
    fast.Enqueue(std::move(job));
    EXPECT_EQ(echo.written.size(), 3u);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(clock.Pending(), 0u);
}

} // namespace
} // namespace orlan
