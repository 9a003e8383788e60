// Which catalogue a program reads: the working directory's gsm.ini first,
// then the remembered language, the system's language, English.
#include "platform/CatalogueChoice.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace orlan {
namespace {

struct SChoiceCase {
    const char* what;
    bool workingDirectory;
    const char* remembered;
    const char* systemLocale;
    std::set<std::string> installed;
    SCatalogueChoice expected;
};

TEST(CatalogueChoice, FollowsTheOrderOfPreference)
{
    const std::set<std::string> all = {"en", "ru", "zh_CN"};
    const SChoiceCase cases[] = {
        {"working directory wins over everything", true, "ru", "zh_CN", all, {true, ""}},
        {"remembered language", false, "ru", "zh_CN", all, {false, "ru"}},
        {"remembered English over a Russian system", false, "en", "ru_RU", all, {false, "en"}},
        {"empty choice follows the system", false, "", "ru_RU", all, {false, "ru"}},
        {"system Chinese", false, "", "zh_CN", all, {false, "zh_CN"}},
        {"system Chinese, script form", false, "", "zh-Hans-SG", all, {false, "zh_CN"}},
        {"traditional Chinese has no catalogue", false, "", "zh_TW", all, {false, "en"}},
        {"unknown system language", false, "", "de_DE", all, {false, "en"}},
        {"C locale", false, "", "C", all, {false, "en"}},
        {"remembered but not installed: system", false, "ru", "zh_CN", {"en", "zh_CN"}, {false, "zh_CN"}},
        {"nothing installed but English", false, "ru", "ru_RU", {"en"}, {false, "en"}},
        {"unknown remembered value follows the system", false, "fr", "ru_RU", all, {false, "ru"}},
        {"system locale with encoding", false, "", "ru_RU.UTF-8", all, {false, "ru"}},
    };
    for (const SChoiceCase& c : cases) {
        const SCatalogueChoice choice = ChooseCatalogue(
            c.workingDirectory, c.remembered, c.systemLocale,
            [&](std::string_view language) { return c.installed.contains(std::string(language)); });
        EXPECT_EQ(choice.workingDirectory, c.expected.workingDirectory) << c.what;
        EXPECT_EQ(choice.language, c.expected.language) << c.what;
    }
}

TEST(CatalogueChoice, NamesTheFilesOfEachLanguage)
{
    EXPECT_EQ(CatalogueFileNameFor("en"), "gsm.ini");
    EXPECT_EQ(CatalogueFileNameFor("ru"), "gsm.ru.ini");
    EXPECT_EQ(CatalogueFileNameFor("zh_CN"), "gsm.zh_CN.ini");
    const auto candidates = InstalledCatalogueCandidates("/opt/orlan/bin", "ru");
    ASSERT_EQ(candidates.size(), 2u);
    EXPECT_EQ(candidates[0].lexically_normal(), std::filesystem::path("/opt/orlan/share/orlan/gsm.ru.ini"));
    EXPECT_EQ(candidates[1], std::filesystem::path("/opt/orlan/bin/gsm.ru.ini"));
}

} // namespace
} // namespace orlan
