// The translated catalogues: the same keys as the English one, every
// printf conversion and placeholder kept, no text cut by the length limit,
// and the tool's own texts ([ToolTexts]) exactly those the sources ask Qt to
// translate, found by scanning the window folders for tr("...").
#include "labels/LabelCatalogue.h"
#include "labels/ToolTexts.h"
#include "labels/Utf8.h"
#include "support/ShippedCatalogues.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace orlan {
namespace {

std::string Folded(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The values as written (first occurrence of a key, quotes removed), keyed
// by folded "section/key": what the reader would return before its cut.
std::map<std::string, std::string> RawValues(const std::filesystem::path& path)
{
    std::map<std::string, std::string> values;
    const std::string text = ReadFile(path);
    std::string section;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        const auto trim = [](std::string s) {
            const auto first = s.find_first_not_of(" \t\r");
            if (first == std::string::npos)
                return std::string();
            return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
        };
        line = trim(line);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            section = Folded(trim(line.substr(1, line.find(']') - 1)));
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        std::string value = trim(line.substr(equals + 1));
        if (value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\''))
            value = value.substr(1, value.size() - 2);
        values.try_emplace(section + "/" + Folded(trim(line.substr(0, equals))), value);
    }
    return values;
}

// What a text hands to a formatter: printf conversions in order ("%2.2d",
// "%s"; "%%" is a literal) and Qt's numbered placeholders ("%1", "%n"),
// which a translation may reorder.
struct SPlaceholders {
    std::vector<std::string> conversions;
    std::multiset<std::string> numbered;
    bool operator==(const SPlaceholders&) const = default;
};

SPlaceholders PlaceholdersOf(std::string_view text)
{
    SPlaceholders found;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%' || i + 1 == text.size())
            continue;
        if (text[i + 1] == '%') {
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < text.size() && std::string_view("-+ #0").find(text[j]) != std::string_view::npos)
            ++j;
        while (j < text.size() && (std::isdigit(static_cast<unsigned char>(text[j])) || text[j] == '*'))
            ++j;
        if (j < text.size() && text[j] == '.') {
            ++j;
            while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
                ++j;
        }
        while (j < text.size() && std::string_view("hlLqjzt").find(text[j]) != std::string_view::npos)
            ++j;
        if (j < text.size() && std::string_view("diouxXeEfgGcsp").find(text[j]) != std::string_view::npos) {
            found.conversions.emplace_back(text.substr(i, j - i + 1));
            i = j;
            continue;
        }
        j = i + 1;
        if (j < text.size() && text[j] == 'n') {
            found.numbered.insert("%n");
            i = j;
            continue;
        }
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
            ++j;
        if (j > i + 1) {
            found.numbered.emplace(text.substr(i, j - i));
            i = j - 1;
        }
        // Anything else is a lone "%" of the text ("%" as a unit).
    }
    return found;
}

// The texts a source file hands tr(): adjacent literals joined, the usual
// escapes resolved.
std::vector<std::string> TrTextsOf(std::string_view source)
{
    std::vector<std::string> texts;
    const auto isIdentifier = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    const auto skipBlanks = [&](size_t& at) {
        while (at < source.size() && std::isspace(static_cast<unsigned char>(source[at])))
            ++at;
    };
    for (size_t at = source.find("tr("); at != std::string_view::npos; at = source.find("tr(", at + 1)) {
        if (at > 0 && isIdentifier(source[at - 1]))
            continue;
        size_t i = at + 3;
        skipBlanks(i);
        if (i >= source.size() || source[i] != '"')
            continue;
        std::string text;
        while (i < source.size() && source[i] == '"') {
            for (++i; i < source.size() && source[i] != '"'; ++i) {
                if (source[i] != '\\' || i + 1 == source.size()) {
                    text.push_back(source[i]);
                    continue;
                }
                const char escaped = source[++i];
                text.push_back(escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped);
            }
            ++i;
            skipBlanks(i);
        }
        texts.push_back(text);
    }
    return texts;
}

// Every tr() text of the windows, programs' folders only.
std::set<std::string> SourceToolTexts()
{
    std::set<std::string> texts;
    for (const char* folder : {"app", "widgets", "tools"}) {
        for (const auto& entry :
             std::filesystem::recursive_directory_iterator(std::filesystem::path(ORLAN_SOURCE_DIR) / folder)) {
            const auto extension = entry.path().extension();
            if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h"))
                continue;
            for (std::string& text : TrTextsOf(ReadFile(entry.path())))
                texts.insert(std::move(text));
        }
    }
    return texts;
}

TEST(CatalogueTextChecks, FindPlaceholdersAndToolTexts)
{
    const SPlaceholders band = PlaceholdersOf("%%BAND%2.2d %s of %1, 50% and %n rows %2");
    EXPECT_EQ(band.conversions, (std::vector<std::string>{"%2.2d", "%s"}));
    EXPECT_EQ(band.numbered, (std::multiset<std::string>{"%1", "%2", "%n"}));
    EXPECT_NE(PlaceholdersOf("%s then %d"), PlaceholdersOf("%d then %s"));
    EXPECT_EQ(PlaceholdersOf("%2 before %1"), PlaceholdersOf("%1 after %2"));

    const std::vector<std::string> texts = TrTextsOf(
        "x = tr(\"One \"\n        \"line\\n\\\"two\\\"\"); str(\"no\"); m_tr(\"no\"); tr(variable); tr( \"%1 of %2\")");
    EXPECT_EQ(texts, (std::vector<std::string>{"One line\n\"two\"", "%1 of %2"}));
}

