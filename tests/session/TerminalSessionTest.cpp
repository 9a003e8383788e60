#include <gtest/gtest.h>

#include "console/ConsoleCommands.h"
#include "session/TerminalSession.h"
#include "support/ManualClock.h"
#include "support/RecordingSink.h"

namespace orlan {
namespace {

using test::CManualClock;
using test::CRecordingSink;

// A page with one text field, its own dump key and one command.
class CFakePage final : public CPage {
public:
    CFakePage(std::string className, std::string title, std::vector<std::string>* clears)
        : CPage({.className = className, .section = "PageFake", .profileTitle = title}), m_clears(clears)
    {
        m_fields.Add({.id = "value", .kind = EFieldKind::Text, .labelKey = "VALUE"});
    }
    void Clear() override
    {
        CPage::Clear();
        if (m_clears)
            m_clears->push_back(m_info.className);
    }
    std::string DumpRequest() const override { return "%DUMP_FAKE\r"; }
    CCommandList SettingCommands(ETarget) const override { return {{"%V" + m_fields.Text("value") + "\r"}}; }

private:
    std::vector<std::string>* m_clears;
};

class CViewLog final : public ISessionView {
public:
    void ShowInformation(const std::string& text) override { infos.push_back(text); }
    void ShowError(const std::string& text) override { errors.push_back(text); }
    void OnWholeReadComplete() override { ++wholeReads; }
    void OnWholeReadFailed(const std::string& reason) override { readFailures.push_back(reason); }
    void OnDumpEndOutsideRead() override { ++otherEnds; }
    void OnPictureFailed() override { ++pictureFailures; }
    void OnJobFinished(const std::string& name, const SJobReport& report) override
    {
        jobs.push_back(name + ": " + report.Summary());
    }
    void OnPageBusy(const CPage&, bool busy) override { busyChanges.push_back(busy); }
    void OnRestart() override { ++restarts; }
    std::vector<std::string> infos;
    std::vector<std::string> errors;
    std::vector<std::string> readFailures;
    int wholeReads = 0;
    int otherEnds = 0;
    int pictureFailures = 0;
    std::vector<std::string> jobs;
    std::vector<bool> busyChanges;
    int restarts = 0;
};

class TerminalSessionTest : public ::testing::Test {
protected:
    void Feed(std::string_view text) { session.Receive().OnSerialData(text.data(), text.size()); }
    // As the channel hands blocks over: the session sees when the line spoke.
    void Arrive(std::string_view text) { session.OnSerialData(text.data(), text.size()); }
    std::vector<std::string> TakeWrites() { return std::exchange(sink.blocks, {}); }

