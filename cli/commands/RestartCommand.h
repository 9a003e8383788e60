#pragma once
// restart: "%RST" to the logged-in terminal, done once it accepts it.
#include "cli/commands/AnswerCommand.h"

namespace orlan {

class CRestartCommand final : public CAnswerCommand {
public:
    explicit CRestartCommand(ICliHost& host);

    void Run() override;

private:
    void Accepted() override;
};

} // namespace orlan
