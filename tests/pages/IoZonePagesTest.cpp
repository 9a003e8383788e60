// The wireless zone page and the 3G input alarm channels: zone lines at
// their positions, names from the message slots, the zone dialog's commands
// (hexadecimal zone numbers in the switches), the profile section with what
// an unread page writes, and the 3G channel fields and dialog.
#include <gtest/gtest.h>

#include "SessionHarness.h"
#include "labels/LabelCatalogue.h"
#include "labels/TextCodec.h"
#include "pages/io/Din3GPage.h"
#include "pages/io/RfZonePage.h"
#include "pages/messages/MessageTextPages.h"

namespace orlan::test {
namespace {

using Column = size_t;

class ZonePages : public ::testing::Test {
protected:
    std::vector<std::pair<std::string, int>> Sent(const CPage& page, const CCommandList& commands) const
    {
        std::vector<std::pair<std::string, int>> sent;
        for (const SCommand& command : commands)
            sent.emplace_back(command.text, page.AnswerWaitMs(command));
        return sent;
    }
    // The profile commands of one zone.
    std::vector<std::string> ProfileZone(size_t zone) const
    {
        const std::vector<std::string> all = Texts(zones.BuildCommands(ETarget::Profile));
        return {all.begin() + static_cast<std::ptrdiff_t>(5 * zone), all.begin() + static_cast<std::ptrdiff_t>(5 * zone + 5)};
    }

