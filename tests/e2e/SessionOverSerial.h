#pragma once
// A terminal session with every page, over the real serial channel: for
// end-to-end tests of the pages against orlan-sim.
#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "session/TerminalSession.h"
#include "link/ChannelSink.h"
#include "link/QtTimerService.h"
#include "link/SerialPort.h"
#include "pages/AllPages.h"
#include "support/QtTestSupport.h"

namespace orlan::test {

class CSessionOverSerial final : public IBlockReceiver, public ISessionView {
public:
    static constexpr std::chrono::seconds kPatience{20};

    explicit CSessionOverSerial(const QString& device)
    {
        for (auto& page : CreateAllPages())
            session.AddPage(std::move(page));
        port.SetDevicePath(device);
        port.SetBaudRate(115200);
        port.StartStop(true, this);
    }

    void OnSerialData(const char* bytes, size_t count) override { session.Receive().OnSerialData(bytes, count); }
    void OnWholeReadComplete() override { ++wholeReads; }
    void OnJobFinished(const std::string&, const SJobReport& report) override { reports.push_back(report); }

    bool ReadAll()
    {
        const int before = wholeReads;
        session.Reload();
        return PumpUntil([&] { return wholeReads > before; }, kPatience);
    }

    CPage& Page(std::string_view className) { return *session.FindPage(className); }

    CSerialPort port;
    CChannelSink sink{port};
    CQtTimerService timers;
    CTerminalSession session{*this, sink, timers};
    int wholeReads = 0;
    std::vector<SJobReport> reports;
};

} // namespace orlan::test
