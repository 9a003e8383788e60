#include "cli/CliSession.h"

#include <cerrno>
#include <cstdio>
#include <optional>
#include <system_error>

#include "cli/TerminalText.h"
#include "console/ConsoleCommands.h"
#include "console/StatusTexts.h"
#include "labels/LabelCatalogue.h"
#include "link/ProgramCatalogue.h"
#include "link/PortNames.h"

namespace orlan {

namespace {

constexpr int kAnswerWaitMs = CTerminalSession::kProfileBracketTicks;
constexpr std::string_view kOpenProfileFailed = "Open the profile failed!";
constexpr std::string_view kSetupModeLine = "come in setup mode";
// A profile holds the SIM PIN and PUK; the user named the file.
constexpr SSaveOptions kProfileSave{ENewFileMode::Private, ELinkPolicy::WriteThrough};

bool NeedsLogin(ECliCommand command)
{
    return command == ECliCommand::Exec || command == ECliCommand::Send || command == ECliCommand::Restart
           || command == ECliCommand::Defaults;
}

ECliExit ExitOf(const SJobReport& report)
{
    if (report.rejected > 0)
        return ECliExit::Rejected;
    return report.unanswered > 0 ? ECliExit::Unanswered : ECliExit::Ok;
}

} // namespace

CCliSession::CCliSession(SCliOptions options) : m_options(std::move(options))
{
    m_session.Receive().SetStatusTexts(LoadStatusTexts(OpenProgramCatalogue()));
    m_session.SetPassword(m_options.password);
    if (m_options.commandTimeoutMs > 0)
        m_session.SetProfileTickLimits(m_options.commandTimeoutMs, m_options.commandTimeoutMs);

    for (QTimer* timer : {&m_deadline, &m_quiet, &m_answerWait}) {
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
        Progress("the terminal did not answer \"%DUMPR\"; going on");
        RunCommand();
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
        Finish(lost ? ECliExit::LinkLost : ECliExit::PortFailed, reason.toStdString());
    });
}

void CCliSession::Start()
{
    if (m_options.command == ECliCommand::Exec && !LoadProfile())
        return;
    // A profile that cannot be saved is refused before the read, not after
    // it: the save is tried up to its temporary file, which goes again.
    if (m_options.command == ECliCommand::Read && !m_options.profilePath.empty()) {
        CSafeFile probe;
        if (!probe.Open(m_options.profilePath, kProfileSave)) {
            Finish(ECliExit::ProfileFailed, ProfileFailure(probe.Error()));
            return;
        }
    }
    if (!OpenPort())
        return;
    if (NeedsLogin(m_options.command))
        StartLoginCheck();
    else
        RunCommand();
}

bool CCliSession::LoadProfile()
{
    std::vector<SProfileLine> lines;
    {
        // In chunks through the reader: the file is never held whole.
        CProfileReader reader;
        std::string why = ReadFileInChunks(m_options.profilePath, kMaxProfileBytes,
                                           [&reader](std::string_view bytes) { reader.Feed(bytes); });
        if (why.empty()) {
            reader.Finish();
            why = reader.Error();
        }
        if (!why.empty()) {
            Finish(ECliExit::ProfileFailed, ProfileFailure(why));
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

std::string CCliSession::ProfileFailure(const std::string& why) const
{
    return std::string(kOpenProfileFailed) + " (" + m_options.profilePath + ": " + why + ")";
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
        Progress("executing " + m_options.profilePath);
        if (!m_session.ExecuteProfile(std::move(m_profile)))
            Finish(ECliExit::ProfileFailed, "the profile was not executed");
        m_profile.clear();
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
    case ECliCommand::Monitor:
        m_printLines = true;
        Progress("monitoring; SIGINT or SIGTERM ends it");
        if (m_options.timeoutGiven)
            StartDeadline();
        break;
    }
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
    if (m_stage == EStage::LoginCheck)
        m_quiet.start(CommandWaitMs(kAnswerWaitMs));  // still talking: a login or a read is under way
    if (m_printLines) {
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
    // While a profile runs these are its lines, as its progress window shows them.
    if (!m_session.ProfileRunning())
        return;
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
        else
            Finish(ECliExit::Ok);
    } else if (m_options.command == ECliCommand::Defaults && m_stage == EStage::Command
               && answer == EAnswer::CmdErr) {
        m_rejected = true;
    }
}

void CCliSession::OnLoginSuccess()
{
    m_loginFailures = 0;
    Progress("logged in");
}

void CCliSession::OnLoginFailed()
{
    // The session answers the first refusals itself; after that it gives up.
    if (++m_loginFailures > CTerminalSession::kMaxLoginRetries)
        Finish(ECliExit::LoginRefused, "The login password is incorrect!");
}

void CCliSession::OnWholeReadComplete()
{
    if (m_stage == EStage::LoginCheck) {
        RunCommand();
        return;
    }
    const bool readCommand = m_options.command == ECliCommand::Read || m_options.command == ECliCommand::Defaults;
    if ((m_stage == EStage::Command && readCommand) || m_stage == EStage::FinalRead)
        WholeReadDone();
}

void CCliSession::WholeReadDone()
{
    if (m_stage == EStage::FinalRead) {
        Finish(ExitOf(m_report), "whole configuration read");
        return;
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
    const std::string bytes = m_session.ProfileBytes();
    const std::string why = SaveFileSafely(m_options.profilePath, bytes, kProfileSave);
    if (!why.empty()) {
        Finish(ECliExit::ProfileFailed, ProfileFailure(why));
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
    Progress(name + ": " + report.Summary());
    for (const std::string& failed : report.failed) {
        if (!PrintLine(failed)) {
            Finish(ECliExit::OutputFailed);
            return;
        }
    }
    if (report.cancelled || m_interrupted) {
        Finish(ECliExit::Interrupted, "interrupted");
        return;
    }
    // The session has started the whole read that follows a profile.
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
    m_stage = EStage::Done;
    m_printLines = false;
    m_deadline.stop();
    m_quiet.stop();
    m_answerWait.stop();
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
