// The four priority pages in a session: dump rows into the grids, the M2M
// switch, exact save batches with their answer waits, profile bytes, and the
// grids' toggling.
#include <gtest/gtest.h>

#include "SessionHarness.h"
#include "console/ProfileText.h"
#include "pages/KnownValues.h"
#include "pages/priorities/AinPrioPage.h"
#include "pages/priorities/DinPrioPage.h"
#include "pages/priorities/SysPrioPage.h"
#include "pages/priorities/WinPrioPage.h"

namespace orlan::test {
namespace {

using Blocks = std::vector<std::string>;

// A row's cells as one string of marks, "." for an empty cell.
std::string Marks(const CPriorityPage& page, size_t grid, size_t row)
{
    std::string marks;
    for (size_t cell = 0; cell < page.Tables().at(grid).Desc().dataColumns; ++cell) {
        const std::string& mark = page.Mark(grid, row, cell);
        marks += mark.empty() ? "." : mark;
    }
    return marks;
}


class PriorityPages : public ::testing::Test {
protected:
    // Runs a write-back answering every command; returns what was written.
    Blocks SaveAndAnswer(CPage& page)
    {
        h.TakeWritten();
        h.session.WriteBack(page);
        Blocks written;
        for (int i = 0; i < 40 && h.session.Queue().Busy(); ++i) {
            for (std::string& block : h.TakeWritten())
                written.push_back(std::move(block));
            h.AnswerOk();
        }
        for (std::string& block : h.TakeWritten())
            written.push_back(std::move(block));
        return written;
    }

