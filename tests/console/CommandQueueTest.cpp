#include <gtest/gtest.h>

#include "console/CommandQueue.h"
#include "support/ManualClock.h"
#include "support/RecordingSink.h"

namespace orlan {
namespace {

using test::CManualClock;
using test::CRecordingSink;

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

    clock.Advance(3000);  // no answer: the tick limit moves on, nothing is retried
    EXPECT_EQ(sink.blocks.back(), "%COMMITCMD\r");
    queue.OnAnswer(EAnswer::CmdErr);

    ASSERT_EQ(reports.size(), 1u);
    const SJobReport& report = reports[0].second;
    EXPECT_EQ(report.sent, 3);
    EXPECT_EQ(report.accepted, 1);
    EXPECT_EQ(report.unanswered, 1);
    EXPECT_EQ(report.rejected, 1);
    EXPECT_FALSE(report.AllAccepted());
    EXPECT_EQ(report.failed, (std::vector<std::string>{"%A1 (no answer)", "%COMMITCMD (CMD ERR)"}));
    EXPECT_EQ(report.Summary(), "3 commands sent, 1 rejected, 1 unanswered");
    EXPECT_FALSE(queue.Busy());
    EXPECT_EQ(clock.Pending(), 0u);
}

TEST_F(CommandQueueTest, ASecondJobNeverEntersTheFirstOnesBracket)
{
    queue.Enqueue(Batch("first", {"%STARTCMD\r", "%X\r", "%COMMITCMD\r"}));
    queue.Enqueue(Batch("second", {"%STARTCMD\r", "%Y\r", "%COMMITCMD\r"}));
    EXPECT_EQ(queue.Waiting(), 1u);
    for (int i = 0; i < 6; ++i)
        queue.OnAnswer(i % 2 ? EAnswer::PleaseWait : EAnswer::CmdOk);
    EXPECT_EQ(sink.blocks, (std::vector<std::string>{"%STARTCMD\r", "%X\r", "%COMMITCMD\r", "%STARTCMD\r", "%Y\r",
                                                     "%COMMITCMD\r"}));
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].first, "first");
    EXPECT_TRUE(reports[1].second.AllAccepted());
    EXPECT_EQ(reports[1].second.busy, 2);
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
