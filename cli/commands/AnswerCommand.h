#pragma once
// The shape of send and restart: one command to a logged-in terminal, and
// the run ends with its answer line, or without one in time.
#include <string>

#include "cli/CliCommand.h"

namespace orlan {

class CAnswerCommand : public CCliCommand {
public:
    CAnswerCommand(ICliHost& host, std::string awaited) : CCliCommand(host), m_awaited(std::move(awaited)) {}

    bool NeedsLogin() const override { return true; }
    void OnAnswer(EAnswer answer) override;
    void OnAnswerLate() override;
    // A whole read (one a login started) has nothing to say about the answer.
    void OnWholeReadFailed(const std::string& /*reason*/) override {}

    // As long as the command waits for its answer by default.
    static constexpr int kAnswerWaitMs = 3000;

protected:
    // "CMD OK" or "Please wait" came.
    virtual void Accepted() = 0;

private:
    std::string m_awaited;  // the command whose answer is awaited, as said
};

} // namespace orlan
