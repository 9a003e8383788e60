#include <gtest/gtest.h>

#include <algorithm>
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
        "%CS3\r\r\r\n"        // CRs before the line end go (one inside a command is refused)
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

TEST(ProfileReader, AnEmptyOrCommandFreeFileHasNothingToExecute)
{
    for (const std::string_view file : {std::string_view(""), std::string_view("\r\n\n\r\r"),
                                        std::string_view("//Page a\nfree\n  %X\n"), std::string_view("\\\\ a note\n")}) {
        std::string error;
        EXPECT_TRUE(std::ranges::none_of(Read(file, 2, &error), [](const auto& line) { return line.second; }));
        EXPECT_EQ(error, "nothing to execute: no line starts with '%'") << file;
    }
}

TEST(ProfileReader, AFileThatIsNotATextProfileIsRefusedNamingTheLine)
{
    using namespace std::string_literals;
    const struct {
        std::string file;
        std::string error;
    } cases[] = {
        // "%A" CR LF "%B" in UTF-16LE with its byte order mark.
        {"\xFF\xFE%\0A\0\r\0\n\0%\0B\0"s, "line 1: a NUL byte: this is not a text profile (UTF-16 or a binary file?)"},
        {"%A\r\n%B\0\r\n%C\r\n"s, "line 2: a NUL byte: this is not a text profile (UTF-16 or a binary file?)"},
        {"%A\n//Page \0 in a skipped line\n%B\n"s,
         "line 2: a NUL byte: this is not a text profile (UTF-16 or a binary file?)"},
        {"\x7F" "ELF\x02\x01\n\x01\x02%A\n"s, "nothing to execute: no line starts with '%'"},
        {"%A\n%PIN\x1B[2J1234\n%B\n"s, "line 2: the control byte 0x1B in a command"},
        {"%A\n%PIN12\xFF" "34\n"s, "line 2: the control byte 0xFF in a command"},
        {"%A\n%ID\t1\n"s, "line 2: the control byte 0x09 in a command"},
        {"%A\r\n%%%%%%%%%%%%\r\n%B\r\n"s, "line 2: a run of '%' is the setup key run, not a command"},
        {"%%\n"s, "line 1: a run of '%' is the setup key run, not a command"},
        // Lines ending with CR alone run together into one command.
        {"%A\r\n%CS1+49151\r%CS2+49152\r"s, "line 2: a CR inside a command (do the file's lines end with CR alone?)"},
    };
    for (const auto& c : cases) {
        for (const size_t chunk : {size_t{1}, size_t{3}, SIZE_MAX}) {
            std::string error;
            const Lines lines = Read(c.file, chunk, &error);
            EXPECT_EQ(error, c.error) << chunk;
            // Nothing behind the named line is kept.
            EXPECT_TRUE(std::ranges::none_of(lines, [](const auto& line) { return line.first != "%A"; })) << c.error;
        }
    }
    // Text of the terminal's own, encoded, and 8-bit notes stay fine.
    std::string error;
    EXPECT_EQ(Read("%SMS10041\n\\\\ \xC0\xE1\n", SIZE_MAX, &error).size(), 2u);
    EXPECT_TRUE(error.empty()) << error;
}

} // namespace
} // namespace orlan
