// The user commands page: "$SYSCMD"/"$USERCMD" rows, the CCmdInput editor
// and its refusal of non-ASCII system commands, the row commands and the
// profile section.
#include <gtest/gtest.h>

#include "SessionHarness.h"
#include "labels/TextCodec.h"
#include "pages/system/UserCmdPage.h"

namespace orlan::test {
namespace {

using Blocks = std::vector<std::string>;

class UserCmdPage : public ::testing::Test {
protected:
    CSessionHarness h;
    CPageUserCmd& page = h.Page<CPageUserCmd>("CPageUserCmd");

    CFieldSet Edited(size_t row, std::string_view system, std::string_view user)
    {
        CFieldSet fields = page.RowEditor(0, row).value().fields;
        fields.SetText(CPageUserCmd::kSystemField, system);
        fields.SetText(CPageUserCmd::kUserField, user);
        return fields;
    }
};

const std::string kCyrillic = "\xD0\xBE\xD1\x82\xD0\xBA\xD1\x80\xD1\x8B\xD1\x82\xD1\x8C";  // "открыть"

TEST_F(UserCmdPage, RowsComeFromTheRowNumberBehindTheKey)
{
    h.Feed({"$SYSCMD3 ARM", "$USERCMD3 open", "$SYSCMD12 X", "$USERCMD5 " + EncodeUcs2Hex(kCyrillic)});
    EXPECT_EQ(page.SystemCommand(3), "ARM");
    EXPECT_EQ(page.UserCommand(3), "open");
    EXPECT_EQ(page.UserCommand(5), kCyrillic);
    for (size_t row = 0; row < CPageUserCmd::kRows; ++row)
        EXPECT_NE(page.SystemCommand(row), "X");
    EXPECT_EQ(page.Tables().front().Cell(4, 0), "4");

    // Four hex digits are taken as UCS-2 even when meant as text; "abc" is not.
    h.Feed({"$USERCMD1 ABCD", "$USERCMD2 abc", "$USERCMD0 0061006"});
    EXPECT_EQ(page.UserCommand(1), DecodeUcs2Hex("ABCD"));
    EXPECT_EQ(page.UserCommand(2), "abc");
    EXPECT_EQ(page.UserCommand(0), "0061006");
    // No row number, an overlong one, or no value.
    h.Feed({"$SYSCMD ARM", "$SYSCMD999999999999999 ARM", "$SYSCMD4"});
    EXPECT_EQ(page.SystemCommand(4), "");
    EXPECT_EQ(page.SystemCommand(0), "");

    // A whole-configuration read leaves the table alone.
    h.session.Reload();
    EXPECT_EQ(page.SystemCommand(3), "ARM");
    EXPECT_EQ(page.DumpRequest(), "%DUMP_UCMD\r");
}

TEST_F(UserCmdPage, EditorOpensWithTheRowsTexts)
{
    h.Feed({"$SYSCMD2 DISARM", "$USERCMD2 close"});
    const std::optional<SRowEditor> editor = page.RowEditor(0, 2);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->className, "CCmdInput");
    EXPECT_EQ(editor->section, "PageCommands");
    EXPECT_EQ(editor->fields.Text(CPageUserCmd::kSystemField), "DISARM");
    EXPECT_EQ(editor->fields.Text(CPageUserCmd::kUserField), "close");
    EXPECT_FALSE(page.RowEditor(0, CPageUserCmd::kRows));
}

TEST_F(UserCmdPage, EditSendsUserThenSystemCommandThenReads)
{
    h.session.CommitRow(page, 0, 3, Edited(3, "%ARM", "op%en"));
    EXPECT_EQ(h.TakeWritten(), Blocks{"%U03open\r"});
    h.AnswerOk();
    EXPECT_EQ(h.TakeWritten(), Blocks{"%Y03ARM\r"});
    h.AnswerOk();
    EXPECT_EQ(h.TakeWritten(), Blocks{"%DUMP_UCMD\r"});

    // Non-ASCII user commands go out as UCS-2 hex with the apostrophe replaced.
    const CCommandList commands = page.CommitRow(0, 1, Edited(1, "OUT1", kCyrillic + "'"));
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].text, "%U01" + EncodeUcs2Hex(kCyrillic) + "0001\r");
    EXPECT_EQ(commands[1].text, "%Y01OUT1\r");
    EXPECT_EQ(page.AnswerWaitMs(commands[0]), 2000);
    // An ASCII apostrophe stays as typed.
    EXPECT_EQ(page.CommitRow(0, 1, Edited(1, "OUT1", "it's")).at(0).text, "%U01it's\r");
}

TEST_F(UserCmdPage, NonAsciiSystemCommandIsRefusedAndNothingSent)
{
    const CFieldSet edited = Edited(0, "ARM" + kCyrillic, "open");
    EXPECT_EQ(page.RowEditError(0, 0, edited), "INVALID_CMD");
    EXPECT_TRUE(page.CommitRow(0, 0, edited).empty());
    EXPECT_EQ(h.session.CommitRow(page, 0, 0, edited), "INVALID_CMD");
    EXPECT_TRUE(h.sink.blocks.empty());
    EXPECT_FALSE(h.session.Queue().Busy());
    EXPECT_EQ(page.RowEditError(0, 0, Edited(0, "ARM", kCyrillic)), "");
    EXPECT_EQ(h.session.CommitRow(page, 0, 0, Edited(0, "ARM", "open")), "");
}

TEST_F(UserCmdPage, HasNoWriteBackAndProfileHoldsCompleteRowsOnly)
{
    h.session.WriteBack(page);
    EXPECT_TRUE(h.sink.blocks.empty());

    h.Feed({"$SYSCMD0 ARM", "$USERCMD0 open", "$SYSCMD1 DISARM", "$USERCMD5 " + EncodeUcs2Hex(kCyrillic),
            "$SYSCMD5 OUT1"});
    CProfileText out;
    page.WriteProfileSection(out);
    EXPECT_EQ(out.Bytes(), "\r\r\n//Page User defined commands\r\r\n\r\n"
                           "%U00open\r\r\n%Y00ARM\r\r\n"
                           "%U05" + EncodeUcs2Hex(kCyrillic) + "\r\r\n%Y05OUT1\r\r\n");
}

} // namespace
} // namespace orlan::test