    CViewLog view;
    CRecordingSink sink;
    CManualClock clock;
    CTerminalSession session{view, sink, clock};
};

TEST_F(TerminalSessionTest, ALoginAttemptRetriesThreeTimesThenWaitsForTheUser)
{
    session.SetPassword("pw");
    for (int failure = 1; failure <= 3; ++failure) {
        Feed("Login Failed\r\n");
        EXPECT_EQ(TakeWrites(), (std::vector<std::string>{"pw", "\r"})) << failure;
    }
    Feed("Login Failed\r\n");
    EXPECT_TRUE(TakeWrites().empty());
    EXPECT_EQ(view.infos, std::vector<std::string>{"The login password is incorrect!"});
    EXPECT_TRUE(session.LoginGivenUp());

    // More refusals and prompts, however many: nothing sent, nothing shown.
    std::string flood;
    for (int i = 0; i < 20000; ++i)
        flood += "Login Failed\r\nplease input password\r\n";
    Feed(flood);
    EXPECT_TRUE(TakeWrites().empty());
    EXPECT_EQ(view.infos.size(), 1u);

    // The user starts the next attempt: the login button or a new password.
    session.Login("already logged in");
    EXPECT_EQ(TakeWrites(), (std::vector<std::string>{"pw", "\r"}));
    EXPECT_FALSE(session.LoginGivenUp());
    for (int i = 0; i < 4; ++i)
        Feed("Login Failed\r\n");
    EXPECT_EQ(TakeWrites().size(), 6u) << "three retries";
    EXPECT_EQ(view.infos.size(), 2u);
    session.SetPassword("pw2");
    Feed("please input password\r\n");
    EXPECT_EQ(TakeWrites(), (std::vector<std::string>{"pw2", "\r"}));
}

TEST_F(TerminalSessionTest, ATerminalThatPromptsAgainAfterEachRefusalGetsOnePasswordPerRefusal)
{
    session.SetPassword("wrong");
    Feed("Console started, please login\r\n");
    EXPECT_EQ(TakeWrites(), (std::vector<std::string>{"wrong", "\r"}));
    for (int refusal = 1; refusal <= 10; ++refusal)
        Feed("Login Failed\r\nplease input password\r\n");
    // The first password and three retries, then the user is asked.
    EXPECT_EQ(TakeWrites().size(), 6u);
    EXPECT_EQ(view.infos, std::vector<std::string>{"The login password is incorrect!"});

    // A prompt long after the last password went out (a reboot) is answered.
    session.Login("already logged in");
    TakeWrites();
    clock.Advance(CTerminalSession::kLoginVerdictMs);
    Feed("Console started, please login\r\n");
    EXPECT_EQ(TakeWrites(), (std::vector<std::string>{"wrong", "\r"}));
}

TEST_F(TerminalSessionTest, LoginSuccessReadsEverythingAndTheLoginButtonKnowsIt)
{
    std::vector<std::string> clears;
    session.AddPage(std::make_unique<CFakePage>("CPageServer", "", &clears));
    session.AddPage(std::make_unique<CFakePage>("CPageAllSms", "", &clears));
    session.AddPage(std::make_unique<CFakePage>("CPageOffTheList", "", &clears));
    session.SetPassword("pw");
    Feed("Login Success\r\n");
    EXPECT_EQ(clears, (std::vector<std::string>{"CPageAllSms", "CPageServer"}));  // the whole-read order
    EXPECT_EQ(TakeWrites(), (std::vector<std::string>{"%DUMPS\r", "%DUMPR\r"}));

    session.Login("already logged in");
    EXPECT_EQ(TakeWrites(), (std::vector<std::string>{"pw", "\r"}));  // no read completed yet
    Feed("$END DUMPR\r\n");
    session.Login("already logged in");
    EXPECT_TRUE(TakeWrites().empty());
    EXPECT_EQ(view.infos, std::vector<std::string>{"already logged in"});
}

TEST_F(TerminalSessionTest, SetupRestartAndDefaults)
{
    session.EnterSetupMode();
    EXPECT_EQ(TakeWrites(), std::vector<std::string>{std::string(12, '%')});
    Feed("Press '%%%%' to enter setup mode\r\n");
    EXPECT_EQ(TakeWrites(), std::vector<std::string>{std::string(12, '%')});
    Feed("Press '%%%%' to enter setup mode\r\n");
    EXPECT_TRUE(TakeWrites().empty()) << "answered once per SETUP";

    session.EnterSetupMode();
    session.Restart();  // disarms the setup request
    EXPECT_EQ(view.restarts, 1);
    TakeWrites();
    Feed("Press '%%%%' to enter setup mode\r\n");
    EXPECT_TRUE(TakeWrites().empty());

    session.FactoryDefaults();
    EXPECT_EQ(TakeWrites(), (std::vector<std::string>{"%ATF\r", "%DUMPS\r", "%DUMPR\r"}));
}

TEST_F(TerminalSessionTest, AWriteBackIsOneBracketedJobFollowedByThePagesRead)
{
    CPage& page = session.AddPage(std::make_unique<CFakePage>("CPageMainParams", "", nullptr));
    page.Fields().SetText("value", "7");
    session.WriteBack(page);
    session.WriteBack(page);  // a second press waits for the first job
    EXPECT_EQ(TakeWrites(), std::vector<std::string>{"%STARTCMD\r"});
    Feed("CMD OK\r\n");
    Feed("CMD ERR\r\n");
    clock.Advance(2000 + CCommandQueue::kSettleMs);  // the commit is not answered; the line settles
    EXPECT_EQ(TakeWrites(), (std::vector<std::string>{"%V7\r", "%COMMITCMD\r", "%DUMP_FAKE\r", "%STARTCMD\r"}));
    EXPECT_EQ(page.Fields().Text("value"), "") << "the read cleared the page first";
    ASSERT_FALSE(view.jobs.empty());
    EXPECT_EQ(view.jobs[0], "Write CPageMainParams: 3 commands sent, 1 rejected, 1 unanswered");
    EXPECT_EQ(view.busyChanges, (std::vector<bool>{true, false, true}));
}

TEST_F(TerminalSessionTest, ProfileSectionsFollowTheFixedOrderWithTheirBytes)
{
    CPage& main = session.AddPage(std::make_unique<CFakePage>("CPageMainParams", "System Main Params", nullptr));
    CPage& server = session.AddPage(std::make_unique<CFakePage>("CPageServer", "Device Control phones", nullptr));
    // Never in classic profiles; in complete ones behind them, titled by its identity.
    CPage& gprs = session.AddPage(std::make_unique<CFakePage>("CPageGPRS", "", nullptr));
    main.Fields().SetText("value", "1");
    server.Fields().SetText("value", "2");
    gprs.Fields().SetText("value", "3");
    const std::string classic = "\r\r\n//Page Device Control phones\r\r\n\r\n%V2\r\r\n"
                                "\r\r\n//Page System Main Params\r\r\n\r\n%V1\r\r\n";
    EXPECT_EQ(session.ProfileBytes(EProfileScope::Classic), classic);
    EXPECT_EQ(session.ProfileBytes(), classic + "\r\r\n//Page GPRS data centres\r\r\n\r\n%V3\r\r\n");
    // A value never reported: the section keeps its header, the line is
    // left out and named. A page of the complete tail with nothing to write
    // adds no section.
    server.Clear();
    gprs.Clear();
    std::vector<SLeftOut> leftOut;
    EXPECT_EQ(session.ProfileBytes(EProfileScope::Classic, &leftOut),
              "\r\r\n//Page Device Control phones\r\r\n\r\n"
              "\r\r\n//Page System Main Params\r\r\n\r\n%V1\r\r\n");
    ASSERT_EQ(leftOut.size(), 1u);
    EXPECT_EQ(leftOut[0].command, "%V");
    EXPECT_EQ(leftOut[0].unknown, (std::vector<SUnknownValue>{{"value", "VALUE", "PageFake"}}));
}

TEST_F(TerminalSessionTest, ExecutingAProfileSendsItsCommandLinesOnceInOneBracket)
{
    const std::string profile = "\r\n//Page X\r\n%A1\r\n%A1\r\n  %NOT\r\n\\\\ note\n%B2\n%A1\nfree text\n";
    ASSERT_TRUE(session.ExecuteProfile(profile));
    EXPECT_FALSE(session.ExecuteProfile(profile)) << "a second run while one runs does nothing";
    for (int i = 0; i < 5; ++i)
        Feed("CMD OK\r\n");
    EXPECT_EQ(TakeWrites(), (std::vector<std::string>{"%STARTCMD\r", "%A1\r", "%B2\r", "%A1\r", "%COMMITCMD\r",
                                                      "%DUMPS\r", "%DUMPR\r"}));
    EXPECT_EQ(view.infos, std::vector<std::string>{"Excute the profile sucessed!"});
    EXPECT_FALSE(session.ProfileRunning());
    EXPECT_EQ(view.jobs, std::vector<std::string>{"Execute profile: 5 commands sent"});
}

TEST_F(TerminalSessionTest, ClosingDuringAProfileStillClosesTheBatch)
{
    ASSERT_TRUE(session.ExecuteProfile("%A\n%B\n%C\n"));
    Feed("CMD OK\r\n");  // %STARTCMD
    EXPECT_TRUE(session.PrepareToClose());
    EXPECT_EQ(TakeWrites(), (std::vector<std::string>{"%STARTCMD\r", "%A\r"}));
    Feed("CMD OK\r\n");  // the current line ends the loop
    EXPECT_EQ(TakeWrites(), std::vector<std::string>{"%COMMITCMD\r"});
    clock.Advance(3000 + CCommandQueue::kSettleMs);
    EXPECT_FALSE(session.Queue().Busy());
    EXPECT_TRUE(view.infos.empty()) << "no success message and no read while closing";
    EXPECT_TRUE(TakeWrites().empty());
}

TEST_F(TerminalSessionTest, RawTextLongerThanOneBlockIsSentWhole)
{
    const std::string text(2500, 'x');
    session.SendRaw(text);
    const auto writes = TakeWrites();
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[0].size(), 1024u);
    EXPECT_EQ(writes[0] + writes[1] + writes[2], text);
}

TEST_F(TerminalSessionTest, AProfileWithACommandOverTheLineLimitSendsNothingAndNamesTheLine)
{
    const std::string profile = "%A\n//Page x\n%" + std::string(kTerminalLineLimit, 'L') + "\n%B\n";
    EXPECT_FALSE(session.ExecuteProfile(profile));
    EXPECT_TRUE(TakeWrites().empty());
    EXPECT_FALSE(session.ProfileRunning());
    ASSERT_EQ(view.errors.size(), 1u);
    EXPECT_NE(view.errors[0].find("line 3: a command of 1025 bytes"), std::string::npos) << view.errors[0];

    std::vector<SProfileLine> lines = {{"%A", true, 7}, {std::string(kTerminalLineLimit + 1, '%'), true, 9}};
    EXPECT_FALSE(session.ExecuteProfile(std::move(lines)));
    EXPECT_TRUE(TakeWrites().empty());
    ASSERT_EQ(view.errors.size(), 2u);
    EXPECT_NE(view.errors[1].find("line 9"), std::string::npos) << view.errors[1];
    EXPECT_TRUE(session.ExecuteProfile(std::vector<SProfileLine>{{"%A", true, 1}}));
}

TEST_F(TerminalSessionTest, AProfileWithNothingToExecuteSendsNothingAndSaysSo)
{
    for (const std::string_view text : {std::string_view(""), std::string_view("//Page x\r\n\r\n"),
                                        std::string_view("\\\\ a note\n  %INDENTED\n")})
        EXPECT_FALSE(session.ExecuteProfile(text)) << text;
    EXPECT_FALSE(session.ExecuteProfile(std::vector<SProfileLine>{}));
    EXPECT_FALSE(session.ExecuteProfile(std::vector<SProfileLine>{{"\\\\ a note", false, 1}}));
    EXPECT_TRUE(TakeWrites().empty());
    EXPECT_FALSE(session.ProfileRunning());
    EXPECT_TRUE(view.infos.empty()) << view.infos.front();
    ASSERT_EQ(view.errors.size(), 5u);
    for (const std::string& error : view.errors)
        EXPECT_NE(error.find("nothing to execute"), std::string::npos) << error;
}

TEST_F(TerminalSessionTest, AWholeReadWaitsForTheLineToGoQuietAndTakesOnlyItsOwnEndLine)
{
    std::string value;  // what the pages were handed
    session.Router().AddRoute({.chain = 2, .key = "$FAKE ", .position = 6, .consumers = {"CPageFakeValue"}});
    session.Router().Bind("CPageFakeValue", "$FAKE ", [&value](const SDumpValue& v) { value = v.text; });
    Arrive("$FAKE old\r\n");  // an interrupted dump is still coming
    session.Reload();
    EXPECT_TRUE(TakeWrites().empty()) << "the request waits for the line to go quiet";
    EXPECT_EQ(session.WholeRead(), CTerminalSession::EWholeRead::Settling);
    clock.Advance(200);
    Arrive("$FAKE stale\r\n$DUMPR END\r\n");
    EXPECT_EQ(view.wholeReads, 0) << "the old dump's end is not this read's";
    EXPECT_EQ(value, "old") << "nor are its lines";
    clock.Advance(CTerminalSession::kReadSettleMs - 1);
    EXPECT_TRUE(TakeWrites().empty());
    clock.Advance(1);
    EXPECT_EQ(TakeWrites(), (std::vector<std::string>{"%DUMPS\r", "%DUMPR\r"}));
    EXPECT_EQ(session.WholeRead(), CTerminalSession::EWholeRead::Requested);
    Arrive("$FAKE new\r\n$DUMPR END\r\n");
    EXPECT_EQ(value, "new");
    EXPECT_EQ(view.wholeReads, 1);
    EXPECT_EQ(session.WholeRead(), CTerminalSession::EWholeRead::Complete);
    Arrive("$DUMPR END\r\n");  // a surplus end line completes nothing
    EXPECT_EQ(view.wholeReads, 1);
    EXPECT_EQ(view.otherEnds, 1);
}

TEST_F(TerminalSessionTest, ALineThatNeverGoesQuietGetsTheRequestAfterTheSettleLimit)
{
    session.SetWholeReadLimit(4000);
    session.Reload();
    EXPECT_EQ(TakeWrites().size(), 2u) << "a line that never spoke is quiet";
    clock.Advance(1);
    Arrive("$X 1\r\n");
    session.Reload();
    for (int t = 0; t < CTerminalSession::kReadSettleLimitMs; t += 100) {
        EXPECT_TRUE(TakeWrites().empty()) << t;
        Arrive("$X 1\r\n");
        clock.Advance(100);
    }
    EXPECT_EQ(TakeWrites().size(), 2u);
    clock.Advance(4000);
    EXPECT_EQ(view.readFailures, std::vector<std::string>{"no end of the dump within 4 s"});
    EXPECT_EQ(session.WholeRead(), CTerminalSession::EWholeRead::Failed);
    EXPECT_EQ(view.wholeReads, 0);
}

TEST_F(TerminalSessionTest, AnEndLineBeforeTheRequestIsOnTheWireIsNotTheReadsEnd)
{
    // The channel still holds the request when a block with an end line is
    // handed over: that end line cannot answer it.
    struct CHeldSink final : IByteSink {
        size_t pending = 0;
        size_t PendingBlocks() const override { return pending; }
        void QueueBlock(std::string_view) override { ++pending; }
    } held;
    CTerminalSession s(view, held, clock);
    s.Reload();
    ASSERT_EQ(s.WholeRead(), CTerminalSession::EWholeRead::Requested);
    s.Receive().OnSerialData("$X 1\r\n$DUMPR END\r\n", 18);
    EXPECT_EQ(view.wholeReads, 0);
    held.pending = 0;
    s.Receive().OnSerialData("$X 1\r\n$DUMPR END\r\n", 18);
    EXPECT_EQ(view.wholeReads, 1);
}

TEST_F(TerminalSessionTest, AReadTheClosedChannelRefusesKeepsWhatThePagesShow)
{
    struct CClosedSink final : IByteSink {
        void QueueBlock(std::string_view) override {}
        bool TakeBlock(std::string_view) override { return false; }
    } closed;
    CTerminalSession s(view, closed, clock);
    auto page = std::make_unique<CFakePage>("CPageBuzzer", "", nullptr);
    page->Fields().SetText("value", "kept");
    CFakePage& shown = *page;
    s.AddPage(std::move(page));
    s.Reload();
    ASSERT_EQ(view.readFailures.size(), 1u);
    EXPECT_NE(view.readFailures[0].find("closed"), std::string::npos) << view.readFailures[0];
    EXPECT_EQ(shown.Fields().Text("value"), "kept");
}

// A read is complete only when the terminal printed its settings: a refused
// request, an end line alone and a silent line are failures, each saying why.
TEST_F(TerminalSessionTest, AWholeReadWithoutSettingsIsAFailureThatSaysWhy)
{
    session.Reload();
    ASSERT_EQ(TakeWrites().size(), 2u);
    Arrive("CMD ERR\r\n");
    ASSERT_EQ(view.readFailures.size(), 1u);
    EXPECT_NE(view.readFailures[0].find("CMD ERR"), std::string::npos) << view.readFailures[0];
    EXPECT_FALSE(session.HoldsWholeRead());

    clock.Advance(CTerminalSession::kReadSettleMs);
    session.Reload();
    Arrive("$DUMPR END\r\n");
    ASSERT_EQ(view.readFailures.size(), 2u);
    EXPECT_NE(view.readFailures[1].find("without a single setting"), std::string::npos) << view.readFailures[1];
    EXPECT_EQ(view.wholeReads, 0);

    clock.Advance(CTerminalSession::kReadSettleMs);
    session.Reload();
    clock.Advance(CTerminalSession::kWholeReadSilenceMs - 1);
    EXPECT_EQ(view.readFailures.size(), 2u);
    clock.Advance(1);
    ASSERT_EQ(view.readFailures.size(), 3u);
    EXPECT_NE(view.readFailures[2].find("check the cable"), std::string::npos) << view.readFailures[2];

    // A terminal that speaks within the silence limit gets the whole read limit.
    clock.Advance(CTerminalSession::kReadSettleMs);
    session.Reload();
    clock.Advance(100);
    Arrive("$X 1\r\n");
    clock.Advance(CTerminalSession::kWholeReadSilenceMs);
    EXPECT_EQ(view.readFailures.size(), 3u);
    Arrive("$DUMPR END\r\n");
    EXPECT_EQ(view.wholeReads, 1);
    EXPECT_TRUE(session.HoldsWholeRead());
    session.OnChannelOpened();
    EXPECT_FALSE(session.HoldsWholeRead()) << "a reopened port may lead to another terminal";
}

TEST_F(TerminalSessionTest, AReadWhoseLinesCameWithStrayBytesIsNoCompleteRead)
{
    using namespace std::string_literals;
    // The first line sound, the rest behind a stray byte each; or all of them.
    for (const std::string& dump : {"$X 1\r\n\0$Y 2\r\n\0$DUMPR END\r\n"s,
                                    "\xFF$X 1\r\n\xFF$Y 2\r\n\xFF$DUMPR END\r\n"s,
                                    "$X 1\r\n$Y 2\r\n\0$DUMPR END\r\n"s}) {
        clock.Advance(CTerminalSession::kReadSettleMs);
        session.Reload();
        ASSERT_EQ(session.WholeRead(), CTerminalSession::EWholeRead::Requested);
        TakeWrites();
        Arrive(dump);
        EXPECT_EQ(session.WholeRead(), CTerminalSession::EWholeRead::Failed) << testing::PrintToString(dump);
        EXPECT_FALSE(session.HoldsWholeRead());
    }
    EXPECT_EQ(view.wholeReads, 0);
    ASSERT_EQ(view.readFailures.size(), 3u);
    EXPECT_NE(view.readFailures[0].find("2 lines of the dump came with stray bytes"), std::string::npos)
        << view.readFailures[0];
    // Stray bytes before the read are not the read's.
    clock.Advance(CTerminalSession::kReadSettleMs);
    session.Reload();
    Arrive("$X 1\r\n$DUMPR END\r\n");
    EXPECT_EQ(view.wholeReads, 1);
}

TEST_F(TerminalSessionTest, AProfileTheTerminalDidNotTakeWholeIsReportedWithItsCommands)
{
    ASSERT_TRUE(session.ExecuteProfile("%A1\n%B2\n%C3\n"));
    Feed("CMD OK\r\n");   // %STARTCMD
    Feed("CMD ERR\r\n");  // %A1
    Feed("CMD OK\r\n");   // %B2
    clock.Advance(9000 + CCommandQueue::kSettleMs);  // %C3 unanswered
    Feed("CMD OK\r\n");   // %COMMITCMD
    clock.Advance(CCommandQueue::kSettleMs * 2);
    EXPECT_TRUE(view.infos.empty()) << "no success message";
    ASSERT_EQ(view.errors.size(), 1u);
    const std::string& text = view.errors[0];
    EXPECT_NE(text.find("1 rejected, 1 unanswered"), std::string::npos) << text;
    EXPECT_NE(text.find("%A1 (CMD ERR)"), std::string::npos) << text;
    EXPECT_NE(text.find("%C3 (no answer)"), std::string::npos) << text;
    EXPECT_EQ(text.find("%B2"), std::string::npos) << text;

    SJobReport many;
    for (int i = 0; i < 40; ++i)
        many.failed.push_back("%X" + std::to_string(i) + " (CMD ERR)");
    EXPECT_NE(ProfileFailureText(many, 30).find("... and 10 more"), std::string::npos);
}

TEST_F(TerminalSessionTest, APictureThatStopsComingIsDropped)
{
    Arrive("$IMAGE_START\r\n\xFF\xD8 some picture bytes");
    ASSERT_TRUE(session.Receive().ImageMode());
    clock.Advance(CTerminalSession::kPictureQuietMs - 1);
    Arrive("more");
    clock.Advance(CTerminalSession::kPictureQuietMs - 1);
    EXPECT_TRUE(session.Receive().ImageMode());
    clock.Advance(1);
    EXPECT_FALSE(session.Receive().ImageMode());
    EXPECT_EQ(view.pictureFailures, 1);
    Arrive("CMD OK\r\n");
    EXPECT_EQ(session.Receive().LineLog().Last(), "CMD OK");
}

} // namespace
} // namespace orlan
