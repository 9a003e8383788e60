// Feeds arbitrary terminal output through a session with every page
// attached: lines reach the pages through the routing table and the
// every-line parsers. Afterwards the pages must still hold sound values and
// build commands that are one line each, also with only their known values.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "session/TerminalSession.h"
#include "pages/AllPages.h"
#include "pages/KnownValues.h"
#include "tests/support/ManualClock.h"

namespace {

class CNullSink : public orlan::IByteSink {
public:
    void QueueBlock(std::string_view) override {}
};

class CNullView : public orlan::ISessionView {};

void CheckPage(const orlan::CPage& page)
{
    const orlan::CFieldSet& fields = page.Fields();
    for (size_t i = 0; i < fields.Size(); ++i) {
        const orlan::SFieldDesc& desc = fields.Desc(i);
        const int number = fields.Value(i).number;
        // A code beyond the items is kept as the terminal reported it.
        if (desc.kind == orlan::EFieldKind::Choice && number < -1)
            std::abort();
    }
    // Fixed tables keep their rows; growing ones (the state list) stay
    // within their limit.
    for (const orlan::CPageTable& table : page.Tables()) {
        const orlan::STableDesc& desc = table.Desc();
        const bool fixed = desc.order == orlan::ERowOrder::Fixed;
        if (fixed ? table.Rows() != desc.rowCount : desc.rowLimit > 0 && table.Rows() > desc.rowLimit)
            std::abort();
    }
    std::vector<orlan::SLeftOut> leftOut;
    orlan::CCommandList commands = page.BuildCommands(orlan::ETarget::Terminal);
    for (orlan::SCommand& command : orlan::KnownSaveJob(page, leftOut).commands)
        commands.push_back(std::move(command));
    for (const orlan::SCommand& command : commands) {
        const std::string_view text = command.text;
        if (text.size() < 2 || text.front() != '%' || text.back() != '\r'
            || text.find_first_of("\r\n") != text.size() - 1)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CNullSink sink;
    CNullView view;
    orlan::test::CManualClock clock;
    orlan::CTerminalSession session(view, sink, clock);
    for (auto& page : orlan::CreateAllPages())
        session.AddPage(std::move(page));

    // The first byte chooses the block size, so lines also arrive in pieces.
    const size_t block = size > 0 ? 1 + data[0] % 97 : 1;
    for (size_t pos = 1; pos < size; pos += block) {
        const size_t n = std::min(block, size - pos);
        session.Receive().OnSerialData(reinterpret_cast<const char*>(data + pos), n);
    }
    for (const auto& page : session.Pages())
        CheckPage(*page);
    if (session.ProfileBytes().empty())
        std::abort();  // the control phone section is always written
    return 0;
}
