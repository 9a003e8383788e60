#pragma once
// One run of orlan-cli: the serial channel, a terminal session with every
// page attached, and the command asked for. It is the session's view: the
// terminal's lines and the results go to standard output, progress to
// standard error.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliArgs.h"
#include "platform/RunningFile.h"
#include "console/ProfileReader.h"
#include "labels/LabelCatalogue.h"
#include "session/TerminalSession.h"
#include "platform/SafeFile.h"
#include "wiring/TerminalLink.h"

namespace orlan {

// The exit code a job's report calls for: a rejection wins, then any command
// not accepted for sure.
ECliExit ExitOf(const SJobReport& report);

class CCliSession final : public QObject, public ISessionView {
public:
    explicit CCliSession(SCliOptions options);

    // Reads the profile to execute, if any, opens the port and runs the command.
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

    // After a page's job, its read is over once the line has been quiet this long.
    static constexpr int kSettleQuietMs = 600;

private:
    enum class EStage {
        Starting,
        LoginCheck,   // "%DUMPR" sent: logged in once a DUMPR line arrives
        Command,      // the command itself runs
        AwaitAnswer,  // send and restart wait for the answer line
        PageJob,      // write/edit: the page's job runs
        Settle,       // write/edit: the page's own read after its job, until the line is quiet
        FinalRead,    // exec, or a Save that ends so: the whole read after the commands
        Done,
    };

    // False (the run finished) when a file to be written is an input file.
    bool OutputsSpareInputs();
    bool LoadProfile();
    bool OpenPort();
    void StartLoginCheck();
    void RunCommand();
    void AwaitAnswer(const std::string& what, int defaultMs);
    void WholeReadDone();
    void FinalReadDone();
    // The page commands: checked before the port opens, carried out on the
    // whole read (cli/CliPageCommands.cpp).
    bool PreparePageCommand();
    bool ReadProfileText();
    void ShowPages();
    void WritePage();
    void EditRow();
    void DiffWithProfile();
    void BackupThenExecute();
    void ExecuteLoadedProfile();
    // records and monitor (cli/CliRecords.cpp).
    void StartRecordFile();
    void StartRecordsReplay();
    void ExportRecords();
    void ReportRecordFileError();
    int SettleMs() const;
    std::string Caption(const CPage& page) const;
    void StartDeadline();
    void DeadlinePassed();
    void ReportProfileCut();
    void Finish(ECliExit code, const std::string& message = {});
    void Progress(const std::string& message) const;
    int CommandWaitMs(int defaultMs) const;
    static std::string ProfileFailure(const std::string& path, const std::string& why);
    // A profile holds the SIM PIN and PUK; the user named the file.
    static constexpr SSaveOptions kProfileSave{ENewFileMode::Private, ELinkPolicy::WriteThrough};
    // Standard output: false once a write failed; what was lost is not
    // retried, the run ends with ECliExit::OutputFailed.
    bool PrintOut(std::string_view text);
    bool PrintLine(std::string_view line);
    bool FlushOut();

    SCliOptions m_options;
    CLabelCatalogue m_catalogue;
    CTerminalLink m_link{*this};
    CSerialPort& m_port{m_link.Port()};
    CTerminalSession& m_session{m_link.Session()};

    EStage m_stage = EStage::Starting;
    std::vector<SProfileLine> m_profile;        // the profile to execute, until it runs
    std::vector<std::string> m_profileCommands;  // its commands, for a report cut short
    size_t m_commandsOut = 0;                    // of those, announced and sent so far
    bool m_lastAnswered = true;                  // an answer line came after the last one sent
    bool m_profileStarted = false;               // the session took the profile to run
    bool m_lineShowsLogin = false;               // the login check's last line may end a dump
    std::string m_outError;                      // why standard output failed
    CPage* m_page = nullptr;  // show/write/edit, the log page for records
    CRunningFile m_recordFile;  // monitor: "ex temp.csv", opened with its first sample
    bool m_recordErrorShown = false;
    std::string m_profileText;  // diff, exec --verify: the profile as read
    bool m_backupDone = false;
    std::string m_awaited;  // the command whose answer is awaited
    SJobReport m_report;    // of the profile run
    QTimer m_deadline;      // --timeout: login, whole read, setup mode
    QElapsedTimer m_deadlineClock;
    QTimer m_quiet;         // the login check goes on when the terminal says nothing
    QTimer m_answerWait;
    QTimer m_settle;        // write/edit end once the line is quiet after their job
    bool m_printLines = false;
    bool m_rejected = false;  // defaults: "%ATF" was answered "CMD ERR"
    bool m_interrupted = false;
};

} // namespace orlan
