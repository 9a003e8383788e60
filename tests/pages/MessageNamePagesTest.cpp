// The channel name pages and the register names page: their dump lines,
// row commands with and without CR LF, the sensor header switch, reads and
// profile sections.
#include <gtest/gtest.h>

#include "SessionHarness.h"
#include "labels/TextCodec.h"
#include "pages/messages/ChannelNamePages.h"
#include "pages/messages/MessageEditor.h"
#include "pages/messages/RegisterNamePage.h"

namespace orlan::test {
namespace {

class MessageNamePages : public ::testing::Test {
protected:
    CSessionHarness h;
    CPageDinName& inputs = h.Page<CPageDinName>("CPageDinName");
    CPageDoutName& outputs = h.Page<CPageDoutName>("CPageDoutName");
    CPageADName& analog = h.Page<CPageADName>("CPageADName");
    CPageISensorName& sensors = h.Page<CPageISensorName>("CPageISensorName");
    CPageRname& registers = h.Page<CPageRname>("CPageRname");
};

TEST_F(MessageNamePages, NameLinesFillTheirRowsAndIgnoreOthers)
{
    h.Feed({"$DINAME3 0047", "$DONAME7 00500075006D0070", "$ADNAME0 004C"});
    EXPECT_EQ(inputs.Text(3), "G");
    EXPECT_EQ(outputs.Text(7), "Pump");
    EXPECT_EQ(analog.Text(0), "L");

    h.Feed({"$DINAME4 0058", "$DONAME8 0058", "$ADNAME 0058", "$ADNAMEX 0058", "$DINAME12 0058"});
    for (size_t row = 0; row < CPageDinName::kRows; ++row)
        EXPECT_NE(inputs.Text(row), "X");
    for (size_t row = 0; row < CPageDoutName::kRows; ++row)
        EXPECT_NE(outputs.Text(row), "X");
    EXPECT_EQ(analog.Text(0), "L");

    // A line holding keys of two chains reaches both pages; each reads its
    // value where its row says, the rest of the line included: that is no
    // UCS-2 text, so the name keeps the hex as it came.
    h.Feed({"$DINAME2 0044 $ISNAME1: 0053"});
    EXPECT_EQ(sensors.Text(1), "S");
    EXPECT_TRUE(IsUndecodedUcs2(inputs.Text(2)));
    EXPECT_EQ(UndecodedHex(inputs.Text(2)), "0044 $ISNAME1: 0053");
}

TEST_F(MessageNamePages, SensorNamesFollowEveryColonBehindADigit)
{
    h.Feed({"$ISNAME2: 0046007200650065007A00650072", "$ISNAME5: 04110430043A"});
    EXPECT_EQ(sensors.Text(2), "Freezer");
    EXPECT_EQ(sensors.Text(5), "Бак");
    // No digit before the colon, a sensor the page does not have, and a
    // colon at the end of the line.
    h.Feed({"$ISNAMEx: 0058", "$ISNAME7: 0058", "$ISNAME0:"});
    EXPECT_EQ(sensors.Text(0), "");
    EXPECT_EQ(sensors.Text(2), "Freezer");

    h.Feed({"$ISSMH 1"});
    EXPECT_EQ(sensors.Fields().Number(CPageISensorName::kHeaderField), 1);
    sensors.Clear();
    for (size_t row = 0; row < CPageISensorName::kRows; ++row)
        EXPECT_EQ(sensors.Text(row), "");
    EXPECT_EQ(sensors.Fields().Number(CPageISensorName::kHeaderField), 1);
}

TEST_F(MessageNamePages, NamingARowSendsItsLetterWithCrLfThenThePageRead)
{
    std::optional<SRowEditor> editor = outputs.RowEditor(0, 7);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->className, "CInputSms");
    EXPECT_TRUE(editor->fields.Desc(1).hidden);
    editor->fields.SetText(kMessageTextField, "Pump");
    h.session.CommitRow(outputs, 0, 7, editor->fields);
    EXPECT_EQ(h.TakeWritten(), (std::vector<std::string>{"%O0700500075006D0070\r\n", "%DUMP_GPIO\r"}));

