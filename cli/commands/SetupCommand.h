#pragma once
// setup: the setup key run, then waiting for the terminal, power-cycled or
// reset by hand, to say it came into setup mode.
#include "cli/CliCommand.h"

namespace orlan {

class CSetupCommand final : public CCliCommand {
public:
    using CCliCommand::CCliCommand;

    void Run() override;
    void OnLine(std::string_view line) override;
    void OnDeadline(const std::string& waited) override;
};

} // namespace orlan
