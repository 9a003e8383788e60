#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "console/DumpRouter.h"
#include "console/DumpRoutes.h"
#include "console/TextScan.h"

namespace orlan {
namespace {

class DumpRouterTest : public ::testing::Test {
protected:
    void Record(std::string_view page, std::string_view key)
    {
        ASSERT_TRUE(router.Bind(page, key, [this, page = std::string(page), key = std::string(key)](
                                               const SDumpValue& v) {
            seen.push_back(page + "|" + key + "|" + std::string(v.text) + "|" + std::to_string(v.on) + "|" +
                           std::to_string(v.index));
        }));
    }
    CDumpRouter router;
    std::vector<std::string> seen;
};

TEST(DumpRoutes, TheTableIsOrderedAndEveryRowIsUsable)
{
    int lastChain = 0;
    std::set<std::pair<int, std::string_view>> keys;
    size_t rows = 0;
    for (const SDumpRoute& route : DumpRoutes()) {
        ++rows;
        EXPECT_GE(route.chain, lastChain) << route.key;  // chains in order
        lastChain = route.chain;
        EXPECT_FALSE(route.consumers[0].empty()) << route.key;
        EXPECT_TRUE(route.key.front() == '$' || route.key.front() == '*') << route.key;
        keys.insert({route.chain, route.key});
    }
    EXPECT_EQ(rows, 92u);
    EXPECT_EQ(DumpRoutes().front().key, "$PRIODINSMS");
    EXPECT_EQ(DumpRoutes().front().chain, 0);
    EXPECT_EQ(keys.size(), rows) << "no key twice within a chain";
}

TEST_F(DumpRouterTest, DigitGuardsDecideWhetherARowMatches)
{
    Record("CPageServer", "$CS");
    Record("CPageSos", "$SOS");
    router.DispatchLine("$CSQLOW 12");  // letter at position 3: not a phone entry
    router.DispatchLine("$CS3 +123");
    router.DispatchLine("$SOS0 112");
    router.DispatchLine("$CS");  // too short for the guard
    EXPECT_EQ(seen, (std::vector<std::string>{"CPageServer|$CS|+123|0|3", "CPageSos|$SOS|112|0|0"}));
}

TEST_F(DumpRouterTest, FirstKeyOfAChainWinsAndEachChainHandlesALineOnce)
{
    // Rows a page brings for its settings follow the table, in the order added.
    router.AddRoute({2, "$AR 1", EHandOver::Switch, 0, -1, true, {"CPageAlarmParams"}});
    router.AddRoute({2, "$IAT", EHandOver::FromPosition, 5, -1, false, {"CPageAlarmParams"}});
    EXPECT_TRUE(router.Routes("CPageAlarmParams", "$IAT"));
    EXPECT_FALSE(router.Routes("CPageBattery", "$IAT"));
    Record("CPageAlarmParams", "$AR 1");
    Record("CPageAlarmParams", "$IAT");
    Record("CPageISensorName", "$ISNAME");
    Record("CPageDinName", "$DINAME");
    router.DispatchLine("$AR 1 $IAT 30");  // both in chain 2: only the earlier row
    // Keys of two chains: both pages, each with the text from its own
    // position counted from the line's start.
    router.DispatchLine("$ISNAME0 $DINAME1 0041");
    EXPECT_EQ(seen, (std::vector<std::string>{"CPageAlarmParams|$AR 1||1|-1",
                                              "CPageISensorName|$ISNAME|$ISNAME0 $DINAME1 0041|0|-1",
                                              "CPageDinName|$DINAME|0 $DINAME1 0041|0|-1"}));
}

TEST_F(DumpRouterTest, AnUnboundEarlierRowStillShadowsLaterOnes)
{
    // "$M2M_SMS" (chain 1, unbound here) comes before "$M2M_" in chain 1.
    Record("CPage3GMMS", "$M2M_");
    Record("CPageGPRS", "$M2M_");  // chain 2
    router.DispatchLine("$M2M_SMS 1");
    EXPECT_EQ(seen, (std::vector<std::string>{"CPageGPRS|$M2M_|$M2M_SMS 1|0|-1"}));
}

TEST_F(DumpRouterTest, HandOverFormsNeverReadPastTheLine)
{
    router.AddRoute({2, "$DTM", EHandOver::ListIndex, 5, -1, false, {"CDataParams"}});
    router.AddRoute({2, "$BATEN 1", EHandOver::Switch, 0, -1, true, {"CPageBattery"}});
    router.AddRoute({2, "$POWDLY", EHandOver::FromPosition, 8, -1, false, {"CPageBattery"}});
    Record("CPageSysPrio", "$M2M_SMS");     // switch on if position 9 is '1'
    Record("CDataParams", "$DTM");          // list index from position 5
    Record("CPageBattery", "$BATEN 1");     // switch on
    Record("CPageBattery", "$POWDLY");      // text from position 8
    router.DispatchLine("$M2M_SMS 1");
    router.DispatchLine("$M2M_SMS");
    router.DispatchLine("$DTM 12");
    router.DispatchLine("$DTM x");
    router.DispatchLine("$BATEN 1");
    router.DispatchLine("$POWDLY");
    EXPECT_EQ(seen, (std::vector<std::string>{"CPageSysPrio|$M2M_SMS||1|-1", "CPageSysPrio|$M2M_SMS||0|-1",
                                              "CDataParams|$DTM|12|0|12", "CDataParams|$DTM|x|0|-1",
                                              "CPageBattery|$BATEN 1||1|-1", "CPageBattery|$POWDLY||0|-1"}));
}

TEST_F(DumpRouterTest, SeveralConsumersGetTheSameTextInOrderAndSpecialFeedsComeFirst)
{
    std::vector<std::string> order;
    router.AddTemperatureConsumer([&](std::string_view) { order.push_back("temperature"); });
    for (const char* page : {"CPageADSms", "CPageAllSms", "CPageDinAlarm", "CPageRfZone"})
        router.Bind(page, "$SMS", [&order, page](const SDumpValue& v) { order.push_back(std::string(page) + ":" + std::string(v.text)); });
    router.DispatchLine("$SMS3 0041");
    router.DispatchLine("*HUMIDITY 40");  // not a "$" line: no temperature feed
    EXPECT_EQ(order, (std::vector<std::string>{"temperature", "CPageADSms:3 0041", "CPageAllSms:3 0041",
                                               "CPageDinAlarm:3 0041", "CPageRfZone:3 0041"}));
    EXPECT_FALSE(router.Bind("CPageNobody", "$SMS", [](const SDumpValue&) {}));
    EXPECT_FALSE(router.Bind("CPageAllSms", "$NOSUCHKEY", [](const SDumpValue&) {}));
}


// Every row-and-text key of the table: a row number of more digits than one
// is that number (a row no list has), never its first digit with the rest
// taken for the text.
TEST(DumpRouterRows, AMultiDigitRowIsItsWholeNumberNeverItsFirstDigit)
{
    const struct {
        std::string_view line;
        int index;
        std::string_view text;
    } cases[] = {
        {"$CS1 +49151", 1, "+49151"},        {"$CS100 +49151", 100, "+49151"},
        {"$CS10 +49151", 10, "+49151"},      {"$CS99999999999 +1", -1, "+1"},
        {"$SOS0 +4930", 0, "+4930"},         {"$SOS12 +4930", 12, "+4930"},
        {"$SR3 5550003", 3, "5550003"},      {"$SR31 5550003", 31, "5550003"},
        {"$EM2 a@b.example", 2, "a@b.example"}, {"$EM20 a@b.example", 20, "a@b.example"},
        {"$CS12", 12, ""},
    };
    for (const auto& c : cases) {
        const auto route = std::find_if(DumpRoutes().begin(), DumpRoutes().end(), [&](const SDumpRoute& r) {
            return r.form == EHandOver::RowText && c.line.starts_with(r.key) && IsDigit(c.line[r.key.size()]);
        });
        ASSERT_NE(route, DumpRoutes().end()) << c.line;
        const SDumpValue value = CDumpRouter::HandOver(*route, c.line);
        EXPECT_EQ(value.index, c.index) << c.line;
        EXPECT_EQ(value.text, c.text) << c.line;
    }
}

} // namespace
} // namespace orlan
