#pragma once
// What a command of orlan-cli asks of the run it belongs to: the options,
// the session, the catalogue, the two output streams, the time limit, two
// waits and the end of the run. The run owns all of these, so a command
// holds nothing but its own progress.
#include <string>
#include <string_view>

#include "cli/CliArgs.h"
#include "pages/Page.h"

namespace orlan {

class CLabelCatalogue;
class CTerminalSession;
struct SJobReport;

class ICliHost {
public:
    virtual const SCliOptions& Options() const = 0;
    virtual CTerminalSession& Session() = 0;
    virtual const CLabelCatalogue& Catalogue() const = 0;

    // Standard error, "orlan-cli: " in front, made safe for a terminal.
    virtual void Progress(const std::string& message) const = 0;
    // Standard output: false once a write failed; what was lost is not
    // retried, the run then ends with ECliExit::OutputFailed.
    virtual bool PrintOut(std::string_view text) = 0;
    // One line as --raw asks: as it came, or made safe for a terminal.
    virtual bool PrintLine(std::string_view line) = 0;
    virtual bool FlushOut() = 0;
    // Ends the run once; later calls do nothing.
    virtual void Finish(ECliExit code, const std::string& message = {}) = 0;

    // --timeout from now; the command's OnDeadline says what it meant.
    virtual void StartDeadline() = 0;
    virtual void StopDeadline() = 0;
    // The command's OnQuiet after `ms` from now; started again by each call.
    virtual void WaitForQuiet(int ms) = 0;
    // The command's OnAnswerLate after `ms`, or --command-timeout when given.
    virtual void WaitForAnswer(int ms) = 0;
    // The report of the last job the session ran for the command.
    virtual const SJobReport& LastReport() const = 0;
    // What the last page job ended with (its page's read, a row's request, ...).
    virtual EJobEnd LastJobEnd() const = 0;
    // The HTML printed as a PDF into `pdf`: empty on success, else why not
    // (a run that cannot print says so).
    virtual std::string HtmlToPdf(const std::string& html, std::string& pdf)
    {
        (void)html;
        (void)pdf;
        return "this run cannot print a PDF";
    }

protected:
    ~ICliHost() = default;
};

} // namespace orlan
