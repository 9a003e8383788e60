// The first pages inside a terminal session: what reaches the wire, in which
// order, and when the next command may go (after an answer or the answer wait).
#include <gtest/gtest.h>

#include "LogsSupport.h"
#include "SessionHarness.h"
#include "pages/io/GpioPage.h"
#include "pages/logs/EventsPage.h"
#include "pages/logs/ExTmpRcdPage.h"
#include "pages/contacts/PhoneEditor.h"
#include "pages/contacts/ServerPage.h"
#include "pages/contacts/SosPage.h"
#include "pages/system/MainParamsPage.h"

namespace orlan::test {
namespace {

using Blocks = std::vector<std::string>;

class PagesInSession : public ::testing::Test {
protected:
    CSessionHarness h;
    CPageMainParams& main = h.Page<CPageMainParams>("CPageMainParams");
    CPageServer& server = h.Page<CPageServer>("CPageServer");
    CPageSos& sos = h.Page<CPageSos>("CPageSos");
};

TEST_F(PagesInSession, EveryPageEntryBindsToItsRoutingRow)
{
    for (const auto& page : CreateAllPages()) {
        for (const SDumpEntry& entry : page->DumpEntries()) {
            CDumpRouter router;
            page->RouteSettings(router);
            EXPECT_TRUE(router.Bind(page->Info().className, entry.key, entry.handler))
                << page->Info().className << " " << entry.key;
        }
    }
}

TEST_F(PagesInSession, RecordsEventsAndLiveStateReachTheirPagesWhileAWholeReadWaitsForQuiet)
{
    auto& realtime = h.Page<CPageExTmpRcd>("CPageExTmpRcd");
    CRecordingFile file;
    realtime.SetRecordFile(&file);
    auto& gpio = h.Page<CPageGPIO>("CPageGPIO");
    auto& events = h.Page<CPageEvents>("CPageEvents");
    // As the channel hands lines over, so the session sees the line speak.
    auto arrive = [this](std::string_view line) {
        const std::string bytes = std::string(line) + "\r\n";
        h.session.OnSerialData(bytes.data(), bytes.size());
    };
    arrive("$BPS 9600");
    h.session.Reload();
    ASSERT_EQ(h.session.WholeRead(), CTerminalSession::EWholeRead::Settling);
    arrive(RecordLine("33", "021.50,", 1));
    arrive("*IOI 2 1");
    arrive("$: \"7\" \"DIN 2 ALARM\"");
    arrive("$BPS 4800");  // the rest of a stale dump
    ASSERT_EQ(h.session.WholeRead(), CTerminalSession::EWholeRead::Settling);

    ASSERT_EQ(realtime.List().Rows(), 1u);
    EXPECT_EQ(realtime.List().Cell(0, CTempRecordPage::TemperatureColumn(0)), "21.50");
    EXPECT_NE(file.written.find(",NORMAL,21.50,"), std::string::npos) << file.written;
    ASSERT_EQ(gpio.States().Rows(), 1u);
    EXPECT_EQ(gpio.States().Cell(0, 0), "2 Input: open");
    EXPECT_EQ(events.List().Rows(), 1u);
    EXPECT_EQ(main.Fields().Text("bps"), "9600") << "a stale setting is held back";
}

TEST_F(PagesInSession, UnitIdLineReachesTheMainParametersThroughItsDeclaredRow)
{
    h.Feed({"$DID 1234"});
    EXPECT_EQ(main.Fields().Text("unitId"), "1234");
    h.Feed({"Console started, please login", "$BPS 9600"});
    EXPECT_EQ(main.Fields().Text("bps"), "9600");
}

TEST_F(PagesInSession, WriteBackSendsOneCommandAtATimeThenReadsThePage)
{
    main.Clear();
    h.Feed({"$CC 86", "$GSMBAND 5", "$PARITY 0"});
    h.session.WriteBack(main);
    EXPECT_EQ(h.TakeWritten(), Blocks{"%STARTCMD\r"});

    h.clock.Advance(2999);  // still within the answer wait of 3000
    EXPECT_TRUE(h.TakeWritten().empty());
    h.AnswerOk();
    // Only what the terminal reported: the cleared SMS mode is not written.
    EXPECT_EQ(h.TakeWritten(), Blocks{"%UP0\r"});
    h.clock.Advance(3000 + CCommandQueue::kSettleMs);  // no answer: the limit and the settle let the next one go
    EXPECT_EQ(h.TakeWritten(), Blocks{"%CC86\r"});

    // Answer the rest; a "CMD ERR" does not stop the batch.
    Blocks rest;
    for (int i = 0; i < 40 && h.session.Queue().Busy(); ++i) {
        h.Feed({i == 1 ? "CMD ERR" : "CMD OK"});
        h.clock.Advance(CCommandQueue::kSettleMs);
        for (std::string& block : h.TakeWritten())
            rest.push_back(std::move(block));
    }
    EXPECT_EQ(rest, (Blocks{"%CBAND5\r", "%COMMITCMD\r", "%DUMP_SYS\r%DUMP_ROMSMS\r"}));

    ASSERT_EQ(h.view.jobs.size(), 1u);
    const SJobReport& report = h.view.jobs[0].second;
    EXPECT_EQ(report.sent, 5);  // the bracket and three settings
    EXPECT_EQ(report.unanswered, 1);
    EXPECT_EQ(report.rejected, 1);
    EXPECT_FALSE(report.leftOut.empty());
    // The page was cleared by its read: the dump will refill it.
    EXPECT_EQ(main.Fields().Text("countryCode"), "");
}

TEST_F(PagesInSession, WholeReadClearsAndAPageNothingOfWhichCameBackWritesNothing)
{
    h.Feed({"$MODEMSMODE 0"});
    EXPECT_EQ(main.Fields().Number("smsMode"), 0);
    h.session.Reload();
    EXPECT_EQ(h.TakeWritten(), (Blocks{"%DUMPS\r", "%DUMPR\r"}));
    // The list shows the usual mode again, but it is not the terminal's.
    EXPECT_EQ(main.Fields().Number("smsMode"), 1);
    h.session.WriteBack(main);
    h.AnswerOk();
    EXPECT_TRUE(h.TakeWritten().empty());
    ASSERT_EQ(h.view.jobs.size(), 1u);
    EXPECT_EQ(h.view.jobs[0].second.sent, 0);
    EXPECT_FALSE(h.view.jobs[0].second.leftOut.empty());
}

TEST_F(PagesInSession, RowEditSendsTheRowThenReadsThePhones)
{
    h.Feed({"$CS9 +1"});
    std::optional<SRowEditor> editor = server.RowEditor(0, 9);
    ASSERT_TRUE(editor);
    editor->fields.SetText(kPhoneNumberField, "+79990001122");
    h.session.CommitRow(server, 0, 9, editor->fields);
    EXPECT_EQ(h.TakeWritten(), Blocks{"%CS9+79990001122\r"});
    h.clock.Advance(2999);  // the row edit waits 3000, not the page's 2000
    EXPECT_TRUE(h.TakeWritten().empty());
    h.clock.Advance(1 + CCommandQueue::kSettleMs);  // the limit, then the line settles
    EXPECT_EQ(h.TakeWritten(), Blocks{"%DUMP_PHONE\r"});
    EXPECT_EQ(server.Number(9), "");  // cleared for the answer of the read
    h.Feed({"$CS9 +79990001122"});
    EXPECT_EQ(server.Number(9), "+79990001122");

    h.session.CommitRow(sos, 0, 0, editor->fields);
    h.AnswerOk();
    h.clock.Advance(CCommandQueue::kSettleMs);  // after an unanswered command the answer is uncertain
    EXPECT_EQ(h.TakeWritten(), (Blocks{"%SOS0+79990001122\r", "%DUMP_PHONE\r"}));
}

TEST_F(PagesInSession, NoSelectedRowSendsNothing)
{
    const CFieldSet edited = MakePhoneEditor("+1").fields;
    h.session.CommitRow(server, 0, static_cast<size_t>(-1), edited);
    h.session.CommitRow(server, 0, CPageServer::kRows, edited);
    h.session.CommitRow(sos, 0, 1, edited);
    EXPECT_TRUE(h.sink.blocks.empty());
    EXPECT_FALSE(h.session.Queue().Busy());
}

TEST_F(PagesInSession, PhonePagesHaveNoWriteBack)
{
    h.session.WriteBack(server);
    h.session.WriteBack(sos);
    EXPECT_TRUE(h.sink.blocks.empty());
}

TEST_F(PagesInSession, VideoCallClickIsSentAloneWithoutARead)
{
    sos.Fields().SetNumber(CPageSos::kVideoCallField, 1);
    h.session.FieldEdited(sos, CPageSos::kVideoCallField);
    EXPECT_EQ(h.TakeWritten(), Blocks{"%MMSEXTSOSVPC1\r"});
    // A second click while the first waits is queued behind it.
    sos.Fields().SetNumber(CPageSos::kVideoCallField, 0);
    h.session.FieldEdited(sos, CPageSos::kVideoCallField);
    EXPECT_TRUE(h.TakeWritten().empty());
    h.clock.Advance(3000 + CCommandQueue::kSettleMs);
    EXPECT_EQ(h.TakeWritten(), Blocks{"%MMSEXTSOSVPC0\r"});
    h.AnswerOk();
    h.clock.Advance(CCommandQueue::kSettleMs);  // after an unanswered command the answer is uncertain
    EXPECT_TRUE(h.TakeWritten().empty());
    EXPECT_EQ(h.view.jobs.size(), 2u);
}

TEST_F(PagesInSession, ProfileHoldsTheControlPhonesThenTheMainParameters)
{
    h.session.Reload();
    h.Feed({"$CS1 +1", "$CC 86", "$GSMBAND 1", "$SOS0 +7"});
    const std::string bytes = h.session.ProfileBytes();
    // Only what the terminal reported: the rows it did not are not emptied.
    const std::string phones = "\r\r\n//Page Device Control phones\r\r\n%CS1+1\r\r\n";
    ASSERT_TRUE(bytes.starts_with(phones));
    // The wireless zones come between.
    const std::string zones = "\r\r\n//Page Wireless zone Params\r\r\n\r\n";
    ASSERT_TRUE(bytes.substr(phones.size()).starts_with(zones));
    const std::string rest = bytes.substr(bytes.find("\r\r\n//Page System Main Params"));
    EXPECT_TRUE(rest.starts_with("\r\r\n//Page System Main Params\r\r\n\r\n%CC86\r\r\n%CBAND1\r\r\n\r\r\n//Page "));
    EXPECT_EQ(bytes.find("STARTCMD"), std::string::npos);
    // The emergency phone is in no classic section; a complete profile gives it its own.
    EXPECT_EQ(h.session.ProfileBytes(EProfileScope::Classic).find("SOS"), std::string::npos);
    EXPECT_NE(bytes.find("\r\r\n//Page SOS phone\r\r\n\r\n%SOS0+7\r"), std::string::npos);
}

} // namespace
} // namespace orlan::test
