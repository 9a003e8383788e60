#pragma once
// history [UNIT] [--json]: the configuration history kept in the user's data
// folder, no port needed: each unit with its snapshots (time, port, what
// made it) and, for each snapshot after the first, what changed since the one
// before. Files in the folder that are no snapshots are named on standard
// error and skipped.
#include "cli/CliCommand.h"

namespace orlan {

class CHistoryCommand final : public CCliCommand {
public:
    using CCliCommand::CCliCommand;

    bool Prepare() override;
    void Run() override {}
};

} // namespace orlan
