#pragma once
// A terminal session with every page, over the real serial channel: for
// end-to-end tests of the pages against orlan-sim.
#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "link/TerminalLink.h"
#include "support/QtTestSupport.h"

namespace orlan::test {

class CSessionOverSerial final : public ISessionView {
public:
    static constexpr std::chrono::seconds kPatience{20};

    explicit CSessionOverSerial(const QString& device) { link.Open(device); }

    void OnWholeReadComplete() override { ++wholeReads; }
    void OnJobFinished(const std::string&, const SJobReport& report) override { reports.push_back(report); }

    bool ReadAll()
    {
        const int before = wholeReads;
        session.Reload();
        return PumpUntil([&] { return wholeReads > before; }, kPatience);
    }

    CPage& Page(std::string_view className) { return *session.FindPage(className); }

    CTerminalLink link{*this};
    CSerialPort& port{link.Port()};
    CTerminalSession& session{link.Session()};
    int wholeReads = 0;
    std::vector<SJobReport> reports;
};

} // namespace orlan::test
