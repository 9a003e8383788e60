// The events page: the receive path's rows of "$:" lines, Reset, and reads
// of the configuration that leave the list alone.
#include <gtest/gtest.h>

#include "SessionHarness.h"
#include "pages/logs/EventsPage.h"

namespace orlan::test {
namespace {

TEST(LogsEventsPage, EventLinesBecomeRowsInOrderUntilReset)
{
    CSessionHarness h;
    CPageEvents& page = h.Page<CPageEvents>("CPageEvents");
    h.session.Receive().SetClock([] { return STimeOfDay{9, 8, 7}; });
    h.Feed({"$: \"1\" \"DIN 0 ALARM SMS\" \"0 Front door\" \"+8613800000001\" \"SMS\" \"SENT\" \"2024-05-01 00:00:00\"",
            "$: \"2\" \"DEFENCE REMOVED\" \"0 Remote\""});
    const CPageTable& list = page.List();
    ASSERT_EQ(list.Rows(), 2u);
    EXPECT_EQ(list.Cell(0, 0), "Digital inputsAlarmSms");
    EXPECT_EQ(list.Cell(0, 1), "0 Front door");
    EXPECT_EQ(list.Cell(0, 5), "2024-05-01 00:00:00 (09:08:07)");
    EXPECT_EQ(list.Cell(1, 0), "Disarm");
    EXPECT_EQ(list.Cell(1, 3), "") << "missing fields are empty";

    h.session.Reload();
    h.clock.Advance(1000);
    EXPECT_EQ(list.Rows(), 2u) << "a whole read leaves the events";
    EXPECT_FALSE(h.session.RunAction(page, CPageEvents::kResetAction, std::nullopt)) << "Reset sends nothing";
    EXPECT_EQ(list.Rows(), 0u);
}

} // namespace
} // namespace orlan::test
