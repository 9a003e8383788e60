#pragma once
// Every console command the simulated terminal knows. A command with a handler
// writes its value back into the dump lines; one without is accepted and
// changes nothing yet. Teaching the terminal a page means giving that page's
// rows a handler (see StoreRewrite.h).
#include "sim/SimCommand.h"

#include <string_view>
#include <vector>

namespace orlan {

const std::vector<CommandSpec>& KnownCommands();

// The line that ends a whole-configuration read. No dump line contains "DUMPR".
inline constexpr std::string_view kDumpEndLine = "$DUMPR END";

} // namespace orlan
