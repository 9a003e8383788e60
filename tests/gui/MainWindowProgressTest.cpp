// The progress window's tick logic, driven tick by tick: countdown, closing
// text, the caption rule for dump lines, and the watchdog that brings a
// writing page's buttons back.
#include <gtest/gtest.h>

#include <vector>

#include "app/ProgressModel.h"

namespace orlan {
namespace {

class MainWindowProgress : public ::testing::Test {
protected:
    MainWindowProgress() : model({"Please wait...", "Reading", "Writing"})
    {
        model.applyPageButtons = [this](bool on) {
            calls.push_back(on);
            return hasCurrentPage;
        };
    }

    void Ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            model.Tick();
    }

    CProgressModel model;
    std::vector<bool> calls;  // every EnablePageButtons that reached the page
    bool hasCurrentPage = true;
};

TEST_F(MainWindowProgress, ShowRunsItsTicksStepsTheBarAndClosesEnablingThePageButtons)
{
    model.Show(4);
    EXPECT_TRUE(model.Visible());
    EXPECT_EQ(model.Text(), "Please wait...");
    EXPECT_EQ(model.Countdown(), 4);

    Ticks(3);
    EXPECT_TRUE(model.Visible());
    EXPECT_EQ(model.BarPosition(), CProgressModel::kBarMinimum + 3 * CProgressModel::kBarStep);
    EXPECT_TRUE(calls.empty());

    model.Tick();
    EXPECT_FALSE(model.Visible());
    EXPECT_EQ(model.BarPosition(), CProgressModel::kBarMinimum);
    EXPECT_EQ(calls, std::vector<bool>{true});
    // Armed by the close, then counted down by the same tick.
    EXPECT_EQ(model.Watchdog(), CProgressModel::kWatchdogTicks - 1);
}

TEST_F(MainWindowProgress, DumpLinesReadAndOtherLinesWrite)
{
    model.ShowLine(4, "$DID 100234");
    EXPECT_EQ(model.Caption(), "Reading");
    EXPECT_TRUE(model.DumpCaptionShown());
    EXPECT_EQ(model.Text(), "$DID 100234");

    model.ShowLine(3, "%ID100234");
    EXPECT_EQ(model.Caption(), "Writing");
    EXPECT_FALSE(model.DumpCaptionShown());
    EXPECT_EQ(model.Countdown(), 3);

    // The caption stays while the plain progress text is shown.
    model.Show(6);
    EXPECT_EQ(model.Caption(), "Writing");
    EXPECT_EQ(model.Text(), "Please wait...");

    model.ShowLine(3, "");
    EXPECT_EQ(model.Caption(), "Writing");
    EXPECT_FALSE(model.DumpCaptionShown());
}

TEST_F(MainWindowProgress, FinishShowsTheProgressTextAndClosesAfterEightTicks)
{
    model.ShowLine(6, "$CC 86");
    model.Finish();
    EXPECT_EQ(model.Text(), "Please wait...");
    EXPECT_TRUE(model.Done());
    EXPECT_EQ(model.Countdown(), CProgressModel::kFinishTicks);

    Ticks(CProgressModel::kFinishTicks - 1);
    EXPECT_TRUE(model.Visible());
    model.Tick();
    EXPECT_FALSE(model.Visible());
    ASSERT_EQ(calls.size(), 1u);

    // The finished state is handled once more, then leaves the buttons to
    // whoever turns them off next.
    model.Tick();
    EXPECT_EQ(calls.size(), 2u);
    EXPECT_FALSE(model.Done());
    model.EnablePageButtons(false);
    Ticks(CProgressModel::kWatchdogTicks - 1);
    EXPECT_EQ(calls.back(), false);
}

TEST_F(MainWindowProgress, ANewLineInTheClosingTicksKeepsTheWindowOpen)
{
    model.Show(2);
    model.Finish();
    Ticks(3);
    model.ShowLine(4, "$DUMPR END");
    EXPECT_FALSE(model.Done());
    Ticks(3);
    EXPECT_TRUE(model.Visible());
    model.Tick();
    EXPECT_FALSE(model.Visible());
}

TEST_F(MainWindowProgress, WatchdogBringsDisabledButtonsBackAfterFifteenTicks)
{
    model.EnablePageButtons(false);
    EXPECT_EQ(calls, std::vector<bool>{false});
    EXPECT_EQ(model.Watchdog(), CProgressModel::kWatchdogTicks);

    Ticks(CProgressModel::kWatchdogTicks - 1);
    EXPECT_EQ(calls.size(), 1u);
    model.Tick();
    EXPECT_EQ(calls, (std::vector<bool>{false, true}));
    // Re-enabling re-arms it, so they come back every 7.5 s while a page is current.
    EXPECT_EQ(model.Watchdog(), CProgressModel::kWatchdogTicks);
}

TEST_F(MainWindowProgress, EveryCallReArmsTheWatchdog)
{
    model.EnablePageButtons(false);
    Ticks(10);
    model.EnablePageButtons(false);
    Ticks(CProgressModel::kWatchdogTicks - 1);
    EXPECT_EQ(calls, (std::vector<bool>{false, false}));
    model.Tick();
    EXPECT_EQ(calls.back(), true);
}

TEST_F(MainWindowProgress, WithoutACurrentPageTheWatchdogStaysIdle)
{
    hasCurrentPage = false;
    model.EnablePageButtons(false);
    EXPECT_EQ(model.Watchdog(), 0);
    model.Show(1);
    model.Tick();
    Ticks(CProgressModel::kWatchdogTicks * 2);
    // Only the close asked; nothing was armed to ask again.
    EXPECT_EQ(calls, (std::vector<bool>{false, true}));
}

TEST_F(MainWindowProgress, TheBarStartsOverPastItsEnd)
{
    model.Show(200);
    const int stepsToEnd = (CProgressModel::kBarMaximum - CProgressModel::kBarMinimum) / CProgressModel::kBarStep;
    Ticks(stepsToEnd);
    EXPECT_EQ(model.BarPosition(), CProgressModel::kBarMinimum + stepsToEnd * CProgressModel::kBarStep);
    model.Tick();
    EXPECT_EQ(model.BarPosition(), CProgressModel::kBarMinimum);
    model.Tick();
    EXPECT_EQ(model.BarPosition(), CProgressModel::kBarMinimum + CProgressModel::kBarStep);
}

TEST_F(MainWindowProgress, HideClosesWithoutTouchingTheButtons)
{
    int changes = 0;
    model.changed = [&changes] { ++changes; };
    model.Show(5);
    model.Hide();
    EXPECT_FALSE(model.Visible());
    EXPECT_GE(changes, 2);
    EXPECT_TRUE(calls.empty());
    // The countdown still runs out and gives the buttons back.
    Ticks(5);
    EXPECT_EQ(calls, std::vector<bool>{true});
}

TEST_F(MainWindowProgress, ShowsOnlyWhatRuns)
{
    // Each event arrives at a closed window while the given activity runs:
    // what it shows, or nothing.
    using A = EProgressActivity;
    using E = EProgressEvent;
    const struct {
        A activity;
        E event;
        const char* text;
        bool visible;
        const char* caption;
    } cases[] = {
        // Nothing asked: records, readings and events arrive unasked.
        {A::Idle, E::Line, "$TEMP 33,1,25.0", false, ""},
        {A::Idle, E::Line, "$:0012 alarm", false, ""},
        {A::Idle, E::Show, "", false, ""},  // a "*IO" state line
        {A::Idle, E::Line, "%RST", false, ""},
        // The picture's byte count is the tool's own.
        {A::Idle, E::Line, "copy 512 byte data, totle=512", true, "Writing"},
        {A::Reading, E::Line, "$DID 100234", true, "Reading"},
        {A::Reading, E::Show, "", false, ""},
        // A write shows its own commands and their answers, not what else comes.
        {A::Writing, E::Line, "%IOHT5", true, "Writing"},
        {A::Writing, E::Line, "$TEMP 33,1,25.0", false, ""},
        {A::Writing, E::Show, "", true, "Progress"},
        {A::Setup, E::Show, "", true, "Progress"},
        {A::Setup, E::Line, "$DID 1", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " event " + std::to_string(static_cast<int>(c.event)) + " activity "
                     + std::to_string(static_cast<int>(c.activity)));
        CProgressModel gated({"Please wait...", "Reading", "Writing"});
        gated.activity = [&c] { return c.activity; };
        if (c.event == E::Show)
            gated.Show(4);
        else
            gated.ShowLine(4, c.text);
        EXPECT_EQ(gated.Visible(), c.visible);
        if (c.visible)
            EXPECT_EQ(gated.Caption(), std::string(c.caption) == "Progress" ? "Please wait..." : c.caption);
    }
    // A finish while nothing runs leaves the page buttons alone.
    CProgressModel idle({"Please wait...", "Reading", "Writing"});
    idle.activity = [] { return A::Idle; };
    std::vector<bool> enabled;
    idle.applyPageButtons = [&enabled](bool on) {
        enabled.push_back(on);
        return true;
    };
    idle.Finish();
    idle.Tick();
    EXPECT_TRUE(enabled.empty());
    EXPECT_FALSE(idle.Done());
}

} // namespace
} // namespace orlan
