#pragma once
// The whole read the session starts behind a profile, or behind a Save that
// ends so: how the run ends when it fails or does not come in time. What
// the job's commands met says more than the read after them.
#include <string>

#include "cli/CliHost.h"

namespace orlan {

void ReadAfterJobFailed(ICliHost& host, const std::string& reason);
void ReadAfterJobLate(ICliHost& host, const std::string& waited);

} // namespace orlan
