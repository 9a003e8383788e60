#include "cli/CliSession.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <system_error>

#include "cli/TerminalText.h"
#include "console/ConsoleCommands.h"
#include "console/StatusTexts.h"
#include "labels/LabelCatalogue.h"
#include "platform/ProgramCatalogue.h"
#include "link/PortNames.h"

namespace orlan {

namespace {

constexpr int kAnswerWaitMs = CTerminalSession::kProfileBracketTicks;
constexpr std::string_view kSetupModeLine = "come in setup mode";

// Whether a line holding "DUMPR" is the terminal ending a dump, which it does
// only when logged in: an echo of the tool's own "%DUMPR" (terminals that
// echo what they get) or a prompt or refusal holding the word is not.
bool EndsDumpWhenLoggedIn(std::string_view line)
{
    constexpr std::string_view kLoggedOutTexts[] = {"please login", "please input password", "Login Failed"};
    if (line.starts_with('%'))
        return false;
    return std::none_of(std::begin(kLoggedOutTexts), std::end(kLoggedOutTexts),
                        [line](std::string_view text) { return line.find(text) != std::string_view::npos; });
}

// Commands that begin with a whole read need no check of their own: the read
// is answered with a prompt when logged out, and the login starts it again.
bool NeedsLogin(const SCliOptions& options)
{
    const ECliCommand command = options.command;
    return (command == ECliCommand::Exec && options.backupPath.empty()) || command == ECliCommand::Send
           || command == ECliCommand::Restart || command == ECliCommand::Defaults || command == ECliCommand::Records;
}

} // namespace

ECliExit ExitOf(const SJobReport& report)
{
    if (report.rejected > 0)
        return ECliExit::Rejected;
    const bool editLeftOut = std::any_of(report.leftOut.begin(), report.leftOut.end(),
                                         [](const SLeftOut& left) { return left.carriesEdit; });
    if (editLeftOut || (report.sent == 0 && !report.leftOut.empty()))
        return ECliExit::NotWritten;
    // A command that never went out, or whose answer may be another's, is
    // as unknown as one that got no answer.
    return report.AllAccepted() ? ECliExit::Ok : ECliExit::Unanswered;
}

namespace {

CLabelCatalogue CliCatalogue()
{
    std::string warning;
    CLabelCatalogue catalogue = OpenProgramCatalogue(&warning);
    if (!warning.empty())
        std::fprintf(stderr, "orlan-cli: %s\n", warning.c_str());
    return catalogue;
}

} // namespace

CCliSession::CCliSession(SCliOptions options) : m_options(std::move(options)), m_catalogue(CliCatalogue())
{
    m_session.Receive().SetStatusTexts(LoadStatusTexts(m_catalogue));
    // Pages write catalogue words into their own values (lists, cells), as the window does.
    for (const auto& page : m_session.Pages())
        page->LoadLabels(m_catalogue);
    m_session.SetPassword(m_options.password);
    if (m_options.commandTimeoutMs > 0)
        m_session.SetProfileTickLimits(m_options.commandTimeoutMs, m_options.commandTimeoutMs);

    for (QTimer* timer : {&m_deadline, &m_quiet, &m_answerWait, &m_settle}) {
        timer->setSingleShot(true);
        // A coarse timer may fire up to 5 % early: --timeout 15 would end at 14.3 s.
        timer->setTimerType(Qt::PreciseTimer);
    }
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        // Whatever the timer's accuracy, a time limit never ends early.
        const qint64 left = qint64{m_options.timeoutSeconds} * 1000 - m_deadlineClock.elapsed();
        if (left > 0)
            m_deadline.start(static_cast<int>(left));
        else
            DeadlinePassed();
    });
    connect(&m_quiet, &QTimer::timeout, this, [this] {
        // A profile waits for the read its login started, complete or failed:
        // its batch is not to go out into a dump, nor to a terminal that
        // answers nothing at all.
        const CTerminalSession::EWholeRead read = m_session.WholeRead();
        if (m_options.command == ECliCommand::Exec
            && (read == CTerminalSession::EWholeRead::Settling || read == CTerminalSession::EWholeRead::Requested))
            return;
        Progress("the terminal did not answer \"%DUMPR\"; going on");
        RunCommand();
    });
    connect(&m_settle, &QTimer::timeout, this, [this] {
        if (m_stage == EStage::AwaitAnswer)  // a dump request has no answer line
            Finish(ECliExit::Ok, "the terminal has gone quiet");
        else if (m_options.command == ECliCommand::Records)
            ExportRecords();
        else
            Finish(ExitOf(m_report), m_page != nullptr ? Caption(*m_page) + " read back" : std::string());
    });
    connect(&m_answerWait, &QTimer::timeout, this, [this] {
        Finish(ECliExit::Unanswered, "no answer to " + m_awaited + " in time");
    });
    connect(&m_port, &CSerialPort::portOpened, this,
            [this] { Progress("opened " + m_port.DevicePath().toStdString()); });
    connect(&m_port, &CSerialPort::portClosed, this, [this](const QString& reason) {
        if (reason.isEmpty())
            return;
        const bool lost = m_port.LastError().kind == LinkError::Kind::LinkLost;
        if (lost && m_stage != EStage::Done && m_session.ProfileRunning())
            ReportProfileCut();
        if (lost)
            Finish(ECliExit::LinkLost, reason.toStdString());
        else  // the doctor names the group to join or the program holding the port
            Finish(ECliExit::PortFailed,
                   reason.toStdString() + " (orlan-cli --port " + m_options.port + " doctor tells more)");
    });
}

