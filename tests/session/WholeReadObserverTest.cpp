#include <gtest/gtest.h>

#include "session/TerminalSession.h"
#include "support/ManualClock.h"
#include "support/RecordingSink.h"

namespace orlan {
namespace {

// What the history hears: each complete whole read, and whether a profile
// run asked for it.
TEST(WholeReadObserver, HearsEachCompleteReadAndWhetherAProfileAskedForIt)
{
    ISessionView view;
    test::CRecordingSink sink;
    test::CManualClock clock;
    CTerminalSession session{view, sink, clock};
    std::vector<bool> heard;
    session.AddWholeReadObserver([&heard](bool afterProfile) { heard.push_back(afterProfile); });
    std::vector<std::string> lines;
    const size_t observer = session.AddLineObserver([&lines](std::string_view line) { lines.emplace_back(line); });
    auto feed = [&session](std::string_view text) { session.Receive().OnSerialData(text.data(), text.size()); };
    auto dump = [&] {
        clock.Advance(CTerminalSession::kReadSettleMs);
        feed("$DID 1\r\n$DUMPR END\r\n");
    };

    session.Reload();
    dump();
    ASSERT_EQ(session.WholeRead(), CTerminalSession::EWholeRead::Complete);
    EXPECT_EQ(heard, std::vector<bool>{false});
    EXPECT_EQ(lines, (std::vector<std::string>{"$DID 1", "$DUMPR END"}));

    ASSERT_TRUE(session.ExecuteProfile("%A1\n"));
    for (int i = 0; i < 3; ++i)
        feed("CMD OK\r\n");
    dump();
    EXPECT_EQ(heard, (std::vector<bool>{false, true}));

    // A read asked for later is a plain read again; a removed observer hears nothing.
    session.RemoveLineObserver(observer);
    session.Reload();
    dump();
    EXPECT_EQ(heard, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(lines.size(), 2u + 5u);
}

} // namespace
} // namespace orlan
