#include <gtest/gtest.h>

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
    void OnJobFinished(const std::string& name, const SJobReport& report) override
    {
        jobs.push_back(name + ": " + report.Summary());
    }
    void OnPageBusy(const CPage&, bool busy) override { busyChanges.push_back(busy); }
    void OnRestart() override { ++restarts; }
    std::vector<std::string> infos;
    std::vector<std::string> jobs;
    std::vector<bool> busyChanges;
    int restarts = 0;
};

class TerminalSessionTest : public ::testing::Test {
protected:
    void Feed(std::string_view text) { session.Receive().OnSerialData(text.data(), text.size()); }
    std::vector<std::string> TakeWrites() { return std::exchange(sink.blocks, {}); }

    CViewLog view;
    CRecordingSink sink;
    CManualClock clock;
    CTerminalSession session{view, sink, clock};
};

TEST_F(TerminalSessionTest, ThreeAutomaticRetriesThenTheUserIsToldAndANewCycleBegins)
{
    session.SetPassword("pw");
    for (int failure = 1; failure <= 3; ++failure) {
        Feed("Login Failed\r\n");
        EXPECT_EQ(TakeWrites(), (std::vector<std::string>{"pw", "\r"})) << failure;
    }
    Feed("Login Failed\r\n");
    EXPECT_TRUE(TakeWrites().empty());
    EXPECT_EQ(view.infos, std::vector<std::string>{"The login password is incorrect!"});
    Feed("Login Failed\r\n");  // the fifth starts a new cycle
    EXPECT_EQ(TakeWrites(), (std::vector<std::string>{"pw", "\r"}));
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
    clock.Advance(2000);  // the commit is not answered
    EXPECT_EQ(TakeWrites(), (std::vector<std::string>{"%V7\r", "%COMMITCMD\r", "%DUMP_FAKE\r", "%STARTCMD\r"}));
    EXPECT_EQ(page.Fields().Text("value"), "") << "the read cleared the page first";
    ASSERT_FALSE(view.jobs.empty());
    EXPECT_EQ(view.jobs[0], "Write CPageMainParams: 3 commands sent, 1 rejected, 1 unanswered");
    EXPECT_EQ(view.busyChanges, (std::vector<bool>{true, false, true}));
}

TEST_F(TerminalSessionTest, ProfileSectionsFollowTheFixedOrderWithTheirBytes)
{
    session.AddPage(std::make_unique<CFakePage>("CPageMainParams", "System Main Params", nullptr));
    session.AddPage(std::make_unique<CFakePage>("CPageServer", "Device Control phones", nullptr));
    session.AddPage(std::make_unique<CFakePage>("CPageGPRS", "", nullptr));  // never in profiles
    EXPECT_EQ(session.ProfileBytes(), "\r\r\n//Page Device Control phones\r\r\n\r\n%V\r\r\n"
                                      "\r\r\n//Page System Main Params\r\r\n\r\n%V\r\r\n");
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
    clock.Advance(3000);
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

} // namespace
} // namespace orlan
