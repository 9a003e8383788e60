// A profile loads back into the pages: what this tool writes loads and saves
// again byte for byte, the pages then hold the values of the session that
// wrote it, and lines no page takes are reported and kept in place.
#include <gtest/gtest.h>

#include <algorithm>

#include "../sim/SimTestSupport.h"
#include "pages/AllPages.h"
#include "session/TerminalSession.h"
#include "support/ManualClock.h"
#include "support/RecordingSink.h"

namespace orlan::test {
namespace {

struct SSession {
    SSession()
    {
        for (auto& page : CreateAllPages())
            session.AddPage(std::move(page));
    }
    CRecordingSink sink;
    CManualClock clock;
    ISessionView view;
    CTerminalSession session{view, sink, clock};
};

// The simulator's whole dump, as lines with their line ends.
std::vector<std::string> WholeDump()
{
    CSimHarness sim{CSimHarness::LoggedIn()};
    sim.terminal.Start();
    sim.terminal.Feed("%DUMPS\r%DUMPR\r");
    std::vector<std::string> lines;
    for (const std::string& line : sim.TakeLines())
        lines.push_back(line + "\r\n");
    return lines;
}

void Feed(CTerminalSession& session, const std::vector<std::string>& lines, size_t every)
{
    for (size_t i = 0; i < lines.size(); i += every)
        session.Receive().OnSerialData(lines[i].data(), lines[i].size());
}

// Every value the loaded page knows is the writer's (that it knows all the
// profile carries, the save after the load shows).
void ExpectSameValues(const CPage& writer, const CPage& loaded)
{
    const std::string& name = writer.Info().className;
    const CFieldSet& was = writer.Fields();
    const CFieldSet& now = loaded.Fields();
    for (size_t i = 0; i < now.Size(); ++i) {
        if (now.IsKnown(i)) {
            EXPECT_TRUE(was.IsKnown(i)) << name << " " << now.Desc(i).id << " known only after loading";
            EXPECT_EQ(now.Value(i), was.Value(i)) << name << " " << now.Desc(i).id;
        }
    }
    for (size_t t = 0; t < loaded.Tables().size(); ++t) {
        const CPageTable& before = writer.Tables()[t];
        const CPageTable& after = loaded.Tables()[t];
        for (size_t row = 0; row < after.Rows(); ++row) {
            for (size_t column = 0; column < after.Desc().dataColumns; ++column) {
                if (after.IsKnown(row, column)) {
                    EXPECT_EQ(after.Cell(row, column), before.Cell(row, column))
                        << name << " table " << t << " row " << row << " column " << column;
                }
            }
        }
    }
}

std::vector<std::string> Lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = std::min(bytes.find('\n', start), bytes.size() - 1) + 1;
        lines.push_back(bytes.substr(start, end - start));
        start = end;
    }
    return lines;
}

// Byte for byte, told as the first line that differs.
void ExpectSameLines(const std::string& saved, const std::string& loaded)
{
    if (saved == loaded)
        return;
    const std::vector<std::string> a = Lines(saved), b = Lines(loaded);
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    ADD_FAILURE() << "saved again differs at line " << i + 1 << ": "
                  << ::testing::PrintToString(i < a.size() ? a[i] : "(end)") << " instead of "
                  << ::testing::PrintToString(i < b.size() ? b[i] : "(end)");
}

TEST(ProfileLoad, WhatThisToolWritesLoadsAndSavesAgainByteForByte)
{
    const std::vector<std::string> dump = WholeDump();
    ASSERT_GT(dump.size(), 100u);
    // The whole configuration, and a terminal that reported only part of it.
    for (size_t every : {1u, 2u, 3u}) {
        for (EProfileScope scope : {EProfileScope::Classic, EProfileScope::Complete}) {
            SCOPED_TRACE("every " + std::to_string(every) + " dump line, scope "
                         + (scope == EProfileScope::Classic ? "classic" : "complete"));
            SSession writer;
            Feed(writer.session, dump, every);
            const std::string bytes = writer.session.ProfileBytes(scope);
            SSession reader;
            const SProfileLoad load = reader.session.LoadProfile(bytes);
            for (const SUnplacedLine& line : load.unplaced)
                ADD_FAILURE() << line.section << ":" << line.line << " " << line.text << " (" << line.reason << ")";
            ExpectSameLines(reader.session.ProfileBytes(scope), bytes);
            for (const auto& page : writer.session.Pages())
                ExpectSameValues(*page, *reader.session.FindPage(page->Info().className));
        }
    }
}

// Inserts `lines` right behind the first line that is `after`.
std::string Inserted(std::string bytes, std::string_view after, std::string_view lines)
{
    const size_t at = bytes.find(after);
    EXPECT_NE(at, std::string::npos) << after;
    return at == std::string::npos ? bytes : bytes.insert(at + after.size(), lines);
}

