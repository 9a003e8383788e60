#pragma once
// defaults: "%ATF" (the factory settings), then the whole read, printed as
// read prints it.
#include "cli/commands/ReadCommand.h"

namespace orlan {

class CDefaultsCommand final : public CReadCommand {
public:
    using CReadCommand::CReadCommand;

    bool Prepare() override { return true; }
    bool NeedsLogin() const override { return true; }
    void Run() override;
    void OnAnswer(EAnswer answer) override;
    void OnWholeReadComplete() override;

private:
    bool m_rejected = false;  // "%ATF" was answered "CMD ERR"
};

} // namespace orlan
