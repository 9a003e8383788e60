// The priority tables against orlan-sim: a whole read fills every grid, and
// cells toggled on a grid page are saved and come back in the page's read.
#include <gtest/gtest.h>

#include "SessionOverSerial.h"
#include "SimProcess.h"
#include "pages/priorities/AinPrioPage.h"
#include "pages/priorities/DinPrioPage.h"
#include "pages/priorities/SysPrioPage.h"
#include "pages/priorities/WinPrioPage.h"

namespace orlan::test {
namespace {

class PriorityPagesEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(sim.Device().isEmpty());
        ASSERT_TRUE(console.ReadAll());
    }

    // Saves the page and waits for its read to show `done`.
    void SaveAndReadBack(CPage& page, const std::function<bool()>& done)
    {
        const size_t before = console.reports.size();
        console.session.WriteBack(page);
        ASSERT_TRUE(PumpUntil([&] { return console.reports.size() > before && done(); },
                              CSessionOverSerial::kPatience));
        EXPECT_TRUE(console.reports.back().AllAccepted()) << console.reports.back().Summary();
    }

    template <typename TPage>
    TPage& Page(std::string_view className)
    {
        return dynamic_cast<TPage&>(console.Page(className));
    }

    CSimProcess sim{{QStringLiteral("--no-login"), QStringLiteral("--rate"), QStringLiteral("0")}};
    CSessionOverSerial console{sim.Device()};
    CPageSysPrio& sys = Page<CPageSysPrio>("CPageSysPrio");
    CPagePriotab& din = Page<CPagePriotab>("CPagePriotab");
    CPageWinPrio& win = Page<CPageWinPrio>("CPageWinPrio");
    CPageAinprio& ain = Page<CPageAinprio>("CPageAinprio");
};

TEST_F(PriorityPagesEndToEnd, WholeReadFillsEveryGrid)
{
    EXPECT_EQ(sys.Mask(0, 0), 0xFFFF);
    EXPECT_EQ(sys.Mask(0, 1), 0x0005);
    EXPECT_EQ(sys.Mark(0, 9, 15), "X");
    EXPECT_EQ(sys.Fields().Number(CPageSysPrio::kM2mField), 0);
    EXPECT_EQ(din.Mask(CPagePriotab::kMessageGrid, 1), 0x9);
    EXPECT_EQ(din.Mask(CPagePriotab::kCallGrid, 0), 0x1);
    EXPECT_EQ(win.Mask(CPageWinPrio::kMessageGrid, 0), 0x0FFF);
    EXPECT_EQ(win.Mask(CPageWinPrio::kCallGrid, 0), 0x1);
    EXPECT_EQ(ain.Mask(0, 0), 0xF);
}

TEST_F(PriorityPagesEndToEnd, ToggledCellsAreSavedAndReadBack)
{
    // Zone grids: clear the common column of CS0's messages, call CS9 for zone 10.
    ASSERT_TRUE(win.Tables()[CPageWinPrio::kMessageGrid].ToggleCell(0, 0));
    ASSERT_TRUE(win.Tables()[CPageWinPrio::kCallGrid].ToggleCell(9, 11));
    SaveAndReadBack(win, [&] {
        return win.Mask(CPageWinPrio::kMessageGrid, 0) == 0x0FFE && win.Mask(CPageWinPrio::kCallGrid, 9) == 0x0800;
    });
    EXPECT_EQ(win.Mask(CPageWinPrio::kMessageGrid, 1), 0x0003);  // untouched rows keep their masks
    EXPECT_EQ(win.Mask(CPageWinPrio::kCallGrid, 0), 0x0001);

    // System grid and the M2M switch.
    ASSERT_TRUE(sys.Tables()[0].ToggleCell(3, 15));
    ASSERT_TRUE(sys.Tables()[0].ToggleCell(1, 0));
    sys.Fields().SetNumber(CPageSysPrio::kM2mField, 1);
    SaveAndReadBack(sys, [&] {
        return sys.Mask(0, 3) == 0x8000 && sys.Mask(0, 1) == 0x0004 && sys.Fields().Number(CPageSysPrio::kM2mField) == 1;
    });
    EXPECT_EQ(sys.Mask(0, 0), 0xFFFF);

    // Digital input grids.
    ASSERT_TRUE(din.Tables()[CPagePriotab::kCallGrid].ToggleCell(2, 3));
    SaveAndReadBack(din, [&] { return din.Mask(CPagePriotab::kCallGrid, 2) == 0x8; });
    EXPECT_EQ(din.Mask(CPagePriotab::kMessageGrid, 0), 0xF);
}

} // namespace
} // namespace orlan::test
