// The humidity, motion and encoder pages: their coded dump lines, the exact
// batches and reads.
#include <gtest/gtest.h>

#include <algorithm>

#include "AnalogSupport.h"
#include "pages/analog/GSensorPage.h"
#include "pages/analog/GraycodePage.h"
#include "pages/analog/HumidityPage.h"

namespace orlan::test {
namespace {

TEST(SensorPages, HumidityCodesAndBatch)
{
    CSessionHarness h;
    CPageHumidity& page = h.Page<CPageHumidity>("CPageHumidity");
    const CFieldSet& f = page.Fields();
    h.Feed({"$HUMB 1", "$HUMH 80", "$HUML 20", "$HUMC 45", "$HUMAS 5", "$HUMRS 30", "$HUMDLY 3", "$HUMOS 2",
            "$HUMEN 1", "$HUMSND 1", "$HUMURG 0", "$HUMUPS 60", "$HUMIH1", "$HUMIL9"});
    EXPECT_EQ(f.Number("enabled"), 1);
    EXPECT_EQ(f.Text("current"), "45");
    h.Feed({"*HUMIDITY 47", "$HUMX 9", "$HUMHX 9"});
    EXPECT_EQ(f.Text("current"), "47");
    EXPECT_EQ(f.Text("high"), "80");
    // "Nc" goes out as 8, unlike on the temperature page.
    const Blocks batch{"%STARTCMD\r", "%HUMB1\r",  "%HUMH80\r",  "%HUML20\r",   "%HUMAS5\r",  "%HUMRS30\r",
                       "%HUMDLY3\r",  "%HUMOS2\r", "%HUMEN1\r",  "%HUMSND1\r",  "%HUMURG0\r", "%HUMUPS60\r",
                       "%HUMIH1\r",   "%HUMIL8\r", "%COMMITCMD\r"};
    EXPECT_EQ(Texts(page.BuildCommands(ETarget::Terminal)), batch);
    h.session.WriteBack(page);
    Blocks written = AcceptAll(h);
    EXPECT_EQ(written.back(), "%DUMP_HUM\r");
    EXPECT_EQ(f.Text("current"), "");
    const Blocks cleared = Texts(page.BuildCommands(ETarget::Terminal));
    EXPECT_TRUE(std::none_of(cleared.begin(), cleared.end(), [](const std::string& c) { return c.starts_with("%HUMIH"); }))
        << "a list with nothing selected gives no command";
    EXPECT_EQ(Texts(page.BuildCommands(ETarget::Terminal)).at(8), "%HUMEN0\r");
}

TEST(SensorPages, MotionSensorChannelCountsFromOne)
{
    CSessionHarness h;
    CPageGSensor& page = h.Page<CPageGSensor>("CPageGSensor");
    h.Feed({"$GSENSORVPC 1", "$GSENSORVCR 1", "$GSENSORVCH 2", "$GSENSORMIN 10", "$GSENSORSTEP 5"});
    EXPECT_EQ(page.Fields().Number("videoChannel"), 1);  // the second entry
    EXPECT_EQ(Texts(page.BuildCommands(ETarget::Terminal)),
              (Blocks{"%STARTCMD\r", "%GSENSORVCH2\r", "%GSENSORVPC1\r", "%GSENSORDVR1\r", "%GSENSORMIN10\r",
                      "%GSENSORSTEP5\r", "%COMMITCMD\r"}));
    // Channel 0 has no entry and goes back as 0; a line without digit too.
    h.Feed({"$GSENSORVCH 0"});
    EXPECT_EQ(Texts(page.BuildCommands(ETarget::Terminal)).at(1), "%GSENSORVCH0\r");
    h.Feed({"$GSENSORVCH 9", "$GSENSORVPC 0"});
    EXPECT_EQ(Texts(page.BuildCommands(ETarget::Terminal)).at(1), "%GSENSORVCH9\r");
    h.session.ReadPage(page);
    EXPECT_EQ(h.TakeWritten(), Blocks{"%DUMP_GSENSOR\r"});
    EXPECT_EQ(page.Fields().Number("videoChannel"), -1);
    EXPECT_EQ(page.Fields().Text("minimum"), "");
}

TEST(SensorPages, EncoderRangeAndEventsGoAsPairs)
{
    CSessionHarness h;
    CPageGraycode& page = h.Page<CPageGraycode>("CPageGraycode");
    const CFieldSet& f = page.Fields();
    h.Feed({"$GRAYL 0", "$GRAYH 360", "$GRAYSTEP 1", "$GRAYADJ -5", "$GRAYBITS 10", "$GRAYACCS 1", "$GRAYTIMER 60",
            "$GRAYDETT 5", "$GRAYEVENTCNT 3", "$GRAYEVENTMIN 10", "$GRAYREPHS 8", "$GRAYREPHE 18",
            "$GRAYVALUEV 123", "$GRAYVALUEB 0001111011", "$GRAYVALUEG 0001000110"});
    EXPECT_EQ(f.Text("reportEnd"), "18");
    EXPECT_EQ(f.Text("binary"), "0001111011");
    EXPECT_EQ(Texts(page.BuildCommands(ETarget::Terminal)),
              (Blocks{"%STARTCMD\r", "%GRAYRANGE0,360\r", "%GRAYSTEP1\r", "%GRAYOFFSET-5\r", "%GRAYBITS10\r",
                      "%GRAYACCS1\r", "%GRAYTIMER60\r", "%GRAYDETT5\r", "%GRAYEVENT3,10\r", "%COMMITCMD\r"}));
    h.Feed({"$GRAYVALUEV 124", "$GRAYX 1"});
    EXPECT_EQ(f.Text("value"), "124");
    h.session.ReadPage(page);
    EXPECT_EQ(h.TakeWritten(), Blocks{"%DUMP_GRAY\r"});
    EXPECT_EQ(f.Text("value"), "");
    EXPECT_EQ(Texts(page.BuildCommands(ETarget::Terminal)).at(1), "%GRAYRANGE,\r");
}

} // namespace
} // namespace orlan::test
