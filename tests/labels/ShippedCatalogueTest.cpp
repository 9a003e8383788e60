// Every catalogue shipped with the program must give every common key a
// text, so that no button, status or list of the main window comes up blank
// in any language.
#include "labels/CommonLabelKeys.h"
#include "labels/LabelCatalogue.h"
#include "labels/Utf8.h"
#include "support/ShippedCatalogues.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace orlan {
namespace {

class ShippedCatalogue : public ::testing::TestWithParam<test::SShippedCatalogue> {
protected:
    void SetUp() override { ASSERT_TRUE(m_catalogue.Bind(Path())) << Path(); }

    std::filesystem::path Path() const { return test::ShippedCataloguePath(GetParam()); }

    // The texts of an ordered list must differ, or two items of a combo box
    // would read the same.
    void ExpectDistinctTexts(std::string_view section, std::span<const std::string_view> keys) const
    {
        std::set<std::string> seen;
        ExpectDistinctTexts(section, keys, seen);
    }
    void ExpectDistinctTexts(std::string_view section, std::span<const std::string_view> keys,
                             std::set<std::string>& seen) const
    {
        for (const auto key : keys) {
            if (key.empty())
                continue;
            const std::string text = m_catalogue.Lookup(key, section);
            EXPECT_TRUE(seen.insert(text).second) << section << "/" << key << " repeats \"" << text << "\"";
        }
    }

    CLabelCatalogue m_catalogue;
};

TEST_P(ShippedCatalogue, IsCleanUtf8WithoutMalformedOrRepeatedLines)
{
    std::ifstream in(Path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(IsValidUtf8(bytes));
    EXPECT_EQ(m_catalogue.Report().ignoredLines, 0u);
    EXPECT_EQ(m_catalogue.Report().duplicateKeys, 0u);
    EXPECT_FALSE(m_catalogue.Report().truncated);
}

TEST_P(ShippedCatalogue, EveryCommonKeyHasAText)
{
    std::size_t checked = 0;
    for (const auto& group : kCommonLabelGroups) {
        for (const auto key : group.keys) {
            if (key.empty())
                continue;
            ++checked;
            EXPECT_FALSE(m_catalogue.Lookup(key, group.section).empty()) << group.section << "/" << key;
        }
    }
    // Guards against the key lists themselves losing entries.
    EXPECT_GE(checked, 120u);
}

TEST_P(ShippedCatalogue, ListItemsAreDistinguishable)
{
    ExpectDistinctTexts(kSectionSysChar, kParityKeys);
    ExpectDistinctTexts(kSectionSysChar, kWeekdayKeys);
    ExpectDistinctTexts(kSectionSysChar, std::array{kCharVoltageInput, kCharCurrentInput});
    ExpectDistinctTexts(kSectionSysChar, std::array{kCharYes, kCharNo});
    std::set<std::string> actions{std::string(kTimerActionFixedText)};
    ExpectDistinctTexts(kSectionTimerActs, kTimerActionKeys, actions);
    ExpectDistinctTexts(kSectionDinTypes, kIoTypeKeys);
    ExpectDistinctTexts(kSectionDinTypes, kDinReportKeys);
    ExpectDistinctTexts(kSectionDoutTypes, kIoTypeKeys);
    ExpectDistinctTexts(kSectionDoutTypes, kDoutReportKeys);
    ExpectDistinctTexts(kSectionTabs, kNavFolderKeys);
    std::set<std::string> headings;
    for (const auto& folder : kNavigationFolders)
        ExpectDistinctTexts(kSectionTabs, folder.items, headings);
    ExpectDistinctTexts(kSectionTabs, kUnlistedPageHeadingKeys, headings);
}

TEST_P(ShippedCatalogue, KeepsTheBuiltInHeaderTitle)
{
    EXPECT_EQ(HeaderTitle(m_catalogue), kDefaultHeaderTitle);
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedCatalogue, ::testing::ValuesIn(test::kShippedCatalogues),
                         test::CatalogueCaseName);

} // namespace
} // namespace orlan