void CCliSession::Start()
{
    if (!PreparePageCommand())
        return;
    if (!OutputsSpareInputs())
        return;
    if (m_options.command == ECliCommand::Exec && !LoadProfile())
        return;
    // A profile that cannot be saved is refused before the read, not after
    // it: the save is tried up to its temporary file, which goes again.
    const std::string& saveTo = m_options.command == ECliCommand::Read ? m_options.profilePath : m_options.backupPath;
    if ((m_options.command == ECliCommand::Read || m_options.command == ECliCommand::Exec) && !saveTo.empty()) {
        CSafeFile probe;
        if (!probe.Open(saveTo, kProfileSave)) {
            Finish(ECliExit::ProfileFailed, ProfileFailure(saveTo, probe.Error()));
            return;
        }
    }
    if (!OpenPort())
        return;
    if (NeedsLogin(m_options))
        StartLoginCheck();
    else
        RunCommand();
}

bool CCliSession::OutputsSpareInputs()
{
    // The same file under another spelling counts: a backup written over
    // the profile it was to keep would destroy it before it is read.
    const bool profileIsInput = m_options.command == ECliCommand::Exec || m_options.command == ECliCommand::Diff;
    if (!profileIsInput)
        return true;
    for (const std::string* output : {&m_options.backupPath, &m_options.exportPath}) {
        if (!output->empty() && SameFile(*output, m_options.profilePath)) {
            Finish(ECliExit::Usage, "\"" + *output + "\" is the profile \"" + m_options.profilePath
                                        + "\" itself; choose another file, nothing was sent");
            return false;
        }
    }
    return true;
}

bool CCliSession::LoadProfile()
{
    std::vector<SProfileLine> lines;
    {
        // In chunks through the reader: the file is never held whole.
        CProfileReader reader;
        std::string why = ReadFileInChunks(m_options.profilePath, kMaxProfileBytes, [this, &reader](std::string_view bytes) {
            reader.Feed(bytes);
            if (m_options.verify)
                m_profileText += bytes;  // compared with the terminal afterwards
        });
        if (why.empty()) {
            reader.Finish();
            why = reader.Error();
        }
        if (!why.empty()) {
            Finish(ECliExit::ProfileFailed, ProfileFailure(m_options.profilePath, why));
            return false;
        }
        lines = reader.TakeLines();
    }
    for (const SProfileLine& line : lines) {
        if (line.command)
            m_profileCommands.push_back(line.text);
    }
    m_profile = std::move(lines);
    return true;
}

std::string CCliSession::ProfileFailure(const std::string& path, const std::string& why)
{
    return "Open the profile failed! (" + path + ": " + why + ")";
}

