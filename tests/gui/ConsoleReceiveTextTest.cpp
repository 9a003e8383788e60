// The console terminal's receive text without a widget: NUL bytes, line
// breaks, characters cut between blocks and the line count for auto-clear.
#include <gtest/gtest.h>

#include <string>

#include "tools/ConsoleReceiveText.h"

namespace orlan {
namespace {

using namespace std::string_literals;

TEST(ConsoleReceiveText, NulBecomesASpaceAndOtherBytesStay)
{
    CConsoleReceiveText text;
    EXPECT_EQ(text.Append("ab\0cd"s), "ab cd");
    EXPECT_EQ(text.Append("\0\0"s), "  ");
    EXPECT_EQ(text.Append("tab\there\x1b[0m"), "tab\there\x1b[0m");
    EXPECT_EQ(text.Append(""), "");
}

TEST(ConsoleReceiveText, EachLineEndIsOneBreakWhateverItsBytes)
{
    CConsoleReceiveText text;
    EXPECT_EQ(text.Append("a\r\nb\rc\nd\n\re"), "a\nb\nc\nd\ne");
    EXPECT_EQ(text.Append("x\r\n\r\ny"), "x\n\ny") << "a blank line stays";
    EXPECT_EQ(text.Append("\n\n"), "\n\n");
    EXPECT_EQ(text.Append("p\r\rq"), "p\n\nq");
}

TEST(ConsoleReceiveText, APairCutBetweenBlocksIsStillOneBreak)
{
    CConsoleReceiveText text;
    EXPECT_EQ(text.Append("CMD OK\r"), "CMD OK\n");
    EXPECT_EQ(text.Append("\n$CS0 123\r"), "$CS0 123\n");
    text.ViewCleared();
    EXPECT_EQ(text.Append("\nnext"), "next") << "the view was cleared between the halves";
    EXPECT_EQ(text.Lines(), 1u);
}

TEST(ConsoleReceiveText, Utf8CutBetweenBlocksIsJoinedAndBrokenBytesAreReplaced)
{
    CConsoleReceiveText text;
    EXPECT_EQ(text.Append("caf\xC3"), "caf");
    EXPECT_EQ(text.Append("\xA9!"), "\xC3\xA9!");
    EXPECT_EQ(text.Append("\xE2\x82"), "");
    EXPECT_EQ(text.Append("\xAC"), "\xE2\x82\xAC");
    EXPECT_EQ(text.Append("\xFF" "A"), "\xEF\xBF\xBD" "A");
    EXPECT_EQ(text.Append("\xC3"), "");
    EXPECT_EQ(text.Append("A"), "\xEF\xBF\xBD" "A") << "a cut start that the next block does not continue";
    EXPECT_EQ(text.Append("\xC3\r\n"), "\xEF\xBF\xBD\n");
}

TEST(ConsoleReceiveText, LinesCountBreaksPlusOneUpToTheAutoClearLimit)
{
    CConsoleReceiveText text;
    EXPECT_EQ(text.Lines(), 1u);
    for (int i = 0; i < 148; ++i)
        text.Append("line\r\n");
    EXPECT_EQ(text.Lines(), 149u);
    EXPECT_FALSE(text.ReachedAutoClearLimit());
    text.Append("one more\r");
    EXPECT_EQ(text.Lines(), 150u);
    EXPECT_TRUE(text.ReachedAutoClearLimit());
    text.Append("\n");  // the rest of that line end adds nothing
    EXPECT_EQ(text.Lines(), 150u);
    text.ViewCleared();
    EXPECT_EQ(text.Lines(), 1u);
    EXPECT_FALSE(text.ReachedAutoClearLimit());
}

} // namespace
} // namespace orlan
