// The GPRS page: its settings lines and batch, the data-centre lines, the
// protocol name-to-code rule and the data-centre row edit.
#include <gtest/gtest.h>

#include "SessionHarness.h"
#include "pages/network/GprsPage.h"

namespace orlan::test {
namespace {

using Blocks = std::vector<std::string>;

class GprsPage : public ::testing::Test {
protected:
    CSessionHarness h;
    CPageGPRS& page = h.Page<CPageGPRS>("CPageGPRS");
    const CFieldSet& f = page.Fields();
};

TEST_F(GprsPage, SettingLinesFillTheFieldsAndTheBatchCarriesThemInItsOrder)
{
    h.Feed({"$M2M_EN 1", "$M2M_APN cmnet", "$M2M_UID guest", "$M2M_PWD se cret", "$M2M_DNS 8.8.4.4",
            "$M2M_IDT 30", "$M2M_TID 7", "$M2M_CTO 45", "$M2M_QEXNTP 1", "$GDTU_EN 1", "$GMSG_EN 1",
            "$DID 100234", "$NTP_SVR pool.ntp.org", "$M2M_HTTP_PWD other"});
    EXPECT_EQ(Texts(page.BuildCommands(ETarget::Terminal)),
              (Blocks{"%STARTCMD\r", "%M2MQEXNTPEN1\r", "%M2MAPNcmnet\r", "%M2MUIDguest\r", "%M2MPWDse cret\r",
                      "%M2MDNS8.8.4.4\r", "%M2MIDT30\r", "%MODUID7\r", "%M2MEN1\r", "%GDTUEN1\r", "%GMSGEN1\r",
                      "%M2MCTO45\r", "%ID100234\r", "%COMMITCMD\r"}));
    EXPECT_TRUE(f.Desc(f.IndexOf("password")).masked);
    EXPECT_TRUE(page.Info().profileTitle.empty());

    // The NTP switch is read from position 12 whatever follows, and does not
    // stop the test of the other keys on the same line.
    h.Feed({"$M2M_QEXNTP 0", "$M2M_EN 0", "$GDTU_EN 0", "$GMSG_EN 0"});
    EXPECT_EQ(f.Number("qexNtp"), 0);
    EXPECT_EQ(f.Number("gprsEnable"), 0);
    EXPECT_EQ(f.Number("gprsDtu"), 0);
    EXPECT_EQ(f.Number("qexIo"), 0);
    h.Feed({"$M2M_QEXNTP 1 $M2M_APN both"});
    EXPECT_EQ(f.Number("qexNtp"), 1);
    EXPECT_EQ(f.Text("apn"), "both");
    h.Feed({"$M2M_QEXNTP "});
    EXPECT_EQ(f.Number("qexNtp"), 0);
    // Each key a line holds fills its field from where it stands.
    h.Feed({"$M2M_DNS 1.1.1.1 $M2M_APN x"});
    EXPECT_EQ(f.Text("dns"), "1.1.1.1 $M2M_APN x");
    EXPECT_EQ(f.Text("apn"), "x");

    // A read empties the settings and keeps the data centres.
    h.Feed({"$M2MD_SVR1 data.example.com"});
    h.session.ReadPage(page);
    EXPECT_EQ(h.TakeWritten(), Blocks{"%DUMP_M2M\r%DUMP_SYS\r"});
    EXPECT_EQ(f.Text("apn"), "");
    EXPECT_EQ(f.Text("deviceId"), "");
    EXPECT_EQ(page.Cell(1, CPageGPRS::kAddressColumn), "data.example.com");
}

TEST_F(GprsPage, DataCentreLinesSetTheirCellOrLeaveItAsItWas)
{
    struct SCase {
        std::string_view line;
        size_t row;
        size_t column;
        std::string_view shown;
    };
    const SCase cases[] = {
        {"$M2MD_SVR0 192.168.1.10", 0, CPageGPRS::kAddressColumn, "192.168.1.10"},
        {"$M2MD_PT3 502", 3, CPageGPRS::kPortColumn, "502"},
        {"$M2MD_PRO2 1", 2, CPageGPRS::kTransportColumn, "Udp"},
        {"$M2MD_PRO2 7", 2, CPageGPRS::kTransportColumn, "Udp"},  // unknown: unchanged
        {"$M2MD_PRO2 0", 2, CPageGPRS::kTransportColumn, "Tcp"},
        {"$M2MD_MODE2 8", 2, CPageGPRS::kProtocolColumn, "MODBUS TCP Over Eth"},
        {"$M2MD_MODE2 x", 2, CPageGPRS::kProtocolColumn, "MODBUS TCP Over Eth"},
        {"$M2MD_MODE2 6", 2, CPageGPRS::kProtocolColumn, "CSU"},
        {"$M2MD_IDLT1 0060", 1, CPageGPRS::kIdleColumn, "60"},
        {"$M2MD_REPT1 3000", 1, CPageGPRS::kResponseColumn, "3000"},
        {"$M2MD_HRTT1 abc", 1, CPageGPRS::kHeartbeatColumn, "0"},
        {"$M2MD_SVR3", 3, CPageGPRS::kAddressColumn, ""},
    };
    for (const SCase& c : cases) {
        h.Feed({c.line});
        EXPECT_EQ(page.Cell(c.row, c.column), c.shown) << c.line;
    }
    // Rows beyond the four, or without their digit, change nothing.
    h.Feed({"$M2MD_PT4 1", "$M2MD_PTx 1", "$M2MD_PT"});
    for (size_t row = 0; row < CPageGPRS::kCentres; ++row)
        EXPECT_NE(page.Cell(row, CPageGPRS::kPortColumn), "1");
    EXPECT_EQ(page.Cell(3, 0), "Centre 3");
}

TEST(GprsProtocolCode, LongerNamesComeFirst)
{
    const std::pair<std::string_view, int> cases[] = {
        {"QEX IO", 0},          {"GPRS DTU", 1},        {"MODBUS TCP", 2},          {"WMMP", 3},
        {"GPS", 4},             {"HTTP", 5},            {"CSU", 6},                 {"QEX IO Over Eth", 7},
        {"MODBUS TCP Over Eth", 8}, {"HTTP Over Eth", 9}, {"", 255},                {"Tcp", 255},
    };
    for (const auto& [name, code] : cases) {
        EXPECT_EQ(GprsProtocolCode(name), code) << name;
        if (code != 255) {
            EXPECT_EQ(GprsProtocolName(code), name);
        }
    }
    EXPECT_EQ(GprsProtocolName(10), "");
}

TEST_F(GprsPage, ARowEditKeepsEveryProtocolAndRefusesNone)
{
    h.Feed({"$M2MD_SVR2 10.0.0.5", "$M2MD_PT2 8080", "$M2MD_PRO2 1", "$M2MD_MODE2 8", "$M2MD_IDLT2 60",
            "$M2MD_REPT2 3000", "$M2MD_HRTT2 30"});
    std::optional<SRowEditor> editor = page.RowEditor(0, 2);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->className, "CGprsSvrSetup");
    CFieldSet& e = editor->fields;
    EXPECT_EQ(e.Number(CPageGPRS::kTransportField), 1);
    EXPECT_EQ(e.Number(CPageGPRS::kProtocolField), 8);
    e.SetText(CPageGPRS::kAddressField, "10.0.0.9\r\n");
    EXPECT_EQ(h.session.CommitRow(page, 0, 2, e), "");
    EXPECT_EQ(h.TakeWritten(), Blocks{"%STARTCMD\r"});
    for (std::string_view expected : {"%M2MDTSIP2=10.0.0.9\r", "%M2MDTSPT2=8080\r", "%M2MDTSPO2=1\r",
                                      "%M2MDTSTP2=8\r", "%M2MDTSTO2=60,3000,30\r", "%COMMITCMD\r",
                                      "%DUMP_M2M\r%DUMP_SYS\r"}) {
        h.AnswerOk();
        EXPECT_EQ(h.TakeWritten(), Blocks{std::string(expected)});
    }

    // A row whose protocol is unknown opens with none chosen; OK is refused
    // until one is, and nothing goes out meanwhile.
    h.Feed({"$M2MD_MODE3 1"});
    editor = page.RowEditor(0, 3);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->fields.Number(CPageGPRS::kProtocolField), 1);
    // Row 0 was never reported: no name, no protocol.
    editor = page.RowEditor(0, 0);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->fields.Number(CPageGPRS::kProtocolField), -1);
    EXPECT_EQ(h.session.CommitRow(page, 0, 0, editor->fields), "GPRS_NO_PROTOCOL");
    EXPECT_TRUE(page.CommitRow(0, 0, editor->fields).empty());
    EXPECT_TRUE(h.TakeWritten().empty());
    EXPECT_FALSE(page.RowEditor(0, CPageGPRS::kCentres));
}

} // namespace
} // namespace orlan::test
