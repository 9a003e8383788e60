// The SMS data-transfer page: its switches, packet type and idle span, the
// eight transfer numbers and their row edits.
#include <gtest/gtest.h>

#include "SessionHarness.h"
#include "pages/contacts/PhoneEditor.h"
#include "pages/system/DataParamsPage.h"

namespace orlan::test {
namespace {

using Blocks = std::vector<std::string>;


class DataParamsPage : public ::testing::Test {
protected:
    CSessionHarness h;
    CDataParams& page = h.Page<CDataParams>("CDataParams");
    const CFieldSet& f = page.Fields();
};

TEST_F(DataParamsPage, FieldsComeFromTheirLinesAndGoOutInOrder)
{
    // Nothing selected: no packet type command.
    EXPECT_EQ(Texts(page.BuildCommands(ETarget::Terminal)),
              (Blocks{"%STARTCMD\r", "%OT\r", "%GSMDTUEN0\r", "%EASYMODEMEN0\r", "%EASYMODEMPWD0\r", "%COMMITCMD\r"}));
    h.Feed({"$DTM 4", "$DOT 500", "$GSMDTU 1", "$EASYMODEMEN 1", "$EASYMODEMPWD 1"});
    EXPECT_EQ(Texts(page.BuildCommands(ETarget::Terminal)),
              (Blocks{"%STARTCMD\r", "%TM4\r", "%OT500\r", "%GSMDTUEN1\r", "%EASYMODEMEN1\r", "%EASYMODEMPWD1\r",
                      "%COMMITCMD\r"}));
    h.Feed({"$GSMDTU 0", "$EASYMODEMEN 0", "$EASYMODEMPWD 0", "$DTM 0"});
    EXPECT_EQ(f.Number("transfer"), 0);
    EXPECT_EQ(f.Number("easyModem"), 0);
    EXPECT_EQ(f.Number("easyModemPassword"), 0);
    EXPECT_EQ(f.Number("packetType"), 0);
    // A type beyond the list is kept as it came and written back so.
    h.Feed({"$DTM 7"});
    EXPECT_EQ(f.Number("packetType"), 7);
    EXPECT_TRUE(f.IsOutsideList(f.IndexOf("packetType")));
    EXPECT_EQ(page.DumpRequest(), "%DUMP_SYS\r%DUMP_PHONE\r");
    EXPECT_TRUE(f.Desc(f.IndexOf("easyModem")).hidden);
    EXPECT_TRUE(f.Desc(f.IndexOf("easyModemPassword")).hidden);
    EXPECT_EQ(f.Desc(f.IndexOf("packetType")).items.at(6).text, "6: ASCII4(packet by #)");
}

TEST_F(DataParamsPage, NumbersTakeOnlyNumberTextsAndSurviveARead)
{
    h.Feed({"$SR3 +8613800000003", "$SR0 5551", "$SR7 +7"});
    EXPECT_EQ(page.Number(3), "+8613800000003");
    EXPECT_EQ(page.Number(0), "5551");
    EXPECT_EQ(page.Number(7), "+7");
    h.Feed({"$SR3 none", "$SR8 +8", "$SR9 +9", "$SRX +1"});
    EXPECT_EQ(page.Number(3), "+8613800000003");
    for (size_t row = 0; row < CDataParams::kRows; ++row)
        EXPECT_NE(page.Number(row), "+8");
    h.Feed({"$SR0 "});
    EXPECT_EQ(page.Number(0), "");

    h.Feed({"$DOT 500"});
    h.session.ReadPage(page);
    EXPECT_EQ(h.TakeWritten(), Blocks{"%DUMP_SYS\r%DUMP_PHONE\r"});
    EXPECT_EQ(f.Text("idleSpan"), "");
    EXPECT_EQ(page.Number(3), "+8613800000003");
    EXPECT_EQ(page.Number(7), "+7");
}

TEST_F(DataParamsPage, RowEditSendsTheNumberThenReadsThePage)
{
    h.Feed({"$SR5 +1"});
    std::optional<SRowEditor> editor = page.RowEditor(0, 5);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->className, "CInputPhone");
    EXPECT_EQ(editor->fields.Text(kPhoneNumberField), "+1");
    editor->fields.SetText(kPhoneNumberField, "+123");
    h.session.CommitRow(page, 0, 5, editor->fields);
    EXPECT_EQ(h.TakeWritten(), Blocks{"%SR5+123\r"});
    h.clock.Advance(2999);  // a row edit waits up to 3000 ticks
    EXPECT_TRUE(h.TakeWritten().empty());
    h.AnswerOk();
    EXPECT_EQ(h.TakeWritten(), Blocks{"%DUMP_SYS\r%DUMP_PHONE\r"});

    // No row selected (or none of the eight): no dialog and nothing sent.
    EXPECT_FALSE(page.RowEditor(0, CDataParams::kRows));
    EXPECT_FALSE(page.RowEditor(1, 0));
    h.session.CommitRow(page, 0, static_cast<size_t>(-1), editor->fields);
    EXPECT_TRUE(h.TakeWritten().empty());
    EXPECT_TRUE(page.Info().navKey.empty());
    EXPECT_TRUE(page.Info().profileTitle.empty());
}

} // namespace
} // namespace orlan::test