TEST(CatalogueTextChecks, ToolTextKeysSurviveTheCatalogue)
{
    // A key with a line break, quotes and a backslash reads back whole.
    const std::string english = "\n[log not saved: %1]\n\"C:\\logs\"";
    const std::optional<std::string> key = ToolTextKey(english);
    ASSERT_TRUE(key.has_value());
    CLabelCatalogue catalogue;
    catalogue.BindText("[ToolTexts]\n" + *key + "=" + *key + "\n");
    EXPECT_EQ(ToolTextFromCatalogue(catalogue.Lookup(*key, kSectionToolTexts)), english);
    // Texts no catalogue line can hold.
    EXPECT_FALSE(ToolTextKey("a = b"));
    EXPECT_FALSE(ToolTextKey("; comment"));
    EXPECT_FALSE(ToolTextKey("[section]"));
    EXPECT_FALSE(ToolTextKey(" padded"));
    EXPECT_FALSE(ToolTextKey(""));
}

class ShippedCatalogueTexts : public ::testing::TestWithParam<test::SShippedCatalogue> {};

TEST_P(ShippedCatalogueTexts, NoTextIsCutByTheLengthLimit)
{
    const auto values = RawValues(test::ShippedCataloguePath(GetParam()));
    ASSERT_FALSE(values.empty());
    for (const auto& [key, value] : values)
        EXPECT_LE(CountUtf8CodePoints(SanitizeUtf8(value)), CLabelCatalogue::kMaxTextLength) << key;
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedCatalogueTexts, ::testing::ValuesIn(test::kShippedCatalogues),
                         test::CatalogueCaseName);

class TranslatedCatalogue : public ::testing::TestWithParam<test::SShippedCatalogue> {
protected:
    void SetUp() override
    {
        m_english = RawValues(test::ShippedCataloguePath(test::kShippedCatalogues.front()));
        m_translated = RawValues(test::ShippedCataloguePath(GetParam()));
        ASSERT_FALSE(m_english.empty());
        ASSERT_FALSE(m_translated.empty());
    }

    static bool IsToolText(const std::string& key) { return key.starts_with(Folded(kSectionToolTexts) + "/"); }

    std::map<std::string, std::string> m_english;
    std::map<std::string, std::string> m_translated;
};

TEST_P(TranslatedCatalogue, HasExactlyTheEnglishKeys)
{
    for (const auto& entry : m_english)
        EXPECT_TRUE(m_translated.contains(entry.first)) << entry.first << " is missing";
    for (const auto& entry : m_translated)
        EXPECT_TRUE(IsToolText(entry.first) || m_english.contains(entry.first)) << entry.first << " is not English";
}

TEST_P(TranslatedCatalogue, KeepsEveryConversionAndPlaceholder)
{
    for (const auto& [key, english] : m_english) {
        const auto translated = m_translated.find(key);
        if (translated != m_translated.end()) {
            EXPECT_EQ(PlaceholdersOf(translated->second), PlaceholdersOf(english))
                << key << ": \"" << english << "\" -> \"" << translated->second << "\"";
        }
    }
    for (const auto& [key, translated] : m_translated) {
        if (IsToolText(key)) {
            EXPECT_EQ(PlaceholdersOf(translated), PlaceholdersOf(key)) << key << " -> \"" << translated << "\"";
        }
    }
}

TEST_P(TranslatedCatalogue, TranslatesExactlyTheToolTextsOfTheSources)
{
    CLabelCatalogue catalogue;
    ASSERT_TRUE(catalogue.Bind(test::ShippedCataloguePath(GetParam())));
    const std::set<std::string> sources = SourceToolTexts();
    // Guards against the scan finding nothing.
    ASSERT_GE(sources.size(), 60u);
    std::set<std::string> keys;
    for (const std::string& english : sources) {
        const std::optional<std::string> key = ToolTextKey(english);
        ASSERT_TRUE(key.has_value()) << "no catalogue line can hold \"" << english << "\"";
        keys.insert(Folded(*key));
        EXPECT_FALSE(catalogue.Lookup(*key, kSectionToolTexts).empty()) << "untranslated: " << *key;
    }
    for (const auto& [section, key] : catalogue.Keys()) {
        if (section == Folded(kSectionToolTexts)) {
            EXPECT_TRUE(keys.contains(key)) << "no longer in the sources: " << key;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Translations, TranslatedCatalogue,
                         ::testing::ValuesIn(test::kShippedCatalogues.begin() + 1, test::kShippedCatalogues.end()),
                         test::CatalogueCaseName);

} // namespace
} // namespace orlan
