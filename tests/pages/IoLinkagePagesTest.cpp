// The linkage page and the interlock table: action characters and source
// rows from the dump, the batch and profile bytes, the interlock entries by
// code and name, and the entry dialog's command.
#include <gtest/gtest.h>

#include "SessionHarness.h"
#include "pages/io/CioPage.h"
#include "pages/io/InterlockPage.h"

namespace orlan::test {
namespace {

class LinkagePages : public ::testing::Test {
protected:
    std::vector<int> Actions(std::string (*id)(size_t)) const
    {
        std::vector<int> actions;
        for (size_t row = 0; row < CPageCio::kRows; ++row)
            actions.push_back(cio.Fields().Number(id(row)));
        return actions;
    }

    CSessionHarness h;
    CPageCio& cio = h.Page<CPageCio>("CPageCio");
    CPageInterlock& interlock = h.Page<CPageInterlock>("CPageInterlock");
};

TEST_F(LinkagePages, ActionCharactersSelectTheirIndexAndOthersLeaveTheRow)
{
    h.Feed({"$IOOC 0123nnnn2N5x6666"});
    EXPECT_EQ(Actions(&CPageCio::FirstActionId), (std::vector<int>{0, 1, 2, 3, 6, 6, 6, 6}));
    EXPECT_EQ(Actions(&CPageCio::SecondActionId), (std::vector<int>{2, 6, 5, -1, 6, 6, 6, 6}));
    // A short line changes only the rows it has characters for.
    h.Feed({"$IOOC 54"});
    EXPECT_EQ(Actions(&CPageCio::FirstActionId), (std::vector<int>{5, 4, 2, 3, 6, 6, 6, 6}));
    EXPECT_EQ(Actions(&CPageCio::SecondActionId)[0], 2);
}

TEST_F(LinkagePages, SourcesComeByRowDigitAndTheListHasTwentyEntries)
{
    h.Feed({"$OAS3 9", "$OAS7 19", "$OAS8 1", "$OASx 1", "$OAS0 20"});
    const CFieldSet& f = cio.Fields();
    EXPECT_EQ(f.Number(CPageCio::SourceId(3)), 9);
    EXPECT_EQ(f.Number(CPageCio::SourceId(7)), 19);
    EXPECT_EQ(f.Number(CPageCio::SourceId(0)), 20);  // beyond the list: kept as reported
    const std::vector<SChoiceItem>& items = f.Desc(f.IndexOf(CPageCio::SourceId(0))).items;
    ASSERT_EQ(items.size(), CPageCio::kSources);
    EXPECT_EQ(items[9].key, "ASOURCE_ITEMP");
    EXPECT_EQ(items[4].text + items[4].key, "3 ASOURCE_DIN");
    EXPECT_EQ(items[18].text + items[18].key, "5 ASOURCE_ETEMP");
    EXPECT_EQ(items[19].key, "ASOURCE_ARM");
}

TEST_F(LinkagePages, BatchAndProfileCarryActionsSourcesPulseAndSwitches)
{
    h.Feed({"$IOOC nnnnnnnnnnnnnnnn", "$OAS0 1", "$OAS1 2", "$OAS2 9", "$OAS3 10", "$OAS4 11", "$OAS5 0",
            "$OAS6 19", "$OAS7 0", "$IOPO 5", "$INTERLOCKDISARM 1", "$INTERLOCKURG 0"});
    const std::vector<std::string> commands = {"%IOOC6666666666666666\r", "%IOOA01\r", "%IOOA12\r", "%IOOA29\r",
                                               "%IOOA310\r", "%IOOA411\r", "%IOOA50\r", "%IOOA619\r", "%IOOA70\r",
                                               "%IOPO5\r", "%INTERLOCKDISARM1\r", "%INTERLOCKURG0\r"};
    std::vector<std::string> batch = {"%STARTCMD\r"};
    batch.insert(batch.end(), commands.begin(), commands.end());
    batch.push_back("%COMMITCMD\r");
    EXPECT_EQ(Texts(cio.BuildCommands(ETarget::Terminal)), batch);
    EXPECT_EQ(cio.DumpRequest(), "%DUMP_GPIO\r%DUMP_SYS\r");

    CProfileText out;
    cio.WriteProfileSection(out);
    std::string expected = "\r\r\n//Page Interlock actions\r\r\n\r\n";
    for (const std::string& command : commands)
        expected += command + "\r\n";
    EXPECT_EQ(out.Bytes(), expected);

    // Never set: every action and source goes as -1, the layout kept.
    cio.Clear();
    const std::vector<std::string> cleared = Texts(cio.BuildCommands(ETarget::Terminal));
    std::string minusOnes;
    for (int n = 0; n < 16; ++n)
        minusOnes += "-1";
    EXPECT_EQ(cleared.at(1), "%IOOC" + minusOnes + "\r");
    EXPECT_EQ(cleared.at(2), "%IOOA0-1\r");
    EXPECT_EQ(cleared.at(10), "%IOPO\r");
    EXPECT_EQ(cleared.at(11), "%INTERLOCKDISARM0\r");
}

TEST_F(LinkagePages, InterlockEntriesShowTheNamesOfTheirCodes)
{
    const CPageTable& table = interlock.Tables().front();
    ASSERT_EQ(table.Rows(), CPageInterlock::kEntries);
    EXPECT_EQ(table.Cell(23, 0), "23") << "every entry exists with its index";

    h.Feed({"$ILOCK 5,9,3", "$ILOCK 0,39,28", "$ILOCK 24,1,1", "$ILOCK x,1,1", "$ILOCK 6,40,29", "$ILOCK 7 15 11"});
    EXPECT_EQ(table.Cell(5, 1), "POWER LOST");
    EXPECT_EQ(table.Cell(5, 2), "OUTPUT0 ON");
    EXPECT_EQ(table.Cell(0, 1), "GPS Started");
    EXPECT_EQ(table.Cell(0, 2), "BUZZER ALARM");
    EXPECT_EQ(table.Cell(7, 1), "DIN0 ALERT");
    EXPECT_EQ(table.Cell(7, 2), "OUTPUT0 PULSE");
    // Codes beyond the tables show code 0 and no name.
    EXPECT_EQ(table.Cell(6, 1), "");
    EXPECT_EQ(table.Cell(6, 2), "");
    EXPECT_EQ(interlock.EventCode(6), 0);
    EXPECT_EQ(interlock.CommandCode(6), 0);
    for (size_t entry = 1; entry < CPageInterlock::kEntries; ++entry) {
        if (entry != 5 && entry != 6 && entry != 7) {
            EXPECT_EQ(table.Cell(entry, 1), "") << entry;
        }
    }
    // Neither a page read nor the whole read empties the table.
    h.session.Reload();
    EXPECT_EQ(table.Cell(5, 1), "POWER LOST");
    EXPECT_EQ(interlock.DumpRequest(), "%DUMP_TIMER\r");
}

TEST_F(LinkagePages, InterlockEditSendsOneCommandWithItsTickLimitThenReads)
{
    h.Feed({"$ILOCK 5,9,3"});
    std::optional<SRowEditor> editor = interlock.RowEditor(0, 5);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->className, "CInterLockDlg");
    EXPECT_EQ(editor->fields.Number(CPageInterlock::kEventField), 9);
    EXPECT_EQ(editor->fields.Number(CPageInterlock::kCommandField), 3);
    EXPECT_EQ(editor->fields.Desc(0).items.size(), CPageInterlock::kEvents);
    EXPECT_EQ(editor->fields.Desc(1).items.size(), CPageInterlock::kCommands);
    EXPECT_FALSE(interlock.RowEditor(0, CPageInterlock::kEntries));