    editor->fields.SetText(kMessageTextField, "泵");
    h.session.CommitRow(sensors, 0, 5, editor->fields);
    EXPECT_EQ(h.TakeWritten(), (std::vector<std::string>{"%E056CF5\r\n", "%E99?\r"}));
    h.session.CommitRow(analog, 0, 3, editor->fields);
    EXPECT_EQ(h.TakeWritten(), (std::vector<std::string>{"%A036CF5\r\n", "%DUMP_ADS\r"}));
    h.session.CommitRow(inputs, 0, 0, editor->fields);
    EXPECT_EQ(h.TakeWritten(), (std::vector<std::string>{"%I006CF5\r\n", "%DUMP_GPIO\r"}));

    h.session.CommitRow(inputs, 0, 4, editor->fields);
    h.session.CommitRow(sensors, 0, 6, editor->fields);
    EXPECT_TRUE(h.TakeWritten().empty());
}

TEST_F(MessageNamePages, SensorHeaderSwitchWaitsThreeSeconds)
{
    sensors.Fields().SetNumber(CPageISensorName::kHeaderField, 1);
    const CCommandList on = sensors.OnFieldEdited(CPageISensorName::kHeaderField);
    ASSERT_EQ(on.size(), 1u);
    EXPECT_EQ(on[0].text, "%ISENSORSMSHEADEN1\r");
    EXPECT_EQ(sensors.AnswerWaitMs(on[0]), 3000);
    sensors.Fields().SetNumber(CPageISensorName::kHeaderField, 0);
    EXPECT_EQ(sensors.OnFieldEdited(CPageISensorName::kHeaderField).at(0).text, "%ISENSORSMSHEADEN0\r");
}

TEST_F(MessageNamePages, ProfileSectionsHoldOneDirectLinePerRow)
{
    h.Feed({"$DINAME1 0041", "$DONAME0 0042", "$ISNAME3: 0043", "$ADNAME1 0044"});
    CProfileText din;
    inputs.WriteProfileSection(din);
    EXPECT_EQ(din.Bytes(), "\r\r\n//Page Digital inputs Names\r\r\n\r\n"
                           "%I00\r\r\n%I010041\r\r\n%I02\r\r\n%I03\r\r\n");
    CProfileText dout;
    outputs.WriteProfileSection(dout);
    EXPECT_EQ(dout.Bytes(), "\r\r\n//Page Digital outputs Names\r\r\n\r\n"
                            "%O000042\r\r\n%O01\r\r\n%O02\r\r\n%O03\r\r\n%O04\r\r\n%O05\r\r\n%O06\r\r\n%O07\r\r\n");
    CProfileText isn;
    sensors.WriteProfileSection(isn);
    EXPECT_EQ(isn.Bytes(), "\r\r\n//Page ISensor Names\r\r\n\r\n"
                           "%E00\r\r\n%E01\r\r\n%E02\r\r\n%E030043\r\r\n%E04\r\r\n%E05\r\r\n");
    CProfileText none;
    analog.WriteProfileSection(none);
    registers.WriteProfileSection(none);
    EXPECT_EQ(none.Bytes(), "");
}

TEST_F(MessageNamePages, ReadsAndDescriptions)
{
    EXPECT_EQ(inputs.DumpRequest(), "%DUMP_GPIO\r");
    EXPECT_EQ(outputs.DumpRequest(), "%DUMP_GPIO\r");
    EXPECT_EQ(analog.DumpRequest(), "%DUMP_ADS\r");
    EXPECT_EQ(sensors.DumpRequest(), "%E99?\r");
    EXPECT_EQ(inputs.Info().navKey, "PAGE_DINAME");
    EXPECT_EQ(outputs.Info().navKey, "PAGE_DONAME");
    EXPECT_EQ(sensors.Info().navKey, "PAGE_SENSORNAME");
    EXPECT_EQ(analog.Info().navKey, "");
    EXPECT_EQ(registers.Info().navKey, "");
    EXPECT_EQ(analog.Tables().front().Desc().headerKeys, (std::vector<std::string>{"NAME_LISTC0", "NAME_LISTC1"}));
    EXPECT_EQ(inputs.Info().defaultAnswerWaitMs, 3000);
}

TEST_F(MessageNamePages, RegisterLinesFillNamesHighestAndLowestValues)
{
    h.Feed({"$RNAME5 00540061006E006B", "$REG5 900", "$REG40 100", "$REG63 7"});
    EXPECT_EQ(registers.Cell(5, CPageRname::kNameColumn), "Tank");
    EXPECT_EQ(registers.Cell(5, CPageRname::kHighColumn), "900");
    EXPECT_EQ(registers.Cell(8, CPageRname::kLowColumn), "100");
    EXPECT_EQ(registers.Cell(31, CPageRname::kLowColumn), "7");
    EXPECT_EQ(registers.Cell(8, CPageRname::kHighColumn), "");

    // Index 40 has no row; value number 64 is no register's; no digits.
    h.Feed({"$RNAME40 0058", "$REG64 1", "$RNAME 0058", "$REG x"});
    for (size_t row = 0; row < CPageRname::kRows; ++row) {
        EXPECT_NE(registers.Cell(row, CPageRname::kNameColumn), "X");
        EXPECT_NE(registers.Cell(row, CPageRname::kLowColumn), "1");
    }
    // The whole read does not clear the list, nor does the page's own read.
    h.session.Reload();
    h.session.ReadPage(registers);
    EXPECT_EQ(registers.Cell(5, CPageRname::kNameColumn), "Tank");
}

TEST_F(MessageNamePages, RegisterEditWaitsForEachCommandThenAsksForTheDump)
{
    std::optional<SRowEditor> editor = registers.RowEditor(0, 5);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->className, "CRnamedlg");
    editor->fields.SetText(kRegisterNameField, "Tank");
    editor->fields.SetText(kRegisterHighField, "900");
    editor->fields.SetText(kRegisterLowField, "10");
    h.session.CommitRow(registers, 0, 5, editor->fields);
    EXPECT_EQ(h.TakeWritten(), std::vector<std::string>{"%R05900\r"});
    h.clock.Advance(3999);
    EXPECT_TRUE(h.TakeWritten().empty());
    h.AnswerOk();
    EXPECT_EQ(h.TakeWritten(), std::vector<std::string>{"%R3710\r"});
    h.clock.Advance(4000 + CCommandQueue::kSettleMs);  // no answer: the next one goes at the limit and the settle
    EXPECT_EQ(h.TakeWritten(), std::vector<std::string>{"%N0500540061006E006B\r"});
    h.AnswerOk();
    h.clock.Advance(CCommandQueue::kSettleMs);  // after an unanswered command the answer is uncertain
    EXPECT_EQ(h.TakeWritten(), std::vector<std::string>{"%DUMPM\r"});

    EXPECT_FALSE(registers.RowEditor(0, CPageRname::kRows));
    h.session.CommitRow(registers, 0, CPageRname::kRows, editor->fields);
    EXPECT_TRUE(h.TakeWritten().empty());
    EXPECT_TRUE(registers.CommitRow(0, 0, CFieldSet{}).empty());
}

TEST_F(MessageNamePages, EveryKeyBindsOnlyWhereTheRoutingTableNamesThePage)
{
    CDumpRouter router;
    for (CPage* page : std::initializer_list<CPage*>{&inputs, &outputs, &analog, &sensors, &registers}) {
        page->RouteSettings(router);
        for (SDumpEntry& entry : page->DumpEntries())
            EXPECT_TRUE(router.Bind(page->Info().className, entry.key, entry.handler)) << entry.key;
    }
    EXPECT_FALSE(router.Bind("CPageDinName", "$DONAME", [](const SDumpValue&) {}));
}

} // namespace
} // namespace orlan::test
