// A new setting declared in one row reaches what scripts and the simulator
// see: `show --json` gives its value read from the wire with its number
// type, and the simulator takes its command strictly, by its value rule.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli/PageRender.h"
#include "console/DumpRouter.h"
#include "labels/LabelCatalogue.h"
#include "sim/ConfigStore.h"
#include "sim/DeclaredCommands.h"
#include "support/ThrowawayPage.h"

namespace orlan::test {
namespace {

class CStoreOnlyConsole final : public ISimConsole {
public:
    CConfigStore& Store() override { return store; }
    void PrintLine(std::string_view) override {}
    void PrintGroups(const std::vector<std::string_view>&) override {}
    void PrintModbusRow(int) override {}
    void PrintSettings() override {}
    void PrintStateAndEndMark() override {}
    void PrintTemperatureLog() override {}
    void RestoreFixture() override {}
    void RebootAfterAnswer() override {}
    void TakePicture() override {}
    void SendPicture(std::string_view) override {}

    CConfigStore store;
};

TEST(ThrowawaySetting, ItsJsonAndItsSimulatorCommandComeFromTheDeclaration)
{
    std::vector<std::unique_ptr<CPage>> pages;
    pages.push_back(std::make_unique<CPageThrowaway>());
    CPage& page = *pages.front();
    CDumpRouter router;
    page.RouteSettings(router);
    for (SDumpEntry& entry : page.DumpEntries())
        ASSERT_TRUE(router.Bind(page.Info().className, entry.key, std::move(entry.handler))) << entry.key;
    router.DispatchLine("$THROWLEVEL 42");
    router.DispatchLine("$THROWARM 1");
    const std::string json = PageJson(page, CLabelCatalogue());
    EXPECT_NE(json.find("\"level\":{\"value\":42,"), std::string::npos) << json;
    EXPECT_NE(json.find("\"armed\":{\"value\":true,"), std::string::npos) << json;

    const std::vector<CommandSpec> rows = DeclaredCommands({}, pages);
    const auto level = std::find_if(rows.begin(), rows.end(), [](const CommandSpec& r) { return r.pattern == "THROWLEVEL"; });
    ASSERT_NE(level, rows.end());
    CStoreOnlyConsole console;
    EXPECT_EQ(level->handler(console, {.name = "THROWLEVEL", .args = "100"}), ESimAnswer::Err) << "beyond 0..99";
    EXPECT_EQ(level->handler(console, {.name = "THROWLEVEL", .args = ""}), ESimAnswer::Err);
    EXPECT_EQ(console.store.Find("$THROWLEVEL "), nullptr) << "a refused value changes nothing";
    EXPECT_EQ(level->handler(console, {.name = "THROWLEVEL", .args = "42"}), ESimAnswer::Ok);
    ASSERT_NE(console.store.Find("$THROWLEVEL "), nullptr);
    EXPECT_EQ(console.store.Find("$THROWLEVEL ")->text, "$THROWLEVEL 42");
}

} // namespace
} // namespace orlan::test