    editor->fields.SetNumber(CPageInterlock::kCommandField, 27);
    const CCommandList commands = interlock.CommitRow(0, 5, editor->fields);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].text, "%ILOCK5,9,27\r");
    EXPECT_EQ(interlock.AnswerWaitMs(commands[0]), 1000);

    h.TakeWritten();
    h.session.CommitRow(interlock, 0, 5, editor->fields);
    EXPECT_EQ(h.TakeWritten(), std::vector<std::string>{"%ILOCK5,9,27\r"});
    h.AnswerOk();
    EXPECT_EQ(h.TakeWritten(), std::vector<std::string>{"%DUMP_TIMER\r"});
}

TEST_F(LinkagePages, AnEditKeepsACodeTheToolDoesNotKnowUnlessAnotherIsChosen)
{
    h.Feed({"$ILOCK 6,45,31"});
    std::optional<SRowEditor> editor = interlock.RowEditor(0, 6);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->fields.Number(CPageInterlock::kEventField), -1);
    EXPECT_EQ(editor->fields.Number(CPageInterlock::kCommandField), -1);
    editor->fields.SetNumber(CPageInterlock::kCommandField, 2);
    EXPECT_EQ(interlock.CommitRow(0, 6, editor->fields).at(0).text, "%ILOCK6,45,2\r");
    editor->fields.SetNumber(CPageInterlock::kEventField, 1);
    EXPECT_EQ(interlock.CommitRow(0, 6, editor->fields).at(0).text, "%ILOCK6,1,2\r");
}

} // namespace
} // namespace orlan::test
