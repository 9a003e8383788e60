#include "cli/CliSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "console/ConsoleCommands.h"
#include "console/StatusTexts.h"
#include "labels/LabelCatalogue.h"
#include "link/PortNames.h"

namespace orlan {

namespace {

constexpr int kMaxLoginRetries = 3;

CLabelCatalogue OpenCatalogue()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const std::filesystem::path path = ResolveCataloguePath(
        QDir::currentPath().toStdString(),
        {(exeDir + QStringLiteral("/../share/orlan/gsm.ini")).toStdString(),
         (exeDir + QStringLiteral("/gsm.ini")).toStdString()});
    CLabelCatalogue catalogue;
    catalogue.Bind(path);
    return catalogue;
}

} // namespace

CCliSession::CCliSession(const SCliOptions& options) : m_options(options)
{
    m_rx.SetStatusTexts(LoadStatusTexts(OpenCatalogue()));
    m_rx.SetPassword(m_options.password);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        Finish(ECliExit::TimedOut,
               QStringLiteral("no complete answer from the terminal within %1 s").arg(m_options.timeoutSeconds));
    });
    connect(&m_port, &CSerialPort::portOpened, this,
            [this] { Progress(QStringLiteral("opened %1").arg(m_port.DevicePath())); });
    connect(&m_port, &CSerialPort::portClosed, this, [this](const QString& reason) {
        if (reason.isEmpty())
            return;
        const bool lost = m_port.LastError().kind == LinkError::Kind::LinkLost;
        Finish(lost ? ECliExit::LinkLost : ECliExit::PortFailed, reason);
    });
}

void CCliSession::StartRead()
{
    const std::optional<PortInput> port = ParsePortInput(m_options.port);
    if (!port) {
        Finish(ECliExit::Usage, QStringLiteral("not a port: %1").arg(m_options.port));
        return;
    }
    if (port->devicePath.isEmpty())
        m_port.SetPortNumber(port->portNumber);
    else
        m_port.SetDevicePath(port->devicePath);
    m_port.SetBaudRate(115200);
    m_port.StartStop(true, this, this);
    m_deadline.start(m_options.timeoutSeconds * 1000);
    Progress(QStringLiteral("reading the whole configuration"));
    // Output queued before the port thread has opened the port is kept.
    SendWholeConfigurationRead(m_sink);
}

void CCliSession::OnLineLogged(std::string_view line)
{
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

void CCliSession::OnStatusText(const std::string& text)
{
    if (m_options.verbose && !text.empty())
        Progress(QString::fromStdString(text));
}

void CCliSession::OnLoginSuccess()
{
    m_loginRetries = 0;
    Progress(QStringLiteral("logged in; reading the whole configuration"));
    SendWholeConfigurationRead(m_sink);
}

void CCliSession::OnLoginFailed()
{
    if (++m_loginRetries > kMaxLoginRetries) {
        Finish(ECliExit::LoginRefused, QStringLiteral("The login password is incorrect!"));
        return;
    }
    SendPassword(m_sink, m_options.password);
}

void CCliSession::OnWholeReadComplete()
{
    Finish(ECliExit::Ok, QStringLiteral("whole configuration read"));
}

void CCliSession::Finish(ECliExit code, const QString& message)
{
    if (m_done)
        return;
    m_done = true;
    m_deadline.stop();
    std::fflush(stdout);
    if (!message.isEmpty())
        Progress(message);
    if (finished)
        finished(code);
}

void CCliSession::Progress(const QString& message) const
{
    std::fprintf(stderr, "orlan-cli: %s\n", message.toLocal8Bit().constData());
}

} // namespace orlan
