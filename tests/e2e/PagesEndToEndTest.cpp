// The main parameters and phone pages in a terminal session over the real
// serial channel against orlan-sim: a whole read fills them, a write-back and
// row edits reach the simulated terminal, and the pages' own reads show what
// it now holds.
#include <gtest/gtest.h>

#include "SimProcess.h"
#include "session/TerminalSession.h"
#include "link/ChannelSink.h"
#include "link/QtTimerService.h"
#include "link/SerialPort.h"
#include "pages/AllPages.h"
#include "pages/contacts/PhoneEditor.h"
#include "pages/contacts/ServerPage.h"
#include "pages/contacts/SosPage.h"
#include "SessionOverSerial.h"
#include "support/QtTestSupport.h"

namespace orlan::test {
namespace {

class PagesEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(sim.Device().isEmpty());
        ASSERT_TRUE(console.ReadAll());
    }

    CSimProcess sim{{QStringLiteral("--no-login"), QStringLiteral("--rate"), QStringLiteral("0")}};
    CSessionOverSerial console{sim.Device()};
    CPage& main = console.Page("CPageMainParams");
    CPageServer& server = dynamic_cast<CPageServer&>(console.Page("CPageServer"));
    CPageSos& sos = dynamic_cast<CPageSos&>(console.Page("CPageSos"));
};

TEST_F(PagesEndToEnd, WholeReadFillsTheMainParametersAndPhones)
{
    const CFieldSet& f = main.Fields();
    EXPECT_EQ(f.Number("parity"), 0);
    EXPECT_EQ(f.Number("smsMode"), 1);
    EXPECT_EQ(f.Text("countryCode"), "86");
    EXPECT_EQ(f.Text("unitId"), "100234");
    EXPECT_EQ(f.Text("bps"), "115200");
    EXPECT_EQ(f.Text("memo"), "Orlan demo unit, pump station 3");
    EXPECT_EQ(f.Number("csReport"), 1);
    EXPECT_EQ(f.Text("serviceNumber"), "10086");
    EXPECT_EQ(f.Text("pin"), "1234");
    EXPECT_EQ(f.Number("signalAlarm"), 1);
    EXPECT_EQ(f.Text("signalLow"), "10");
    EXPECT_EQ(f.Text("puk"), "12345678");
    EXPECT_EQ(f.Number("gsmBand"), 5);
    EXPECT_EQ(f.Text("balanceCode"), "102");
    EXPECT_EQ(f.Text("smsCentre"), "+8613800100500");
    EXPECT_EQ(f.Text("forwardKey"), "FWD#");
    EXPECT_EQ(f.Text("forwardSpan"), "10");

    EXPECT_EQ(server.Number(0), "+8613800000001");
    EXPECT_EQ(server.Number(9), "+8613800000010");
    EXPECT_EQ(sos.Number(0), "+8613900000000");
    EXPECT_EQ(sos.Fields().Number(CPageSos::kVideoCallField), 0);
}

TEST_F(PagesEndToEnd, WrittenMainParametersComeBackInThePagesRead)
{
    const std::string memo = "Насосная станция №5";
    CFieldSet& f = main.Fields();
    f.SetText("countryCode", "49");
    f.SetText("unitId", "777001");
    f.SetNumber("das", 1);
    f.SetText("memo", memo);
    f.SetText("pin", "");
    f.SetNumber("smsMode", 0);
    f.SetText("signalLow", "20");
    f.SetNumber("gsmBand", 2);
    f.SetNumber("forwardSms", 1);
    f.SetText("balanceCode", "*100#");
    const size_t commands = main.BuildCommands(ETarget::Terminal).size();

    console.session.WriteBack(main);
    ASSERT_TRUE(PumpUntil(
        [&] { return console.reports.size() == 1 && f.Text("forwardSpan") == "10" && f.Text("memo") == memo; },
        CSessionOverSerial::kPatience));

    const SJobReport& report = console.reports.front();
    EXPECT_TRUE(report.AllAccepted()) << report.Summary();
    EXPECT_EQ(report.sent, static_cast<int>(commands));
    EXPECT_EQ(report.accepted, report.sent);
    EXPECT_EQ(f.Text("countryCode"), "49");
    EXPECT_EQ(f.Text("unitId"), "777001");
    EXPECT_EQ(f.Number("das"), 1);
    EXPECT_EQ(f.Text("pin"), "");
    EXPECT_EQ(f.Number("smsMode"), 0);
    EXPECT_EQ(f.Text("signalLow"), "20");
    EXPECT_EQ(f.Number("gsmBand"), 2);
    EXPECT_EQ(f.Number("forwardSms"), 1);
    EXPECT_EQ(f.Text("balanceNumber"), "10086");
    EXPECT_EQ(f.Text("balanceCode"), "*100#");
    // Hidden fields went back unchanged.
    EXPECT_EQ(f.Number("parity"), 0);
    EXPECT_EQ(f.Text("bps"), "115200");

    // The terminal keeps them: a whole read shows the same.
    ASSERT_TRUE(console.ReadAll());
    EXPECT_EQ(main.Fields().Text("memo"), memo);
    EXPECT_EQ(main.Fields().Number("gsmBand"), 2);
}

TEST_F(PagesEndToEnd, RowEditsAndTheVideoCallSwitchReachTheTerminal)
{
    std::optional<SRowEditor> editor = server.RowEditor(0, 4);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->fields.Text(kPhoneNumberField), "+8613800000005");
    editor->fields.SetText(kPhoneNumberField, "+79990001122");
    console.session.CommitRow(server, 0, 4, editor->fields);
    ASSERT_TRUE(PumpUntil([&] { return console.reports.size() == 1 && server.Number(9) == "+8613800000010"; },
                          CSessionOverSerial::kPatience));
    EXPECT_TRUE(console.reports[0].AllAccepted()) << console.reports[0].Summary();
    EXPECT_EQ(server.Number(4), "+79990001122");
    EXPECT_EQ(server.Number(3), "+8613800000004");

    sos.Fields().SetNumber(CPageSos::kVideoCallField, 1);
    console.session.FieldEdited(sos, CPageSos::kVideoCallField);
    ASSERT_TRUE(PumpUntil([&] { return console.reports.size() == 2; }, CSessionOverSerial::kPatience));
    EXPECT_TRUE(console.reports[1].AllAccepted()) << console.reports[1].Summary();
    sos.Fields().SetNumber(CPageSos::kVideoCallField, 0);
    console.session.ReadPage(sos);
    ASSERT_TRUE(PumpUntil([&] { return sos.Fields().Number(CPageSos::kVideoCallField) == 1; }, CSessionOverSerial::kPatience));
    EXPECT_EQ(sos.Number(0), "+8613900000000");
}

} // namespace
} // namespace orlan::test
