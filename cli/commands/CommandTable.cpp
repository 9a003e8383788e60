#include "cli/commands/CommandTable.h"

#include <iterator>

#include "cli/commands/DefaultsCommand.h"
#include "cli/commands/DiffCommand.h"
#include "cli/commands/EditCommand.h"
#include "cli/commands/ExecCommand.h"
#include "cli/commands/HistoryCommand.h"
#include "cli/commands/MonitorCommand.h"
#include "cli/commands/PagesCommand.h"
#include "cli/commands/ReadCommand.h"
#include "cli/commands/RecordsCommand.h"
#include "cli/commands/ReportCommand.h"
#include "cli/commands/RestartCommand.h"
#include "cli/commands/SendCommand.h"
#include "cli/commands/SetupCommand.h"
#include "cli/commands/ShowCommand.h"
#include "cli/commands/StatusCommand.h"
#include "cli/commands/WriteCommand.h"

namespace orlan {

namespace {

template <typename Command>
std::unique_ptr<CCliCommand> Make(ICliHost& host)
{
    return std::make_unique<Command>(host);
}

struct SVerb {
    ECliCommand verb;
    std::unique_ptr<CCliCommand> (*make)(ICliHost&);
};

constexpr SVerb kVerbs[] = {
    {ECliCommand::Read, Make<CReadCommand>},         {ECliCommand::Exec, Make<CExecCommand>},
    {ECliCommand::Send, Make<CSendCommand>},         {ECliCommand::Monitor, Make<CMonitorCommand>},
    {ECliCommand::Setup, Make<CSetupCommand>},       {ECliCommand::Restart, Make<CRestartCommand>},
    {ECliCommand::Defaults, Make<CDefaultsCommand>}, {ECliCommand::Pages, Make<CPagesCommand>},
    {ECliCommand::Show, Make<CShowCommand>},         {ECliCommand::Write, Make<CWriteCommand>},
    {ECliCommand::Edit, Make<CEditCommand>},         {ECliCommand::Diff, Make<CDiffCommand>},
    {ECliCommand::Records, Make<CRecordsCommand>},
    {ECliCommand::Status, Make<CStatusCommand>},
    {ECliCommand::History, Make<CHistoryCommand>},
    {ECliCommand::Report, Make<CReportCommand>},
};

} // namespace

std::unique_ptr<CCliCommand> MakeCliCommand(ECliCommand verb, ICliHost& host)
{
    for (const SVerb& entry : kVerbs) {
        if (entry.verb == verb)
            return entry.make(host);
    }
    return nullptr;
}

} // namespace orlan
