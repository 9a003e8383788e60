// Grids of marks in the generic table view: fixed row labels and column
// headers, a click toggling a cell in the page's table, the tint of "O"
// cells, and a save that sends what was clicked.
#include <QBrush>
#include <QHeaderView>
#include <QPushButton>

#include <gtest/gtest.h>

#include "support/QtTestSupport.h"
#include "ViewTestSupport.h"
#include "pages/priorities/DinPrioPage.h"
#include "widgets/GenericPageView.h"
#include "widgets/PageViewFactory.h"
#include "widgets/TableView.h"

namespace orlan::test {
namespace {

constexpr std::string_view kGridCatalogue = R"(
[PageDinPrio]
LIST0C0=Input
[Buttons]
Save=Save
)";

class GridViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        catalogue.BindText(kGridCatalogue);
        page = static_cast<CPagePriotab*>(&session.AddPage(std::make_unique<CPagePriotab>()));
        view.reset(static_cast<CGenericPageView*>(CreatePageView(*page, session, catalogue, nullptr)));
        view->resize(700, 900);
        view->show();
        ASSERT_EQ(view->TableViews().size(), 2u);
        ASSERT_TRUE(PumpUntil([this] { return Grid(1)->isVisible() && Grid(0)->viewport()->width() > 100; }));
    }
    void Feed(const std::string& line)
    {
        const std::string bytes = line + "\r\n";
        session.Receive().OnSerialData(bytes.data(), bytes.size());
    }
    CTableView* Grid(size_t grid) const { return view->TableViews().at(grid); }
    QString Text(size_t grid, int row, int column) const { return Grid(grid)->CellText(row, column); }
    bool Tinted(size_t grid, int row, int column) const
    {
        const QVariant background = Grid(grid)->model()->index(row, column).data(Qt::BackgroundRole);
        return background.value<QBrush>().style() != Qt::NoBrush;
    }
    void ClickCell(size_t grid, int row, int column)
    {
        CTableView* table = Grid(grid);
        const QPoint at = table->visualRect(table->model()->index(row, column)).center();
        SendMouse(table->viewport(), QEvent::MouseButtonPress, at);
        SendMouse(table->viewport(), QEvent::MouseButtonRelease, at);
    }

    CRecordingSink sink;
    CManualClock clock;
    CBusyRecordingView sessionView;
    CTerminalSession session{sessionView, sink, clock};
    CLabelCatalogue catalogue;
    CPagePriotab* page = nullptr;
    std::unique_ptr<CGenericPageView> view;
};

TEST_F(GridViewTest, FixedRowLabelsAndNumberedColumnHeaders)
{
    CTableView* grid = Grid(0);
    ASSERT_EQ(grid->columnCount(), 5);
    ASSERT_EQ(grid->rowCount(), 10);
    EXPECT_EQ(grid->HeaderText(0), "Input");
    EXPECT_EQ(grid->HeaderText(1), "0");
    EXPECT_EQ(grid->HeaderText(4), "3");
    EXPECT_EQ(Text(0, 0, 0), "CS0");
    EXPECT_EQ(Text(1, 9, 0), "CS9");
    EXPECT_FALSE(Tinted(0, 0, 0));
}

TEST_F(GridViewTest, DumpedMarksAreShownAndOnlyOCellsTinted)
{
    Feed("$PRIODINSMS08,5");
    ASSERT_TRUE(PumpUntil([this] { return Text(0, 0, 1) == "O"; }));
    EXPECT_EQ(Text(0, 0, 2), "X");
    EXPECT_EQ(Text(0, 0, 3), "O");
    EXPECT_TRUE(Tinted(0, 0, 1));
    EXPECT_FALSE(Tinted(0, 0, 2));
    EXPECT_TRUE(Tinted(0, 0, 3));
    EXPECT_EQ(Text(1, 0, 1), "");  // the call grid got nothing
}

TEST_F(GridViewTest, AClickTogglesTheCellInThePageButLeavesEmptyCells)
{
    Feed("$PRIODINSMS08,1");
    ASSERT_TRUE(PumpUntil([this] { return Text(0, 0, 1) == "O"; }));

    ClickCell(0, 0, 2);
    EXPECT_EQ(page->Mark(CPagePriotab::kMessageGrid, 0, 1), "O");
    EXPECT_EQ(Text(0, 0, 2), "O");
    EXPECT_TRUE(Tinted(0, 0, 2));
    ClickCell(0, 0, 1);
    EXPECT_EQ(page->Mark(CPagePriotab::kMessageGrid, 0, 0), "X");
    EXPECT_FALSE(Tinted(0, 0, 1));

    // Nothing dumped for row 1 and none of the call grid: clicks change nothing.
    ClickCell(0, 1, 1);
    ClickCell(1, 0, 1);
    EXPECT_EQ(page->Mark(CPagePriotab::kMessageGrid, 1, 0), "");
    EXPECT_EQ(page->Mark(CPagePriotab::kCallGrid, 0, 0), "");
    // The row's call marks come too: a row goes out only with both masks known.
    Feed("$PRIODINRING08,0");
    // The label column is not a cell.
    ClickCell(0, 0, 0);
    EXPECT_EQ(Text(0, 0, 0), "CS0");

    // Save sends the clicked marks.
    view->WriteButton()->click();
    for (int i = 0; i < 20 && session.Queue().Busy(); ++i)
        session.OnAnswer(EAnswer::CmdOk);
    ASSERT_GE(sink.blocks.size(), 2u);
    EXPECT_EQ(sink.blocks[0], "%STARTCMD\r");
    EXPECT_EQ(sink.blocks[1], "%DINPRIO=0,0002,0000\r");
}

} // namespace
} // namespace orlan::test
