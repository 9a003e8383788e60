// The control and emergency phone pages: dump lines through the routing
// table, the phone entry dialog, row commands and the control list's profile
// section.
#include <gtest/gtest.h>

#include "SessionHarness.h"
#include "pages/contacts/PhoneEditor.h"
#include "pages/contacts/ServerPage.h"
#include "pages/contacts/SosPage.h"

namespace orlan::test {
namespace {

class PhonePages : public ::testing::Test {
protected:
    CSessionHarness h;
    CPageServer& server = h.Page<CPageServer>("CPageServer");
    CPageSos& sos = h.Page<CPageSos>("CPageSos");
};

TEST_F(PhonePages, ControlRowsComeFromCsLinesWithADigitAtPositionThree)
{
    h.Feed({"$CS0 +8613800000001", "$CS3 +123", "$CS9 5550009"});
    EXPECT_EQ(server.Number(0), "+8613800000001");
    EXPECT_EQ(server.Number(3), "+123");
    EXPECT_EQ(server.Number(9), "5550009");
    EXPECT_EQ(server.Number(1), "");

    // A letter where the row digit belongs: not a phone entry.
    h.Feed({"$CSX +999", "$CSQLOW 10"});
    for (size_t row = 0; row < CPageServer::kRows; ++row)
        EXPECT_NE(server.Number(row), "+999");
    // Only numbers that start with a digit or "+" are taken.
    h.Feed({"$CS3 -5", "$CS3 none", "$CS3 ", "$CS3"});
    EXPECT_EQ(server.Number(3), "+123");
    // A row beyond the list, however its first digit reads, changes nothing.
    h.Feed({"$CS100 +49151", "$CS31 +49151", "$SOS10 +49151"});
    EXPECT_EQ(server.Number(1), "");
    EXPECT_EQ(server.Number(3), "+123");
    EXPECT_EQ(sos.Number(0), "");
    // The priority flags line is taken and shows nothing.
    h.Feed({"$PRIOSRABI 1"});
    EXPECT_EQ(server.Number(0), "+8613800000001");
    EXPECT_EQ(server.Number(3), "+123");
}

TEST_F(PhonePages, EmergencyRowAndVideoCallSwitch)
{
    h.Feed({"$SOS0 +8613900000000", "$MMSEXTSOSVPC 1"});
    EXPECT_EQ(sos.Number(0), "+8613900000000");
    EXPECT_EQ(sos.Fields().Number(CPageSos::kVideoCallField), 1);

    h.Feed({"$SOS1 +111", "$SOSX +222", "$SOS0 x1"});  // no row 1; no digit; not a number
    EXPECT_EQ(sos.Number(0), "+8613900000000");
    EXPECT_EQ(sos.Number(1), "");

    h.Feed({"$MMSEXTSOSVPC 0"});
    EXPECT_EQ(sos.Fields().Number(CPageSos::kVideoCallField), 0);
    h.Feed({"$MMSEXTSOSVPC 1", "$MMSEXTSOSVPC"});  // nothing at position 14: off
    EXPECT_EQ(sos.Fields().Number(CPageSos::kVideoCallField), 0);
}

TEST_F(PhonePages, ClearEmptiesTheNumbersOnly)
{
    h.Feed({"$CS2 +2", "$SOS0 +7", "$MMSEXTSOSVPC 1"});
    server.Clear();
    sos.Clear();
    EXPECT_EQ(server.Number(2), "");
    EXPECT_EQ(sos.Number(0), "");
    EXPECT_EQ(sos.Fields().Number(CPageSos::kVideoCallField), 1);
}

TEST_F(PhonePages, PhoneEditorOpensWithTheRowsNumber)
{
    h.Feed({"$CS4 +4444"});
    const std::optional<SRowEditor> editor = server.RowEditor(0, 4);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->className, "CInputPhone");
    EXPECT_EQ(editor->section, "PageCSPhone");
    ASSERT_EQ(editor->fields.Size(), 3u);
    EXPECT_EQ(editor->fields.Text(kPhoneNumberField), "+4444");
    EXPECT_EQ(editor->fields.Desc(1).labelKey, "MMS_ABILITY");
    EXPECT_EQ(editor->fields.Desc(2).labelKey, "VPC_ABILITY");
    EXPECT_TRUE(editor->fields.Desc(1).hidden);
    EXPECT_TRUE(editor->fields.Desc(2).hidden);

