#pragma once
// status [--json] [--watch]: the pages the overview shows are read (their
// own requests, not the whole configuration), and once the line is quiet
// the unit at a glance is printed; with --watch one more line or JSON
// object each time a value changes, until SIGINT or SIGTERM.
#include <memory>

#include "cli/CliCommand.h"
#include "session/StatusOverview.h"

namespace orlan {

class CStatusCommand final : public CCliCommand {
public:
    // The reads are over once the line has been this quiet.
    static constexpr int kQuietMs = 1500;
    // Lines that keep coming (drifting readings) end the reads after this.
    static constexpr int kReadLimitMs = 15000;

    explicit CStatusCommand(ICliHost& host);
    ~CStatusCommand() override;

    bool NeedsLogin() const override { return true; }
    void Run() override;
    void OnLine(std::string_view line) override;
    void OnQuiet() override;
    void OnDeadline(const std::string& waited) override;
    bool OnInterrupt() override;

private:
    void PrintIfChanged();

    CStatusOverview m_overview;
    size_t m_observer = 0;
    int64_t m_readStartMs = 0;
    bool m_read = false;       // the reads are over: changes are printed
    bool m_checkQueued = false;
    std::string m_printed;     // the values last printed
    std::shared_ptr<CStatusCommand*> m_self;
};

} // namespace orlan
