#pragma once
// exec FILE [--backup FILE] [--verify]: the profile's commands as one batch,
// then the whole read. --backup reads and saves the terminal first;
// --verify compares what the profile asks for with what the terminal holds
// after. Whatever was not sent is listed, also when the run ends early.
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "console/ProfileReader.h"

namespace orlan {

class CExecCommand final : public CCliCommand {
public:
    using CCliCommand::CCliCommand;

    bool Prepare() override;
    bool NeedsLogin() const override;
    // Its batch is not to go out into a dump.
    bool WaitsForPendingRead() const override { return true; }
    void Run() override;
    void OnProgressLine(const std::string& text) override;
    void OnAnswer(EAnswer answer) override;
    void OnWholeReadComplete() override;
    void OnWholeReadFailed(const std::string& reason) override;
    void OnJobFinished(const SJobReport& report) override;
    void OnDeadline(const std::string& waited) override;
    void OnLinkLostInProfile() override;
    void BeforeEnd(bool portUsed) override;

private:
    bool LoadProfile();
    // exec TEMPLATE --set PAGE.ID=VALUE...: the template with the values put in.
    bool FillTemplate(std::string& filled);
    bool BacksUpFirst() const;
    void BackupThenExecute();
    void Execute();
    void Verify();

    std::vector<SProfileLine> m_profile;        // the profile to execute, until it runs
    std::vector<std::string> m_profileCommands;  // its commands, for a report cut short
    std::string m_profileText;                   // --verify: the profile as read
    size_t m_commandsOut = 0;                    // of those, announced and sent so far
    bool m_lastAnswered = true;                  // an answer line came after the last one sent
    bool m_started = false;                      // the session took the profile to run
    bool m_backupDone = false;
    bool m_readAfter = false;  // the profile ran: the whole read after it
};

} // namespace orlan