TEST(ProfileLoad, LinesNoPageTakesAreReportedAndWrittenBackWhereTheyStood)
{
    SSession writer;
    Feed(writer.session, WholeDump(), 1);
    std::string profile = writer.session.ProfileBytes();
    profile = "%EARLY1\r\n" + profile;
    profile = Inserted(profile, "%POWDLY10\r\r\n", "%NOSUCH1\r\nhello there\r\n%TMPASabc\r\n");
    profile = Inserted(profile, "%TMPIH0\r\r\n", "\r\r\n//Page Something new\r\r\n\r\n%FOO1\r\r\n%FOO2\r\r\n");
    profile += "%TAIL1";  // the file ends without a line end

    SSession reader;
    const SProfileLoad load = reader.session.LoadProfile(profile);
    struct SExpected {
        std::string section;
        std::string text;
        std::string reason;
    };
    const SExpected expected[] = {
        {"", "%EARLY1", "outside any section"},
        {"Something new", "//Page Something new", "unknown section"},
        {"Something new", "%FOO1", "unknown section"},
        {"Something new", "%FOO2", "unknown section"},
        {"Battery alarm", "%NOSUCH1", "unknown command"},
        {"Battery alarm", "hello there", "not a command"},
        {"Battery alarm", "%TMPASabc", "unknown command"},  // another page's command
        {"Meter reading", "%TAIL1", "unknown command"},
    };
    ASSERT_EQ(load.unplaced.size(), std::size(expected));
    const std::vector<std::string> lines = Lines(profile);
    for (size_t i = 0; i < load.unplaced.size(); ++i) {
        const SUnplacedLine& line = load.unplaced[i];
        EXPECT_EQ(line.section, expected[i].section) << i;
        EXPECT_EQ(line.text, expected[i].text) << i;
        EXPECT_EQ(line.reason, expected[i].reason) << i;
        ASSERT_GE(line.line, 1u);
        ASSERT_LE(line.line, lines.size());
        EXPECT_TRUE(lines[line.line - 1].starts_with(line.text)) << line.line << ": " << lines[line.line - 1];
    }
    EXPECT_GT(load.placed, 100u);
    // Written back in place; the last line gets its line end.
    ExpectSameLines(reader.session.ProfileBytes(), profile + "\r\n");
    // A classic save keeps what stood in its sections and the section no page writes.
    const std::string classic = reader.session.ProfileBytes(EProfileScope::Classic);
    EXPECT_NE(classic.find("%POWDLY10\r\r\n%NOSUCH1\r\nhello there\r\n%TMPASabc\r\n"), std::string::npos);
    EXPECT_NE(classic.find("//Page Something new\r\r\n\r\n%FOO1\r\r\n%FOO2\r\r\n\r\r\n//Page Battery alarm"),
              std::string::npos);
    EXPECT_EQ(classic.find("%TAIL1"), std::string::npos);  // it stood in a section of the complete tail

    // A read of the terminal replaces the file: none of its lines is saved as the terminal's.
    reader.session.Reload();
    reader.clock.Advance(CTerminalSession::kReadSettleMs);
    Feed(reader.session, WholeDump(), 1);
    const std::string read = reader.session.ProfileBytes();
    EXPECT_EQ(read.find("%NOSUCH1"), std::string::npos);
    EXPECT_EQ(read.find("//Page Something new"), std::string::npos);
}

TEST(ProfileLoad, AValueTheFieldRefusesIsNotTakenAndTheFieldKeepsItsValue)
{
    SSession reader;
    // A file of one section, ending in the blank line a next section would start with.
    const std::string file = "\r\r\n//Page Tmp100 Sensor\r\r\n\r\n%TMPAS7\r\r\n%TMPASabc\r\r\n%TMPH1x\r\r\n\r\r\n";
    const SProfileLoad load = reader.session.LoadProfile(file);
    ASSERT_EQ(load.unplaced.size(), 2u);
    EXPECT_EQ(load.unplaced[0].text, "%TMPASabc");
    EXPECT_EQ(load.unplaced[0].reason, "value the field cannot hold");
    EXPECT_EQ(load.unplaced[0].line, 5u);
    EXPECT_EQ(load.unplaced[1].reason, "value the field cannot hold");
    const CPage& page = *reader.session.FindPage("CPageTemp");
    EXPECT_EQ(page.Fields().Text("smsInterval"), "7");
    EXPECT_TRUE(page.Fields().IsKnown("smsInterval"));
    EXPECT_FALSE(page.Fields().IsKnown("high"));
    // The loaded values are known and go out; the refused lines come back
    // where they stood, and the sections the file lacks stay out.
    EXPECT_EQ(reader.session.ProfileBytes(EProfileScope::Classic), file);
    EXPECT_EQ(reader.session.ProfileBytes(EProfileScope::Complete), file);
}

TEST(ProfileLoad, AFileLoadedAfterAReadHoldsTheFileAloneAndSavesAsItWas)
{
    // Pages a read leaves as they are (interlocks, user commands, the SMS
    // data numbers, ...) must not carry the terminal's values into the file.
    SSession session;
    Feed(session.session, WholeDump(), 1);
    const std::string file = "\r\r\n//Page Buzzer Siren\r\r\n\r\n%BUZEN1\r\r\n%BUZT30\r\r\n";
    EXPECT_TRUE(session.session.LoadProfile(file).unplaced.empty());
    EXPECT_EQ(session.session.ProfileBytes(EProfileScope::Complete), file);
}

} // namespace
} // namespace orlan::test
