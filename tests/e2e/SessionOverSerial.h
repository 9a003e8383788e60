#pragma once
// A terminal session with every page, over the real serial channel: for
// end-to-end tests of the pages and of the fault cases against orlan-sim.
#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "wiring/TerminalLink.h"
#include "support/QtTestSupport.h"

namespace orlan::test {

class CSessionOverSerial final : public ISessionView {
public:
    static constexpr std::chrono::seconds kPatience{20};

    explicit CSessionOverSerial(const QString& device) { link.Open(device); }

    void OnWholeReadComplete() override { ++wholeReads; }
    void OnWholeReadFailed(const std::string& reason) override { readFailures.push_back(reason); }
    void OnDumpEndOutsideRead() override { ++otherEnds; }
    void OnJobFinished(const std::string&, const SJobReport& report) override { reports.push_back(report); }
    void OnLineLogged(std::string_view) override { ++lines; }
    void OnRawText(std::string_view chunk) override { rawBytes += chunk.size(); }
    void OnAnswer(EAnswer) override { ++answers; }
    void OnPictureFailed() override { ++pictureFailures; }
    void ShowInformation(const std::string& text) override { infos.push_back(text); }
    void ShowError(const std::string& text) override { errors.push_back(text); }

    bool ReadAll()
    {
        const int before = wholeReads;
        session.Reload();
        return PumpUntil([&] { return wholeReads > before; }, kPatience);
    }
    // Runs a profile to its report; false when none came within `limit`.
    bool RunProfile(std::string_view profile, std::chrono::milliseconds limit = kPatience)
    {
        const size_t before = reports.size();
        return session.ExecuteProfile(profile) && PumpUntil([&] { return reports.size() > before; }, limit);
    }

    CPage& Page(std::string_view className) { return *session.FindPage(className); }

    CTerminalLink link{*this};
    CSerialPort& port{link.Port()};
    CTerminalSession& session{link.Session()};
    int wholeReads = 0;
    int otherEnds = 0;
    int lines = 0;
    size_t rawBytes = 0;
    int answers = 0;
    int pictureFailures = 0;
    std::vector<SJobReport> reports;
    std::vector<std::string> readFailures;
    std::vector<std::string> infos;
    std::vector<std::string> errors;
};

} // namespace orlan::test
