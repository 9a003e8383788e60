// The main parameters page: its keys reach it through the routing rows its
// declarations give (positions, guards), Clear, the exact command batch and
// its profile section.
#include <gtest/gtest.h>

#include "labels/TextCodec.h"

#include "SessionHarness.h"

#include <algorithm>
#include <string>
#include <vector>

#include "pages/system/MainParamsPage.h"

namespace orlan {
namespace {

using test::Texts;

// What a terminal reports for the page, one line per key.
const std::vector<std::string_view> kDumpLines = {
    "$PARITY 2",
    "$MODEMSMODE 0",
    "$CC 86",
    "$DID 100234",
    "$DAS 1",
    "$BPS 115200",
    "$DESC 004F0072006C0061006E",  // Orlan
    "$PRTCS 1",
    "$PRTSP 0",
    "$SPN 10086",
    "$PINC 1234",
    "$SIGNALA 1",
    "$RPLERR 1",
    "$RPLSUC 0",
    "$CSQLOW 10",
    "$PUKC 12345678",
    "$GSMBAND 3",
    "$FWDSMS 1",
    "$CKBSP 10010",
    "$CKBCD 102",
    "$SMSC +8613800100500",
    "$FWDKEY 0046005700440023",  // FWD#
    "$MODEM_FWDSPAN 10",
};


bool Contains(const std::vector<std::string>& texts, std::string_view text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

bool ContainsPrefix(const std::vector<std::string>& texts, std::string_view prefix)
{
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& t) { return t.starts_with(prefix); });
}

class MainParamsPage : public ::testing::Test {
protected:
    void Fill()
    {
        page.Clear();
        for (std::string_view line : kDumpLines)
            Line(line);
    }
    void Line(std::string_view line) { h.session.Router().DispatchLine(line); }
    const std::string& Text(std::string_view id) const { return page.Fields().Text(id); }
    int Number(std::string_view id) const { return page.Fields().Number(id); }

