// Line breaks between text boxes ("\n") and the terminal (CR LF).
#include <gtest/gtest.h>

#include "widgets/LineBreaks.h"

namespace orlan {
namespace {

TEST(LineBreaks, EveryKindOfBreakBecomesCrLfOnceForTheTerminal)
{
    EXPECT_EQ(ToCrLf("a\nb"), "a\r\nb");
    EXPECT_EQ(ToCrLf("a\r\nb"), "a\r\nb") << "a pair is not doubled";
    EXPECT_EQ(ToCrLf("a\rb"), "a\r\nb");
    EXPECT_EQ(ToCrLf("\n\n"), "\r\n\r\n");
    EXPECT_EQ(ToCrLf("\n\r"), "\r\n\r\n") << "LF then CR are two breaks";
    EXPECT_EQ(ToCrLf("plain"), "plain");
    EXPECT_EQ(ToCrLf(""), "");
}

TEST(LineBreaks, EveryKindOfBreakBecomesOneNewlineForATextBox)
{
    EXPECT_EQ(ToNewlines("a\r\nb\rc\nd"), "a\nb\nc\nd");
    EXPECT_EQ(ToNewlines("a\r\n\r\nb"), "a\n\nb");
    EXPECT_EQ(ToNewlines("end\r"), "end\n");
    EXPECT_EQ(ToNewlines(ToCrLf("x\ny\n")), "x\ny\n");
}

} // namespace
} // namespace orlan
