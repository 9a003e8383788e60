#include "app/PortController.h"

#include <QToolButton>

#include "app/AppSettings.h"
#include "app/EditsGuard.h"
#include "app/ElidingLabel.h"
#include "app/LinkBar.h"
#include "app/MessageCentre.h"
#include "app/StartOptions.h"
#include "labels/CommonLabelKeys.h"
#include "link/PortDiscovery.h"
#include "link/PortNames.h"
#include "link/PortWatcher.h"
#include "platform/RegSetting.h"
#include "wiring/Reconnector.h"
#include "wiring/TerminalLink.h"

namespace orlan {

CPortController::CPortController(SParts parts, QObject* parent) : QObject(parent), m_parts(parts)
{
    m_clock.start();
    CSerialPort& port = m_parts.link.Port();
    connect(&port, &CSerialPort::portOpened, this, [this] { Refresh(); });
    connect(&port, &CSerialPort::portClosed, this, [this](const QString& reason) {
        Refresh();
        // A loss already says what is being done about it.
        if (m_health.State(m_clock.elapsed()) == CLinkHealth::EState::Closed)
            SetLinkText(reason.isEmpty() ? tr("Port closed") : reason);
    });
    connect(&m_parts.reconnector, &CReconnector::reconnected, this, [this] { Refresh(); });

    CLinkBar& bar = m_parts.linkBar;
    connect(&bar, &CLinkBar::portChosen, this, [this] { OnPortChosen(); });
    connect(&bar, &CLinkBar::otherPortEntered, this, &CPortController::OnOtherPort);
    connect(&bar, &CLinkBar::reconnectRequested, this, [this] {
        Open();
        Q_EMIT reconnectAsked();
    });
    connect(&bar, &CLinkBar::parityChosen, this, [this] { ApplyParity(); });
    connect(bar.ShowAllPortsAction(), &QAction::toggled, this,
            [](bool show) { CPreferences().setValue(QLatin1String(kShowAllPortsSetting), show); });

    // Named, so a lag probe can tell the window's timers apart.
    m_lamp.setObjectName(QStringLiteral("portLamp"));
    m_lamp.setInterval(kLampMs);
    connect(&m_lamp, &QTimer::timeout, this, [this] { Refresh(); });
    m_lamp.start();
}

bool CPortController::ApplyStartOptions(const SStartOptions& options)
{
    CRegSetting& settings = m_parts.linkSettings;
    CLinkBar& bar = m_parts.linkBar;
    // A port named on the command line makes the adapter search moot.
    const bool found = options.port || ProbeAndSelect(settings, options.deviceLister);

    bar.SetPortIndex(settings.ReadNumber(QString::fromLatin1(kPortValueName), 0, kDefaultPortValue));
    bar.SetSpeedIndex(settings.ReadNumber(QString::fromLatin1(kSpeedValueName), 0, kDefaultSpeedValue));
    bar.SetParityIndex(settings.ReadNumber(QString::fromLatin1(kParityValueName), 0, kDefaultParityValue));

    if (options.port) {
        // For this run only: the remembered port stays unless the user picks one.
        m_storePort = false;
        int number = options.port->portNumber;
        if (number == 0)
            number = PortNumberOf(options.port->devicePath, settings);
        if (number > 0) {
            bar.SetPortIndex(number - 1);
        } else {
            m_overridePath = options.port->devicePath;
            bar.SetPortPath(m_overridePath);
        }
    }
    if (options.password)
        bar.SetPassword(*options.password);
    bar.SetShowAllPorts(CPreferences().value(QLatin1String(kShowAllPortsSetting), false).toBool());
    return found;
}

void CPortController::Open()
{
    const int index = m_parts.linkBar.PortIndex();
    QString label;
    // The speed choice is kept, but the console always runs at 115 200 bit/s.
    if (index < 0 && !m_overridePath.isEmpty()) {
        m_parts.link.Open(m_overridePath);
        label = m_overridePath;
    } else {
        // With no entry selected this is port 0, which never opens.
        m_parts.link.Open({}, index + 1);
        label = PortName(index + 1);
    }
    m_openIndex = index;
    Q_EMIT opening();  // another port may lead to another unit
    // A new opening has heard nothing yet, whatever the old one had.
    m_health.SetPort(false, false, m_clock.elapsed());
    ApplyParity();
    SetLinkText(tr("Opening %1...").arg(label));
    Refresh();
}

void CPortController::ApplyParity()
{
    // The channel keeps the code for every later open, so it is handed over
    // whether or not the port is open yet.
    const int parity = m_parts.linkBar.ParityIndex();
    if (parity >= 0 && parity < static_cast<int>(kMainWindowParityCount))
        m_parts.link.Port().SetParity(parity);
}

void CPortController::Refresh()
{
    const CSerialPort& port = m_parts.link.Port();
    const bool open = port.IsOpen();
    const QString device = port.DevicePath();
    const QString failure = port.LastError().text;
    const LinkError::Kind kind = port.LastError().kind;
    const bool wasAllowed = m_health.TerminalActionsAllowed();
    const qint64 now = m_clock.elapsed();
    m_health.SetPort(open, !open && (kind == LinkError::Kind::LinkLost || m_parts.reconnector.FollowingLoss()), now);
    const CLinkHealth::EState state = m_health.State(now);
    m_parts.linkBar.SetPortState(state, open ? device : failure);
    m_parts.doctor.setVisible(!open && (kind == LinkError::Kind::NoSuchDevice ||
                                        kind == LinkError::Kind::PermissionDenied || kind == LinkError::Kind::Busy));
    switch (state) {
    case CLinkHealth::EState::Alive:
        SetLinkText(tr("%1 open at %2 bit/s").arg(device).arg(CTerminalLink::kConsoleBaudRate));
        break;
    case CLinkHealth::EState::Waiting:
        SetLinkText(tr("%1: port open, waiting for the terminal").arg(device));
        break;
    case CLinkHealth::EState::Silent:
        SetLinkText(
            tr("%1: port open, no answer from the terminal for %2 s: check power, cable and that this is the terminal's port")
                .arg(device)
                .arg(m_health.QuietSeconds(now)));
        break;
    case CLinkHealth::EState::Lost:
        // Why it was lost is the lamp's tooltip.
        SetLinkText(tr("%1: link lost, waiting for the adapter to come back").arg(device));
        break;
    case CLinkHealth::EState::Closed:
        if (!failure.isEmpty())
            SetLinkText(failure);
        break;
    }
    if (wasAllowed != m_health.TerminalActionsAllowed())
        Q_EMIT terminalActionsChanged(m_health.TerminalActionsAllowed());
}

void CPortController::TextReceived(std::string_view chunk)
{
    if (chunk.find_first_of("\r\n") == std::string_view::npos)
        return;
    if (Answering()) {
        m_health.LineReceived(m_clock.elapsed());
        return;
    }
    Refresh();  // the port's opening may not have been seen yet
    m_health.LineReceived(m_clock.elapsed());
    Refresh();
}

bool CPortController::Answering() const
{
    return m_health.State(m_clock.elapsed()) == CLinkHealth::EState::Alive;
}

bool CPortController::AnsweringLately() const
{
    return m_health.SpokeLately(m_clock.elapsed());
}

void CPortController::SetLinkText(const QString& text)
{
    m_parts.linkText.SetFullText(text);  // a failure's reason may be longer than the room for it
}

void CPortController::OnPortChosen()
{
    CLinkBar& bar = m_parts.linkBar;
    const int chosen = bar.PortIndex();
    const QString chosenPath = bar.ChosenPath();
    // Until the question is answered the port open now stays the chosen one.
    if (m_overridePath.isEmpty())
        bar.SetPortIndex(m_openIndex);
    else
        bar.SetPortPath(m_overridePath);
    SwitchAfterAsking(chosen, chosenPath);
}

void CPortController::SwitchAfterAsking(int index, const QString& path)
{
    // Changes still go to the terminal on the port that is open now.
    m_parts.edits.AskFirst(QStringLiteral("portEditsQuestion"), tr("changing the port"), [this, index, path] {
        if (path.isEmpty())
            m_parts.linkBar.SetPortIndex(index);
        else
            m_parts.linkBar.SetPortPath(path);
        m_overridePath = path;
        // A path outside the numbers is for now; a numbered port is remembered.
        m_storePort = path.isEmpty();
        Open();
        Q_EMIT switched();
    });
}

void CPortController::OnOtherPort(const QString& text)
{
    const std::optional<PortInput> input = ParsePortInput(text);
    if (!input) {
        m_parts.messages.Open(QMessageBox::Warning,
                              tr("\"%1\" is no port: give a device path such as /dev/pts/3, or COM1 to COM%2.")
                                  .arg(text)
                                  .arg(kPortCount));
        return;
    }
    CRegSetting& settings = m_parts.linkSettings;
    int number = input->portNumber;
    if (number == 0)
        number = PortNumberOf(input->devicePath, settings);
    // A new path takes the first free number of those kept for paths, so
    // it is in the list from now on.
    for (int free = kFirstUserPort; number == 0 && free <= kPortCount; ++free) {
        if (settings.UserPortPath(free).isEmpty()) {
            settings.SetUserPortPath(free, input->devicePath);
            number = free;
        }
    }
    if (number > 0)
        SwitchAfterAsking(number - 1, {});
    else
        SwitchAfterAsking(-1, input->devicePath);
}

void CPortController::StoreSettings()
{
    // Never the password.
    CRegSetting& settings = m_parts.linkSettings;
    const CLinkBar& bar = m_parts.linkBar;
    if (m_storePort && bar.PortIndex() >= 0)
        settings.WriteNumber(QString::fromLatin1(kPortValueName), 0, bar.PortIndex());
    if (bar.SpeedIndex() >= 0)
        settings.WriteNumber(QString::fromLatin1(kSpeedValueName), 0, bar.SpeedIndex());
    if (bar.ParityIndex() >= 0)
        settings.WriteNumber(QString::fromLatin1(kParityValueName), 0, bar.ParityIndex());
}

} // namespace orlan
