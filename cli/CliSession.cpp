#include "cli/CliSession.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>

#include "console/ConsoleCommands.h"
#include "console/ProfileText.h"
#include "console/StatusTexts.h"
#include "labels/LabelCatalogue.h"
#include "link/ProgramCatalogue.h"
#include "link/PortNames.h"

namespace orlan {

namespace {

constexpr int kAnswerWaitMs = CTerminalSession::kProfileBracketTicks;
// A profile is a page of text; anything near this size is not one.
constexpr std::uintmax_t kMaxProfileBytes = 16 * 1024 * 1024;
constexpr std::string_view kOpenProfileFailed = "Open the profile failed!";
constexpr std::string_view kSetupModeLine = "come in setup mode";

// The whole file, or nothing with the reason.
std::optional<std::string> ReadProfileFile(const std::string& path, std::string* reason)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        *reason = "is a folder";
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        *reason = "cannot be opened";
        return std::nullopt;
    }
    std::string contents;
    char buffer[65536];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        contents.append(buffer, static_cast<size_t>(file.gcount()));
        if (contents.size() > kMaxProfileBytes) {
            *reason = "is larger than 16 MiB";
            return std::nullopt;
        }
    }
    if (file.bad()) {
        *reason = "cannot be read";
        return std::nullopt;
    }
    return contents;
}

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

    for (QTimer* timer : {&m_deadline, &m_quiet, &m_answerWait})
        timer->setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] { DeadlinePassed(); });
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
        Finish(lost ? ECliExit::LinkLost : ECliExit::PortFailed, reason.toStdString());
    });
}

void CCliSession::Start()
{
    if (m_options.command == ECliCommand::Exec) {
        std::string reason;
        std::optional<std::string> contents = ReadProfileFile(m_options.profilePath, &reason);
        if (!contents) {
            Finish(ECliExit::ProfileFailed,
                   std::string(kOpenProfileFailed) + " (" + m_options.profilePath + " " + reason + ")");
            return;
        }
        m_profile = std::move(*contents);
    }
    if (!OpenPort())
        return;
    if (NeedsLogin(m_options.command))
        StartLoginCheck();
    else
        RunCommand();
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
    m_deadline.start(m_options.timeoutSeconds * 1000);
    m_quiet.start(CommandWaitMs(kAnswerWaitMs));
    m_session.SendRaw(kDumpR);
}

void CCliSession::RunCommand()
{
    m_stage = EStage::Command;
    m_quiet.stop();
    m_deadline.stop();
    const int timeoutMs = m_options.timeoutSeconds * 1000;
    switch (m_options.command) {
    case ECliCommand::Read:
        m_printLines = m_options.profilePath.empty();
        Progress("reading the whole configuration");
        m_deadline.start(timeoutMs);
        m_session.Reload();
        break;
    case ECliCommand::Defaults:
        m_printLines = true;
        Progress("factory defaults, then reading the whole configuration");
        m_deadline.start(timeoutMs);
        m_session.FactoryDefaults();
        break;
    case ECliCommand::Exec:
        Progress("executing " + m_options.profilePath);
        m_session.ExecuteProfile(m_profile);
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
        m_deadline.start(timeoutMs);
        m_session.EnterSetupMode();
        break;
    case ECliCommand::Monitor:
        m_printLines = true;
        Progress("monitoring; SIGINT or SIGTERM ends it");
        if (m_options.timeoutGiven)
            m_deadline.start(timeoutMs);
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
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
        if (m_options.command == ECliCommand::Monitor)
            std::fflush(stdout);  // a watcher sees each line as it comes
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
    if (m_session.ProfileRunning())
        Progress(text);
}

void CCliSession::OnAnswer(EAnswer answer)
{
    if (m_options.verbose)
        Progress(answer == EAnswer::CmdErr ? "answer CMD ERR" : answer == EAnswer::CmdOk ? "answer CMD OK"
                                                                                          : "answer Please wait");
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
    if (!SaveFileAtomically(m_options.profilePath, bytes)) {
        Finish(ECliExit::ProfileFailed, std::string(kOpenProfileFailed) + " (" + m_options.profilePath + ")");
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
    for (const std::string& failed : report.failed)
        std::printf("%s\n", failed.c_str());
    if (report.cancelled || m_interrupted) {
        Finish(ECliExit::Interrupted, "interrupted");
        return;
    }
    // The session has started the whole read that follows a profile.
    m_stage = EStage::FinalRead;
    m_deadline.start(m_options.timeoutSeconds * 1000);
}

void CCliSession::DeadlinePassed()
{
    const std::string waited = std::to_string(m_options.timeoutSeconds) + " s";
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

void CCliSession::Finish(ECliExit code, const std::string& message)
{
    if (m_stage == EStage::Done)
        return;
    m_stage = EStage::Done;
    m_printLines = false;
    m_deadline.stop();
    m_quiet.stop();
    m_answerWait.stop();
    std::fflush(stdout);
    if (!message.empty())
        Progress(message);
    if (finished)
        finished(code);
}

void CCliSession::Progress(const std::string& message) const
{
    std::fprintf(stderr, "orlan-cli: %s\n", message.c_str());
}

} // namespace orlan
