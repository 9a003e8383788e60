#pragma once
// records: the terminal replays its stored temperature log through the log
// page's Sync action; once the line has been quiet for --quiet-ms the
// records are exported as the page's Export Data writes them.
#include "cli/CliCommand.h"

namespace orlan {

class CRecordsCommand final : public CCliCommand {
public:
    using CCliCommand::CCliCommand;

    bool NeedsLogin() const override { return true; }
    void Run() override;
    void OnLine(std::string_view line) override;
    void OnJobFinished(const SJobReport& report) override;
    void OnQuiet() override;
    void OnDeadline(const std::string& waited) override;
    // A whole read (one a login started) has nothing to do with the log.
    void OnWholeReadFailed(const std::string& /*reason*/) override {}

private:
    void Export();

    CPage* m_page = nullptr;  // the temperature log
    bool m_replaying = false;  // the request went out: the log comes in
};

} // namespace orlan
