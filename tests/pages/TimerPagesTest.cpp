// The machine and weekly timer pages: the shared action list, the routed
// "$TIMER", "$TSPAN", "$TSSPAN" and "$TDATE" lines with their guards, the
// exact command batches and the profile sections.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/DumpRouter.h"
#include "labels/CommonLabelKeys.h"
#include "pages/timers/MTimerPage.h"
#include "pages/timers/TimerFields.h"
#include "pages/timers/WeekTimerPage.h"
#include "SessionHarness.h"

namespace orlan::test {
namespace {


class TimerPages : public ::testing::Test {
protected:
    CSessionHarness h;
    CPageMTimer& machine = h.Page<CPageMTimer>("CPageMTimer");
    CWeekTimerPage& weekly = h.Page<CWeekTimerPage>("CWeekTimerPage");
    CFieldSet& m = machine.Fields();
    CFieldSet& w = weekly.Fields();
};

TEST(TimerActionList, HoldsTwentyEightNumberedItemsWithAFixedThirdItem)
{
    const std::vector<SChoiceItem> items = TimerActionItems(kTimerActionKeys.size());
    ASSERT_EQ(items.size(), 28u);
    EXPECT_EQ(items[0].text, "00: ");
    EXPECT_EQ(items[0].section, "TIMERACTS");
    EXPECT_EQ(items[0].key, "NONE");
    // Item 3 has no catalogue text whatever the catalogue holds.
    EXPECT_EQ(items[3].text, "03: None");
    EXPECT_TRUE(items[3].section.empty());
    EXPECT_EQ(items[20].text, "20: ");
    EXPECT_EQ(items[20].key, "SHELLCMD0");
    EXPECT_EQ(items[27].text, "27: ");
    EXPECT_EQ(items[27].key, "RST_SYSTEM");
    EXPECT_EQ(TimerActionItems(100).size(), 28u);
}

TEST_F(TimerPages, EveryActionBoxOffersTheRightPartOfTheListAndWeekdaysInOrder)
{
    EXPECT_EQ(m.Desc(m.IndexOf(CPageMTimer::ClockActionId(5))).items.size(), 28u);
    EXPECT_EQ(m.Desc(m.IndexOf(CPageMTimer::SecondActionId(3))).items.size(), 28u);
    const SFieldDesc& action = w.Desc(w.IndexOf(WeeklyActionId(6)));
    ASSERT_EQ(action.items.size(), 8u);
    EXPECT_EQ(action.items[3].text, "03: None");
    EXPECT_EQ(action.items[7].key, "BUZ_OFF");
    const SFieldDesc& day = w.Desc(w.IndexOf(WeeklyDayId(0)));
    ASSERT_EQ(day.items.size(), 7u);
    for (size_t i = 0; i < day.items.size(); ++i) {
        EXPECT_EQ(day.items[i].section, "SYSCHAR");
        EXPECT_EQ(day.items[i].key, "DAY" + std::to_string(i));
    }
    // The machine page's two weekly rows are kept but never shown.
    EXPECT_TRUE(m.Desc(m.IndexOf(WeeklyHourId(1))).hidden);
    EXPECT_FALSE(m.Has(WeeklyHourId(2)));
    EXPECT_FALSE(w.Desc(w.IndexOf(WeeklyHourId(6))).hidden);
}

TEST_F(TimerPages, RoutedLinesFillTheirTimerByLetterAndNumber)
{
    h.Feed({"$TIMERH2 08", "$TIMERM2 45", "$TIMERT2 4", "$TSPANM3 15", "$TSPANT3 20", "$TSSPANM1 30",
            "$TSSPANT1 27", "$TDATEW4 2", "$TDATEH4 07", "$TDATEM4 15", "$TDATET4 1", "$TDATEH1 23"});
    EXPECT_EQ(m.Text(CPageMTimer::ClockHourId(2)), "08");
    EXPECT_EQ(m.Text(CPageMTimer::ClockMinuteId(2)), "45");
    EXPECT_EQ(m.Number(CPageMTimer::ClockActionId(2)), 4);
    EXPECT_EQ(m.Text(CPageMTimer::MinuteIntervalId(3)), "15");
    EXPECT_EQ(m.Number(CPageMTimer::MinuteActionId(3)), 20);
    // "$TSSPAN" lines go to the second-interval timers, not the minute ones.
    EXPECT_EQ(m.Text(CPageMTimer::SecondIntervalId(1)), "30");
    EXPECT_EQ(m.Number(CPageMTimer::SecondActionId(1)), 27);
    EXPECT_EQ(m.Text(CPageMTimer::MinuteIntervalId(1)), "");
    EXPECT_EQ(w.Number(WeeklyDayId(4)), 2);
    EXPECT_EQ(w.Text(WeeklyHourId(4)), "07");
    EXPECT_EQ(w.Text(WeeklyMinuteId(4)), "15");
    EXPECT_EQ(w.Number(WeeklyActionId(4)), 1);
    // Every "$TDATE" line reaches both pages; the machine page keeps timers 0 and 1.
    EXPECT_EQ(w.Text(WeeklyHourId(1)), "23");
    EXPECT_EQ(m.Text(WeeklyHourId(1)), "23");
}

TEST_F(TimerPages, TimersOutsideTheTableOtherLettersAndBrokenValuesChangeNothing)
{
    h.Feed({"$TIMERT0 5", "$TDATET0 6", "$TDATEW0 3"});
    h.Feed({"$TIMERH6 09", "$TIMERX0 09", "$TSPANM4 10", "$TSPANH0 10", "$TSSPANM9 10", "$TDATEH7 10",
            "$TDATEX0 1", "$TIMERHx 1", "$TIMERH", "$TIMERT0", "$TIMERT0 abc", "$TDATEW0 -"});
    EXPECT_EQ(m.Number(CPageMTimer::ClockActionId(0)), 5);
    EXPECT_EQ(w.Number(WeeklyDayId(0)), 3);
    for (size_t n = 0; n < CPageMTimer::kClockTimers; ++n)
        EXPECT_EQ(m.Text(CPageMTimer::ClockHourId(n)), "") << n;
    for (size_t n = 0; n < CPageMTimer::kIntervalTimers; ++n) {
        EXPECT_EQ(m.Text(CPageMTimer::MinuteIntervalId(n)), "") << n;
        EXPECT_EQ(m.Text(CPageMTimer::SecondIntervalId(n)), "") << n;
    }
    for (size_t n = 0; n < CWeekTimerPage::kWeeklyTimers; ++n)
        EXPECT_EQ(w.Text(WeeklyHourId(n)), "") << n;
    // A reported action beyond the list is kept as it came (shown as not in
    // the list, written back unchanged), never a wrong item.
    h.Feed({"$TDATET4 9", "$TIMERT1 28", "$TDATEW2 7", "$TDATET0 8"});
    EXPECT_EQ(w.Number(WeeklyActionId(4)), 9);
    EXPECT_EQ(m.Number(CPageMTimer::ClockActionId(1)), 28);
    EXPECT_EQ(w.Number(WeeklyDayId(2)), 7);
    EXPECT_EQ(w.Number(WeeklyActionId(0)), 8);
    EXPECT_EQ(m.Number(WeeklyActionId(0)), 8);
}

TEST_F(TimerPages, EachDumpEntryBindsOnlyToItsOwnRows)
{
    for (CPage* page : {static_cast<CPage*>(&machine), static_cast<CPage*>(&weekly)}) {
        CDumpRouter router;
        page->RouteSettings(router);
        for (SDumpEntry& entry : page->DumpEntries())
            EXPECT_TRUE(router.Bind(page->Info().className, entry.key, entry.handler)) << entry.key;
    }
    CDumpRouter router;
    EXPECT_FALSE(router.Bind("CWeekTimerPage", "$TIMER", [](const SDumpValue&) {}));
    EXPECT_FALSE(router.Bind("CWeekTimerPage", "$TSPAN", [](const SDumpValue&) {}));
    EXPECT_EQ(machine.DumpRequest(), "%DUMP_TIMER\r");
    EXPECT_EQ(weekly.DumpRequest(), "%DUMP_TIMER\r");
}

TEST_F(TimerPages, MachineTimerBatchSendsFourteenCommandsInOrder)
{
    h.Feed({"$TIMERH0 08", "$TIMERM0 30", "$TIMERT0 4", "$TSPANM3 20", "$TSPANT3 20", "$TSSPANM0 5",
            "$TSSPANT0 3", "$TDATEH0 11", "$TDATET0 2"});
    m.SetText(CPageMTimer::ClockHourId(5), "2\r3");  // a pasted line break cannot end the command
    const CCommandList commands = machine.BuildCommands(ETarget::Terminal);
    EXPECT_EQ(Texts(commands),
              (std::vector<std::string>{"%STARTCMD\r", "%MTIMER008,30,4\r", "%MTIMER1,,-1\r", "%MTIMER2,,-1\r",
                                        "%MTIMER3,,-1\r", "%MTIMER4,,-1\r", "%MTIMER523,,-1\r", "%MSPAN0,-1\r",
                                        "%MSPAN1,-1\r", "%MSPAN2,-1\r", "%MSPAN320,20\r", "%SSPAN05,3\r",
                                        "%SSPAN1,-1\r", "%SSPAN2,-1\r", "%SSPAN3,-1\r", "%COMMITCMD\r"}));
    for (const SCommand& command : commands)
        EXPECT_EQ(machine.AnswerWaitMs(command), 2000);
    machine.Clear();
    EXPECT_EQ(machine.BuildCommands(ETarget::Terminal).at(1).text, "%MTIMER0,,-1\r");
    EXPECT_EQ(m.Text(WeeklyHourId(0)), "");
}

TEST_F(TimerPages, WeeklyTimerBatchSendsSevenCommandsWithPositionsAsValues)
{
    h.Feed({"$TDATEW1 2", "$TDATEH1 07", "$TDATEM1 15", "$TDATET1 1", "$TDATEW6 0", "$TDATET6 7"});
    const CCommandList commands = weekly.BuildCommands(ETarget::Terminal);
    EXPECT_EQ(Texts(commands),
              (std::vector<std::string>{"%STARTCMD\r", "%MDATE0-1,,,-1\r", "%MDATE12,07,15,1\r",
                                        "%MDATE2-1,,,-1\r", "%MDATE3-1,,,-1\r", "%MDATE4-1,,,-1\r",
                                        "%MDATE5-1,,,-1\r", "%MDATE60,,,7\r", "%COMMITCMD\r"}));
    weekly.Clear();
    EXPECT_EQ(weekly.BuildCommands(ETarget::Terminal).at(2).text, "%MDATE1-1,,,-1\r");
}

TEST_F(TimerPages, ProfileSectionsHoldTheCommandsWithoutTheBatchBracket)
{
    h.Feed({"$TIMERH1 23", "$TIMERM1 59", "$TIMERT1 27", "$TSSPANM2 10", "$TSSPANT2 5", "$TDATEW0 6",
            "$TDATEH0 12", "$TDATEM0 00", "$TDATET0 2"});
    CProfileText out;
    machine.WriteProfileSection(out);
    EXPECT_EQ(out.Bytes(),
              "\r\r\n//Page System mtimers\r\r\n\r\n"
              "%MTIMER0,,-1\r\r\n%MTIMER123,59,27\r\r\n%MTIMER2,,-1\r\r\n%MTIMER3,,-1\r\r\n"
              "%MTIMER4,,-1\r\r\n%MTIMER5,,-1\r\r\n"
              "%MSPAN0,-1\r\r\n%MSPAN1,-1\r\r\n%MSPAN2,-1\r\r\n%MSPAN3,-1\r\r\n"
              "%SSPAN0,-1\r\r\n%SSPAN1,-1\r\r\n%SSPAN210,5\r\r\n%SSPAN3,-1\r\r\n");
    CProfileText week;
    weekly.WriteProfileSection(week);
    EXPECT_EQ(week.Bytes(),
              "\r\r\n//Page Weekly timer commands\r\r\n\r\n"
              "%MDATE06,12,00,2\r\r\n%MDATE1-1,,,-1\r\r\n%MDATE2-1,,,-1\r\r\n%MDATE3-1,,,-1\r\r\n"
              "%MDATE4-1,,,-1\r\r\n%MDATE5-1,,,-1\r\r\n%MDATE6-1,,,-1\r\r\n");
}

TEST_F(TimerPages, WriteBackSendsTheBatchThenReadsTheTimersAgain)
{
    // Timer 0 reported whole, timer 1 without its action: only timer 0 goes out.
    h.Feed({"$TIMERH0 06", "$TIMERM0 30", "$TIMERT0 27", "$TIMERH1 07", "$TIMERM1 15"});
    h.TakeWritten();
    h.session.WriteBack(machine);
    std::vector<std::string> written;
    for (int i = 0; i < 40 && h.session.Queue().Busy(); ++i) {
        for (std::string& block : h.TakeWritten())
            written.push_back(std::move(block));
        h.AnswerOk();
    }
    for (std::string& block : h.TakeWritten())
        written.push_back(std::move(block));
    EXPECT_EQ(written, (std::vector<std::string>{"%STARTCMD\r", "%MTIMER006,30,27\r", "%COMMITCMD\r", "%DUMP_TIMER\r"}));
    ASSERT_FALSE(h.view.jobs.empty());
    EXPECT_EQ(h.view.jobs.back().second.leftOut.size(), 13u);
    EXPECT_EQ(m.Text(CPageMTimer::ClockHourId(0)), "");  // the read cleared the page first
}

} // namespace
} // namespace orlan::test
