// The second serial port and the meter reading pages: dump lines to values,
// values to the exact commands, and the second port's Save refused while no
// parity is known.
#include <gtest/gtest.h>

#include "AnalogSupport.h"
#include "pages/fieldbus/Comm2Page.h"
#include "pages/fieldbus/Meter62056Page.h"

namespace orlan::test {
namespace {

class FieldbusComm2 : public ::testing::Test {
protected:
    bool NoteShown() const { return page.Fields().IsShown(page.Fields().IndexOf("parityNote")); }

    CSessionHarness h;
    CPageComm2& page = h.Page<CPageComm2>("CPageComm2");
};

TEST_F(FieldbusComm2, OneCommandWithoutBracketThenTheSystemDump)
{
    h.Feed({"$UART2BPS 19200", "$UART2PARITY 2"});
    EXPECT_EQ(page.Fields().Text("baud"), "19200");
    EXPECT_EQ(page.Fields().Number("parity"), 2);
    EXPECT_FALSE(NoteShown());
    page.Fields().SetText("baud", "4800\r");
    h.session.WriteBack(page);
    EXPECT_EQ(AcceptAll(h), (Blocks{"%UART2CP4800,2\r", "%DUMP_SYS\r"}));
    // Its read keeps the values: the system dump brings them.
    EXPECT_EQ(page.Fields().Text("baud"), "4800\r");
    EXPECT_FALSE(page.Info().becomesCurrent);
}

TEST_F(FieldbusComm2, SaveSendsNothingWhileNoParityIsKnownAndSaysSo)
{
    // Never reported, or no number: no parity.
    for (std::string_view line : {"", "$UART2PARITY x"}) {
        if (!line.empty())
            h.Feed({line});
        EXPECT_EQ(page.Fields().Number("parity"), -1) << line;
        EXPECT_TRUE(NoteShown()) << line;
        h.session.WriteBack(page);
        EXPECT_EQ(AcceptAll(h), Blocks{}) << line;
        ASSERT_FALSE(h.view.jobs.empty());
        EXPECT_EQ(h.view.jobs.back().second.sent, 0) << line;
        EXPECT_FALSE(h.view.jobs.back().second.leftOut.empty()) << line;
    }
    // A code beyond the list is the terminal's own: written back as it came.
    h.Feed({"$UART2BPS 9600", "$UART2PARITY 5"});
    EXPECT_EQ(page.Fields().Number("parity"), 5);
    EXPECT_FALSE(NoteShown());
    EXPECT_EQ(Texts(page.SaveJob().commands), Blocks{"%UART2CP9600,5\r"});
}

class Fieldbus62056 : public ::testing::Test {
protected:
    CSessionHarness h;
    CPage62056& page = h.Page<CPage62056>("CPage62056");
};

TEST_F(Fieldbus62056, LinesShowTheTerminalsNumbers)
{
    struct SCase {
        std::string line;
        std::string field;
        std::string text;
        int number;
    };
    const SCase cases[] = {
        {"$P62056POOLT 015", "uploadInterval", "15", 0},
        {"$P62056POOLT abc", "uploadInterval", "0", 0},
        {"$P62056POOLT -7x", "uploadInterval", "-7", 0},
        {"$P62056HEART 0005", "heartInterval", "5", 0},
        {"$P62056HEART", "heartInterval", "0", 0},
        {"$P62056ERRUP 1", "errorReport", "", 1},
        {"$P62056ERRUP 2", "errorReport", "", 0},
        {"$P62056ERRUP 01", "errorReport", "", 1},
    };
    for (const SCase& c : cases) {
        page.Clear();
        h.Feed({c.line});
        EXPECT_EQ(page.Fields().Text(c.field), c.text) << c.line;
        EXPECT_EQ(page.Fields().Number(c.field), c.number) << c.line;
    }
    // An unknown code changes nothing.
    h.Feed({"$P62056ERRUP 1", "$P62056OTHER 0"});
    EXPECT_EQ(page.Fields().Number("errorReport"), 1);
}

TEST_F(Fieldbus62056, BatchThenItsOwnDump)
{
    // Nothing reported yet: nothing to write, not even the bracket.
    h.session.WriteBack(page);
    EXPECT_EQ(AcceptAll(h), Blocks{});
    h.Feed({"$P62056POOLT 15", "$P62056HEART 5", "$P62056ERRUP 1"});
    EXPECT_EQ(Texts(page.BuildCommands(ETarget::Terminal)),
              (Blocks{"%STARTCMD\r", "%P62056UT15\r", "%P62056HT5\r", "%P62056ERRT1\r", "%COMMITCMD\r"}));
    h.session.Reload();
    EXPECT_EQ(page.Fields().Text("uploadInterval"), "");
    EXPECT_EQ(page.Fields().Number("errorReport"), 0);
}

} // namespace
} // namespace orlan::test
