#pragma once
// The setting commands the tool's pages declare (a command format around one
// value and the dump key it fills), taken as a strict terminal takes them: a
// value its setting's rule refuses (an empty or out-of-range number, a
// switch that is not 0 or 1) is answered "CMD ERR" and changes nothing; a
// value taken lands in the line of its key, in the dump group the built-in
// configuration prints it in.
#include <memory>
#include <vector>

#include "pages/Page.h"
#include "sim/SimCommand.h"

namespace orlan {

// One row per declared command of the tool's pages that `handWritten` does
// not already match.
std::vector<CommandSpec> DeclaredCommands(const std::vector<CommandSpec>& handWritten);
// The same over the given pages.
std::vector<CommandSpec> DeclaredCommands(const std::vector<CommandSpec>& handWritten,
                                          const std::vector<std::unique_ptr<CPage>>& pages);

} // namespace orlan
