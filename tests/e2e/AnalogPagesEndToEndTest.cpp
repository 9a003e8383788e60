// The analog and sensor pages against orlan-sim: a form page written back,
// a calibration, a row edit and the temperature profile sections executed
// come back in the pages' reads; the live readings move on their own.
#include <gtest/gtest.h>

#include "PagesOverSimulator.h"
#include "SessionOverSerial.h"
#include "SimProcess.h"
#include "pages/analog/AdCalibration.h"
#include "pages/analog/AdPage.h"
#include "pages/analog/AdcExtPage.h"
#include "pages/analog/ExtTempPage.h"
#include "pages/analog/TempPage.h"

namespace orlan::test {
namespace {

class AnalogPagesEndToEnd : public CPagesOverSimulator {
protected:
    std::string Analog(std::string_view name, size_t channel) const
    {
        return analog.Fields().Text(CPageAD::Id(name, channel));
    }

    CPageAD& analog = dynamic_cast<CPageAD&>(console.Page("CPageAD"));
    CPageAdcExt& extended = dynamic_cast<CPageAdcExt&>(console.Page("CPageAdcExt"));
    CPageTemp& internal = dynamic_cast<CPageTemp&>(console.Page("CPageTemp"));
    CPageExtTemp& external = dynamic_cast<CPageExtTemp&>(console.Page("CPageExtTemp"));
};

TEST_F(AnalogPagesEndToEnd, AnalogInputsWrittenBackComeBackInTheRead)
{
    CFieldSet& f = analog.Fields();
    ASSERT_EQ(f.Number(CPageAD::Id("enabled", 2)), 0);
    f.SetText(CPageAD::Id("high", 1), "42.5");
    f.SetText(CPageAD::Id("hysteresis", 3), "0.7");
    f.SetNumber(CPageAD::Id("enabled", 1), 0);
    f.SetNumber(CPageAD::Id("enabled", 2), 1);
    f.SetNumber(CPageAD::Id("type", 3), 1);
    f.SetNumber(CPageAD::Id("sound", 2), 1);
    f.SetText("reportPeriod", "120");  // hidden, still written

    const int batch = static_cast<int>(analog.BuildCommands(ETarget::Terminal).size());
    RunUntil([&] { console.session.WriteBack(analog); },
             [&] { return Analog("high", 1) == "42.50" && f.Text("reportPeriod") == "120"; }, batch);
    EXPECT_EQ(Analog("hysteresis", 3), "0.7");
    EXPECT_EQ(f.Number(CPageAD::Id("enabled", 1)), 0);
    EXPECT_EQ(f.Number(CPageAD::Id("enabled", 2)), 1);
    EXPECT_EQ(f.Number(CPageAD::Id("type", 3)), 1);
    EXPECT_EQ(f.Number(CPageAD::Id("sound", 2)), 1);
    // The extended list shows the first thresholds too.
    EXPECT_EQ(extended.Cell(1, 0), "42.5");
}

TEST_F(AnalogPagesEndToEnd, CalibrationComesBackAsScaleZeroAndRange)
{
    CFieldSet dialog = analog.RowEditor(CPageAD::kCalibration, 1).value().fields;
    ASSERT_EQ(analog.CalibrationVersion(), 2);
    dialog.SetText(kCalInLow, "0");
    dialog.SetText(kCalInHigh, "10");
    dialog.SetText(kCalActualLow, "-5");
    dialog.SetText(kCalActualHigh, "45");
    dialog.SetNumber(kCalUnit, kUnitVolt);
    RunUntil([&] { EXPECT_EQ(console.session.CommitRow(analog, CPageAD::kCalibration, 1, dialog), ""); },
             [&] { return Analog("scale", 1) == "5.0000" && Analog("zero", 1) == "5.0000"; }, 5);
    EXPECT_FLOAT_EQ(analog.RangeLow(1), -5.0f);
    EXPECT_FLOAT_EQ(analog.RangeHigh(1), 45.0f);
    EXPECT_EQ(analog.Fields().Number(CPageAD::Id("type", 1)), 0);  // a voltage input now
}

TEST_F(AnalogPagesEndToEnd, ExtendedRowEditComesBackInTheAnalogDump)
{
    CFieldSet dialog = extended.RowEditor(0, 3).value().fields;
    dialog.SetText("high2", "55");
    dialog.SetText("lag2", "1.5");
    dialog.SetNumber("low1Output", 4);
    dialog.SetNumber("high1Output", 8);  // "Not Used"
    RunUntil([&] { console.session.CommitRow(extended, 0, 3, dialog); },
             [&] { return extended.Cell(3, 3) == "55" && extended.Cell(3, 7) == "4"; }, 12);
    EXPECT_EQ(extended.Cell(3, 5), "1.5");
    EXPECT_EQ(extended.Cell(3, 6), "255");
}

// The two temperature sections of a saved profile: from the external
// sensors' header to the battery's.
std::string TemperatureSections(const std::string& profile)
{
    const size_t first = profile.find("\r\r\n//Page ex ds18b20 sensors\r\r\n");
    const size_t next = profile.find("\r\r\n//Page Battery alarm\r\r\n");
    if (first == std::string::npos || next == std::string::npos || next < first)
        return {};
    return profile.substr(first, next - first);
}

TEST_F(AnalogPagesEndToEnd, TemperatureProfileSectionsExecutedReadBackTheSame)
{
    // Changed on the pages only, so that the profile alone carries them.
    internal.Fields().SetText("high", "45");
    internal.Fields().SetNumber("lowOutput", 2);
    external.Tables().front().SetCell(3, 1, "33");
    const std::string sections = TemperatureSections(console.session.ProfileBytes());
    ASSERT_NE(sections.find("%TMPH45\r\r\n"), std::string::npos);
    ASSERT_NE(sections.find("%TMPIL2\r\r\n"), std::string::npos);
    ASSERT_NE(sections.find("%ETEMPH3=33\r\r\n"), std::string::npos);

    ASSERT_TRUE(console.ReadAll());  // the terminal's own values back on the pages
    ASSERT_EQ(internal.Fields().Text("high"), "50");
    ASSERT_EQ(external.Cell(3, 1), "35");
    const int reads = console.wholeReads;
    ASSERT_TRUE(console.session.ExecuteProfile(sections));
    ASSERT_TRUE(PumpUntil([&] { return console.wholeReads > reads && !console.session.ProfileRunning(); },
                          CSessionOverSerial::kPatience));
    EXPECT_EQ(internal.Fields().Text("high"), "45");
    EXPECT_EQ(internal.Fields().Number("lowOutput"), 2);
    EXPECT_EQ(external.Cell(3, 1), "33");
    EXPECT_EQ(TemperatureSections(console.session.ProfileBytes()), sections);
}

TEST(AnalogLiveReadings, MoveWhileTheTerminalRunsWithoutARead)
{
    CSimProcess sim{{QStringLiteral("--no-login"), QStringLiteral("--rate"), QStringLiteral("0"),
                     QStringLiteral("--events-every"), QStringLiteral("40")}};
    ASSERT_FALSE(sim.Device().isEmpty());
    CSessionOverSerial console{sim.Device()};
    ASSERT_TRUE(console.ReadAll());
    CPage& analog = console.Page("CPageAD");
    CPage& internal = console.Page("CPageTemp");
    CPage& humidity = console.Page("CPageHumidity");
    CPage& encoder = console.Page("CPageGraycode");
    const std::string ain = analog.Fields().Text("current0");
    const std::string temperature = internal.Fields().Text("current");
    const std::string value = encoder.Fields().Text("value");
    ASSERT_FALSE(ain.empty());
    ASSERT_FALSE(value.empty());
    humidity.Fields().SetText("current", "");
    EXPECT_TRUE(PumpUntil(
        [&] {
            return analog.Fields().Text("current0") != ain && internal.Fields().Text("current") != temperature &&
                   encoder.Fields().Text("value") != value && !humidity.Fields().Text("current").empty();
        },
        CSessionOverSerial::kPatience));
}

} // namespace
} // namespace orlan::test
