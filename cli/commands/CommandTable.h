#pragma once
// Which command object carries out which verb of orlan-cli.
#include <memory>

#include "cli/CliCommand.h"

namespace orlan {

// The verb's command object; null for a verb that runs without a session
// (doctor).
std::unique_ptr<CCliCommand> MakeCliCommand(ECliCommand verb, ICliHost& host);

} // namespace orlan
