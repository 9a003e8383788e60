// The extended analog alarms: rows filled field by field from the analog
// dump, the row dialog's output lists and the batch an edit sends at once.
#include <gtest/gtest.h>

#include "AnalogSupport.h"
#include "pages/analog/AdcExtPage.h"

namespace orlan::test {
namespace {

class AnalogExtended : public ::testing::Test {
protected:
    std::vector<std::string> Row(size_t channel) const
    {
        std::vector<std::string> cells;
        for (size_t c = 0; c < CPageAdcExt::kColumns; ++c)
            cells.push_back(page.Cell(channel, c));
        return cells;
    }

    CSessionHarness h;
    CPageAdcExt& page = h.Page<CPageAdcExt>("CPageAdcExt");
};

TEST_F(AnalogExtended, DumpFieldsFillTheirColumns)
{
    h.Feed({"$AINEXT2 30.00,5.00,0.10,40.00,2.00,0.20", "$AINOOC2 0,255,3,255"});
    EXPECT_EQ(Row(2), (Blocks{"30.00", "5.00", "0.10", "40.00", "2.00", "0.20", "0", "255", "3", "255"}));
    // Fewer fields leave the rest; an empty field empties its cell, a
    // trailing comma adds none; thresholds never reach the output columns.
    h.Feed({"$AINEXT2 31,,0.3,", "$AINEXT2 1,2,3,4,5,6,7,8"});
    EXPECT_EQ(Row(2), (Blocks{"1", "2", "3", "4", "5", "6", "0", "255", "3", "255"}));
    h.Feed({"$AINEXT2 9,,0.3,"});
    EXPECT_EQ(Row(2), (Blocks{"9", "", "0.3", "4", "5", "6", "0", "255", "3", "255"}));
    h.Feed({"$AINEXT4 1,2", "$AINEXT 1,2", "$AINOOCx 1"});
    for (size_t channel : {0u, 1u, 3u})
        EXPECT_EQ(Row(channel), Blocks(CPageAdcExt::kColumns)) << channel;
    // A read keeps the rows: the dump brings them again.
    h.session.ReadPage(page);
    EXPECT_EQ(h.TakeWritten(), Blocks{"%DUMP_ADS\r"});
    EXPECT_EQ(page.Cell(2, 0), "9");
    EXPECT_FALSE(page.Info().hasWriteBack);
}

TEST_F(AnalogExtended, EditSendsTheRowAsOneBatchThenTheAnalogDump)
{
    h.Feed({"$AINEXT1 30.00,5.00,0.10,40.00,2.00,0.20", "$AINOOC1 1,255,7,x"});
    std::optional<SRowEditor> editor = page.RowEditor(0, 1);
    ASSERT_TRUE(editor);
    CFieldSet& dialog = editor->fields;
    EXPECT_EQ(dialog.Text("low1"), "5.00");
    EXPECT_EQ(dialog.Text("lag1"), "0.10");
    EXPECT_EQ(dialog.Number("high1Output"), 1);
    EXPECT_EQ(dialog.Number("low1Output"), 8);  // 255: "Not Used"
    EXPECT_EQ(dialog.Number("high2Output"), 7);
    EXPECT_EQ(dialog.Number("low2Output"), -1);  // no number, no selection

    dialog.SetText("high1", "35");
    dialog.SetText("lag2", "0.5\r\n");
    dialog.SetNumber("high1Output", 3);
    h.session.CommitRow(page, 0, 1, dialog);
    EXPECT_EQ(AcceptAll(h), (Blocks{"%STARTCMD\r", "%AIN1H35\r", "%AIN1L5.00\r", "%AIN1OS0.10\r", "%AIN1HS40.00\r",
                                    "%AIN1LS2.00\r", "%AIN1LAGS0.5\r", "%AIN1HOC13\r", "%AIN1LOC1255\r",
                                    "%AIN1HOC27\r", "%AIN1LOC2255\r", "%COMMITCMD\r", "%DUMP_ADS\r"}));
    EXPECT_EQ(Row(1), (Blocks{"35", "5.00", "0.10", "40.00", "2.00", "0.5", "3", "255", "7", "255"}));
    EXPECT_FALSE(page.RowEditor(0, 4));
}

} // namespace
} // namespace orlan::test
