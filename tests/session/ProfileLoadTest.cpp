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

} // namespace
} // namespace orlan::test
