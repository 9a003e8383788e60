// Loads arbitrary bytes as a profile into a session with every page
// attached. Nothing may crash, every line reported must name a line of the
// file, and what the save after the load writes must load back to itself:
// a second load and save gives the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "pages/AllPages.h"
#include "session/TerminalSession.h"
#include "tests/support/ManualClock.h"

namespace {

class CNullSink : public orlan::IByteSink {
public:
    void QueueBlock(std::string_view) override {}
};

class CNullView : public orlan::ISessionView {};

struct SSession {
    SSession()
    {
        for (auto& page : orlan::CreateAllPages())
            session.AddPage(std::move(page));
    }
    CNullSink sink;
    CNullView view;
    orlan::test::CManualClock clock;
    orlan::CTerminalSession session{view, sink, clock};
};

size_t LineCount(std::string_view bytes)
{
    size_t lines = 0;
    for (char c : bytes)
        lines += c == '\n' ? 1 : 0;
    return lines + (!bytes.empty() && bytes.back() != '\n' ? 1 : 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    SSession first;
    const orlan::SProfileLoad load = first.session.LoadProfile(bytes);
    const size_t lines = LineCount(bytes);
    for (const orlan::SUnplacedLine& line : load.unplaced) {
        if (line.line == 0 || line.line > lines || line.reason.empty())
            std::abort();
    }
    const std::string saved = first.session.ProfileBytes();
    SSession second;
    second.session.LoadProfile(saved);
    if (second.session.ProfileBytes() != saved)
        std::abort();
    return 0;
}
