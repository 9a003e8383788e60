#pragma once
// Runs the simulated terminal on a pseudo-terminal until SIGINT or SIGTERM,
// the end of the control stream, or a hang-up.
#include "sim/ConfigStore.h"
#include "sim/SimCommandLine.h"

namespace orlan {

// Prints the device path as the first line of stdout; control replies follow
// on stdout, diagnostics go to stderr. Returns the process exit code.
int RunSimulator(const SimCommandLine& options, CConfigStore fixture);

} // namespace orlan
