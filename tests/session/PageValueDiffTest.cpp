// Two profiles compared value by value: each change is named by page, row
// and field caption with both values as a person reads them; a value one
// side does not hold counts, values neither holds and equal ones do not.
#include <gtest/gtest.h>

#include <algorithm>

#include "labels/LabelCatalogue.h"
#include "session/PageValueDiff.h"

namespace orlan::test {
namespace {

constexpr std::string_view kCatalogue = "[TABS]\nPAGE_TMP100=Temperature\nPAGE_CS=Phones\n"
                                        "[PageTmp100]\nTMPAS=SMS interval\nCHECK_SND=Sound\nHIGH=High\n"
                                        "[PageCSPhone]\nLISTC1=Number\n[SYSCHAR]\nNO_X=No.\n";

std::string Profile(std::string_view phones, std::string_view temperature)
{
    return "\r\r\n//Page Device Control phones\r\r\n" + std::string(phones) + "\r\r\n//Page Tmp100 Sensor\r\r\n\r\n"
           + std::string(temperature);
}

TEST(PageValueDiff, NamesEachChangedValueByPageRowAndCaption)
{
    CLabelCatalogue catalogue;
    catalogue.BindText(kCatalogue);
    struct SCase {
        const char* what;
        std::string a;
        std::string b;
        std::vector<std::string> changes;
    };
    const std::string same = Profile("%CS1+111\r\r\n", "%TMPAS7\r\r\n%TMPSND1\r\r\n");
    const SCase cases[] = {
        {"same profile", same, same, {}},
        {"line ends and blank lines do not count", same,
         "\n//Page Device Control phones\n%CS1+111\n//Page Tmp100 Sensor\n%TMPAS7\n\n%TMPSND1\n", {}},
        {"a text and a switch", same, Profile("%CS1+111\r\r\n", "%TMPAS9\r\r\n%TMPSND0\r\r\n"),
         {"Temperature: SMS interval: 7 \u2192 9", "Temperature: Sound: on \u2192 off"}},
        {"a table cell", same, Profile("%CS1+222\r\r\n", "%TMPAS7\r\r\n%TMPSND1\r\r\n"),
         {"Phones: No.1 Number: +111 \u2192 +222"}},
        {"held on one side only", same, Profile("%CS1+111\r\r\n", "%TMPSND1\r\r\n%TMPH30.5\r\r\n"),
         {"Temperature: High: (none) \u2192 30.5", "Temperature: SMS interval: 7 \u2192 (none)"}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> texts;
        for (const SValueChange& change : DiffProfileValues(c.a, c.b, catalogue))
            texts.push_back(ValueChangeText(change));
        std::sort(texts.begin(), texts.end());
        EXPECT_EQ(texts, c.changes);
    }
}

TEST(PageValueDiff, ChangesCarryIdsForScripts)
{
    const std::vector<SValueChange> changes = DiffProfileValues(
        Profile("%CS1+111\r\r\n", "%TMPAS7\r\r\n"), Profile("%CS1+112\r\r\n", "%TMPAS8\r\r\n"), CLabelCatalogue());
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].pageClass, "CPageServer");
    EXPECT_EQ(changes[0].fieldId, "phones.0");  // the table and its data column
    EXPECT_EQ(changes[0].row, "1");
    EXPECT_TRUE(changes[0].knownBefore && changes[0].knownAfter);
    EXPECT_EQ(changes[1].pageClass, "CPageTemp");
    EXPECT_EQ(changes[1].fieldId, "smsInterval");
    EXPECT_EQ(changes[1].field, "smsInterval");  // no catalogue: the id
}

} // namespace
} // namespace orlan::test
