// What adding a page takes, checked for every page the tool has: it is a
// page of this system, every routing row naming it is bound, it sits in the
// orders it belongs to, the simulated terminal prints its dump and accepts
// the commands its Save sends.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "../sim/SimTestSupport.h"
#include "console/DumpRoutes.h"
#include "pages/AllPages.h"
#include "pages/PageIdentity.h"
#include "session/PageOrders.h"
#include "session/TerminalSession.h"
#include "support/ManualClock.h"
#include "support/RecordingSink.h"

namespace orlan::test {
namespace {

bool Contains(const std::vector<std::string_view>& names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(PageChecklist, TheRoutingTableAndTheOrdersNameOnlyPagesOfThisSystem)
{
    for (const SDumpRoute& route : DumpRoutes()) {
        for (std::string_view consumer : route.consumers) {
            if (!consumer.empty()) {
                EXPECT_TRUE(Contains(AllPageClasses(), consumer)) << route.key << " names " << consumer;
            }
        }
    }
    for (const auto* order : {&WholeReadClearOrder(), &ProfileSectionOrder()}) {
        for (std::string_view name : *order)
            EXPECT_TRUE(Contains(AllPageClasses(), name)) << name;
    }
    // Aliases and ranks name one page each, or a script or an order would pick the wrong one.
    std::set<std::string_view> aliases;
    std::set<int> clearRanks, profileRanks;
    for (const SPageIdentity& page : PageIdentities()) {
        EXPECT_TRUE(aliases.insert(page.alias).second) << page.alias;
        EXPECT_TRUE(page.clearRank == 0 || clearRanks.insert(page.clearRank).second) << page.className;
        EXPECT_TRUE(page.profileRank == 0 || profileRanks.insert(page.profileRank).second) << page.className;
    }
    std::set<std::string> seen;
    for (const auto& page : CreateAllPages()) {
        EXPECT_TRUE(Contains(AllPageClasses(), page->Info().className)) << page->Info().className;
        EXPECT_TRUE(seen.insert(page->Info().className).second) << page->Info().className << " twice";
    }
}

TEST(PageChecklist, EveryRowNamingABuiltPageIsBoundAndPagesWithAProfileSectionAreInTheProfileOrder)
{
    for (const auto& page : CreateAllPages()) {
        const SPageInfo& info = page->Info();
        std::set<std::string> bound;
        for (const SDumpEntry& entry : page->DumpEntries())
            bound.insert(entry.key);
        for (const SDumpRoute& route : DumpRoutes()) {
            if (Contains({route.consumers.begin(), route.consumers.end()}, info.className)) {
                EXPECT_TRUE(bound.contains(std::string(route.key))) << info.className << " leaves " << route.key << " unbound";
            }
        }
        // A page asked for its section may write none (the digital input priorities).
        if (!info.profileTitle.empty()) {
            EXPECT_TRUE(Contains(ProfileSectionOrder(), info.className)) << info.className;
        }
    }
}

// The simulated terminal and a session joined by hand, without a clock.
class PageAgainstSimulator : public ::testing::Test {
protected:
    PageAgainstSimulator() { sim.terminal.Start(); }

    std::vector<std::string> Exchange(std::string_view bytes)
    {
        sim.terminal.Feed(bytes);
        const std::string output = sim.output;
        session.Receive().OnSerialData(output.data(), output.size());
        return sim.TakeLines();
    }

    CSimHarness sim{CSimHarness::LoggedIn()};
    CRecordingSink sink;
    CManualClock clock;
    ISessionView view;
    CTerminalSession session{view, sink, clock};
};

TEST_F(PageAgainstSimulator, EveryPageIsFilledByItsDumpAndItsSaveIsAccepted)
{
    for (auto& created : CreateAllPages())
        session.AddPage(std::move(created));
    for (const auto& page : session.Pages()) {
        const std::string& name = page->Info().className;
        if (page->DumpRequest().empty())
            continue;
        // Pages the terminal reports nothing for (the UPS page) only write.
        const bool reported = !page->DumpEntries().empty() || page->Info().lineFeed != ELineFeed::RoutedOnly;
        int changes = 0;
        page->AddObserver([&changes] { ++changes; });
        page->Clear();
        changes = 0;
        Exchange(page->DumpRequest());
        if (reported) {
            EXPECT_GT(changes, 0) << name << ": the simulator's dump fills nothing";
        }
        for (const SSetting& setting : page->Settings()) {
            if (setting.keys.empty())
                continue;
            bool printed = false;
            for (const std::string& key : setting.keys)
                printed = printed || sim.terminal.Config().Find(key) != nullptr;
            EXPECT_TRUE(printed) << name << ": no fixture line for " << setting.field.id;
        }
        // A value a terminal reports is one its field's rule takes: a rule
        // that refused it would refuse the same value typed back.
        const CFieldSet& fields = page->Fields();
        for (size_t i = 0; i < fields.Size(); ++i) {
            const SFieldDesc& desc = fields.Desc(i);
            if (fields.IsKnown(i) && desc.kind == EFieldKind::Text) {
                EXPECT_EQ(ValueError(desc, fields.Value(i).text), "") << name << " " << desc.id << "=" << fields.Value(i).text;
            }
        }
        if (!page->Info().hasWriteBack)
            continue;
        for (const SCommand& command : page->SaveJob().commands) {
            const std::vector<std::string> answer = Exchange(command.text);
            EXPECT_TRUE(std::find(answer.begin(), answer.end(), "CMD OK") != answer.end())
                << name << ": the simulator refuses " << command.text;
        }
    }
}

} // namespace
} // namespace orlan::test
