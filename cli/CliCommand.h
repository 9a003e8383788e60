#pragma once
// What every verb of orlan-cli implements. The run (CCliSession) opens the
// port, checks the login when the verb asks for it, keeps the time limit
// and forwards the session's events to the verb while it runs; the verb
// calls the run back to print and to end. A new verb is one class and one
// line of the table in cli/commands/CommandTable.cpp.
#include <string>
#include <string_view>

#include "cli/CliHost.h"
#include "console/ReceiveListener.h"

namespace orlan {

class CPage;
struct SJobReport;

// The exit code a job's report calls for: a rejection wins, then any command
// not accepted for sure.
ECliExit ExitOf(const SJobReport& report);

class CCliCommand {
public:
    explicit CCliCommand(ICliHost& host) : m_host(host) {}
    virtual ~CCliCommand() = default;
    CCliCommand(const CCliCommand&) = delete;
    CCliCommand& operator=(const CCliCommand&) = delete;

    // Before the port opens: files read and values checked, so nothing is
    // read in vain. False when the run has ended (Finish was called).
    virtual bool Prepare() { return true; }
    // Whether the terminal must be logged in before Run.
    virtual bool NeedsLogin() const { return false; }
    // Whether Run waits for a whole read under way (one a login started)
    // when the login check heard nothing more.
    virtual bool WaitsForPendingRead() const { return false; }
    // The port is open and, when asked, the terminal logged in.
    virtual void Run() = 0;

    // The session's events while the command runs.
    virtual void OnLine(std::string_view line);
    virtual void OnAnswer(EAnswer /*answer*/) {}
    virtual void OnProgressLine(const std::string& /*text*/) {}
    virtual void OnWholeReadComplete() {}
    virtual void OnWholeReadFailed(const std::string& reason);
    // After the run reported the job and the run goes on.
    virtual void OnJobFinished(const SJobReport& /*report*/) {}
    virtual void OnPageReadEnded(const CPage& /*page*/) {}
    // The waits the command asked the run for.
    virtual void OnQuiet() {}
    virtual void OnAnswerLate() {}
    // --timeout passed; `waited` says how long ("15 s (waited 15.002 s)").
    virtual void OnDeadline(const std::string& waited);
    // SIGINT, SIGTERM or SIGHUP: true when the command ended the run itself.
    virtual bool OnInterrupt() { return false; }
    // The link was lost while the session ran a profile.
    virtual void OnLinkLostInProfile() {}
    // The run ends; `portUsed` once the port was opened for the command.
    virtual void BeforeEnd(bool /*portUsed*/) {}

protected:
    // The terminal's line on standard error, with --verbose only.
    void EchoVerbose(std::string_view line) const;
    // Says what for, starts --timeout and asks for the whole configuration.
    void ReadWholeConfiguration(const std::string& what);

    ICliHost& m_host;
};

} // namespace orlan
