// The field bus pages against orlan-sim: a register edit comes back in the
// reads behind it (on the register names page too), the general values come
// back with the whole read their Save ends with, and the second port and
// meter reading write-backs come back in their own reads.
#include <gtest/gtest.h>

#include "PagesOverSimulator.h"
#include "SessionOverSerial.h"
#include "SimProcess.h"
#include "pages/fieldbus/Comm2Page.h"
#include "pages/fieldbus/MbusParamsPage.h"
#include "pages/fieldbus/Meter62056Page.h"
#include "pages/fieldbus/ModmasterSetupDlg.h"
#include "pages/messages/RegisterNamePage.h"

namespace orlan::test {
namespace {

using namespace fieldbus;
using Col = CPageMbusParams::EColumn;

class FieldbusPagesEndToEnd : public CPagesOverSimulator {
protected:
    CPageMbusParams& modbus = dynamic_cast<CPageMbusParams&>(console.Page("CPageMbusParams"));
};

TEST_F(FieldbusPagesEndToEnd, ARegisterEditComesBackInTheReadsBehindIt)
{
    ASSERT_EQ(modbus.Cell(5, Col::kType), "Input Registers") << "the read filled the table";
    std::optional<SRowEditor> editor = modbus.RowEditor(0, 5);
    ASSERT_TRUE(editor);
    CFieldSet& f = editor->fields;
    f.SetText(kNameField, "Boiler");
    f.SetNumber(kTypeField, kHolding);
    f.SetText(kSlaveField, "9");
    f.SetText(kGainField, "0.25");
    f.SetText(kLowField, "-40");
    f.SetText(kHighField, "120");
    f.SetNumber(kInterlockField, kNoInterlockEntry);
    f.SetNumber(kFloatField, 1);
    CPageTable& marks = editor->tables.front();
    marks.SetRowMask(0, kFirstChannelColumn, kChannels, 0);
    marks.ToggleCell(0, kFirstChannelColumn + 0);
    marks.ToggleCell(0, kFirstChannelColumn + 2);
    // The gain is not among the cells the edit shows at once: it comes back
    // only with the terminal's dump.
    RunUntil([&] { EXPECT_EQ(console.session.CommitRow(modbus, 0, 5, *editor), ""); },
             [&] { return modbus.Cell(5, Col::kGain) == "0.25"; }, 7);
    EXPECT_EQ(modbus.Cell(5, Col::kName), "Boiler");
    EXPECT_EQ(modbus.Cell(5, Col::kSlave), "9");
    EXPECT_EQ(modbus.Cell(5, Col::kType), "Keep Registers");
    EXPECT_EQ(modbus.Cell(5, Col::kLow), "-40");
    EXPECT_EQ(modbus.Cell(5, Col::kHigh), "120");
    EXPECT_EQ(modbus.Cell(5, Col::kInterlock), "255");
    EXPECT_EQ(modbus.Cell(5, Col::kFlagFloat), "1");
    EXPECT_EQ(modbus.Cell(5, Col::kChannelMask), "00000005");
    EXPECT_EQ(modbus.Cell(4, Col::kType), "Keep Registers") << "its neighbour untouched";
    const auto& names = dynamic_cast<const CPageRname&>(console.Page("CPageRname"));
    EXPECT_EQ(names.Cell(5, CPageRname::kNameColumn), "Boiler");
    EXPECT_EQ(names.Cell(5, CPageRname::kLowColumn), "-40");
}

TEST_F(FieldbusPagesEndToEnd, GeneralValuesComeBackWithTheWholeRead)
{
    CFieldSet& f = modbus.Fields();
    ASSERT_EQ(f.Text("readTimeout"), "1000");
    f.SetText("readTimeout", "1500");
    f.SetText("pollInterval", "25");
    const int reads = console.wholeReads;
    RunUntil([&] { console.session.WriteBack(modbus); }, [&] { return console.wholeReads > reads; }, 7);
    EXPECT_EQ(f.Text("readTimeout"), "1500");
    EXPECT_EQ(f.Text("pollInterval"), "25");
    EXPECT_EQ(f.Text("slaveAddress"), "1") << "the hidden value travelled unchanged";
}

TEST_F(FieldbusPagesEndToEnd, SecondPortAndMeterReadingComeBackInTheirReads)
{
    CPage& port = console.Page("CPageComm2");
    CFieldSet& p = port.Fields();
    ASSERT_EQ(p.Text("baud"), "9600");
    p.SetText("baud", "19200");
    p.SetChoice("parity", 2);
    RunUntil([&] { console.session.WriteBack(port); }, [] { return true; }, 1);
    // Its read keeps what the page shows: forget it, then ask again.
    p.SetText("baud", "");
    p.SetChoice("parity", -1);
    console.session.ReadPage(port);
    EXPECT_TRUE(PumpUntil([&] { return p.Text("baud") == "19200" && p.Number("parity") == 2; },
                          CSessionOverSerial::kPatience));

    CPage& meter = console.Page("CPage62056");
    meter.Fields().SetText("uploadInterval", "030");
    meter.Fields().SetNumber("errorReport", 0);
    RunUntil([&] { console.session.WriteBack(meter); },
             [&] { return meter.Fields().Text("uploadInterval") == "30"; }, 5);
    EXPECT_EQ(meter.Fields().Number("errorReport"), 0);
    EXPECT_EQ(meter.Fields().Text("heartInterval"), "5");
}

} // namespace
} // namespace orlan::test
