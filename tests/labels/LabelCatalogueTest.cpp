#include "labels/LabelCatalogue.h"

#include "TempDir.h"
#include "labels/Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace orlan {
namespace {

std::string Repeat(std::string_view piece, std::size_t times)
{
    std::string out;
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

CLabelCatalogue FromText(std::string_view text)
{
    CLabelCatalogue catalogue;
    catalogue.BindText(text);
    return catalogue;
}

TEST(LabelCatalogue, UnboundCatalogueGivesEmptyTextsAndTheBuiltInTitle)
{
    const CLabelCatalogue catalogue;
    EXPECT_EQ(catalogue.Lookup("NO_X", "SYSCHAR"), "");
    EXPECT_TRUE(catalogue.Path().empty());
    EXPECT_EQ(HeaderTitle(catalogue), "Sms alarm system");
}

TEST(LabelCatalogue, SectionAndKeyNamesIgnoreLetterCase)
{
    const auto catalogue = FromText("[sysChar]\nNo_X=No.\n[Buttons]\nOk=OK\nSave=Save\n");
    EXPECT_EQ(catalogue.Lookup("NO_X", "SYSCHAR"), "No.");
    EXPECT_EQ(catalogue.Lookup("no_x", "SysChar"), "No.");
    EXPECT_EQ(catalogue.Lookup("OK", "Buttons"), "OK");
    EXPECT_EQ(catalogue.Lookup("Ok", "BUTTONS"), "OK");
    EXPECT_EQ(catalogue.Lookup("SAVE", "buttons"), "Save");
    // Missing key, missing section.
    EXPECT_EQ(catalogue.Lookup("YES", "SYSCHAR"), "");
    EXPECT_EQ(catalogue.Lookup("NO_X", "TABS"), "");
}

TEST(LabelCatalogue, BlanksAroundNamesAndValuesAndMatchingQuotesAreRemoved)
{
    const auto catalogue = FromText("  [ S ]  \n"
                                    "  plain  =   two words  \t\n"
                                    "double=\"  kept blanks  \"\n"
                                    "single='x'\n"
                                    "mixed=\"x'\n"
                                    "lone=\"\n"
                                    "empty=\"\"\n"
                                    "inner=a \"b\" c\n"
                                    "url=http://host/?a=b\n"
                                    "semicolon=a;b\n");
    EXPECT_EQ(catalogue.Lookup("plain", "S"), "two words");
    EXPECT_EQ(catalogue.Lookup("double", "S"), "  kept blanks  ");
    EXPECT_EQ(catalogue.Lookup("single", "S"), "x");
    EXPECT_EQ(catalogue.Lookup("mixed", "S"), "\"x'");
    EXPECT_EQ(catalogue.Lookup("lone", "S"), "\"");
    EXPECT_EQ(catalogue.Lookup("empty", "S"), "");
    EXPECT_EQ(catalogue.Lookup("inner", "S"), "a \"b\" c");
    EXPECT_EQ(catalogue.Lookup("url", "S"), "http://host/?a=b");
    EXPECT_EQ(catalogue.Lookup("semicolon", "S"), "a;b");
}

TEST(LabelCatalogue, CommentLinesAreSkipped)
{
    const auto catalogue = FromText("[S]\n;A=1\n   ; B=2\nC=3\n");
    EXPECT_EQ(catalogue.Lookup("A", "S"), "");
    EXPECT_EQ(catalogue.Lookup(";A", "S"), "");
    EXPECT_EQ(catalogue.Lookup("B", "S"), "");
    EXPECT_EQ(catalogue.Lookup("C", "S"), "3");
    EXPECT_EQ(catalogue.Report().ignoredLines, 0u);
}

TEST(LabelCatalogue, ByteOrderMarkAndEveryLineEndAreUnderstood)
{
    const auto crlf = FromText("\xEF\xBB\xBF[S]\r\nA=1\r\nB=2\r\n");
    EXPECT_EQ(crlf.Lookup("A", "S"), "1");
    EXPECT_EQ(crlf.Lookup("B", "S"), "2");

    const auto lf = FromText("[S]\nA=1\nB=2");
    EXPECT_EQ(lf.Lookup("B", "S"), "2");

    const auto cr = FromText("[S]\rA=1\rB=2\r");
    EXPECT_EQ(cr.Lookup("A", "S"), "1");
    EXPECT_EQ(cr.Lookup("B", "S"), "2");
}

TEST(LabelCatalogue, TextsAreCutTo254CodePoints)
{
    const std::string exact(254, 'x');
    const std::string longer(300, 'y');
    const std::string cyrillic = Repeat("\u0436", 300);
    const std::string quoted = "\"" + std::string(300, 'q') + "\"";
    const auto catalogue = FromText("[S]\nexact=" + exact + "\nlonger=" + longer + "\ncyrillic=" + cyrillic +
                                    "\nquoted=" + quoted + "\nmixed=" + std::string(253, 'a') + "\u4e2d\u6587\n");
    EXPECT_EQ(catalogue.Lookup("exact", "S"), exact);
    EXPECT_EQ(catalogue.Lookup("longer", "S"), std::string(254, 'y'));
    EXPECT_EQ(catalogue.Lookup("cyrillic", "S"), Repeat("\u0436", 254));
    EXPECT_EQ(catalogue.Lookup("quoted", "S"), std::string(254, 'q'));
    EXPECT_EQ(catalogue.Lookup("mixed", "S"), std::string(253, 'a') + "\u4e2d");
}

TEST(LabelCatalogue, FirstOccurrenceOfAKeyWinsAndRepeatedSectionsMerge)
{
    const auto catalogue = FromText("[S]\nA=first\na=second\n[T]\nX=1\n[s]\nA=third\nB=later\n");
    EXPECT_EQ(catalogue.Lookup("A", "S"), "first");
    EXPECT_EQ(catalogue.Lookup("B", "S"), "later");
    EXPECT_EQ(catalogue.Lookup("X", "T"), "1");
    EXPECT_EQ(catalogue.Report().entries, 3u);
    EXPECT_EQ(catalogue.Report().duplicateKeys, 2u);
}

TEST(LabelCatalogue, MalformedLinesAreIgnoredWithoutHarm)
{
    const auto catalogue = FromText("orphan=before any section\n"
                                    "[S]\n"
                                    "no equals sign\n"
                                    "=no key\n"
                                    "A=1\n"
                                    "[Broken\n"
                                    "B=belongs to no section\n"
                                    "[T]\n"
                                    "C=3\n");
    EXPECT_EQ(catalogue.Lookup("orphan", ""), "");
    EXPECT_EQ(catalogue.Lookup("A", "S"), "1");
    EXPECT_EQ(catalogue.Lookup("B", "S"), "");
    EXPECT_EQ(catalogue.Lookup("B", "Broken"), "");
    EXPECT_EQ(catalogue.Lookup("C", "T"), "3");
    EXPECT_EQ(catalogue.Report().ignoredLines, 5u);
    EXPECT_EQ(catalogue.Report().entries, 2u);
}

TEST(LabelCatalogue, NulBytesAndBrokenUtf8CannotEscapeIntoTexts)
{
    using namespace std::string_view_literals;
    const auto catalogue = FromText("[S]\nA=ab\0cd\nB=x\xff\xfey\nC=\xe2\x82\nD\0=hidden\n[T\0]\nE=5\n"sv);
    EXPECT_EQ(catalogue.Lookup("A", "S"), "ab");
    EXPECT_EQ(catalogue.Lookup("B", "S"), "x??y");
    EXPECT_EQ(catalogue.Lookup("C", "S"), "?");
    EXPECT_EQ(catalogue.Lookup("D", "S"), "");
    // A NUL cuts the header before its bracket: it opens no section.
    EXPECT_EQ(catalogue.Lookup("E", "T"), "");
    // A lookup name holding a NUL matches nothing rather than a prefix.
    EXPECT_EQ(catalogue.Lookup("A\0"sv, "S"), "");
}

TEST(LabelCatalogue, HeaderTitleKeepsTheBuiltInTextUnlessTheCatalogueHasOne)
{
    EXPECT_EQ(HeaderTitle(FromText("[version]\nSysTitle=\n")), "Sms alarm system");
    EXPECT_EQ(HeaderTitle(FromText("[version]\nSysTitle=   \n")), "Sms alarm system");
    EXPECT_EQ(HeaderTitle(FromText("[version]\nSysTitle=\"\"\n")), "Sms alarm system");
    EXPECT_EQ(HeaderTitle(FromText("[VERSION]\nsystitle=Alarm centre\n")), "Alarm centre");
    EXPECT_EQ(HeaderTitle(FromText("[other]\nSysTitle=Wrong section\n")), "Sms alarm system");
}

TEST(LabelCatalogueFile, BindReadsTheFileAndSeesEditsWhenBoundAgain)
{
    const test::TempDir dir;
    const auto path = dir.Write("gsm.ini", "[TABS]\nPAGE_CS=Phones\n");
    CLabelCatalogue catalogue;
    ASSERT_TRUE(catalogue.Bind(path));
    EXPECT_EQ(catalogue.Path(), path);
    EXPECT_EQ(catalogue.Lookup("PAGE_CS", "TABS"), "Phones");

    dir.Write("gsm.ini", "[TABS]\nPAGE_CS=Phone numbers\n");
    EXPECT_EQ(catalogue.Lookup("PAGE_CS", "TABS"), "Phones");
    ASSERT_TRUE(catalogue.Bind(path));
    EXPECT_EQ(catalogue.Lookup("PAGE_CS", "TABS"), "Phone numbers");

    std::filesystem::remove(path);
    EXPECT_FALSE(catalogue.Bind(path));
    EXPECT_EQ(catalogue.Path(), path);
    EXPECT_EQ(catalogue.Lookup("PAGE_CS", "TABS"), "");
}

TEST(LabelCatalogueFile, UnreadablePathsGiveEmptyTexts)
{
    const test::TempDir dir;
    CLabelCatalogue catalogue;
    catalogue.BindText("[S]\nA=1\n");
    EXPECT_FALSE(catalogue.Bind(dir.Path() / "missing.ini"));
    EXPECT_EQ(catalogue.Lookup("A", "S"), "");
    EXPECT_FALSE(catalogue.Bind(dir.Path()));
    EXPECT_EQ(catalogue.Lookup("A", "S"), "");
}

TEST(LabelCatalogueFile, AnOversizedFileIsReadUpToTheLimitWithoutItsCutLine)
{
    const test::TempDir dir;
    std::string contents = "[S]\nA=1\n";
    const std::string filler = "; " + std::string(1000, '-') + "\n";
    while (contents.size() + filler.size() <= CLabelCatalogue::kMaxFileBytes - 2000)
        contents += filler;
    const std::size_t pad = CLabelCatalogue::kMaxFileBytes - 50 - contents.size();
    contents += ";" + std::string(pad - 2, '-') + "\n";
    // This line straddles the limit: half of it must not become a text.
    contents += "CUT=" + std::string(100, 'z') + "\nB=2\n";
    const auto path = dir.Write("gsm.ini", contents);

    CLabelCatalogue catalogue;
    ASSERT_TRUE(catalogue.Bind(path));
    EXPECT_TRUE(catalogue.Report().truncated);
    EXPECT_EQ(catalogue.Lookup("A", "S"), "1");
    EXPECT_EQ(catalogue.Lookup("CUT", "S"), "");
    EXPECT_EQ(catalogue.Lookup("B", "S"), "");
}

TEST(CataloguePath, WorkingDirectoryFirstThenInstalledCandidatesInOrder)
{
    const test::TempDir dir;
    const auto work = dir.Path() / "work";
    std::filesystem::create_directories(work);
    const auto missing = dir.Path() / "share" / "gsm.ini";
    const auto isDirectory = dir.Path() / "dirlike" / "gsm.ini";
    std::filesystem::create_directories(isDirectory);
    const auto installed = dir.Write("bin/gsm.ini", "[S]\n");
    const auto second = dir.Write("other/gsm.ini", "[S]\n");

    EXPECT_EQ(ResolveCataloguePath(work, {}), work / "gsm.ini");
    EXPECT_EQ(ResolveCataloguePath(work, {missing, isDirectory}), work / "gsm.ini");
    EXPECT_EQ(ResolveCataloguePath(work, {missing, isDirectory, installed, second}), installed);

    const auto local = dir.Write("work/gsm.ini", "[S]\n");
    EXPECT_EQ(ResolveCataloguePath(work, {installed}), local);
}

} // namespace
} // namespace orlan
