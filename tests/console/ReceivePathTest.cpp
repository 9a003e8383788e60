#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "console/ReceivePath.h"
#include "support/RecordingListener.h"
#include "support/RecordingSink.h"

namespace orlan {
namespace {

using test::CRecordingListener;
using test::CRecordingSink;

class ReceivePathTest : public ::testing::Test {
protected:
    ReceivePathTest() : rx(listener, sink)
    {
        SStatusTexts texts;
        texts.loginOk = "LOGIN_OK";
        texts.reloadOk = "RELOAD_OK";
        texts.setupingMode = "SETUPING";
        texts.starting = "STARTING";
        texts.workMode = "WORKING";
        texts.powerUping = "POWERUP";
        rx.SetStatusTexts(texts);
        rx.SetDumpDispatcher(&listener);
        rx.SetClock([] { return STimeOfDay{9, 5, 7}; });
    }

    void Feed(std::string_view bytes) { rx.OnSerialData(bytes.data(), bytes.size()); }
    void FeedInPieces(std::string_view bytes, size_t piece)
    {
        for (size_t i = 0; i < bytes.size(); i += piece)
            Feed(bytes.substr(i, piece));
    }
    std::vector<std::string> LoggedLines() const
    {
        std::vector<std::string> lines;
        for (size_t i = 0; i < rx.LineLog().Size(); ++i)
            lines.push_back(rx.LineLog().Line(i));
        return lines;
    }
    bool Traced(const std::string& what) const
    {
        return std::find(listener.trace.begin(), listener.trace.end(), what) != listener.trace.end();
    }

