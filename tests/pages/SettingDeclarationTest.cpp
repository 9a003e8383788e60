// One declaration is all a plain setting needs: a page that declares a new
// key gets its routing row, its value parsed, its command written, its
// profile line read back and its value rule, with nothing else touched.
#include <gtest/gtest.h>

#include <algorithm>

#include "SessionHarness.h"
#include "console/ProfileText.h"
#include "pages/FieldHelpers.h"
#include "pages/Setting.h"

namespace orlan::test {
namespace {

class CPageThrowaway final : public CPage {
public:
    CPageThrowaway()
        : CPage({.className = "CPageThrowaway", .section = "PageThrowaway", .profileTitle = "Throwaway"})
    {
        AddSetting({.field = Whole(Text("level", "LEVEL"), 0, 99), .keys = {"$THROWLEVEL"}, .command = "%%THROWLEVEL%s\r"});
        AddSetting({.field = Flag("armed", "ARMED"), .keys = SwitchKeys("$THROWARM"), .command = "%%THROWARM%d\r"});
    }
    std::string DumpRequest() const override { return "%DUMPTHROW\r"; }
};

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
    // nothing only while no other key stands inside its lines, or it in theirs.
    std::vector<std::string> keys;
    for (const SDumpRoute& route : DumpRoutes())
        keys.emplace_back(route.key);
    std::vector<std::pair<std::string, std::string>> declared;
    CSessionHarness h;
    for (const auto& page : h.session.Pages()) {
        for (const SSetting& setting : page->Settings()) {
            for (const std::string& key : setting.keys) {
                keys.push_back(key);
                const bool inTable = std::any_of(DumpRoutes().begin(), DumpRoutes().end(),
                                                 [&key](const SDumpRoute& r) { return r.key == key; });
                if (!inTable)
                    declared.emplace_back(key, page->Info().className);
            }
        }
    }
    EXPECT_GT(declared.size(), 80u);
    for (const auto& [key, owner] : declared) {
        for (const std::string& other : keys) {
            if (other == key || other.empty())
                continue;
            const std::string line = key + "1";
            EXPECT_TRUE(line.find(other) == std::string::npos && (other + "1").find(key) == std::string::npos)
                << owner << " " << key << " meets " << other;
        }
    }
}

} // namespace
} // namespace orlan::test