    CSessionHarness h;
    CPageSysPrio& sys = h.Page<CPageSysPrio>("CPageSysPrio");
    CPagePriotab& din = h.Page<CPagePriotab>("CPagePriotab");
    CPageWinPrio& win = h.Page<CPageWinPrio>("CPageWinPrio");
    CPageAinprio& ain = h.Page<CPageAinprio>("CPageAinprio");
};

TEST_F(PriorityPages, SystemRowsFillFromPositionEight)
{
    h.Feed({"$PRIOSYS09,0005", "$PRIOSYS08,FFFF", "$PRIOSYS17,8000"});
    EXPECT_EQ(Marks(sys, 0, 1), "OXOXXXXXXXXXXXXX");
    EXPECT_EQ(Marks(sys, 0, 0), "OOOOOOOOOOOOOOOO");
    EXPECT_EQ(Marks(sys, 0, 9), "XXXXXXXXXXXXXXXO");
    EXPECT_EQ(Marks(sys, 0, 2), "................");

    // An entry below 8, above 17 or a mask of nine digits changes nothing.
    h.Feed({"$PRIOSYS07,FFFF", "$PRIOSYS18,FFFF", "$PRIOSYS09,00000FFFF", "$PRIOSYS10"});
    EXPECT_EQ(Marks(sys, 0, 1), "OXOXXXXXXXXXXXXX");
    EXPECT_EQ(Marks(sys, 0, 2), "................");
    // Eight digits right-align: only the low sixteen bits have cells.
    h.Feed({"$PRIOSYS10,FFFF0003"});
    EXPECT_EQ(Marks(sys, 0, 2), "OOXXXXXXXXXXXXXX");
}

TEST_F(PriorityPages, M2mSwitchFollowsPositionNine)
{
    h.Feed({"$M2M_SMS 1"});
    EXPECT_EQ(sys.Fields().Number(CPageSysPrio::kM2mField), 1);
    h.Feed({"$M2M_SMS 0"});
    EXPECT_EQ(sys.Fields().Number(CPageSysPrio::kM2mField), 0);
    h.Feed({"$M2M_SMS 1", "$M2M_SMS"});
    EXPECT_EQ(sys.Fields().Number(CPageSysPrio::kM2mField), 0);
}

TEST_F(PriorityPages, DigitalInputKeysFillTheirOwnGrid)
{
    h.Feed({"$PRIODINSMS10,9", "$PRIODINRING10,0002", "$PRIODINRING12,f"});
    EXPECT_EQ(Marks(din, CPagePriotab::kMessageGrid, 2), "OXXO");
    EXPECT_EQ(Marks(din, CPagePriotab::kCallGrid, 2), "XOXX");
    EXPECT_EQ(Marks(din, CPagePriotab::kCallGrid, 4), "OOOO");
    EXPECT_EQ(Marks(din, CPagePriotab::kMessageGrid, 4), "....");
    // Up to eight digits are accepted; bits beyond the four inputs have no cell.
    h.Feed({"$PRIODINSMS11,000000F1"});
    EXPECT_EQ(Marks(din, CPagePriotab::kMessageGrid, 3), "OXXX");
    // Other pages' rows do not land here.
    h.Feed({"$PRIOWINSMS15,FFF", "$PRIOAINSMS15,F"});
    EXPECT_EQ(Marks(din, CPagePriotab::kMessageGrid, 7), "....");
}

TEST_F(PriorityPages, DigitalInputSaveSendsBothMasksPerRowThenReads)
{
    h.Feed({"$PRIODINSMS10,9", "$PRIODINRING10,2", "$PRIODINRING12,f", "$PRIODINSMS12,4"});
    // Rows the terminal did not report stay as they are on it.
    EXPECT_EQ(SaveAndAnswer(din), (Blocks{"%STARTCMD\r", "%DINPRIO=2,0009,0002\r", "%DINPRIO=4,0004,000f\r",
                                          "%COMMITCMD\r", "%DUMP_PRIOTB\r"}));
}

TEST_F(PriorityPages, RowCommandsWaitLongerThanTheBracket)
{
    const CCommandList commands = sys.BuildCommands(ETarget::Terminal);
    ASSERT_EQ(commands.size(), 13u);
    EXPECT_EQ(sys.AnswerWaitMs(commands.front()), 2000);
    EXPECT_EQ(sys.AnswerWaitMs(commands.back()), 2000);
    for (size_t i = 1; i + 1 < commands.size(); ++i)
        EXPECT_EQ(sys.AnswerWaitMs(commands[i]), 4000) << commands[i].text;
    for (const SCommand& command : din.BuildCommands(ETarget::Terminal)) {
        if (command.text.starts_with("%DINPRIO=")) {
            EXPECT_EQ(din.AnswerWaitMs(command), 4000);
        }
    }
}

TEST_F(PriorityPages, SystemProfileSectionHoldsTenRowsAndTheM2mSwitch)
{
    h.Feed({"$PRIOSYS09,0005", "$PRIOSYS17,ABCD", "$M2M_SMS 1"});
    CProfileText out;
    sys.WriteProfileSection(out);
    std::string expected = "\r\r\n//Page system basic prio table\r\r\n\r\n";
    for (int row = 0; row < 10; ++row) {
        const std::string mask = row == 1 ? "0005" : row == 9 ? "abcd" : "0000";
        expected += "%BASEPRIO=" + std::to_string(row) + "," + mask + "\r\r\n";
    }
    expected += "%M2MSMSEN1\r\r\n";
    EXPECT_EQ(out.Bytes(), expected);
}

TEST_F(PriorityPages, WirelessZoneBitZeroIsTheCommonColumn)
{
    const STableDesc& desc = win.Tables().at(0).Desc();
    ASSERT_EQ(desc.dataColumns, 12u);
    EXPECT_EQ(desc.headerKeys, (std::vector<std::string>{"LIST0C0", "LIST0C1"}));
    ASSERT_EQ(desc.fixedHeaders.size(), 13u);
    EXPECT_EQ(desc.fixedHeaders[2], "0");
    EXPECT_EQ(desc.fixedHeaders[12], "10");
    EXPECT_EQ(desc.rowLabelPrefix, "CS");

    h.Feed({"$PRIOWINSMS08,0003", "$PRIOWINRING08,800"});
    EXPECT_EQ(Marks(win, CPageWinPrio::kMessageGrid, 0), "OOXXXXXXXXXX");
    EXPECT_EQ(Marks(win, CPageWinPrio::kCallGrid, 0), "XXXXXXXXXXXO");

    CProfileText out;
    win.WriteProfileSection(out);
    std::string expected = "\r\r\n//Page wireless zones alarm prio table\r\r\n\r\n%WINPRIO=0,0003,0800\r\r\n";
    for (int row = 1; row < 10; ++row)
        expected += "%WINPRIO=" + std::to_string(row) + ",0000,0000\r\r\n";
    EXPECT_EQ(out.Bytes(), expected);
}

TEST_F(PriorityPages, DigitalAndAnalogPagesWriteNoProfileSection)
{
    h.Feed({"$PRIODINSMS08,F", "$PRIOAINSMS08,F"});
    CProfileText out;
    din.WriteProfileSection(out);
    ain.WriteProfileSection(out);
    EXPECT_EQ(out.Bytes(), "");
    // The classic profile carries the two sections of the system and zone pages.
    const std::string profile = h.session.ProfileBytes(EProfileScope::Classic);
    EXPECT_NE(profile.find("//Page system basic prio table"), std::string::npos);
    EXPECT_NE(profile.find("//Page wireless zones alarm prio table"), std::string::npos);
    EXPECT_EQ(profile.find("%DINPRIO"), std::string::npos);
    EXPECT_EQ(profile.find("%AINPRIO"), std::string::npos);
    // A complete one gives the other two sections of their own behind the
    // classic ones, with the rows whose masks are all known.
    h.Feed({"$PRIODINRING08,0"});
    const std::string complete = h.session.ProfileBytes(EProfileScope::Complete);
    EXPECT_TRUE(complete.starts_with(profile));
    EXPECT_NE(complete.find("//Page Digital inputs prio table\r\r\n\r\n%DINPRIO=0,"), std::string::npos);
    EXPECT_NE(complete.find("//Page Analog inputs prio table\r\r\n\r\n%AINPRIO=0,"), std::string::npos);
}

TEST_F(PriorityPages, AnalogRowsShowFourInputsAndSaveAZeroCallMask)
{
    h.Feed({"$PRIOAINSMS09,000A", "$PRIOAINSMS10,0000F", "$PRIOAINSMS11,FF"});
    EXPECT_EQ(Marks(ain, 0, 1), "XOXO");
    EXPECT_EQ(Marks(ain, 0, 2), "....");  // five digits: more than the page accepts
    EXPECT_EQ(Marks(ain, 0, 3), "OOOO");
    EXPECT_EQ(ain.Info().navKey, "");
    EXPECT_EQ(din.Info().navKey, "");

    const std::vector<std::string> texts = Texts(ain.BuildCommands(ETarget::Terminal));
    ASSERT_EQ(texts.size(), 12u);
    EXPECT_EQ(texts[0], "%STARTCMD\r");
    EXPECT_EQ(texts[1], "%AINPRIO=0,0000,0000\r");
    EXPECT_EQ(texts[2], "%AINPRIO=1,000a,0000\r");
    EXPECT_EQ(texts[4], "%AINPRIO=3,000f,0000\r");
    EXPECT_EQ(texts[10], "%AINPRIO=9,0000,0000\r");
    EXPECT_EQ(texts[11], "%COMMITCMD\r");
}

TEST_F(PriorityPages, ReadClearsEveryGridAndTheProfileHoldsNoneOfItsRowsUntilReported)
{
    h.Feed({"$PRIOWINSMS09,FFF", "$PRIOWINRING09,FFF"});
    h.TakeWritten();
    h.session.ReadPage(win);
    EXPECT_EQ(h.TakeWritten(), Blocks{"%DUMP_PRIOTB\r"});
    EXPECT_EQ(Marks(win, 0, 1), "............");
    EXPECT_EQ(Marks(win, 1, 1), "............");
    std::vector<SLeftOut> leftOut;
    CProfileText text;
    WriteKnownProfileSection(win, text, leftOut);
    EXPECT_EQ(text.Bytes().find("%WINPRIO"), std::string::npos);
    EXPECT_EQ(leftOut.size(), 10u);
}

TEST_F(PriorityPages, AClickTogglesMarksButNotEmptyCells)
{
    CPageTable& grid = din.Tables().at(CPagePriotab::kMessageGrid);
    EXPECT_FALSE(grid.ToggleCell(0, 0));  // nothing dumped yet
    EXPECT_EQ(grid.Cell(0, 0), "");

    h.Feed({"$PRIODINSMS08,1"});
    EXPECT_TRUE(grid.ToggleCell(0, 0));
    EXPECT_TRUE(grid.ToggleCell(0, 3));
    EXPECT_EQ(Marks(din, CPagePriotab::kMessageGrid, 0), "XXXO");
    EXPECT_EQ(din.Mask(CPagePriotab::kMessageGrid, 0), 0x8);
    EXPECT_TRUE(grid.ToggleCell(0, 3));
    EXPECT_EQ(din.Mask(CPagePriotab::kMessageGrid, 0), 0x0);
    EXPECT_FALSE(grid.ToggleCell(0, 4));   // beyond the inputs
    EXPECT_FALSE(grid.ToggleCell(10, 0));  // beyond the phones

    // Tables that are not grids of marks do not toggle.
    CPageTable plain(STableDesc{.id = "names", .rowCount = 1});
    plain.SetCell(0, 0, "O");
    EXPECT_FALSE(plain.ToggleCell(0, 0));
    EXPECT_EQ(plain.Cell(0, 0), "O");
}

} // namespace
} // namespace orlan::test
