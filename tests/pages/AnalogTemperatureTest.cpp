// The internal and external temperature pages: dump lines, the output lists
// ("Nc" leaves the command out, no selection sends -1), Reset, the sensor
// dialog's batch and both profile sections at their places.
#include <gtest/gtest.h>

#include <algorithm>

#include "AnalogSupport.h"
#include "pages/analog/ExtTempPage.h"
#include "pages/analog/TempPage.h"

namespace orlan::test {
namespace {

class TemperaturePages : public ::testing::Test {
protected:
    std::vector<std::string> Row(size_t sensor) const
    {
        std::vector<std::string> cells;
        for (size_t c = 0; c < CPageExtTemp::kColumns; ++c)
            cells.push_back(external.Cell(sensor, c));
        return cells;
    }

    CSessionHarness h;
    CPageTemp& internal = h.Page<CPageTemp>("CPageTemp");
    CPageExtTemp& external = h.Page<CPageExtTemp>("CPageExtTemp");
    const CFieldSet& f = internal.Fields();
};

TEST_F(TemperaturePages, InternalSensorLinesAndBatch)
{
    h.Feed({"$TMPH 50", "$TMPL -10", "$TMPB 0.5", "*TMPC 23.50", "$TMPOS 1", "$TMPAS 5", "$TMPRS 30", "$TMPDLY 3",
            "$TMPUPS 60", "$TMPURG 1", "$TMPSND 1", "$TMPSMS 0", "*TMP100_EN 1", "$TMPIH3", "$TMPIL12"});
    EXPECT_EQ(f.Text("current"), "23.50");
    EXPECT_EQ(f.Text("reportPeriod"), "60");
    EXPECT_EQ(f.Number("highOutput"), 3);
    EXPECT_EQ(f.Number("lowOutput"), 8);  // above 7: "Nc"
    // "Nc" leaves its command out; the hidden report period is never sent.
    const Blocks batch{"%STARTCMD\r", "%TMPH50\r", "%TMPL-10\r", "%TMPB0.5\r", "%TMPON\r", "%TMPSMS0\r",
                       "%TMPSND1\r",  "%TMPAS5\r", "%TMPRS30\r", "%TMPDLY3\r", "%TMPURG1\r", "%TMPOS1\r",
                       "%TMPIH3\r",   "%COMMITCMD\r"};
    EXPECT_EQ(Texts(internal.BuildCommands(ETarget::Terminal)), batch);

    h.session.WriteBack(internal);
    Blocks written = AcceptAll(h);
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written.back(), "%DUMP_TMP\r%DUMPR\r");
    written.pop_back();
    EXPECT_EQ(written, batch);
    EXPECT_EQ(f.Text("current"), "23.50");  // the read keeps the reading
    EXPECT_EQ(f.Text("high"), "");

