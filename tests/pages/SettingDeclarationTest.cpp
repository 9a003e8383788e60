// One declaration is all a plain setting needs: a page that declares a new
// key gets its routing row, its value parsed, its command written, its
// profile line read back and its value rule, with nothing else touched
// (its JSON and the simulator's command: tests/cli/ThrowawaySettingTest).
#include <gtest/gtest.h>

#include <algorithm>

#include "SessionHarness.h"
#include "console/ProfileText.h"
#include "pages/FieldHelpers.h"
#include "pages/Setting.h"
#include "support/ThrowawayPage.h"

namespace orlan::test {
namespace {

bool Has(const std::vector<std::string>& blocks, std::string_view text)
{
    return std::any_of(blocks.begin(), blocks.end(), [text](const std::string& b) { return b.find(text) != std::string::npos; });
}

TEST(SettingDeclaration, ANewSettingIsRoutedParsedWrittenAndCheckedFromItsDeclarationAlone)
{
    CSessionHarness h;
    CPage& page = h.session.AddPage(std::make_unique<CPageThrowaway>());
    h.Feed({"$THROWLEVEL 42", "$THROWARM 1"});
    EXPECT_EQ(page.Fields().Text("level"), "42");
    EXPECT_EQ(page.Fields().Number("armed"), 1);
    EXPECT_TRUE(page.Fields().IsKnown("level") && page.Fields().IsKnown("armed"));

    CProfileText profile;
    page.WriteProfileSection(profile);
    EXPECT_NE(profile.Bytes().find("//Page Throwaway"), std::string::npos);
    EXPECT_NE(profile.Bytes().find("%THROWLEVEL42"), std::string::npos);
    // The profile's line loads back into a page that never read the terminal.
    CPageThrowaway loaded;
    EXPECT_TRUE(loaded.TakeProfileCommand("%THROWLEVEL42"));
    EXPECT_TRUE(loaded.TakeProfileCommand("%THROWARM1"));
    EXPECT_EQ(loaded.Fields().Text("level"), "42");
    EXPECT_EQ(loaded.Fields().Number("armed"), 1);
    EXPECT_TRUE(loaded.Fields().IsKnown("level"));

    h.session.WriteBack(page);
    std::vector<std::string> written;
    for (int i = 0; i < 6; ++i) {
        for (std::string& block : h.TakeWritten())
            written.push_back(std::move(block));
        h.AnswerOk();
    }
    EXPECT_TRUE(Has(written, "%THROWLEVEL42\r")) << "the command carries the value read";
    EXPECT_TRUE(Has(written, "%THROWARM1\r"));

    page.Fields().Edit(page.Fields().IndexOf("level"), {.text = "100"});
    h.session.WriteBack(page);
    ASSERT_EQ(h.view.refusals.size(), 1u);
    EXPECT_NE(h.view.refusals[0].find("from 0 to 99"), std::string::npos) << h.view.refusals[0];
}

TEST(SettingDeclaration, ADeclaredKeyMeetsNoOtherKeySoItsRowMayComeAfterTheTable)
{
    // A key's row comes after the table's rows of its chain: that changes
    // nothing only while no other row of the chain takes its lines, and it
    // takes no other key's lines. Keys a page hears in a shared row's whole
    // lines get no row.
    struct SKey {
        std::string key;
        std::string owner;
    };
    std::vector<SKey> declared;
    CSessionHarness h;
    for (const auto& page : h.session.Pages()) {
        const std::vector<std::string>& whole = page->Info().wholeLineKeys;
        for (const SSetting& setting : page->Settings()) {
            for (const std::string& key : setting.keys) {
                const bool heardWhole = std::any_of(whole.begin(), whole.end(),
                                                    [&key](const std::string& w) { return key.starts_with(w); });
                const bool inTable = std::any_of(DumpRoutes().begin(), DumpRoutes().end(),
                                                 [&key](const SDumpRoute& r) { return r.key == key; });
                if (!heardWhole && !inTable)
                    declared.push_back({key, page->Info().className});
            }
        }
    }
    EXPECT_GT(declared.size(), 100u);
    for (const SKey& mine : declared) {
        const std::string line = IsSwitchKey(mine.key) ? mine.key : mine.key + "1";
        for (const SDumpRoute& row : DumpRoutes()) {
            EXPECT_FALSE(row.chain == 2 && CDumpRouter::Matches(row, line))
                << mine.owner << " " << mine.key << " is taken by the table's " << row.key;
        }
        for (const SKey& other : declared) {
            if (other.key == mine.key)
                continue;
            EXPECT_EQ(line.find(other.key), std::string::npos) << mine.owner << " " << mine.key << " meets " << other.key;
        }
    }
}

} // namespace
} // namespace orlan::test
