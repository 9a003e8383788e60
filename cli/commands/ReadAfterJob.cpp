#include "cli/commands/ReadAfterJob.h"

#include "cli/CliCommand.h"
#include "console/CommandQueue.h"

namespace orlan {

void ReadAfterJobFailed(ICliHost& host, const std::string& reason)
{
    const SJobReport& report = host.LastReport();
    host.Finish(report.AllAccepted() ? ECliExit::TimedOut : ExitOf(report),
                "the whole configuration read failed: " + reason);
}

void ReadAfterJobLate(ICliHost& host, const std::string& waited)
{
    const SJobReport& report = host.LastReport();
    host.Finish(report.AllAccepted() ? ECliExit::TimedOut : ExitOf(report),
                "the whole read after the profile did not complete within " + waited);
}

} // namespace orlan