    EXPECT_FALSE(server.RowEditor(0, CPageServer::kRows));
    EXPECT_FALSE(server.RowEditor(1, 0));
    EXPECT_TRUE(sos.RowEditor(0, 0));
    EXPECT_FALSE(sos.RowEditor(0, 1));
}

TEST_F(PhonePages, CommittedRowsBecomeOneCommandEach)
{
    std::optional<SRowEditor> editor = server.RowEditor(0, 9);
    ASSERT_TRUE(editor);
    editor->fields.SetText(kPhoneNumberField, "+3712\r\n3");
    const CCommandList control = server.CommitRow(0, 9, editor->fields);
    ASSERT_EQ(control.size(), 1u);
    EXPECT_EQ(control[0].text, "%CS9+37123\r");
    EXPECT_EQ(server.AnswerWaitMs(control[0]), 3000);

    editor->fields.SetText(kPhoneNumberField, "");
    EXPECT_EQ(server.CommitRow(0, 0, editor->fields).at(0).text, "%CS0\r");
    EXPECT_TRUE(server.CommitRow(0, 10, editor->fields).empty());
    EXPECT_TRUE(server.CommitRow(0, 0, CFieldSet{}).empty());

    editor->fields.SetText(kPhoneNumberField, "112");
    const CCommandList emergency = sos.CommitRow(0, 0, editor->fields);
    ASSERT_EQ(emergency.size(), 1u);
    EXPECT_EQ(emergency[0].text, "%SOS0112\r");
    EXPECT_EQ(sos.AnswerWaitMs(emergency[0]), 3000);
}

TEST_F(PhonePages, VideoCallSwitchSendsItsStateAtOnce)
{
    sos.Fields().SetNumber(CPageSos::kVideoCallField, 1);
    CCommandList commands = sos.OnFieldEdited(CPageSos::kVideoCallField);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].text, "%MMSEXTSOSVPC1\r");
    EXPECT_EQ(sos.AnswerWaitMs(commands[0]), 3000);
    sos.Fields().SetNumber(CPageSos::kVideoCallField, 0);
    EXPECT_EQ(sos.OnFieldEdited(CPageSos::kVideoCallField).at(0).text, "%MMSEXTSOSVPC0\r");
    EXPECT_TRUE(sos.OnFieldEdited("number").empty());
    EXPECT_TRUE(sos.Fields().Desc(0).sendsOnChange);
}

TEST_F(PhonePages, NeitherPageHasABatchOrWritesTheEmergencyNumberToProfiles)
{
    EXPECT_TRUE(server.BuildCommands(ETarget::Terminal).empty());
    EXPECT_TRUE(sos.BuildCommands(ETarget::Terminal).empty());
    EXPECT_EQ(server.DumpRequest(), "%DUMP_PHONE\r");
    EXPECT_EQ(sos.DumpRequest(), "%DUMP_PHONE\r");
    h.Feed({"$SOS0 +7"});
    CProfileText out;
    sos.WriteProfileSection(out);
    EXPECT_EQ(out.Bytes(), "");
}

TEST_F(PhonePages, ControlProfileSectionHoldsTenRowsWrittenDirectly)
{
    h.Feed({"$CS0 +100", "$CS3 +123", "$CS9 999"});
    CProfileText out;
    server.WriteProfileSection(out);
    EXPECT_EQ(out.Bytes(),
              "\r\r\n//Page Device Control phones\r\r\n"
              "%CS0+100\r\r\n%CS1\r\r\n%CS2\r\r\n%CS3+123\r\r\n%CS4\r\r\n"
              "%CS5\r\r\n%CS6\r\r\n%CS7\r\r\n%CS8\r\r\n%CS9999\r\r\n");
}

} // namespace
} // namespace orlan::test