bool CCliSession::OpenPort()
{
    const std::optional<PortInput> port = ParsePortInput(QString::fromStdString(m_options.port));
    if (!port) {
        Finish(ECliExit::Usage, "not a port: " + m_options.port);
        return false;
    }
    m_link.Open(port->devicePath, port->portNumber);
    return true;
}

void CCliSession::StartLoginCheck()
{
    // "%DUMPR" is harmless and ends with a DUMPR line when logged in; when
    // logged out the prompt is answered with the password, and the whole read
    // after "Login Success" ends with one too.
    m_stage = EStage::LoginCheck;
    Progress("checking the login");
    StartDeadline();
    m_quiet.start(CommandWaitMs(kAnswerWaitMs));
    m_session.SendRaw(kDumpR);
}

void CCliSession::RunCommand()
{
    m_stage = EStage::Command;
    m_quiet.stop();
    m_deadline.stop();
    switch (m_options.command) {
    case ECliCommand::Read:
        m_printLines = m_options.profilePath.empty();
        Progress("reading the whole configuration");
        StartDeadline();
        m_session.Reload();
        break;
    case ECliCommand::Defaults:
        m_printLines = true;
        Progress("factory defaults, then reading the whole configuration");
        StartDeadline();
        m_session.FactoryDefaults();
        break;
    case ECliCommand::Exec:
        if (!m_options.backupPath.empty() && !m_backupDone) {
            Progress("reading the whole configuration for the backup");
            StartDeadline();
            m_session.Reload();
        } else {
            ExecuteLoadedProfile();
        }
        break;
    case ECliCommand::Show:
    case ECliCommand::Write:
    case ECliCommand::Edit:
    case ECliCommand::Diff:
        Progress("reading the whole configuration");
        StartDeadline();
        m_session.Reload();
        break;
    case ECliCommand::Pages:
    case ECliCommand::Doctor:  // both run without a session (main)
        break;
    case ECliCommand::Send:
        m_printLines = true;
        AwaitAnswer(m_options.text, kAnswerWaitMs);
        m_session.SendRaw(m_options.text + "\r");
        break;
    case ECliCommand::Restart:
        AwaitAnswer(std::string(kRestart.substr(0, kRestart.size() - 1)), kAnswerWaitMs);
        m_session.Restart();
        break;
    case ECliCommand::Setup:
        Progress("setup key run sent; power-cycle or reset the terminal now");
        StartDeadline();
        m_session.EnterSetupMode();
        break;
    case ECliCommand::Records:
        StartRecordsReplay();
        break;
    case ECliCommand::Monitor:
        m_printLines = true;
        StartRecordFile();
        Progress("monitoring; SIGINT or SIGTERM ends it");
        if (m_options.timeoutGiven)
            StartDeadline();
        break;
    }
}

void CCliSession::ExecuteLoadedProfile()
{
    Progress("executing " + m_options.profilePath);
    m_profileStarted = m_session.ExecuteProfile(std::move(m_profile));
    m_profile.clear();
    if (!m_profileStarted)
        Finish(ECliExit::ProfileFailed, "the profile was not executed");
}

void CCliSession::AwaitAnswer(const std::string& what, int defaultMs)
{
    m_stage = EStage::AwaitAnswer;
    m_awaited = what;
    m_answerWait.start(CommandWaitMs(defaultMs));
}

int CCliSession::CommandWaitMs(int defaultMs) const
{
    return m_options.commandTimeoutMs > 0 ? m_options.commandTimeoutMs : defaultMs;
}

