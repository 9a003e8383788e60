#pragma once
// One run of orlan-cli: the serial channel, a terminal session with every
// page attached, and the command asked for. It is the session's view: the
// terminal's lines and the results go to standard output, progress to
// standard error.
#include <QObject>
#include <QTimer>

#include <functional>
#include <string>

#include "cli/CliArgs.h"
#include "session/TerminalSession.h"
#include "link/TerminalLink.h"

namespace orlan {

class CCliSession final : public QObject, public ISessionView {
public:
    explicit CCliSession(SCliOptions options);

    // Reads the profile to execute, if any, opens the port and runs the command.
    void Start();
    // SIGINT or SIGTERM: monitor ends; a running profile still closes its
    // batch first (a second signal does not wait for that).
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
    void ShowInformation(const std::string& text) override { Progress(text); }
    void ShowError(const std::string& text) override { Progress(text); }
    void OnJobFinished(const std::string& name, const SJobReport& report) override;

private:
    enum class EStage {
        Starting,
        LoginCheck,   // "%DUMPR" sent: logged in once a DUMPR line arrives
        Command,      // the command itself runs
        AwaitAnswer,  // send and restart wait for the answer line
        FinalRead,    // exec: the whole read after the profile
        Done,
    };

    bool OpenPort();
    void StartLoginCheck();
    void RunCommand();
    void AwaitAnswer(const std::string& what, int defaultMs);
    void WholeReadDone();
    void DeadlinePassed();
    void Finish(ECliExit code, const std::string& message = {});
    void Progress(const std::string& message) const;
    int CommandWaitMs(int defaultMs) const;

    SCliOptions m_options;
    CTerminalLink m_link{*this};
    CSerialPort& m_port{m_link.Port()};
    CTerminalSession& m_session{m_link.Session()};

    EStage m_stage = EStage::Starting;
    std::string m_profile;  // the contents of the profile to execute
    std::string m_awaited;  // the command whose answer is awaited
    SJobReport m_report;    // of the profile run
    QTimer m_deadline;      // --timeout: login, whole read, setup mode
    QTimer m_quiet;         // the login check goes on when the terminal says nothing
    QTimer m_answerWait;
    int m_loginFailures = 0;
    bool m_printLines = false;
    bool m_rejected = false;  // defaults: "%ATF" was answered "CMD ERR"
    bool m_interrupted = false;
};

} // namespace orlan
