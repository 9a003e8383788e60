// The timer pages against orlan-sim: a machine timer write-back reaches the
// simulated terminal and the page's own read shows what it now holds; the
// weekly timers travel the same dump.
#include <gtest/gtest.h>

#include "SimProcess.h"
#include "SessionOverSerial.h"
#include "pages/timers/MTimerPage.h"
#include "pages/timers/TimerFields.h"
#include "pages/timers/WeekTimerPage.h"

namespace orlan::test {
namespace {

class TimerPagesEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(sim.Device().isEmpty());
        ASSERT_TRUE(console.ReadAll());
    }

    // Writes the page back and waits for its read to show `done`.
    template <typename TDone>
    void WriteBackUntil(CPage& page, TDone done)
    {
        const size_t before = console.reports.size();
        const size_t commands = page.BuildCommands(ETarget::Terminal).size();
        console.session.WriteBack(page);
        ASSERT_TRUE(PumpUntil([&] { return console.reports.size() > before && done(); },
                              CSessionOverSerial::kPatience));
        const SJobReport& report = console.reports.back();
        EXPECT_TRUE(report.AllAccepted()) << report.Summary();
        EXPECT_EQ(report.sent, static_cast<int>(commands));
    }

    CSimProcess sim{{QStringLiteral("--no-login"), QStringLiteral("--rate"), QStringLiteral("0")}};
    CSessionOverSerial console{sim.Device()};
    CPageMTimer& machine = dynamic_cast<CPageMTimer&>(console.Page("CPageMTimer"));
    CWeekTimerPage& weekly = dynamic_cast<CWeekTimerPage&>(console.Page("CWeekTimerPage"));
};

TEST_F(TimerPagesEndToEnd, WrittenMachineTimersComeBackInThePagesRead)
{
    CFieldSet& f = machine.Fields();
    f.SetText(CPageMTimer::ClockHourId(0), "08");
    f.SetText(CPageMTimer::ClockMinuteId(0), "30");
    f.SetChoice(CPageMTimer::ClockActionId(0), 4);
    f.SetText(CPageMTimer::ClockHourId(5), "23");
    f.SetText(CPageMTimer::ClockMinuteId(5), "59");
    f.SetChoice(CPageMTimer::ClockActionId(5), 27);
    f.SetText(CPageMTimer::MinuteIntervalId(3), "45");
    f.SetChoice(CPageMTimer::MinuteActionId(3), 20);
    f.SetText(CPageMTimer::SecondIntervalId(2), "15");
    f.SetChoice(CPageMTimer::SecondActionId(2), 16);

    WriteBackUntil(machine, [&] { return f.Number(CPageMTimer::SecondActionId(2)) == 16; });

    EXPECT_EQ(f.Text(CPageMTimer::ClockHourId(0)), "08");
    EXPECT_EQ(f.Text(CPageMTimer::ClockMinuteId(0)), "30");
    EXPECT_EQ(f.Number(CPageMTimer::ClockActionId(0)), 4);
    EXPECT_EQ(f.Text(CPageMTimer::ClockHourId(5)), "23");
    EXPECT_EQ(f.Text(CPageMTimer::ClockMinuteId(5)), "59");
    EXPECT_EQ(f.Number(CPageMTimer::ClockActionId(5)), 27);
    EXPECT_EQ(f.Text(CPageMTimer::MinuteIntervalId(3)), "45");
    EXPECT_EQ(f.Number(CPageMTimer::MinuteActionId(3)), 20);
    EXPECT_EQ(f.Text(CPageMTimer::SecondIntervalId(2)), "15");

    // The terminal keeps them: a whole read shows the same.
    ASSERT_TRUE(console.ReadAll());
    EXPECT_EQ(f.Text(CPageMTimer::ClockHourId(5)), "23");
    EXPECT_EQ(f.Number(CPageMTimer::MinuteActionId(3)), 20);
}

TEST_F(TimerPagesEndToEnd, WrittenWeeklyTimersComeBackInBothPages)
{
    CFieldSet& f = weekly.Fields();
    f.SetChoice(WeeklyDayId(1), 2);
    f.SetText(WeeklyHourId(1), "07");
    f.SetText(WeeklyMinuteId(1), "15");
    f.SetChoice(WeeklyActionId(1), 1);
    f.SetChoice(WeeklyDayId(6), 6);
    f.SetText(WeeklyHourId(6), "22");
    f.SetText(WeeklyMinuteId(6), "05");
    f.SetChoice(WeeklyActionId(6), 7);

    WriteBackUntil(weekly, [&] { return f.Number(WeeklyActionId(6)) == 7; });

    EXPECT_EQ(f.Number(WeeklyDayId(1)), 2);
    EXPECT_EQ(f.Text(WeeklyHourId(1)), "07");
    EXPECT_EQ(f.Text(WeeklyMinuteId(1)), "15");
    EXPECT_EQ(f.Number(WeeklyActionId(1)), 1);
    EXPECT_EQ(f.Number(WeeklyDayId(6)), 6);
    EXPECT_EQ(f.Text(WeeklyHourId(6)), "22");
    EXPECT_EQ(f.Text(WeeklyMinuteId(6)), "05");
    // The machine timer page keeps its hidden copy of timer 1.
    EXPECT_EQ(machine.Fields().Text(WeeklyMinuteId(1)), "15");
}

} // namespace
} // namespace orlan::test
