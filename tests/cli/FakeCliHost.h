#pragma once
// A run of orlan-cli without a port: a session over a recording sink and a
// manual clock, with every page, whose events go to the command under test
// as the run forwards them; what the command prints and how it ends are kept.
#include <optional>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "labels/LabelCatalogue.h"
#include "pages/AllPages.h"
#include "session/TerminalSession.h"
#include "support/ManualClock.h"
#include "support/RecordingSink.h"

namespace orlan::test {

class CFakeCliHost final : public ICliHost, public ISessionView {
public:
    CFakeCliHost()
    {
        for (auto& page : CreateAllPages())
            session.AddPage(std::move(page));
    }

    const SCliOptions& Options() const override { return options; }
    CTerminalSession& Session() override { return session; }
    const CLabelCatalogue& Catalogue() const override { return catalogue; }
    void Progress(const std::string& message) const override { progress.push_back(message); }
    bool PrintOut(std::string_view text) override
    {
        out += text;
        return true;
    }
    bool PrintLine(std::string_view line) override { return PrintOut(std::string(line) + "\n"); }
    bool FlushOut() override { return true; }
    void Finish(ECliExit code, const std::string& message = {}) override
    {
        if (!exit) {
            exit = code;
            finalMessage = message;
        }
    }
    bool Finished() const { return exit.has_value(); }
    void StartDeadline() override { deadline = true; }
    void StopDeadline() override { deadline = false; }
    void WaitForQuiet(int ms) override { quietMs = ms; }
    void WaitForAnswer(int ms) override { answerMs = ms; }
    const SJobReport& LastReport() const override { return report; }
    EJobEnd LastJobEnd() const override { return jobEnd; }

    void OnPageJobFinished(const CPage& /*page*/, const SPageJobKind& kind, const std::string& /*name*/,
                           const SJobReport& jobReport) override
    {
        report = jobReport;
        jobEnd = kind.end;
        if (command != nullptr && !Finished())
            command->OnJobFinished(jobReport);
    }
    void OnPageReadEnded(const CPage& page) override
    {
        if (command != nullptr && !Finished())
            command->OnPageReadEnded(page);
    }
    void OnValueRefused(const CPage& /*page*/, const std::string& fieldId, const std::string& why) override
    {
        Finish(ECliExit::Usage, fieldId + " " + why);
    }

    // The terminal's lines, as the serial channel hands them over.
    void Receive(std::string_view text) { session.OnSerialData(text.data(), text.size()); }

    SCliOptions options;
    CLabelCatalogue catalogue;
    CRecordingSink sink;
    CManualClock clock;
    CTerminalSession session{*this, sink, clock};
    CCliCommand* command = nullptr;

    mutable std::vector<std::string> progress;
    std::string out;
    std::optional<ECliExit> exit;
    std::string finalMessage;
    SJobReport report;
    EJobEnd jobEnd = EJobEnd::Nothing;
    bool deadline = false;
    int quietMs = 0;
    int answerMs = 0;
};

} // namespace orlan::test
