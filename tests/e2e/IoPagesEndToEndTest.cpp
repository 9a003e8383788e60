// The input, output and zone pages against orlan-sim: a digital I/O
// write-back and a wireless zone edit come back in the pages' own reads,
// the state list fills while the terminal runs, and the sections these
// pages save in a profile, executed on a fresh terminal, read back the same.
#include <gtest/gtest.h>

#include "PagesOverSimulator.h"
#include "SessionOverSerial.h"
#include "SimProcess.h"
#include "pages/io/CioPage.h"
#include "pages/io/DinParamsPage.h"
#include "pages/io/GpioPage.h"
#include "pages/io/RfZonePage.h"

namespace orlan::test {
namespace {

const QStringList kSimOptions = {QStringLiteral("--no-login"), QStringLiteral("--rate"), QStringLiteral("0")};

class IoPagesEndToEnd : public CPagesOverSimulator {
protected:
    CPageGPIO& io = dynamic_cast<CPageGPIO&>(console.Page("CPageGPIO"));
    CPageRfZone& zones = dynamic_cast<CPageRfZone&>(console.Page("CPageRfZone"));
};

TEST_F(IoPagesEndToEnd, DigitalIoWrittenBackComesBackInTheRead)
{
    CFieldSet& f = io.Fields();
    ASSERT_EQ(f.Number(CPageGPIO::InputTypeId(3)), 4) << "the read filled the page";
    f.SetNumber(CPageGPIO::InputTypeId(0), 3);
    f.SetNumber(CPageGPIO::OutputTypeId(7), 4);
    f.SetNumber(CPageGPIO::InputUrgentId(1), 1);
    f.SetNumber(CPageGPIO::InputSoundId(3), 0);
    f.SetNumber("input1Button", 1);
    f.SetText("sirenDuration", "7");
    RunUntil([&] { console.session.WriteBack(io); }, [&] { return f.Text("sirenDuration") == "7"; }, 8);
    EXPECT_EQ(f.Number(CPageGPIO::InputTypeId(0)), 3);
    EXPECT_EQ(f.Number(CPageGPIO::OutputTypeId(7)), 4);
    EXPECT_EQ(f.Number(CPageGPIO::InputUrgentId(1)), 1);
    EXPECT_EQ(f.Number(CPageGPIO::InputSoundId(3)), 0);
    EXPECT_EQ(f.Number("input1Button"), 1);
}

TEST_F(IoPagesEndToEnd, AZoneEditComesBackWithItsNameInTheMessageSlot)
{
    std::optional<SRowEditor> editor = zones.RowEditor(0, 10);
    ASSERT_TRUE(editor);
    CFieldSet& f = editor->fields;
    f.SetNumber(CPageRfZone::kEnabledField, 1);
    f.SetNumber(CPageRfZone::kUrgentField, 1);
    f.SetNumber(CPageRfZone::kOutputField, 5);
    f.SetText(CPageRfZone::kIntervalField, "12");
    f.SetText(CPageRfZone::kNameField, "Pump house");
    RunUntil([&] { console.session.CommitRow(zones, 0, 10, f); },
             [&] { return zones.Cell(10, CPageRfZone::kNameColumn) == "Pump house"; }, 8);
    EXPECT_EQ(zones.Cell(10, CPageRfZone::kEnabledColumn), "Yes");
    EXPECT_EQ(zones.Cell(10, CPageRfZone::kUrgentColumn), "Yes");
    EXPECT_EQ(zones.Cell(10, CPageRfZone::kOutputColumn), "5");
    EXPECT_EQ(zones.Cell(10, CPageRfZone::kIntervalColumn), "12");
    EXPECT_EQ(zones.Cell(9, CPageRfZone::kEnabledColumn), "No") << "its neighbour untouched";
}

TEST_F(IoPagesEndToEnd, StateChangesReachTheListWithoutARead)
{
    const size_t before = io.States().Rows();
    ASSERT_GT(before, 0u) << "the read brought the current states";
    ASSERT_TRUE(sim.Control(QStringLiteral("input 2 1")));
    ASSERT_TRUE(sim.Control(QStringLiteral("output 0 1")));
    ASSERT_TRUE(PumpUntil([&] { return io.States().Rows() == before + 3; }, CSessionOverSerial::kPatience));
    EXPECT_EQ(io.States().Cell(before, 0), "2 Input: open");
    EXPECT_EQ(io.States().Cell(before + 1, 0), "");
    EXPECT_EQ(io.States().Cell(before + 2, 0), "0 Output: closed");
}

// One section of a saved profile, from its header to the next one.
std::string Section(const std::string& profile, const std::string& title)
{
    const size_t start = profile.find("\r\r\n//Page " + title + "\r\r\n");
    if (start == std::string::npos)
        return {};
    const size_t next = profile.find("\r\r\n//Page ", start + 1);
    return profile.substr(start, next == std::string::npos ? std::string::npos : next - start);
}

std::string IoSections(const std::string& profile)
{
    std::string sections;
    for (const char* title :
         {"Wireless zone Params", "Digital inputs config", "Digital inputs delays config", "Interlock actions"})
        sections += Section(profile, title);
    return sections;
}

TEST_F(IoPagesEndToEnd, SavedSectionsExecutedOnAFreshTerminalReadBackTheSame)
{
    // Changed on the pages only, so that the profile alone carries them.
    io.Fields().SetNumber(CPageGPIO::InputTypeId(1), 0);
    io.Fields().SetText("sirenDuration", "9");
    CPage& links = console.Page("CPageCio");
    links.Fields().SetNumber(CPageCio::SourceId(5), 12);
    links.Fields().SetNumber(CPageCio::SecondActionId(0), 3);
    links.Fields().SetText("pulseTime", "4");
    console.Page("CPageDinParams").Tables().front().SetCell(2, 3, "8");
    zones.Tables().front().SetCell(4, CPageRfZone::kEnabledColumn, "No");
    zones.Tables().front().SetCell(6, CPageRfZone::kIntervalColumn, "30");
    const std::string saved = IoSections(console.session.ProfileBytes());
    ASSERT_NE(saved.find("%IOTP1034"), std::string::npos);
    ASSERT_NE(saved.find("%IOOA512\r\r\n"), std::string::npos);
    ASSERT_NE(saved.find("%DINDLY2,8\r\r\n"), std::string::npos);
    ASSERT_NE(saved.find("%WSOFF4\r\r\n"), std::string::npos);

    CSimProcess fresh{kSimOptions};
    ASSERT_FALSE(fresh.Device().isEmpty());
    CSessionOverSerial other{fresh.Device()};
    ASSERT_TRUE(other.ReadAll());
    ASSERT_NE(IoSections(other.session.ProfileBytes()), saved);
    const int reads = other.wholeReads;
    ASSERT_TRUE(other.session.ExecuteProfile(saved));
    // About ninety commands, each after the last one's answer: a generous bound.
    ASSERT_TRUE(PumpUntil([&] { return other.wholeReads > reads && !other.session.ProfileRunning(); },
                          std::chrono::seconds(120)));
    EXPECT_TRUE(other.reports.back().AllAccepted()) << other.reports.back().Summary();
    EXPECT_EQ(IoSections(other.session.ProfileBytes()), saved);
}

} // namespace
} // namespace orlan::test
