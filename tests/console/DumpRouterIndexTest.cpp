// The router finds a line's rows through its key automaton; whatever the
// line, it must pick exactly the rows that trying every key in table order
// picks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "console/DumpRouter.h"
#include "console/KeyAutomaton.h"

namespace orlan::test {
namespace {

// The routing rule written out plainly: the independent row, then each
// chain's first row in table order whose key the line holds.
std::vector<size_t> PlainScan(std::string_view line)
{
    std::vector<size_t> rows;
    if (line.empty())
        return rows;
    const std::span<const SDumpRoute> routes = DumpRoutes();
    for (int chain = 0; chain <= 3; ++chain) {
        for (size_t row = 0; row < routes.size(); ++row) {
            if (routes[row].chain == chain && CDumpRouter::Matches(routes[row], line)) {
                rows.push_back(row);
                if (chain > 0)
                    break;
            }
        }
    }
    return rows;
}

TEST(KeyAutomaton, ReportsEveryOccurrenceOfOverlappingKeysAtItsEnd)
{
    const std::string_view keys[] = {"$DIN", "$DINAS", "IN", "S", ""};
    const CKeyAutomaton automaton(keys);
    std::vector<uint32_t> found;
    // "$DIN" and "IN" end together, then "$DINAS" and "S", then "$DIN" and
    // "IN" again; the cut "$DI" and the empty key are never reported.
    automaton.Scan("x$DINAS $DI$DIN", [&found](uint32_t key) { found.push_back(key); });
    EXPECT_EQ(found, (std::vector<uint32_t>{0, 2, 1, 3, 0, 2}));
    found.clear();
    automaton.Scan("\xff\x80 none here", [&found](uint32_t key) { found.push_back(key); });
    EXPECT_TRUE(found.empty());
}

TEST(DumpRouterIndex, PicksTheRowsThePlainScanPicksOnGeneratedLines)
{
    const CDumpRouter router;
    const std::span<const SDumpRoute> routes = DumpRoutes();
    std::mt19937 random(20261208);
    const std::string filler = "0123456789 ,$_=-ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefgxyz\x7f\x80\xff";
    auto pick = [&random](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); };
    for (int i = 0; i < 20000; ++i) {
        std::string line;
        const size_t parts = pick(5);
        for (size_t p = 0; p <= parts; ++p) {
            switch (pick(4)) {
            case 0:  // a whole key, as dumps begin
                line += routes[pick(routes.size())].key;
                break;
            case 1: {  // a key cut short, so near misses occur
                const std::string_view key = routes[pick(routes.size())].key;
                line += key.substr(0, pick(key.size() + 1));
                break;
            }
            case 2:
                line += std::to_string(pick(100));
                break;
            default:
                for (size_t n = pick(8); n > 0; --n)
                    line += filler[pick(filler.size())];
            }
        }
        ASSERT_EQ(router.RoutesTaking(line), PlainScan(line)) << line;
    }
}

TEST(DumpRouterIndex, PicksTheRowsThePlainScanPicksOnTheFuzzCorpus)
{
    const CDumpRouter router;
    size_t lines = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ORLAN_SOURCE_DIR "/tests/fuzz/corpus/routing")) {
        std::ifstream file(entry.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << file.rdbuf();
        std::string line;
        for (std::istringstream in(bytes.str()); std::getline(in, line, '\n'); ++lines) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            ASSERT_EQ(router.RoutesTaking(line), PlainScan(line)) << line;
        }
    }
    EXPECT_GT(lines, 100U);
}

} // namespace
} // namespace orlan::test