    CSessionHarness h;
    CPageRfZone& zones = h.Page<CPageRfZone>("CPageRfZone");
    CPageDin3G& din3g = h.Page<CPageDin3G>("CPageDin3G");
};

TEST_F(ZonePages, ZoneLinesFillTheirColumns)
{
    const std::tuple<const char*, size_t, Column, const char*> cases[] = {
        {"$WINEND3 1", 3, CPageRfZone::kEnabledColumn, "Yes"},
        {"$WINSND3 0", 3, CPageRfZone::kSoundColumn, "No"},
        {"$WINURG3 2", 3, CPageRfZone::kUrgentColumn, "No"},
        {"$WINURG10 1", 10, CPageRfZone::kUrgentColumn, "Yes"},
        {"$WINCOD0 200", 0, CPageRfZone::kCodeColumn, "c8"},
        {"$WINCOD1 5", 1, CPageRfZone::kCodeColumn, "05"},
        {"$WINLDO3 9", 3, CPageRfZone::kOutputColumn, "None"},
        {"$WINLDO2 7", 2, CPageRfZone::kOutputColumn, "7"},
        {"$WINZS11 15", 11, CPageRfZone::kIntervalColumn, "15"},
        {"$SMS9 " "005A006F006E0065", 0, CPageRfZone::kNameColumn, "Zone"},
        {"$SMS20 0041", 11, CPageRfZone::kNameColumn, "A"},
    };
    for (const auto& [line, zone, column, text] : cases) {
        h.Feed({line});
        EXPECT_EQ(zones.Cell(zone, column), text) << line;
    }
    EXPECT_EQ(zones.Cell(11, CPageRfZone::kZoneColumn), "11");
    EXPECT_EQ(zones.Cell(0, CPageRfZone::kZoneColumn), "00");
    // The message pages take the slot too.
    EXPECT_EQ(h.Page<CPageAllSms>("CPageAllSms").Text(9), "Zone");
}

TEST_F(ZonePages, LinesOfOtherZonesSlotsOrLayoutsChangeNothing)
{
    h.Feed({"$WINEND12 1", "$WINEND 1", "$WINVPC0 1", "$ZONE_WIN 0", "$SMS21 0041", "$SMS8 0041", "x$WINEND0 1",
            "$WINxyz0 1"});
    for (size_t zone = 0; zone < CPageRfZone::kZones; ++zone) {
        for (Column column = 1; column <= CPageRfZone::kIntervalColumn; ++column)
            EXPECT_EQ(zones.Cell(zone, column), "") << zone << "/" << column;
    }
    EXPECT_FALSE(zones.ZonesReported());
}

TEST_F(ZonePages, EditingAZoneSendsItsBracketedCommandsWithHexSwitchNumbers)
{
    h.Feed({"$WINEND10 1", "$WINSND10 0", "$WINURG10 1", "$WINLDO10 3", "$WINZS10 5", "$SMS19 0041"});
    std::optional<SRowEditor> editor = zones.RowEditor(0, 10);
    ASSERT_TRUE(editor);
    CFieldSet& f = editor->fields;
    EXPECT_EQ(editor->className, "CRFZoneDlg");
    EXPECT_EQ(f.Number(CPageRfZone::kEnabledField), 1);
    EXPECT_EQ(f.Number(CPageRfZone::kSoundField), 0);
    EXPECT_EQ(f.Number(CPageRfZone::kUrgentField), 1);
    EXPECT_EQ(f.Text(CPageRfZone::kNameField), "A");
    EXPECT_EQ(f.Number(CPageRfZone::kOutputField), 3);
    EXPECT_EQ(f.Text(CPageRfZone::kIntervalField), "5");
    for (const char* id : {"videoCall", "mms", "recorder", "videoChannel"})
        EXPECT_TRUE(f.Desc(f.IndexOf(id)).hidden) << id;

    f.SetNumber(CPageRfZone::kSoundField, 1);
    f.SetNumber("videoCall", 1);  // never sent
    f.SetText(CPageRfZone::kNameField, "Gate");
    EXPECT_EQ(Sent(zones, zones.CommitRow(0, 10, f)),
              (std::vector<std::pair<std::string, int>>{{"%STARTCMD\r", 3000},
                                                        {"%WSONa\r", 3000},
                                                        {"%WSSNDONa\r", 3000},
                                                        {"%WINURG10,1\r", 3000},
                                                        {"%S19" + EncodeUcs2Hex("Gate") + "\r", 3000},
                                                        {"%WINZS10,5\r", 3000},
                                                        {"%WSLDO10,3\r", 3000},
                                                        {"%COMMITCMD\r", 2000}}));
    f.SetNumber(CPageRfZone::kEnabledField, 0);
    f.SetNumber(CPageRfZone::kSoundField, 0);
    const std::vector<std::string> off = Texts(zones.CommitRow(0, 11, f));
    EXPECT_EQ(off[1], "%WSOFFb\r");
    EXPECT_EQ(off[2], "%WSSNDOFFb\r");
}

TEST_F(ZonePages, AZoneWithoutAnOutputIsEditedAsOutputEight)
{
    h.Feed({"$WINLDO3 9"});
    std::optional<SRowEditor> editor = zones.RowEditor(0, 3);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->fields.Number(CPageRfZone::kOutputField), CPageRfZone::kNoOutputItem);
    EXPECT_EQ(editor->fields.Text(CPageRfZone::kIntervalField), "0");
    EXPECT_EQ(Texts(zones.CommitRow(0, 3, editor->fields)).at(6), "%WSLDO3,8\r");
}

TEST_F(ZonePages, RemoteSwitchIsSentOnClickWithItsOwnTickLimit)
{
    h.Feed({"$RPLARM 1"});
    EXPECT_EQ(zones.Fields().Number(CPageRfZone::kRemoteSmsField), 1);
    EXPECT_EQ(Sent(zones, zones.OnFieldEdited(CPageRfZone::kRemoteSmsField)),
              (std::vector<std::pair<std::string, int>>{{"%RPLARMBTN1\r", 3000}}));
    EXPECT_TRUE(zones.BuildCommands(ETarget::Terminal).empty()) << "no Save";
    zones.Clear();
    EXPECT_EQ(zones.Fields().Number(CPageRfZone::kRemoteSmsField), 1) << "Clear keeps the switch";
    EXPECT_EQ(zones.DumpRequest(), "%DUMP_GPIO\r%DUMP_ROMSMS\r");
}

TEST_F(ZonePages, ProfileWritesEveryZoneAndAnUnreadZoneOnAsA24HourZone)
{
    zones.Clear();
    EXPECT_FALSE(zones.ZonesReported());
    CProfileText out;
    zones.WriteProfileSection(out);
    std::string expected = "\r\r\n//Page Wireless zone Params\r\r\n\r\n";
    for (int zone = 0; zone < 12; ++zone) {
        const std::string hex(1, "0123456789ab"[zone]);
        const std::string n = std::to_string(zone);
        expected += "%WSON" + hex + "\r\r\n%WSSNDON" + hex + "\r\r\n%WINURG" + n + ",1\r\r\n%WSLDO" + n +
                    ",255\r\r\n%WINZS" + n + ",0\r\r\n";
    }
    expected += "%RPLARMBTN0\r\r\n";
    EXPECT_EQ(out.Bytes(), expected);

    h.Feed({"$WINEND1 0", "$WINSND1 1", "$WINURG1 0", "$WINLDO1 2", "$WINZS1 5", "$WINLDO2 9"});
    EXPECT_TRUE(zones.ZonesReported());
    EXPECT_EQ(ProfileZone(1), (std::vector<std::string>{"%WSOFF1\r", "%WSSNDON1\r", "%WINURG1,0\r", "%WSLDO1,2\r",
                                                        "%WINZS1,5\r"}));
    EXPECT_EQ(ProfileZone(2).at(3), "%WSLDO2,255\r");
}

TEST_F(ZonePages, CatalogueWordsReplaceTheBuiltInOnesInCellsAndProfile)
{
    h.Feed({"$WINEND0 0", "$WINSND0 1", "$WINLDO0 9", "$ZONE_DIN 0,1,0,0,1"});
    CLabelCatalogue catalogue;
    catalogue.BindText("[SysChar]\nYES=Ja\nNO=Nein\nNC=Keiner\n[PageDinPrio]\nLIST0C0=Eingang\n");
    zones.LoadLabels(catalogue);
    din3g.LoadLabels(catalogue);
    EXPECT_EQ(zones.Cell(0, CPageRfZone::kEnabledColumn), "Nein");
    EXPECT_EQ(zones.Cell(0, CPageRfZone::kSoundColumn), "Ja");
    EXPECT_EQ(zones.Cell(0, CPageRfZone::kOutputColumn), "Keiner");
    EXPECT_EQ(din3g.Cell(0, CPageDin3G::kVideoCallColumn), "Ja");
    EXPECT_EQ(din3g.Cell(0, 0), "Eingang0");
    EXPECT_EQ(ProfileZone(0).at(0), "%WSOFF0\r");
    EXPECT_EQ(zones.RowEditor(0, 0)->fields.Number(CPageRfZone::kSoundField), 1);
    h.Feed({"$WINURG0 1"});
    EXPECT_EQ(zones.Cell(0, CPageRfZone::kUrgentColumn), "Ja");
}

TEST_F(ZonePages, ThreeGChannelFieldsAndTheirDialog)
{
    h.Feed({"$ZONE_DIN 1,0,1,0,2", "$ZONE_DIN 2,1,1,1", "$ZONE_DIN 4,1,1,1,1", "$ZONE_DIN ,1,1,1,1"});
    EXPECT_EQ(din3g.Cell(1, CPageDin3G::kVideoCallColumn), "No");
    EXPECT_EQ(din3g.Cell(1, CPageDin3G::kMmsColumn), "Yes");
    EXPECT_EQ(din3g.Cell(1, CPageDin3G::kRecordingColumn), "No");
    EXPECT_EQ(din3g.Cell(1, CPageDin3G::kChannelColumn), "2");
    EXPECT_EQ(din3g.Cell(0, CPageDin3G::kMmsColumn), "") << "no input 4, no input without number";
    EXPECT_EQ(din3g.Cell(3, CPageDin3G::kMmsColumn), "");

    std::optional<SRowEditor> editor = din3g.RowEditor(0, 1);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->className, "CDin3GDialog");
    EXPECT_EQ(editor->fields.Number(CPageDin3G::kVideoCallField), 0);
    EXPECT_EQ(editor->fields.Number(CPageDin3G::kMmsField), 1);
    EXPECT_EQ(editor->fields.Number(CPageDin3G::kRecordingField), 0);
    EXPECT_EQ(editor->fields.Number(CPageDin3G::kChannelField), 1);
    EXPECT_EQ(Sent(din3g, din3g.CommitRow(0, 1, editor->fields)),
              (std::vector<std::pair<std::string, int>>{{"%STARTCMD\r", 3000},
                                                        {"%IOVPC1,0\r", 3000},
                                                        {"%IOMMS1,1\r", 3000},
                                                        {"%IOVCR1,0\r", 3000},
                                                        {"%IOVCH1,2\r", 3000},
                                                        {"%COMMITCMD\r", 2000}}));
    // No channel reported: none selected, and OK sends channel 0.
    std::optional<SRowEditor> bare = din3g.RowEditor(0, 2);
    EXPECT_EQ(bare->fields.Number(CPageDin3G::kChannelField), -1);
    EXPECT_EQ(Texts(din3g.CommitRow(0, 2, bare->fields)).at(4), "%IOVCH2,0\r");

    din3g.Clear();
    EXPECT_EQ(din3g.Cell(1, CPageDin3G::kMmsColumn), "");
    EXPECT_EQ(din3g.Cell(1, 0), "Input1");
    EXPECT_TRUE(din3g.BuildCommands(ETarget::Terminal).empty());
}

} // namespace
} // namespace orlan::test