    test::CSessionHarness h;
    CPageMainParams& page = h.Page<CPageMainParams>("CPageMainParams");
};

TEST_F(MainParamsPage, DescribesItsFieldsInCommandOrderWithHiddenControlsKept)
{
    const std::vector<std::string> ids = {
        "parity",      "smsMode",     "countryCode",  "unitId",   "das",          "bps",
        "memo",        "csReport",    "spReport",     "serviceNumber", "pin",     "signalAlarm",
        "replyError",  "replySuccess", "signalLow",   "puk",      "gsmBand",      "forwardSms",
        "balanceNumber", "balanceCode", "smsCentre",  "forwardKey", "forwardSpan"};
    const CFieldSet& fields = page.Fields();
    ASSERT_EQ(fields.Size(), ids.size());
    for (size_t i = 0; i < ids.size(); ++i)
        EXPECT_EQ(fields.Desc(i).id, ids[i]) << i;

    std::vector<std::string> hidden;
    for (const SFieldDesc& desc : fields.Descs()) {
        if (desc.hidden)
            hidden.push_back(desc.id);
    }
    EXPECT_EQ(hidden, (std::vector<std::string>{"parity", "bps", "gsmBand", "smsCentre", "forwardKey",
                                                "forwardSpan"}));

    const SFieldDesc& parity = fields.Desc(fields.IndexOf("parity"));
    ASSERT_EQ(parity.items.size(), 5u);
    EXPECT_EQ(parity.items[4].section, "SYSCHAR");
    EXPECT_EQ(parity.items[4].key, "PARITY4");
    const SFieldDesc& smsMode = fields.Desc(fields.IndexOf("smsMode"));
    ASSERT_EQ(smsMode.items.size(), 2u);
    EXPECT_EQ(smsMode.items[0].text, "0: PDU");
    EXPECT_EQ(smsMode.items[1].text, "1: TEXT");
    const SFieldDesc& band = fields.Desc(fields.IndexOf("gsmBand"));
    ASSERT_EQ(band.items.size(), 6u);
    EXPECT_EQ(band.items[0].text, "PGSM_MODE");
    EXPECT_EQ(band.items[5].text, "Default");
    const SFieldDesc& signalLow = fields.Desc(fields.IndexOf("signalLow"));
    EXPECT_EQ(signalLow.kind, EFieldKind::Spin);
    EXPECT_EQ(signalLow.minimum, 0);
    EXPECT_EQ(signalLow.maximum, 36);
    EXPECT_EQ(fields.Desc(fields.IndexOf("memo")).kind, EFieldKind::MultiLine);
    EXPECT_EQ(fields.Desc(fields.IndexOf("unitId")).hintKey, "UID_DESC");
    EXPECT_EQ(fields.Desc(fields.IndexOf("smsCentre")).hintKey, "SMSCDESC");

    EXPECT_EQ(page.Info().defaultAnswerWaitMs, 3000);
    EXPECT_EQ(page.DumpRequest(), "%DUMP_SYS\r%DUMP_ROMSMS\r");
}

TEST_F(MainParamsPage, DumpLinesFillEveryFieldFromItsPosition)
{
    Fill();
    EXPECT_EQ(Number("parity"), 2);
    EXPECT_EQ(Number("smsMode"), 0);
    EXPECT_EQ(Text("countryCode"), "86");
    EXPECT_EQ(Text("unitId"), "100234");
    EXPECT_EQ(Number("das"), 1);
    EXPECT_EQ(Text("bps"), "115200");
    EXPECT_EQ(Text("memo"), "Orlan");
    EXPECT_EQ(Number("csReport"), 1);
    EXPECT_EQ(Number("spReport"), 0);
    EXPECT_EQ(Text("serviceNumber"), "10086");
    EXPECT_EQ(Text("pin"), "1234");
    EXPECT_EQ(Number("signalAlarm"), 1);
    EXPECT_EQ(Number("replyError"), 1);
    EXPECT_EQ(Number("replySuccess"), 0);
    EXPECT_EQ(Text("signalLow"), "10");
    EXPECT_EQ(Text("puk"), "12345678");
    EXPECT_EQ(Number("gsmBand"), 3);
    EXPECT_EQ(Number("forwardSms"), 1);
    EXPECT_EQ(Text("balanceNumber"), "10010");
    EXPECT_EQ(Text("balanceCode"), "102");
    EXPECT_EQ(Text("smsCentre"), "+8613800100500");
    EXPECT_EQ(Text("forwardKey"), "FWD#");
    EXPECT_EQ(Text("forwardSpan"), "10");
}

TEST_F(MainParamsPage, SwitchesFollowTheirKeysBothWays)
{
    Fill();
    for (std::string_view line : {"$DAS 0", "$PRTCS 0", "$PRTSP 1", "$SIGNALA 0", "$RPLERR 0", "$RPLSUC 1",
                                  "$FWDSMS 0"})
        Line(line);
    EXPECT_EQ(Number("das"), 0);
    EXPECT_EQ(Number("csReport"), 0);
    EXPECT_EQ(Number("spReport"), 1);
    EXPECT_EQ(Number("signalAlarm"), 0);
    EXPECT_EQ(Number("replyError"), 0);
    EXPECT_EQ(Number("replySuccess"), 1);
    EXPECT_EQ(Number("forwardSms"), 0);
    Line("$FWDSMS 7");  // only the digit 1 switches forwarding on
    EXPECT_EQ(Number("forwardSms"), 0);
}

TEST_F(MainParamsPage, ALineHoldingTwoKeysFillsOneFieldOnly)
{
    Fill();
    const CFieldSet filled = page.Fields();
    for (std::string_view line : {"$PINC 12 $BPS 9600", "$DID 77 $CC 49", "$SMSC 5 $MODEMSMODE 0", "$DAS 1 $DAS 0"}) {
        Fill();
        Line(line);
        int changed = 0;
        for (size_t i = 0; i < filled.Size(); ++i) {
            const std::string& id = filled.Desc(i).id;
            changed += filled.Text(id) != Text(id) || filled.Number(id) != Number(id) ? 1 : 0;
        }
        EXPECT_LE(changed, 1) << line;
    }
}

TEST_F(MainParamsPage, OtherLinesChangeNothing)
{
    Fill();
    for (std::string_view line : {"CMD OK", "$UART2BPS 9600", "$UART2PARITY 1", "$CS3 +123", "$PIN 1", "", "$"})
        Line(line);
    EXPECT_EQ(Text("bps"), "115200");
    EXPECT_EQ(Number("parity"), 2);
    EXPECT_EQ(Text("pin"), "1234");
}

TEST_F(MainParamsPage, ShortValuesGiveEmptyTextsAndCodesBeyondTheListsAreKept)
{
    Fill();
    for (std::string_view line : {"$PINC", "$BPS", "$CC", "$DESC ", "$FWDKEY ", "$MODEM_FWDSPAN ", "$CKBSP "})
        Line(line);
    EXPECT_EQ(Text("pin"), "");
    EXPECT_EQ(Text("bps"), "");
    EXPECT_EQ(Text("countryCode"), "");
    EXPECT_EQ(Text("memo"), "");
    EXPECT_EQ(Text("forwardKey"), "");
    EXPECT_EQ(Text("forwardSpan"), "");
    EXPECT_EQ(Text("balanceNumber"), "");

    // No number: no selection, and not known. A code beyond the list: kept
    // as the terminal's own, to be written back unchanged.
    const struct {
        std::string_view line;
        std::string_view field;
        int number;
    } selections[] = {
        {"$PARITY", "parity", -1},        {"$PARITY 5", "parity", 5},      {"$PARITY -1", "parity", -1},
        {"$PARITY x", "parity", -1},      {"$GSMBAND 6", "gsmBand", 6},    {"$GSMBAND 99999999", "gsmBand", -1},
        {"$MODEMSMODE 2", "smsMode", 2}, {"$MODEMSMODE ", "smsMode", -1},
    };
    for (const auto& c : selections) {
        Fill();
        Line(c.line);
        EXPECT_EQ(Number(c.field), c.number) << c.line;
        EXPECT_EQ(page.Fields().IsKnown(c.field), c.number >= 0) << c.line;
    }
    Line("$FWDSMS ");
    EXPECT_EQ(Number("forwardSms"), 0);
}

TEST_F(MainParamsPage, MemoAndForwardingKeyAreDecodedFromUcs2Hex)
{
    Line("$DESC 041F0440043804320435044200200031");
    EXPECT_EQ(Text("memo"), "Привет 1");
    Line("$DESC 0061000A0062");
    EXPECT_EQ(Text("memo"), "a\nb");
    Line("$FWDKEY 004B0045");
    EXPECT_EQ(Text("forwardKey"), "KE");
    // Half a unit is no UCS-2 hex: kept as it came, never guessed at.
    Line("$FWDKEY 004B0045005");
    EXPECT_EQ(UndecodedHex(Text("forwardKey")), "004B0045005");
}

TEST_F(MainParamsPage, ClearEmptiesEverythingButSelectsTextMode)
{
    Fill();
    page.Clear();
    EXPECT_EQ(Number("smsMode"), 1);
    EXPECT_EQ(Number("parity"), -1);
    EXPECT_EQ(Number("gsmBand"), -1);
    EXPECT_EQ(Number("das"), 0);
    EXPECT_EQ(Number("forwardSms"), 0);
    EXPECT_EQ(Text("memo"), "");
    EXPECT_EQ(Text("smsCentre"), "");
    EXPECT_EQ(Text("signalLow"), "");
}

TEST_F(MainParamsPage, WriteBackSendsTheBatchInFieldOrder)
{
    Fill();
    EXPECT_EQ(Texts(page.BuildCommands(ETarget::Terminal)),
              (std::vector<std::string>{
                  "%STARTCMD\r",     "%UP2\r",        "%MODEMSMSMD0\r", "%CC86\r",
                  "%ID100234\r",     "%DAS1\r",       "%UB115200\r",    "%DESC004F0072006C0061006E\r",
                  "%PRTCS1\r",       "%PRTSP0\r",     "%SP10086\r",     "%PIN1234\r",
                  "%SIGNALA1\r",     "%RPLERR1\r",    "%RPLSUC0\r",     "%RSILOW10\r",
                  "%PUK12345678\r",  "%CBAND3\r",     "%FWDSMS1\r",     "%CHECKBALANCE10010,102\r",
                  "%COMMITCMD\r"}));
    for (const SCommand& command : page.BuildCommands(ETarget::Terminal))
        EXPECT_EQ(page.AnswerWaitMs(command), 3000) << command.text;
}

TEST_F(MainParamsPage, ConditionalCommandsAndEmptyTexts)
{
    page.Clear();
    std::vector<std::string> texts = Texts(page.BuildCommands(ETarget::Terminal));
    // Nothing selected: no parity, no band; TEXT mode after Clear.
    EXPECT_FALSE(ContainsPrefix(texts, "%UP"));
    EXPECT_FALSE(ContainsPrefix(texts, "%CBAND"));
    EXPECT_TRUE(Contains(texts, "%MODEMSMSMD1\r"));
    EXPECT_TRUE(Contains(texts, "%PIN\r"));
    EXPECT_TRUE(Contains(texts, "%DESC\r"));
    EXPECT_TRUE(Contains(texts, "%CHECKBALANCE,\r"));
    EXPECT_EQ(texts.size(), 19u);

    page.Fields().SetNumber("gsmBand", 5);
    page.Fields().SetNumber("parity", 4);
    page.Fields().SetText("memo", "abc");
    texts = Texts(page.BuildCommands(ETarget::Terminal));
    EXPECT_TRUE(Contains(texts, "%CBAND5\r"));
    EXPECT_TRUE(Contains(texts, "%UP4\r"));
    EXPECT_TRUE(Contains(texts, "%DESC006100620063\r"));

    // A page never cleared has no SMS mode selected yet and sends none.
    CPageMainParams fresh;
    EXPECT_FALSE(ContainsPrefix(Texts(fresh.BuildCommands(ETarget::Terminal)), "%MODEMSMSMD"));
}

TEST_F(MainParamsPage, TextsCannotSplitACommand)
{
    page.Clear();
    page.Fields().SetText("pin", "12\r\n%ATF\r34");
    page.Fields().SetNumber("das", 5);  // anything but 0 is on
    const std::vector<std::string> texts = Texts(page.BuildCommands(ETarget::Terminal));
    EXPECT_TRUE(Contains(texts, "%PIN12%ATF34\r"));
    EXPECT_TRUE(Contains(texts, "%DAS1\r"));
}

TEST_F(MainParamsPage, ProfileSectionHoldsHeaderAndCommandsWithoutBracket)
{
    page.Clear();
    Line("$GSMBAND 5");
    Line("$CC 7");
    CProfileText out;
    page.WriteProfileSection(out);
    EXPECT_EQ(out.Bytes(),
              "\r\r\n//Page System Main Params\r\r\n\r\n"
              "%MODEMSMSMD1\r\r\n%CC7\r\r\n%ID\r\r\n%DAS0\r\r\n%UB\r\r\n%DESC\r\r\n%PRTCS0\r\r\n"
              "%PRTSP0\r\r\n%SP\r\r\n%PIN\r\r\n%SIGNALA0\r\r\n%RPLERR0\r\r\n%RPLSUC0\r\r\n%RSILOW\r\r\n"
              "%PUK\r\r\n%CBAND5\r\r\n%FWDSMS0\r\r\n%CHECKBALANCE,\r\r\n");
}

} // namespace
} // namespace orlan