void CCliSession::OnLineLogged(std::string_view line)
{
    if (m_stage == EStage::Done)
        return;
    if (m_stage == EStage::LoginCheck) {
        m_quiet.start(CommandWaitMs(kAnswerWaitMs));  // still talking: a login or a read is under way
        m_lineShowsLogin = EndsDumpWhenLoggedIn(line);
    }
    if (m_stage == EStage::Settle || (m_stage == EStage::AwaitAnswer && m_options.command == ECliCommand::Send))
        m_settle.start(SettleMs());
    // A read's results are the configuration's "$" lines; prompts and
    // status lines go with the progress.
    const bool readsConfiguration =
        m_options.command == ECliCommand::Read || m_options.command == ECliCommand::Defaults;
    if (m_options.command == ECliCommand::Monitor && !m_recordErrorShown && !m_recordFile.Error().isEmpty())
        ReportRecordFileError();
    if (m_printLines && readsConfiguration && !line.starts_with('$')) {
        Progress("terminal: " + std::string(line));
    } else if (m_printLines) {
        // A watcher sees each line as it comes.
        if (!PrintLine(line) || (m_options.command == ECliCommand::Monitor && !FlushOut())) {
            Finish(ECliExit::OutputFailed);
            return;
        }
    } else if (m_options.verbose) {
        Progress("< " + std::string(line));
    }
    if (m_options.command == ECliCommand::Setup && m_stage == EStage::Command
        && line.find(kSetupModeLine) != std::string_view::npos)
        Finish(ECliExit::Ok, "the terminal is in setup mode");
}

void CCliSession::OnStatusText(const std::string& text)
{
    if (m_options.verbose && !text.empty())
        Progress(text);
}

void CCliSession::OnProgressShowLine(int /*ticks*/, const std::string& text)
{
    // While a profile runs these are its lines, as its progress window shows
    // them: its notes always, its commands only when asked for (a long
    // profile would bury the outcome).
    if (!m_session.ProfileRunning())
        return;
    if (m_options.verbose || !text.starts_with('%'))
        Progress(text);
    if (m_commandsOut < m_profileCommands.size() && text == m_profileCommands[m_commandsOut]) {
        ++m_commandsOut;  // announced right before it is written
        m_lastAnswered = false;
    }
}

void CCliSession::OnAnswer(EAnswer answer)
{
    if (m_options.verbose)
        Progress(answer == EAnswer::CmdErr ? "answer CMD ERR" : answer == EAnswer::CmdOk ? "answer CMD OK"
                                                                                          : "answer Please wait");
    if (m_session.ProfileRunning())
        m_lastAnswered = true;
    if (m_stage == EStage::AwaitAnswer) {
        if (answer == EAnswer::CmdErr)
            Finish(ECliExit::Rejected, m_awaited + " was answered CMD ERR");
        else if (m_options.command == ECliCommand::Restart)
            Finish(ECliExit::Ok, "the terminal accepted \"%RST\" and restarts");
        else
            Finish(ECliExit::Ok);
    } else if (m_options.command == ECliCommand::Defaults && m_stage == EStage::Command
               && answer == EAnswer::CmdErr) {
        m_rejected = true;
    }
}

void CCliSession::OnLoginSuccess()
{
    Progress("logged in");
}

void CCliSession::OnLoginFailed()
{
    if (m_options.verbose && !m_session.LoginGivenUp())
        Progress("password refused; the session tries it again");
}

void CCliSession::ShowInformation(const std::string& text)
{
    // The session answers the first refusals itself; its message when it
    // gives up ends the run, said once.
    if (m_session.LoginGivenUp() && m_stage != EStage::Done) {
        Finish(ECliExit::LoginRefused, text);
        return;
    }
    Progress(text);
}

void CCliSession::OnWholeReadComplete()
{
    if (m_stage == EStage::LoginCheck) {
        RunCommand();
        return;
    }
    if (m_stage == EStage::FinalRead) {
        FinalReadDone();
        return;
    }
    // Exec reads first only for its backup.
    const bool readsFirst =
        m_options.command != ECliCommand::Exec || (!m_options.backupPath.empty() && !m_backupDone);
    if (m_stage == EStage::Command && readsFirst && m_options.command != ECliCommand::Monitor
        && m_options.command != ECliCommand::Setup)
        WholeReadDone();
}

void CCliSession::OnWholeReadFailed(const std::string& reason)
{
    // A port that failed or closed is reported as such by its own signal.
    if (!m_port.IsOpen())
        return;
    if (m_stage == EStage::LoginCheck) {
        Finish(ECliExit::TimedOut, "not logged in: the whole read after the login failed: " + reason);
        return;
    }
    if (m_stage == EStage::Command || m_stage == EStage::FinalRead)
        Finish(m_stage == EStage::FinalRead && !m_report.AllAccepted() ? ExitOf(m_report) : ECliExit::TimedOut,
               "the whole configuration read failed: " + reason);
}

