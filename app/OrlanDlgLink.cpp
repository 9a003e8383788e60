// The main window's link: start-up choices, opening the port, the port
// lamp, and what is stored when the window closes.
#include "app/OrlanDlg.h"
#include "widgets/PageView.h"

#include <QAction>
#include <QCloseEvent>
#include <QScreen>
#include <QLabel>
#include <QSplitter>
#include <QToolButton>

#include "app/AppSettings.h"
#include "app/ElidingLabel.h"
#include "app/LinkBar.h"
#include "labels/CommonLabelKeys.h"
#include "pages/Page.h"
#include "link/PortDiscovery.h"
#include "link/PortNames.h"

namespace orlan {

void COrlanDlg::ApplyStartOptions()
{
    // A port named on the command line makes the adapter search moot.
    if (!m_options.port && !ProbeAndSelect(m_linkSettings, m_options.deviceLister))
        m_status->SetFullText(Text(kMsgNoUsb, kSectionSysMsg));

    const QString portName = QString::fromLatin1(kPortValueName);
    m_linkBar->SetPortIndex(m_linkSettings.ReadNumber(portName, 0, kDefaultPortValue));
    m_linkBar->SetSpeedIndex(m_linkSettings.ReadNumber(QString::fromLatin1(kSpeedValueName), 0, kDefaultSpeedValue));
    m_linkBar->SetParityIndex(
        m_linkSettings.ReadNumber(QString::fromLatin1(kParityValueName), 0, kDefaultParityValue));

    if (m_options.port) {
        // For this run only: the remembered port stays unless the user picks one.
        m_storePort = false;
        int number = m_options.port->portNumber;
        if (number == 0)
            number = PortNumberOf(m_options.port->devicePath, m_linkSettings);
        if (number > 0) {
            m_linkBar->SetPortIndex(number - 1);
        } else {
            m_overridePath = m_options.port->devicePath;
            m_linkBar->SetPortPath(m_overridePath);
        }
    }
    if (m_options.password)
        m_linkBar->SetPassword(*m_options.password);
    m_session.SetPassword(m_linkBar->Password().toStdString());

    CPreferences preferences;
    m_linkBar->SetShowAllPorts(preferences.value(QLatin1String(kShowAllPortsSetting), false).toBool());
    m_splitter->restoreState(preferences.value(QLatin1String(kSplitterSetting)).toByteArray());
}

void COrlanDlg::ShowAsRemembered()
{
    if (restoreGeometry(CPreferences().value(QLatin1String(kGeometrySetting)).toByteArray())) {
        show();
        return;
    }
    // A first start: room for a page and its navigation, within the screen.
    QSize size = kFirstStartSize;
    if (const QScreen* screen = this->screen()) {
        const QRect room = screen->availableGeometry();
        size = size.boundedTo(room.size() * 9 / 10);
        resize(size);
        move(room.center() - rect().center());
    } else {
        resize(size);
    }
    show();
}

void COrlanDlg::OpenPort()
{
    const int index = m_linkBar->PortIndex();
    QString label;
    // The speed choice is kept, but the console always runs at 115 200 bit/s.
    if (index < 0 && !m_overridePath.isEmpty()) {
        m_link.Open(m_overridePath);
        label = m_overridePath;
    } else {
        // With no entry selected this is port 0, which never opens.
        m_link.Open({}, index + 1);
        label = PortName(index + 1);
    }
    m_openPortIndex = index;
    m_headerUnit->clear();  // another port may lead to another unit
    // A new opening has heard nothing yet, whatever the old one had.
    m_linkHealth.SetPort(false, false, m_linkClock.elapsed());
    ApplyParity();
    SetLinkText(tr("Opening %1...").arg(label));
    RefreshPortState();
}

void COrlanDlg::ApplyParity()
{
    // The channel keeps the code for every later open, so it is handed over
    // whether or not the port is open yet.
    const int parity = m_linkBar->ParityIndex();
    if (parity >= 0 && parity < static_cast<int>(kMainWindowParityCount))
        m_port.SetParity(parity);
}

void COrlanDlg::RefreshPortState()
{
    const bool open = m_port.IsOpen();
    const QString device = m_port.DevicePath();
    const QString failure = m_port.LastError().text;
    const LinkError::Kind kind = m_port.LastError().kind;
    const bool wasAllowed = m_linkHealth.TerminalActionsAllowed();
    const qint64 now = m_linkClock.elapsed();
    m_linkHealth.SetPort(open, !open && (kind == LinkError::Kind::LinkLost || m_reconnector.FollowingLoss()), now);
    const CLinkHealth::EState state = m_linkHealth.State(now);
    m_linkBar->SetPortState(state, open ? device : failure);
    m_portDoctor->setVisible(!open && (kind == LinkError::Kind::NoSuchDevice ||
                                       kind == LinkError::Kind::PermissionDenied || kind == LinkError::Kind::Busy));
    switch (state) {
    case CLinkHealth::EState::Alive:
        SetLinkText(tr("%1 open at %2 bit/s").arg(device).arg(kConsoleBaudRate));
        break;
    case CLinkHealth::EState::Waiting:
        SetLinkText(tr("%1: port open, waiting for the terminal").arg(device));
        break;
    case CLinkHealth::EState::Silent:
        SetLinkText(
            tr("%1: port open, no answer from the terminal for %2 s: check power, cable and that this is the terminal's port")
                .arg(device)
                .arg(m_linkHealth.QuietSeconds(now)));
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
    if (wasAllowed != m_linkHealth.TerminalActionsAllowed())
        ApplyLinkToActions();
}

void COrlanDlg::ShowConnectedUnit()
{
    const CPage* page = m_session.FindPage("CPageMainParams");
    if (page == nullptr || !page->Fields().Has("unitId") || !page->Fields().IsKnown("unitId")) {
        m_headerUnit->clear();
        return;
    }
    QString line = tr("Unit %1").arg(QString::fromStdString(page->Fields().Text("unitId")).trimmed());
    if (page->Fields().Has("memo") && page->Fields().IsKnown("memo")) {
        const QString memo = QString::fromStdString(page->Fields().Text("memo")).simplified();
        if (!memo.isEmpty())
            line += QStringLiteral(" \u2014 ") + memo;
    }
    m_headerUnit->setText(line);
}

void COrlanDlg::ApplyLinkToActions()
{
    const bool allowed = m_linkHealth.TerminalActionsAllowed();
    for (const char* name : {"actionSetup", "actionReload", "actionRestart", "actionExec", "actionDefaults"}) {
        if (auto* action = findChild<QAction*>(QString::fromLatin1(name)))
            action->setEnabled(allowed);
    }
    // Jobs end with the loss, so no page is busy when the link comes back.
    for (const auto& [key, view] : m_pageViews)
        view->SetPageButtonsEnabled(allowed);
}

void COrlanDlg::SetPageButtons(CPageView& view, bool on)
{
    view.SetPageButtonsEnabled(on && m_linkHealth.TerminalActionsAllowed());
}

void COrlanDlg::SetLinkText(const QString& text)
{
    m_linkText->SetFullText(text);  // a failure's reason may be longer than the room for it
}

void COrlanDlg::OnPortChosen()
{
    const int chosen = m_linkBar->PortIndex();
    const QString chosenPath = m_linkBar->ChosenPath();
    // Until the question is answered the port open now stays the chosen one.
    if (m_overridePath.isEmpty())
        m_linkBar->SetPortIndex(m_openPortIndex);
    else
        m_linkBar->SetPortPath(m_overridePath);
    SwitchPortAfterAsking(chosen, chosenPath);
}

void COrlanDlg::SwitchPortAfterAsking(int index, const QString& path)
{
    // Changes still go to the terminal on the port that is open now.
    AskAboutEdits(QStringLiteral("portEditsQuestion"), tr("changing the port"), [this, index, path] {
        if (path.isEmpty())
            m_linkBar->SetPortIndex(index);
        else
            m_linkBar->SetPortPath(path);
        m_overridePath = path;
        // A path outside the numbers is for now; a numbered port is remembered.
        m_storePort = path.isEmpty();
        OpenPort();
        m_status->SetFullText({});
        m_secondStatus->SetFullText({});
    });
}

void COrlanDlg::OnOtherPort(const QString& text)
{
    const std::optional<PortInput> input = ParsePortInput(text);
    if (!input) {
        OpenMessage(QMessageBox::Warning, tr("\"%1\" is no port: give a device path such as /dev/pts/3, or COM1 to COM%2.")
                                              .arg(text)
                                              .arg(kPortCount));
        return;
    }
    int number = input->portNumber;
    if (number == 0)
        number = PortNumberOf(input->devicePath, m_linkSettings);
    // A new path takes the first free number of those kept for paths, so
    // it is in the list from now on.
    for (int free = kFirstUserPort; number == 0 && free <= kPortCount; ++free) {
        if (m_linkSettings.UserPortPath(free).isEmpty()) {
            m_linkSettings.SetUserPortPath(free, input->devicePath);
            number = free;
        }
    }
    if (number > 0)
        SwitchPortAfterAsking(number - 1, {});
    else
        SwitchPortAfterAsking(-1, input->devicePath);
}

void COrlanDlg::OnReconnect()
{
    OpenPort();
    ReloadAfterAsking();
}

void COrlanDlg::StoreLinkSettings()
{
    // Never the password.
    if (m_storePort && m_linkBar->PortIndex() >= 0)
        m_linkSettings.WriteNumber(QString::fromLatin1(kPortValueName), 0, m_linkBar->PortIndex());
    if (m_linkBar->SpeedIndex() >= 0)
        m_linkSettings.WriteNumber(QString::fromLatin1(kSpeedValueName), 0, m_linkBar->SpeedIndex());
    if (m_linkBar->ParityIndex() >= 0)
        m_linkSettings.WriteNumber(QString::fromLatin1(kParityValueName), 0, m_linkBar->ParityIndex());
}

void COrlanDlg::StoreChoices()
{
    StoreLinkSettings();
    for (const auto& [key, view] : m_pageViews)
        view->StoreChoices();
    CPreferences preferences;
    preferences.setValue(QLatin1String(kGeometrySetting), saveGeometry());
    preferences.setValue(QLatin1String(kSplitterSetting), m_splitter->saveState());
    if (!m_shownKey.isEmpty())
        preferences.setValue(QLatin1String(kLastPageSetting), m_shownKey);
}

void COrlanDlg::closeEvent(QCloseEvent* event)
{
    // A profile still running ends after its current line; its batch is
    // closed before the window goes.
    if (!m_closeDecided && !PagesWithEdits().isEmpty()) {
        event->ignore();
        AskAboutEdits(QStringLiteral("closeEditsQuestion"), tr("closing"), [this] {
            m_closeDecided = true;
            close();
        });
        return;
    }
    // Waiting for the end of a batch makes sense only with a terminal that
    // answers; a closed, lost or silent port would only hold the window.
    const bool answering = m_linkHealth.State(m_linkClock.elapsed()) == CLinkHealth::EState::Alive;
    if (m_session.PrepareToClose() && answering) {
        event->ignore();
        m_status->SetFullText(tr("Closing once the terminal has taken the end of the command batch..."));
        RunWhenIdle([this] { close(); });
        return;
    }
    m_session.WhenIdle(nullptr);
    StoreChoices();
    m_link.Close();
    event->accept();
}

} // namespace orlan