    // A list without a selection gives no command (never "-1"); "Nc" as nothing.
    h.Feed({"*TMP100_EN 0", "$TMPIL7", "$TMPIH-1"});
    const Blocks cleared = Texts(internal.BuildCommands(ETarget::Terminal));
    EXPECT_EQ(cleared.at(4), "%TMPOFF\r");
    EXPECT_EQ(cleared.at(12), "%TMPIL7\r");
    EXPECT_TRUE(std::none_of(cleared.begin(), cleared.end(), [](const std::string& c) { return c.starts_with("%TMPIH"); }));
}

TEST_F(TemperaturePages, InternalResetSetsBothThresholdsToZero)
{
    ASSERT_TRUE(h.session.RunAction(internal, "reset", std::nullopt));
    EXPECT_EQ(AcceptAll(h), (Blocks{"%STARTCMD\r", "%TMPH0\r", "%TMPL0\r", "%COMMITCMD\r", "%DUMP_TMP\r%DUMPR\r"}));
}

TEST_F(TemperaturePages, ExternalSensorLinesFillTheirRow)
{
    h.Feed({"$ETEMP2 23.5,40,-10"});
    EXPECT_EQ(Row(2), (Blocks{"23.5", "40", "-10", "", "", "", "", "", "", "", ""}));
    h.Feed({"$ETEMP2 1,2,3,4,5,6,7,8,0,1,1,extra", "$ETEMP2 9,"});
    EXPECT_EQ(Row(2), (Blocks{"9", "2", "3", "4", "5", "6", "7", "8", "0", "1", "1"}));
    h.Feed({"$ETEMP1 " + std::string(40, 'x')});
    EXPECT_EQ(external.Cell(1, 0), std::string(31, 'x'));
    // Sensor 6, another first character and short lines change nothing.
    h.Feed({"$ETEMP6 1,2,3", "$ETEMPx 1,2", "$ETEMP3", "$ETEMP3 "});
    EXPECT_EQ(Row(3), Blocks(CPageExtTemp::kColumns));

    h.Feed({"$EXTEMPUT 60", "$EXTEMPGT 300", "$EXTEMPST 10", "$EXTEMPSS 600", "$EXTEMPUS 0", "$EXTEMPUE 40",
            "$EXTEMPXX 7", "$ISTUNIT 1", "$ISTLOGG 1", "$ISSTUEN 1", "$ISSTSEN 1", "$ISETRANGE 1",
            "$ISTDISCONNSMS 1"});
    const CFieldSet& e = external.Fields();
    EXPECT_EQ(e.Text("uartTimer"), "60");
    EXPECT_EQ(e.Text("gprsTimer"), "300");
    EXPECT_EQ(e.Text("eventTimer"), "10");
    EXPECT_EQ(e.Text("saveTimer"), "600");
    EXPECT_EQ(e.Text("rangeStart"), "0");
    EXPECT_EQ(e.Text("rangeEnd"), "40");
    EXPECT_EQ(e.Number("unit"), 1);
    for (const char* id : {"logging", "stepReport", "stepSave", "rangeEnabled", "disconnectSms"})
        EXPECT_EQ(e.Number(id), 1) << id;
    // Save sends no setting: every sensor went out when it was edited.
    h.session.WriteBack(external);
    EXPECT_EQ(AcceptAll(h), Blocks{"%DUMP_DS1\r"});
    EXPECT_EQ(Row(2), Blocks(CPageExtTemp::kColumns));
    EXPECT_EQ(e.Text("uartTimer"), "");
}

TEST_F(TemperaturePages, ExternalSensorEditSendsTenCommandsThenReads)
{
    h.Feed({"$ETEMP4 21.00,35,5,0,1,5,30,3,0,1,1"});
    std::optional<SRowEditor> editor = external.RowEditor(0, 4);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->title, "4# ");
    CFieldSet& dialog = editor->fields;
    EXPECT_EQ(dialog.Text("reading"), "21.00");
    EXPECT_EQ(dialog.Number("sound"), 1);
    EXPECT_EQ(dialog.Number("urgent"), 0);
    dialog.SetText("high", "-2.5");
    dialog.SetText("confirmDelay", "10");
    dialog.SetNumber("urgent", 1);
    dialog.SetNumber("enabled", 0);
    h.session.CommitRow(external, 0, 4, dialog);
    EXPECT_EQ(AcceptAll(h), (Blocks{"%STARTCMD\r", "%ETEMPH4=-2.5\r", "%ETEMPL4=5\r", "%ETEMPB4=0\r", "%ETEMPOS4=1\r",
                                    "%ETEMPAS4=5\r", "%ETEMPRS4=30\r", "%ETEMPDLY4=10\r", "%ETEMPURG4=1\r",
                                    "%ETEMPSND4=1\r", "%ETEMPEN4=0\r", "%COMMITCMD\r", "%DUMP_DS1\r"}));
    EXPECT_FALSE(external.RowEditor(0, 6));
}

TEST_F(TemperaturePages, ProfileSectionsSitBetweenTheSirenAndTheBattery)
{
    h.Feed({"$ETEMP0 23.50,40,-10,0,1,5,30,3,0,0,1", "$ETEMP5 0.00,45,-5,1,2,6,31,4,1,1,0", "$TMPH 50",
            "$TMPIH8", "$TMPIL2"});
    const std::string bytes = h.session.ProfileBytes();
    // Only what the terminal reported: no empty thresholds, no switches off.
    const std::string internalSection = "\r\r\n//Page Tmp100 Sensor\r\r\n\r\n%TMPH50\r\r\n%TMPIL2\r\r\n";
    const size_t siren = bytes.find("//Page Buzzer Siren");
    const size_t ds18b20 = bytes.find("\r\r\n//Page ex ds18b20 sensors\r\r\n\r\n");
    const size_t tmp100 = bytes.find(internalSection);
    const size_t battery = bytes.find("\r\r\n//Page Battery alarm");
    ASSERT_NE(siren, std::string::npos);
    ASSERT_NE(ds18b20, std::string::npos);
    ASSERT_NE(tmp100, std::string::npos);
    EXPECT_LT(siren, ds18b20);
    EXPECT_EQ(tmp100, battery - internalSection.size());

    // Twenty lines, sensor 0 first and sensor 5 last: the sensors never
    // reported are left out.
    const std::string externalSection = bytes.substr(ds18b20, tmp100 - ds18b20);
    EXPECT_TRUE(externalSection.ends_with("%ETEMPH5=45\r\r\n%ETEMPL5=-5\r\r\n%ETEMPB5=1\r\r\n%ETEMPOS5=2\r\r\n%ETEMPAS5=6\r\r\n"
                                   "%ETEMPRS5=31\r\r\n%ETEMPDLY5=4\r\r\n%ETEMPURG5=1\r\r\n%ETEMPSND5=1\r\r\n"
                                   "%ETEMPEN5=0\r\r\n"));
    EXPECT_NE(externalSection.find("\r\n\r\n%ETEMPH0=40\r\r\n%ETEMPL0=-10\r\r\n"), std::string::npos);
    EXPECT_EQ(std::count(externalSection.begin(), externalSection.end(), '%'), 20);
    EXPECT_EQ(externalSection.find("STARTCMD"), std::string::npos);
}

} // namespace
} // namespace orlan::test
