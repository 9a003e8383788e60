#include "cli/CliSession.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <system_error>

#include <QGuiApplication>

#include "cli/TerminalText.h"
#include "cli/commands/CommandTable.h"
#include "console/ConsoleCommands.h"
#include "console/StatusTexts.h"
#include "link/PortNames.h"
#include "platform/ProgramCatalogue.h"
#include "platform/ReportPdf.h"
#include "session/PageAccess.h"

namespace orlan {

namespace {

constexpr int kLoginQuietMs = CTerminalSession::kProfileBracketWaitMs;

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
        m_session.SetProfileAnswerWaits(m_options.commandTimeoutMs, m_options.commandTimeoutMs);
    m_command = MakeCliCommand(m_options.command, *this);
    m_history.onError = [this](const std::string& why) { Progress(why); };

    for (QTimer* timer : {&m_deadline, &m_loginQuiet, &m_quietWait, &m_answerWait}) {
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
    connect(&m_loginQuiet, &QTimer::timeout, this, [this] { LoginCheckQuiet(); });
    connect(&m_quietWait, &QTimer::timeout, this, [this] {
        if (m_stage == EStage::Running)
            m_command->OnQuiet();
    });
    connect(&m_answerWait, &QTimer::timeout, this, [this] {
        if (m_stage == EStage::Running)
            m_command->OnAnswerLate();
    });
    ConnectPort();
}

CCliSession::~CCliSession() = default;

void CCliSession::ConnectPort()
{
    connect(&m_port, &CSerialPort::portOpened, this,
            [this] { Progress("opened " + m_port.DevicePath().toStdString()); });
    connect(&m_port, &CSerialPort::portClosed, this, [this](const QString& reason) {
        if (reason.isEmpty())
            return;
        const bool lost = m_port.LastError().kind == LinkError::Kind::LinkLost;
        if (lost && m_stage != EStage::Done && m_session.ProfileRunning() && m_command)
            m_command->OnLinkLostInProfile();
        if (lost)
            Finish(ECliExit::LinkLost, reason.toStdString());
        else  // the doctor names the group to join or the program holding the port
            Finish(ECliExit::PortFailed,
                   reason.toStdString() + " (orlan-cli --port " + m_options.port + " doctor tells more)");
    });
}

void CCliSession::Start()
{
    if (!m_command) {
        Finish(ECliExit::Usage, "this command runs without a session");
        return;
    }
    if (!m_command->Prepare() || !OpenPort())
        return;
    if (m_command->NeedsLogin())
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
    StartDeadline();
    m_loginQuiet.start(CommandWaitMs(kLoginQuietMs));
    m_session.SendRaw(kDumpR);
}

void CCliSession::LoginCheckQuiet()
{
    // A verb may wait for the read its login started, complete or failed:
    // a profile's batch is not to go out into a dump, nor to a terminal that
    // answers nothing at all.
    const CTerminalSession::EWholeRead read = m_session.WholeRead();
    if (m_command->WaitsForPendingRead()
        && (read == CTerminalSession::EWholeRead::Settling || read == CTerminalSession::EWholeRead::Requested))
        return;
    Progress("the terminal did not answer \"%DUMPR\"; going on");
    RunCommand();
}

void CCliSession::RunCommand()
{
    m_stage = EStage::Running;
    m_loginQuiet.stop();
    m_deadline.stop();
    m_command->Run();
}

int CCliSession::CommandWaitMs(int defaultMs) const
{
    return m_options.commandTimeoutMs > 0 ? m_options.commandTimeoutMs : defaultMs;
}

void CCliSession::OnLineLogged(std::string_view line)
{
    if (m_stage == EStage::Running) {
        m_command->OnLine(line);
        return;
    }
    if (m_stage != EStage::LoginCheck)
        return;
    m_loginQuiet.start(CommandWaitMs(kLoginQuietMs));  // still talking: a login or a read is under way
    m_lineShowsLogin = EndsDumpWhenLoggedIn(line);
    if (m_options.verbose)
        Progress("< " + std::string(line));
}

void CCliSession::OnStatusText(const std::string& text)
{
    if (m_options.verbose && !text.empty())
        Progress(text);
}

void CCliSession::OnProgressShowLine(int /*ticks*/, const std::string& text)
{
    if (m_stage == EStage::Running)
        m_command->OnProgressLine(text);
}

void CCliSession::OnAnswer(EAnswer answer)
{
    if (m_options.verbose)
        Progress(answer == EAnswer::CmdErr ? "answer CMD ERR" : answer == EAnswer::CmdOk ? "answer CMD OK"
                                                                                          : "answer Please wait");
    if (m_stage == EStage::Running)
        m_command->OnAnswer(answer);
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
    if (m_stage == EStage::LoginCheck)
        RunCommand();
    else if (m_stage == EStage::Running)
        m_command->OnWholeReadComplete();
}

void CCliSession::OnWholeReadFailed(const std::string& reason)
{
    // A port that failed or closed is reported as such by its own signal.
    if (!m_port.IsOpen())
        return;
    if (m_stage == EStage::LoginCheck)
        Finish(ECliExit::TimedOut, "not logged in: the whole read after the login failed: " + reason);
    else if (m_stage == EStage::Running)
        m_command->OnWholeReadFailed(reason);
}

void CCliSession::OnDumpEndOutsideRead()
{
    // The login check's "%DUMPR" was answered: logged in already.
    if (m_stage == EStage::LoginCheck && m_lineShowsLogin)
        RunCommand();
}

void CCliSession::OnValueRefused(const CPage& page, const std::string& fieldId, const std::string& why)
{
    Finish(ECliExit::Usage, PageCaption(page, m_catalogue) + ": "
                                + (fieldId.empty() ? "" : "field \"" + fieldId + "\" ") + why + "; nothing was sent");
}

void CCliSession::OnJobFinished(const std::string& name, const SJobReport& report)
{
    ReportJob(name, report);
}

void CCliSession::OnPageJobFinished(const CPage& page, const SPageJobKind& kind, const std::string& /*name*/,
                                    const SJobReport& report)
{
    m_jobEnd = kind.end;
    // A page's job is named by its caption, and a row by its list's label,
    // as the window names them.
    std::string name = PageCaption(page, m_catalogue);
    if (kind.kind == SPageJobKind::EKind::RowEdit && kind.row && kind.table < page.Tables().size())
        name += ": " + page.Tables()[kind.table].RowLabel(*kind.row, m_catalogue);
    ReportJob(name, report);
}

void CCliSession::ReportJob(const std::string& name, const SJobReport& report)
{
    if (m_stage != EStage::Running)
        return;
    m_report = report;
    Progress(name + ": " + report.Summary());
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
    m_command->OnJobFinished(report);
}

void CCliSession::OnPageReadEnded(const CPage& page)
{
    if (m_stage == EStage::Running)
        m_command->OnPageReadEnded(page);
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
    if (m_stage == EStage::LoginCheck)
        Finish(ECliExit::TimedOut, "not logged in within " + waited);
    else if (m_stage == EStage::Running)
        m_command->OnDeadline(waited);
}

void CCliSession::Interrupt()
{
    if (m_stage == EStage::Done || (m_command && m_command->OnInterrupt()))
        return;
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
    for (QTimer* timer : {&m_deadline, &m_loginQuiet, &m_quietWait, &m_answerWait})
        timer->stop();
    if (m_command)
        m_command->BeforeEnd(m_stage != EStage::Starting);
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

std::string CCliSession::HtmlToPdf(const std::string& html, std::string& pdf)
{
    // main makes the application a GUI one (offscreen) for a PDF report.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return "this run cannot print a PDF";
    pdf = PdfOfHtml(QString::fromStdString(html)).toStdString();
    return pdf.empty() ? "printing the PDF failed" : std::string();
}

} // namespace orlan
