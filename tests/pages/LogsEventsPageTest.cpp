// The events page: the receive path's rows of "$:" lines, Reset, reads of
// the configuration that leave the list alone, and the event column built
// from whole catalogue texts in the catalogue's language.
#include <gtest/gtest.h>

#include "SessionHarness.h"
#include "labels/LabelCatalogue.h"
#include "pages/logs/EventsPage.h"

namespace orlan::test {
namespace {

std::string EventLine(int number, std::string_view text)
{
    return "$: \"" + std::to_string(number) + "\" \"" + std::string(text) + "\" \"0 Front door\"";
}

TEST(LogsEventsPage, EventLinesBecomeRowsInOrderUntilReset)
{
    CSessionHarness h;
    CPageEvents& page = h.Page<CPageEvents>("CPageEvents");
    h.session.Receive().SetClock([] { return STimeOfDay{9, 8, 7}; });
    h.Feed({"$: \"1\" \"DIN 0 ALARM SMS\" \"0 Front door\" \"+8613800000001\" \"SMS\" \"SENT\" \"2024-05-01 00:00:00\"",
            "$: \"2\" \"DEFENCE REMOVED\" \"0 Remote\""});
    const CPageTable& list = page.List();
    ASSERT_EQ(list.Rows(), 2u);
    EXPECT_EQ(list.Cell(0, 0), "Digital inputs: Alarm, Sms");
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

TEST(LogsEventsPage, TheEventColumnIsOneWholeCatalogueTextInEitherLanguage)
{
    struct SCase {
        std::string_view eventText;
        std::string_view english;
        std::string_view russian;
    };
    const SCase cases[] = {
        {"DIN 0 RECOVER SMS", "Digital inputs: Restore, Sms", "Цифровые входы: восстановление, SMS"},
        {"TMP100 ALARM SMS", "interiar temp.: Alarm, Sms", "Внутренняя температура: тревога, SMS"},
        {"AIN 2 ALARM", "Analog inputs: Alarm", "Аналоговые входы: тревога"},
        {"POWER RECOVER", "DC/Power: Restore", "Питание: восстановление"},
        {"WIRELESS SENSOR 3 SMS", "RF433: Sms", "Радиодатчики 433 МГц: SMS"},
        {"DEFENCE ARRANGED", "Arm", "Постановка на охрану"},
        {"DOOR BELL ALARM", "DOOR BELL ALARM: Alarm", "DOOR BELL ALARM: тревога"},
    };
    CSessionHarness h;
    CPageEvents& page = h.Page<CPageEvents>("CPageEvents");
    int number = 0;
    for (const SCase& c : cases)
        h.Feed({EventLine(++number, c.eventText)});
    const CPageTable& list = page.List();
    ASSERT_EQ(list.Rows(), std::size(cases));
    for (size_t row = 0; row < std::size(cases); ++row)
        EXPECT_EQ(list.Cell(row, 0), cases[row].english) << cases[row].eventText;

    // The Russian catalogue's texts, for the rows already listed and the next.
    CLabelCatalogue russian;
    ASSERT_TRUE(russian.Bind(std::filesystem::path(ORLAN_SOURCE_DIR) / "catalogues" / "gsm.ru.ini"));
    page.LoadLabels(russian);
    for (size_t row = 0; row < std::size(cases); ++row)
        EXPECT_EQ(list.Cell(row, 0), cases[row].russian) << cases[row].eventText;
    h.Feed({EventLine(++number, "HUMIDITY ALARM")});
    EXPECT_EQ(list.Cell(list.Rows() - 1, 0), "Влажность: тревога");
}

} // namespace
} // namespace orlan::test
