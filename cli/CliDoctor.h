#pragma once
// orlan-cli doctor: why a serial port will or will not open, for this user.
#include "cli/CliArgs.h"

namespace orlan {

// Examines `options.port` (or every serial port), prints the findings to
// standard output and returns Ok only when each may be opened and no other
// process holds it.
ECliExit RunDoctor(const SCliOptions& options);

} // namespace orlan
