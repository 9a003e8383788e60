// The configuration report names the unit, the date and the version, shows
// each page holding values by caption with its settings and grids, escapes
// what the terminal sent, and only names the pages holding nothing.
#include <gtest/gtest.h>

#include "labels/LabelCatalogue.h"
#include "session/ConfigurationReport.h"
#include "session/DetachedSession.h"

namespace orlan::test {
namespace {

TEST(ConfigurationReport, ShowsEveryKnownValueByCaptionAndEscapesTexts)
{
    CLabelCatalogue catalogue;
    catalogue.BindText("[TABS]\nPAGE_BASIC=Main parameters\nPAGE_CS=Phones\nPAGE_TMP100=Temperature\n"
                       "[PageMainParams]\nUID=Unit ID\nDAS=Daylight saving\n[PageCSPhone]\nLISTC1=Number\n"
                       "[SYSCHAR]\nNO_X=No.\n");
    CDetachedSession loaded;
    loaded.Session().LoadProfile("//Page Device Control phones\n%CS2+7<99>\n"
                                 "//Page System Main Params\n%ID100234\n%DAS1\n");
    const std::string html = ConfigurationReportHtml(loaded.Session(), catalogue, "1.2.3", "2026-12-09 14:00");

    struct SPart {
        const char* what;
        const char* text;
    };
    const SPart expected[] = {
        {"unit", "<h1>Configuration of unit 100234</h1>"},
        {"date and version", "2026-12-09 14:00 &middot; orlan 1.2.3"},
        {"a page by caption", "<h2>Main parameters</h2>"},
        {"a text setting", "<tr><th>Unit ID</th><td>100234</td></tr>"},
        {"a switch", "<tr><th>Daylight saving</th><td>on</td></tr>"},
        {"a grid header", "<th>Number</th>"},
        {"an escaped cell", "<tr><th>No.2</th><td>+7&lt;99&gt;</td>"},
        {"a cell not known", "<tr><th>No.0</th><td>\u2014</td>"},
        {"a page without values", "Temperature"},
    };
    for (const SPart& part : expected)
        EXPECT_NE(html.find(part.text), std::string::npos) << part.what << ": " << part.text;
    EXPECT_EQ(html.find("<h2>Temperature</h2>"), std::string::npos);
    EXPECT_EQ(html.find("<99>"), std::string::npos);
}

} // namespace
} // namespace orlan::test
