// The message text and name pages against orlan-sim: a whole read fills
// them; row edits in Cyrillic and Chinese go out as UCS-2 hex and come back
// unchanged in the page's own read (the sensor names through their "%E99?"
// query); a register edit comes back through the register dump.
#include <gtest/gtest.h>

#include "SessionOverSerial.h"
#include "SimProcess.h"
#include "pages/messages/ChannelNamePages.h"
#include "pages/messages/MessageEditor.h"
#include "pages/messages/MessageTextPages.h"
#include "pages/messages/RegisterNamePage.h"

namespace orlan::test {
namespace {

class MessagePagesEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(sim.Device().isEmpty());
        ASSERT_TRUE(console.ReadAll());
    }

    // Edits one row through its dialog and waits until the page's read shows `done`.
    template <typename TDone>
    void EditRow(CPage& page, size_t row, std::string_view text, std::string_view unit, TDone done)
    {
        std::optional<SRowEditor> editor = page.RowEditor(0, row);
        ASSERT_TRUE(editor);
        editor->fields.SetText(kMessageTextField, text);
        editor->fields.SetText(kMessageUnitField, unit);
        const size_t before = console.reports.size();
        console.session.CommitRow(page, 0, row, editor->fields);
        ASSERT_TRUE(PumpUntil([&] { return console.reports.size() > before && done(); },
                              CSessionOverSerial::kPatience));
    }

    CSimProcess sim{{QStringLiteral("--no-login"), QStringLiteral("--rate"), QStringLiteral("0")}};
    CSessionOverSerial console{sim.Device()};
    CPageAllSms& all = dynamic_cast<CPageAllSms&>(console.Page("CPageAllSms"));
    CPageDinAlarm& din = dynamic_cast<CPageDinAlarm&>(console.Page("CPageDinAlarm"));
    CPageADSms& analog = dynamic_cast<CPageADSms&>(console.Page("CPageADSms"));
    CPageDinName& inputs = dynamic_cast<CPageDinName&>(console.Page("CPageDinName"));
    CPageDoutName& outputs = dynamic_cast<CPageDoutName&>(console.Page("CPageDoutName"));
    CPageISensorName& sensors = dynamic_cast<CPageISensorName&>(console.Page("CPageISensorName"));
    CPageRname& registers = dynamic_cast<CPageRname&>(console.Page("CPageRname"));
};

TEST_F(MessagePagesEndToEnd, WholeReadFillsTheTextsAndNames)
{
    EXPECT_EQ(all.Text(25), "每日报告");
    EXPECT_EQ(all.Text(0), din.Text(0));
    EXPECT_FALSE(din.Text(0).empty());
    EXPECT_EQ(analog.Text(0), "Pressure high#bar");
    EXPECT_EQ(analog.Fields().Number(CPageADSms::kHeaderField), 1);
    EXPECT_EQ(inputs.Text(0), "Front door");
    EXPECT_EQ(outputs.Text(7), "Spare");
    EXPECT_EQ(sensors.Text(2), "Freezer");
    EXPECT_EQ(sensors.Fields().Number(CPageISensorName::kHeaderField), 1);
    EXPECT_EQ(registers.Cell(0, CPageRname::kNameColumn), "MOD00Register");
}

TEST_F(MessagePagesEndToEnd, MessageTextEditsComeBackUnchanged)
{
    const std::string text = "Дверь открыта, 门开了";
    EditRow(all, 4, text, "", [&] { return all.Text(4) == text; });
    // The same dump fills the input alarm page's slot.
    EXPECT_EQ(din.Text(4), text);
    EXPECT_EQ(all.Text(25), "每日报告");

    EditRow(analog, 1, "Давление", "бар", [&] { return analog.Text(1) == "Давление#бар"; });
    EXPECT_EQ(all.Text(9), "Давление#бар");
}

TEST_F(MessagePagesEndToEnd, NameEditsComeBackInTheirPagesRead)
{
    const std::string gate = "Ворота 大门";
    EditRow(inputs, 2, gate, "", [&] { return inputs.Text(2) == gate; });
    EXPECT_EQ(inputs.Text(0), "Front door");

    // The sensor page empties its rows and asks with "%E99?"; the answer
    // refills all six.
    const std::string boiler = "Котёл №2";
    EditRow(sensors, 3, boiler, "", [&] { return sensors.Text(3) == boiler && !sensors.Text(5).empty(); });
    EXPECT_EQ(sensors.Text(2), "Freezer");
    EXPECT_EQ(sensors.Text(0), "Office");

    ASSERT_TRUE(console.ReadAll());
    EXPECT_EQ(inputs.Text(2), gate);
    EXPECT_EQ(sensors.Text(3), boiler);
}

TEST_F(MessagePagesEndToEnd, RegisterEditComesBackThroughTheRegisterDump)
{
    std::optional<SRowEditor> editor = registers.RowEditor(0, 5);
    ASSERT_TRUE(editor);
    editor->fields.SetText(kRegisterNameField, "Бак");
    editor->fields.SetText(kRegisterHighField, "900");
    editor->fields.SetText(kRegisterLowField, "10");
    console.session.CommitRow(registers, 0, 5, editor->fields);
    ASSERT_TRUE(PumpUntil(
        [&] {
            return console.reports.size() == 1 && registers.Cell(5, CPageRname::kNameColumn) == "Бак"
                && registers.Cell(5, CPageRname::kLowColumn) == "10";
        },
        CSessionOverSerial::kPatience));
    EXPECT_TRUE(console.reports[0].AllAccepted()) << console.reports[0].Summary();
    EXPECT_EQ(console.reports[0].sent, 3);
    EXPECT_EQ(registers.Cell(5, CPageRname::kHighColumn), "900");
}

} // namespace
} // namespace orlan::test
