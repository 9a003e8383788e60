#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/ConsoleCommands.h"
#include "console/ProfileReader.h"

namespace orlan {
namespace {

using Lines = std::vector<std::pair<std::string, bool>>;

Lines Read(std::string_view bytes, size_t chunk = SIZE_MAX, std::string* error = nullptr)
{
    CProfileReader reader;
    for (size_t i = 0; i < bytes.size(); i += chunk)
        reader.Feed(bytes.substr(i, chunk));
    reader.Finish();
    if (error)
        *error = reader.Error();
    Lines lines;
    for (const SProfileLine& line : reader.Lines())
        lines.emplace_back(line.text, line.command);
    return lines;
}

TEST(ProfileReader, KeepsCommandsAndNotesByTheRulesOfExec)
{
    const std::string profile =
        "\r\r\n//Page Device Control phones\r\r\n\r\n"
        "%CS1+111\r\r\n"
        "%CS1+111\r\r\n"      // the same again: skipped
        "\\\\ a note\r\n"     // shown
        "%CS1+111\n"          // after another line: kept again
        "   %CS2+222\n"       // leading blanks: skipped
        "\\ one backslash\n"  // skipped
        "%C\rS\r3\r\n"        // every CR goes, wherever it is
        "free text\n"
        "free text\n"
        "%CS3\n"              // the line before was free text
        "%";                  // the last line needs no line end
    const Lines expected = {{"%CS1+111", true}, {"\\\\ a note", false}, {"%CS1+111", true},
                            {"%CS3", true},     {"%CS3", true},         {"%", true}};
    std::string error;
    EXPECT_EQ(Read(profile, SIZE_MAX, &error), expected);
    EXPECT_TRUE(error.empty());
    for (size_t chunk : {1u, 2u, 3u, 7u, 64u})
        EXPECT_EQ(Read(profile, chunk), expected) << chunk;
}

TEST(ProfileReader, NumbersTheLinesOfTheFile)
{
    CProfileReader reader;
    reader.Feed("//Page x\r\n\r\n%A\r\n\\\\ b\n%A\n");
    reader.Finish();
    ASSERT_EQ(reader.Lines().size(), 3u);
    EXPECT_EQ(reader.Lines()[0].number, 3u);
    EXPECT_EQ(reader.Lines()[1].number, 4u);
    EXPECT_EQ(reader.Lines()[2].number, 5u);
    const std::vector<SProfileLine> taken = reader.TakeLines();
    EXPECT_EQ(taken.size(), 3u);
    EXPECT_TRUE(reader.Lines().empty());
}

TEST(ProfileReader, ACommandOverTheLineLimitIsAnErrorNamingItsLine)
{
    const std::string atLimit = "%" + std::string(kTerminalLineLimit - 1, 'a');
    const std::string overLimit = "%" + std::string(40000, 'b');
    const std::string note = "\\\\" + std::string(5000, 'n');  // notes are only shown: no limit
    std::string error;
    const Lines lines = Read("%A\n" + atLimit + "\r\n" + note + "\n//Page\n" + overLimit + "\r\n%B\n", 1000, &error);
    EXPECT_EQ(error, "line 5: a command of 40001 bytes is longer than the terminal's line limit of 1024 bytes");
    ASSERT_EQ(lines.size(), 3u) << "nothing behind the error is kept";
    EXPECT_EQ(lines[1].first, atLimit);
    EXPECT_EQ(lines[2].first, note);
}

TEST(ProfileReader, AnEmptyOrCommandFreeFileHasNoLines)
{
    std::string error;
    EXPECT_TRUE(Read("").empty());
    EXPECT_TRUE(Read("\r\n\n\r\r").empty());
    EXPECT_TRUE(Read("//Page a\nfree\n  %X\n", 2, &error).empty());
    EXPECT_TRUE(error.empty());
}

} // namespace
} // namespace orlan
