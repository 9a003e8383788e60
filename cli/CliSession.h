#pragma once
// One run of orlan-cli: the serial channel, a terminal session with every
// page attached, and the verb asked for. It is the session's view: it checks
// the login when the verb needs it, keeps --timeout, writes standard output
// and standard error, takes the stop signals and ends the run with its exit
// code; everything the verb itself does is its command object's
// (cli/commands/), to which the session's events are forwarded.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "cli/CliCommand.h"
#include "labels/LabelCatalogue.h"
#include "session/TerminalSession.h"
#include "wiring/HistoryRecorder.h"
#include "wiring/TerminalLink.h"

namespace orlan {

class CCliSession final : public QObject, public ISessionView, private ICliHost {
public:
    explicit CCliSession(SCliOptions options);
    ~CCliSession() override;

    // Prepares the verb, opens the port and runs it.
    void Start();
    // SIGINT, SIGTERM or SIGHUP: monitor ends; a running profile still
    // closes its batch first (a second signal does not wait for that), and
    // the commands not sent are listed.
    void Interrupt();

    // Called once with the exit code when the work is over.
    std::function<void(ECliExit)> finished;

    void OnLineLogged(std::string_view line) override;
    void OnStatusText(const std::string& text) override;
    void OnProgressShowLine(int ticks, const std::string& text) override;
    void OnAnswer(EAnswer answer) override;
    void OnLoginSuccess() override;
    void OnLoginFailed() override;
    void OnWholeReadComplete() override;
    void OnWholeReadFailed(const std::string& reason) override;
    void OnDumpEndOutsideRead() override;
    void ShowInformation(const std::string& text) override;
    void ShowError(const std::string& text) override { Progress(text); }
    void OnValueRefused(const CPage& page, const std::string& fieldId, const std::string& why) override;
    void OnJobFinished(const std::string& name, const SJobReport& report) override;
    void OnPageJobFinished(const CPage& page, const SPageJobKind& kind, const std::string& name,
                           const SJobReport& report) override;
    void OnPageReadEnded(const CPage& page) override;

private:
    enum class EStage {
        Starting,
        LoginCheck,  // "%DUMPR" sent: logged in once a DUMPR line arrives
        Running,     // the verb runs; the session's events go to it
        Done,
    };

    // ICliHost
    const SCliOptions& Options() const override { return m_options; }
    CTerminalSession& Session() override { return m_session; }
    const CLabelCatalogue& Catalogue() const override { return m_catalogue; }
    void Progress(const std::string& message) const override;
    bool PrintOut(std::string_view text) override;
    bool PrintLine(std::string_view line) override;
    bool FlushOut() override;
    void Finish(ECliExit code, const std::string& message = {}) override;
    void StartDeadline() override;
    void StopDeadline() override { m_deadline.stop(); }
    void WaitForQuiet(int ms) override { m_quietWait.start(ms); }
    void WaitForAnswer(int ms) override { m_answerWait.start(CommandWaitMs(ms)); }
    const SJobReport& LastReport() const override { return m_report; }
    EJobEnd LastJobEnd() const override { return m_jobEnd; }
    std::string HtmlToPdf(const std::string& html, std::string& pdf) override;

    void ConnectPort();
    bool OpenPort();
    void StartLoginCheck();
    void LoginCheckQuiet();
    void RunCommand();
    void ReportJob(const std::string& name, const SJobReport& report);
    void DeadlinePassed();
    int CommandWaitMs(int defaultMs) const;

    SCliOptions m_options;
    CLabelCatalogue m_catalogue;
    CTerminalLink m_link{*this};
    CSerialPort& m_port{m_link.Port()};
    CTerminalSession& m_session{m_link.Session()};
    std::unique_ptr<CCliCommand> m_command;
    // Every complete whole read goes into the unit's configuration history.
    CHistoryRecorder m_history{m_session, [this] { return m_options.port; }};

    EStage m_stage = EStage::Starting;
    bool m_lineShowsLogin = false;  // the login check's last line may end a dump
    std::string m_outError;         // why standard output failed
    SJobReport m_report;            // of the last job
    EJobEnd m_jobEnd = EJobEnd::Nothing;  // of the last page job
    QTimer m_deadline;              // --timeout
    QElapsedTimer m_deadlineClock;
    QTimer m_loginQuiet;  // the login check goes on when the terminal says nothing
    QTimer m_quietWait;   // the command's wait for a quiet line
    QTimer m_answerWait;  // the command's wait for an answer line
    bool m_interrupted = false;
};

} // namespace orlan