void CCliSession::OnDumpEndOutsideRead()
{
    // The login check's "%DUMPR" was answered: logged in already.
    if (m_stage == EStage::LoginCheck && m_lineShowsLogin)
        RunCommand();
}

void CCliSession::WholeReadDone()
{
    switch (m_options.command) {
    case ECliCommand::Show: ShowPages(); return;
    case ECliCommand::Write: WritePage(); return;
    case ECliCommand::Edit: EditRow(); return;
    case ECliCommand::Diff: DiffWithProfile(); return;
    case ECliCommand::Exec: BackupThenExecute(); return;
    default: break;
    }
    if (m_options.command == ECliCommand::Defaults) {
        Finish(m_rejected ? ECliExit::Rejected : ECliExit::Ok,
               m_rejected ? "\"%ATF\" was answered CMD ERR" : "whole configuration read");
        return;
    }
    if (m_options.profilePath.empty()) {
        Finish(ECliExit::Ok, "whole configuration read");
        return;
    }
    std::vector<SLeftOut> leftOut;
    const std::string bytes = m_session.ProfileBytes(&leftOut);
    for (const SLeftOut& left : leftOut)
        Progress("profile: " + LeftOutText(left));
    const std::string why = SaveFileSafely(m_options.profilePath, bytes, kProfileSave);
    if (!why.empty()) {
        Finish(ECliExit::ProfileFailed, ProfileFailure(m_options.profilePath, why));
        return;
    }
    Finish(ECliExit::Ok, "profile written to " + m_options.profilePath + " (" + std::to_string(bytes.size())
                             + " bytes)");
}

void CCliSession::OnJobFinished(const std::string& name, const SJobReport& report)
{
    if (m_stage == EStage::Done)
        return;
    m_report = report;
    Progress((m_page != nullptr ? Caption(*m_page) : name) + ": " + report.Summary());
    for (const std::string& failed : report.failed) {
        if (!PrintLine(failed)) {
            Finish(ECliExit::OutputFailed);
            return;
        }
    }
    for (const SLeftOut& left : report.leftOut) {
        if (!PrintLine(LeftOutText(left))) {
            Finish(ECliExit::OutputFailed);
            return;
        }
    }
    if (m_session.ProfileCutByRestart()) {
        Finish(ECliExit::Restarted, "the terminal restarted during the profile; the commands it did not take or "
                                    "that were not sent are listed on standard output");
        return;
    }
    if (report.cancelled || m_interrupted) {
        Finish(ECliExit::Interrupted, "interrupted");
        return;
    }
    if (m_stage == EStage::PageJob && m_page != nullptr) {
        const EJobEnd end = m_options.command == ECliCommand::Write ? m_page->SaveJob().end : EJobEnd::ReadPage;
        if (end != EJobEnd::ReadAll) {
            // The page's own read went out with the job: let its lines come in.
            m_stage = EStage::Settle;
            m_settle.start(SettleMs());
            StartDeadline();
            return;
        }
    }
    // The session has started the whole read that follows the commands.
    m_stage = EStage::FinalRead;
    StartDeadline();
}

void CCliSession::StartDeadline()
{
    m_deadlineClock.start();
    m_deadline.start(m_options.timeoutSeconds * 1000);
}