    CRecordingListener listener;
    CRecordingSink sink;
    CReceivePath rx;
};

TEST_F(ReceivePathTest, DumpLinesWithStrayBytesInFrontAreCountedAsGarbled)
{
    using namespace std::string_literals;
    const struct {
        std::string line;
        bool garbled;
    } cases[] = {
        {"$CS1 +49151"s, false},
        {"\0$CS1 +49151"s, true},
        {"\xFF$CS1 +49151"s, true},
        {"\x1B\x7F$DUMPR END"s, true},
        {"#$ID 4711"s, true},
        {"\0\0\0$ID 4711"s, true},
        {"\0\0\0\0$ID 4711"s, false},  // too far in to be the line's own "$"
        {"  $ID 4711"s, false},          // blanks are text
        {"x$ID 4711"s, false},
        {"Balance: 5$ left"s, false},
        {"\x01\x02\x8F"s, false},  // junk without a "$" is no dump line
        {"CMD OK"s, false},
    };
    size_t expected = 0;
    for (const auto& c : cases) {
        Feed(c.line + "\r\n");
        expected += c.garbled ? 1 : 0;
        EXPECT_EQ(rx.GarbledDumpLines(), expected) << testing::PrintToString(c.line);
    }
}

TEST_F(ReceivePathTest, EveryKindOfLineEndCutsTheSameLines)
{
    Feed("$A 1\r$B 2\n$C 3\r\n$D 4\n\r\r\n\n$E 5\r");
    EXPECT_EQ(LoggedLines(), (std::vector<std::string>{"$A 1", "$B 2", "$C 3", "$D 4", "$E 5"}));
    EXPECT_EQ(listener.dispatched.size(), 5u);
}

TEST_F(ReceivePathTest, ALineSplitOverChunksIsCutOnceItsEndArrives)
{
    Feed("$SMS");
    EXPECT_EQ(rx.LineLog().Size(), 0u);
    Feed("MODE 1");
    EXPECT_EQ(rx.LineLog().Size(), 0u);
    Feed("\r\n");
    EXPECT_EQ(LoggedLines(), (std::vector<std::string>{"$SMSMODE 1"}));
}

TEST_F(ReceivePathTest, LongTrafficLosesNoLineWhateverTheChunkBoundaries)
{
    // About 60 KB, more than three buffers' worth, cut at awkward places:
    // a whole-configuration read must arrive complete.
    std::string traffic;
    std::vector<std::string> expected;
    for (int i = 0; i < 200; ++i) {
        std::string line = "$KEY" + std::to_string(i) + " " + std::string(250 + i % 50, 'a' + i % 26);
        expected.push_back(line);
        traffic += line + "\r\n";
    }
    for (size_t piece : {1000u, 997u, 18431u, 18432u, 40000u}) {
        SCOPED_TRACE(piece);
        CRecordingListener l;
        CRecordingSink s;
        CReceivePath path(l, s);
        for (size_t i = 0; i < traffic.size(); i += piece)
            path.OnSerialData(traffic.data() + i, std::min(piece, traffic.size() - i));
        ASSERT_EQ(path.LineLog().Size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i)
            ASSERT_EQ(path.LineLog().Line(i), expected[i]);
        EXPECT_EQ(l.raw, traffic);  // the console page sees every byte once
    }
}

TEST_F(ReceivePathTest, AnOverLongLineIsSkippedAloneAndTheLinesAroundItSurvive)
{
    const std::string tooLong(CReceivePath::kMaxLineLength, 'x');
    const std::string longest(CReceivePath::kMaxLineLength - 1, 'y');
    const std::string traffic = "$BEFORE 1\r\n" + tooLong + "\r\n$AFTER 2\r\n" + longest + "\r\n$LAST 3\r\n";

    Feed(traffic);  // all in one chunk
    EXPECT_EQ(LoggedLines(), (std::vector<std::string>{"$BEFORE 1", "$AFTER 2", longest, "$LAST 3"}));

    CRecordingListener l;
    CRecordingSink s;
    CReceivePath path(l, s);
    const std::string huge = "$A 1\r\n" + std::string(50000, 'z') + "\r\n$B 2\r\n";
    for (size_t i = 0; i < huge.size(); i += 700)
        path.OnSerialData(huge.data() + i, std::min<size_t>(700, huge.size() - i));
    ASSERT_EQ(path.LineLog().Size(), 2u);
    EXPECT_EQ(path.LineLog().Line(0), "$A 1");
    EXPECT_EQ(path.LineLog().Line(1), "$B 2");
}

TEST_F(ReceivePathTest, AnswerLinesCountAnywhereInALineAndStillReachThePages)
{
    Feed("$SMSMODE 1 CMD OK tail\r\n");
    EXPECT_TRUE(rx.AnswerReceived());
    EXPECT_EQ(listener.answers, (std::vector<EAnswer>{EAnswer::CmdOk}));
    EXPECT_TRUE(Traced("show:1"));
    EXPECT_TRUE(Traced("finish"));
    EXPECT_EQ(listener.dispatched, (std::vector<std::string>{"$SMSMODE 1 CMD OK tail"}));

    rx.ClearAnswerReceived();
    Feed("CMD ERR\r\nPlease wait\r\n");
    EXPECT_TRUE(rx.AnswerReceived());
    EXPECT_EQ(listener.answers, (std::vector<EAnswer>{EAnswer::CmdOk, EAnswer::CmdErr, EAnswer::PleaseWait}));
}

TEST_F(ReceivePathTest, LoginPromptsSendThePasswordAndOutcomesSetTheFlags)
{
    rx.SetPassword("1234");
    Feed("Console started, please login\r\n");
    EXPECT_EQ(sink.blocks, (std::vector<std::string>{"1234", "\r"}));

    Feed("Login Failed, please input password\r\n");
    EXPECT_TRUE(Traced("login-failed"));
    EXPECT_EQ(listener.statuses.back(), "Password is incorrect!!");
    EXPECT_EQ(sink.blocks.size(), 4u);  // the prompt in the same line sends it again
    EXPECT_FALSE(rx.HaveLogin());

    Feed("Login Success\r\n");
    EXPECT_TRUE(Traced("login-success"));
    EXPECT_EQ(listener.statuses.back(), "LOGIN_OK");
    Feed("$END OF DUMPR\r\n");
    EXPECT_TRUE(rx.HaveLogin());
    EXPECT_TRUE(Traced("read-complete"));
    EXPECT_EQ(listener.statuses.back(), "RELOAD_OK");
    EXPECT_EQ(listener.beeps, 3);
}

TEST_F(ReceivePathTest, BootLinesSetStatusesAndTheArmedSetupRequestAnswersOnce)
{
    Feed("Waiting module...\r\n");
    EXPECT_EQ(listener.statuses.back(), "POWERUP");
    rx.SetSetupRequested(true);
    Feed("Press '%%%%' to enter setup\r\n");
    EXPECT_EQ(listener.statuses.back(), "STARTING");
    EXPECT_TRUE(Traced("key-run"));
    EXPECT_TRUE(Traced("show:15"));
    EXPECT_FALSE(rx.SetupRequested());

    listener.trace.clear();
    Feed("Press '%%%%' to enter setup\r\n");
    EXPECT_FALSE(Traced("key-run"));
    Feed("come in setup mode\r\n");
    EXPECT_TRUE(Traced("second:SETUPING"));
    Feed("Working mode now\r\n");
    EXPECT_TRUE(Traced("second:WORKING"));
}

TEST_F(ReceivePathTest, PictureBytesInTheStartChunkAndASplitEndMarker)
{
    const std::string jpeg = "\xFF\xD8" + std::string(100, '\x10') + "\r\n\x00\x01\xFF\xD9";
    std::string chunk = "$IMAGE_START\r\n" + jpeg.substr(0, 40);
    Feed("$A 1\r\n" + chunk);
    EXPECT_TRUE(rx.ImageMode());
    EXPECT_EQ(rx.ImageCount(), 40u);
    Feed(jpeg.substr(40) + "$IMAGE_E");
    EXPECT_TRUE(rx.ImageMode());
    Feed("ND\r\n");
    EXPECT_FALSE(rx.ImageMode());
    ASSERT_EQ(listener.pictures.size(), 1u);
    EXPECT_EQ(listener.pictures[0], jpeg);
    EXPECT_EQ(LoggedLines(), (std::vector<std::string>{"$A 1", "$IMAGE_START", "$IMAGE_END"}));
}

TEST_F(ReceivePathTest, TextBehindTheEndMarkerIsProcessedAsText)
{
    const std::string jpeg = "\xFF\xD8" + std::string(64, 'p') + "\xFF\xD9";
    Feed("$IMAGE_START\r\n" + jpeg + "$IMAGE_END\r\nCMD OK\r\n$IMAGE_START\r\nxyz");
    ASSERT_EQ(listener.pictures.size(), 1u);
    EXPECT_EQ(listener.pictures[0], jpeg);
    EXPECT_TRUE(rx.AnswerReceived());
    EXPECT_TRUE(rx.ImageMode());  // a second picture began in the same chunk
    EXPECT_EQ(rx.ImageCount(), 3u);
}

TEST_F(ReceivePathTest, OversizedPictureAndCameraErrorEndImageMode)
{
    Feed("$IMAGE_START\r\n");
    const std::string block(20000, 'j');
    Feed(block);
    Feed(block);
    EXPECT_TRUE(rx.ImageMode());
    Feed(block);  // 60000 bytes in all: over the picture buffer
    EXPECT_FALSE(rx.ImageMode());
    EXPECT_EQ(listener.statuses.back(), "jpeg data overload!!");
    EXPECT_TRUE(Traced("picture-failed"));
    EXPECT_TRUE(listener.pictures.empty());

    Feed("$IMAGE_ERR\r\n");
    EXPECT_EQ(listener.statuses.back(), "image get error!");
}

TEST_F(ReceivePathTest, AnOversizedPictureKeepsTheTextBehindItsEndMarker)
{
    Feed("$IMAGE_START\r\n");
    Feed(std::string(50000, 'j'));
    Feed(std::string(10000, 'j') + "$IMAGE_END\r\nCMD OK\r\n$CC 86\r\n");
    EXPECT_FALSE(rx.ImageMode());
    EXPECT_EQ(listener.statuses.back(), "jpeg data overload!!");
    EXPECT_TRUE(listener.pictures.empty());
    EXPECT_EQ(listener.answers, std::vector<EAnswer>{EAnswer::CmdOk}) << "the answer behind the picture counts";
    EXPECT_EQ(listener.dispatched, (std::vector<std::string>{"CMD OK", "$CC 86"}));
}

TEST_F(ReceivePathTest, APictureThatStopsComingCanBeAbandoned)
{
    Feed("$IMAGE_START\r\n\xFF\xD8 and no more");
    ASSERT_TRUE(rx.ImageMode());
    rx.AbandonImage();
    EXPECT_FALSE(rx.ImageMode());
    EXPECT_EQ(listener.statuses.back(), "image get error!");
    EXPECT_TRUE(Traced("picture-failed"));
    Feed("CMD OK\r\n");
    EXPECT_EQ(listener.answers, std::vector<EAnswer>{EAnswer::CmdOk});
}

TEST_F(ReceivePathTest, APromptTheListenerDeclinesIsNotAnsweredWithThePassword)
{
    struct CDeclining final : CRecordingListener {
        bool OnPasswordPrompt() override { return false; }
    } declining;
    CReceivePath quiet(declining, sink);
    quiet.SetPassword("pw");
    quiet.OnSerialData("please input password\r\n", 23);
    EXPECT_TRUE(sink.blocks.empty());
}

TEST_F(ReceivePathTest, EventLinesBecomeRowsEvenWithFieldsMissing)
{
    Feed("$: \"17\" \"DIN 3 ALARM SMS\" \"3 Door\" \"a\" \"b\" \"c\" \"d\" \"ignored\"\r\n");
    Feed("$: \"18\" \"POWER RECOVER\"\r\n");
    ASSERT_EQ(rx.Events().Size(), 2u);
    const SEventRow& first = rx.Events().Row(0);
    EXPECT_EQ(first.recordNumber, 17);
    EXPECT_EQ(first.channelNumber, 3);
    EXPECT_EQ(first.columns, (std::array<std::string, 6>{"Digital inputs: Alarm, Sms", "3 Door", "a", "b", "c",
                                                          "d (09:05:07)"}));
    const SEventRow& second = rx.Events().Row(1);
    EXPECT_EQ(second.columns[0], "DC/Power: Restore");
    EXPECT_EQ(second.what.source, EEventSource::Power);
    EXPECT_EQ(second.what.kind, EEventKind::Restore);
    EXPECT_EQ(second.columns[1], "");
    EXPECT_EQ(second.columns[5], " (09:05:07)");
}

TEST(EventField, FieldsAreCutAndUnterminatedQuotesGiveNothing)
{
    const std::string longField(300, 'q');
    EXPECT_EQ(EventField("\"" + longField + "\"", 0), std::string(127, 'q'));
    EXPECT_EQ(EventField("\"one\" \"two", 1), "");
    EXPECT_EQ(EventField("no quotes", 0), "");
}

} // namespace
} // namespace orlan