void CCliSession::DeadlinePassed()
{
    const qint64 elapsedMs = m_deadlineClock.elapsed();
    char measured[32];
    std::snprintf(measured, sizeof measured, "%lld.%03lld", static_cast<long long>(elapsedMs / 1000),
                  static_cast<long long>(elapsedMs % 1000));
    const std::string waited = std::to_string(m_options.timeoutSeconds) + " s (waited " + measured + " s)";
    switch (m_stage) {
    case EStage::LoginCheck:
        Finish(ECliExit::TimedOut, "not logged in within " + waited);
        break;
    case EStage::Settle:
        if (m_options.command == ECliCommand::Records)  // a log cut short is not exported as if whole
            Finish(ECliExit::TimedOut, "the terminal was still sending its log after " + waited
                                           + "; nothing was exported (a longer --timeout gives it time)");
        else
            Finish(ExitOf(m_report), "the page's read did not end within " + waited);
        break;
    case EStage::FinalRead:
        // What the profile's commands met says more than the read after them.
        Finish(m_report.AllAccepted() ? ECliExit::TimedOut : ExitOf(m_report),
               "the whole read after the profile did not complete within " + waited);
        break;
    default:
        if (m_options.command == ECliCommand::Monitor)
            Finish(ECliExit::Ok, "watched for " + waited);
        else if (m_options.command == ECliCommand::Setup)
            Finish(ECliExit::TimedOut, "no \"come in setup mode\" within " + waited);
        else
            Finish(ECliExit::TimedOut, "no complete answer from the terminal within " + waited);
        break;
    }
}

void CCliSession::Interrupt()
{
    if (m_stage == EStage::Done)
        return;
    if (m_options.command == ECliCommand::Monitor) {
        Finish(ECliExit::Ok, "stopped");
        return;
    }
    if (m_session.ProfileRunning() && !m_interrupted) {
        m_interrupted = true;
        Progress("interrupted: closing the batch with \"%COMMITCMD\" first");
        if (m_session.PrepareToClose())
            return;  // the job's end reports
    }
    Finish(ECliExit::Interrupted, "interrupted");
}

void CCliSession::ReportProfileCut()
{
    // Which commands went out: the one on the wire lost its answer, the rest
    // never left, and the batch stays open on the terminal.
    Progress("the link was lost during the profile: " + std::to_string(m_commandsOut) + " of its "
             + std::to_string(m_profileCommands.size()) + " commands had gone out; \"%COMMITCMD\" was not sent");
    bool written = true;
    if (m_commandsOut > 0 && !m_lastAnswered)
        written = PrintLine(m_profileCommands[m_commandsOut - 1] + " (no answer)");
    for (size_t i = m_commandsOut; i < m_profileCommands.size() && written; ++i)
        written = PrintLine(m_profileCommands[i] + " (not sent)");
    if (written)
        PrintLine(std::string(kCommitCmd.substr(0, kCommitCmd.size() - 1)) + " (not sent)");
}

void CCliSession::Finish(ECliExit code, const std::string& message)
{
    if (m_stage == EStage::Done)
        return;
    m_printLines = false;
    m_deadline.stop();
    m_quiet.stop();
    m_answerWait.stop();
    m_settle.stop();
    if (m_options.command == ECliCommand::Exec && m_stage != EStage::Starting && !m_profileStarted
        && !m_profileCommands.empty()) {
        // The port was open and the run ends before the profile: say so where its results go.
        Progress("nothing of the profile was sent");
        bool written = true;
        for (size_t i = 0; i < m_profileCommands.size() && written; ++i)
            written = PrintLine(m_profileCommands[i] + " (not sent)");
    }
    m_stage = EStage::Done;
    const bool outputWritten = FlushOut();
    if (!message.empty())
        Progress(message);
    if (!outputWritten) {
        Progress("standard output could not be written: " + m_outError);
        code = ECliExit::OutputFailed;
    }
    if (finished)
        finished(code);
}

void CCliSession::Progress(const std::string& message) const
{
    // Status texts and answers come from the unit too: never raw to a terminal.
    std::fprintf(stderr, "orlan-cli: %s\n", EscapeForTerminal(message).c_str());
}

bool CCliSession::PrintOut(std::string_view text)
{
    if (!m_outError.empty())
        return false;
    if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size())
        return true;
    m_outError = std::generic_category().message(errno);
    return false;
}

bool CCliSession::PrintLine(std::string_view line)
{
    return PrintOut(m_options.raw ? std::string(line) : EscapeForTerminal(line)) && PrintOut("\n");
}

bool CCliSession::FlushOut()
{
    if (!m_outError.empty())
        return false;
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0)
        return true;
    m_outError = std::generic_category().message(errno);
    return false;
}

} // namespace orlan
