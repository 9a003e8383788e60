// The main window's link: start-up choices, opening the port, the port
// lamp, and what is stored when the window closes.
#include "app/OrlanDlg.h"
#include "widgets/PageView.h"

#include <QCloseEvent>
#include <QScreen>
#include <QLabel>
#include <QSplitter>

#include "app/AppSettings.h"
#include "app/ElidingLabel.h"
#include "app/LinkBar.h"
#include "labels/CommonLabelKeys.h"
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
            m_linkBar->SetPortIndex(-1);
            m_linkBar->SetPortPlaceholder(m_overridePath);
        }
    }
    if (m_options.password)
        m_linkBar->SetPassword(*m_options.password);
    m_session.SetPassword(m_linkBar->Password().toStdString());

    CPreferences preferences;
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
    m_linkBar->SetPortState(open, open ? device : failure);
    if (open)
        SetLinkText(tr("%1 open at %2 bit/s").arg(device).arg(kConsoleBaudRate));
    else if (!failure.isEmpty())
        SetLinkText(failure);
}

void COrlanDlg::SetLinkText(const QString& text)
{
    m_linkText->SetFullText(text);  // a failure's reason may be longer than the room for it
}

void COrlanDlg::OnPortChosen()
{
    m_storePort = true;
    m_overridePath.clear();
    m_linkBar->SetPortPlaceholder({});
    OpenPort();
    m_status->SetFullText({});
    m_secondStatus->SetFullText({});
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
    if (m_session.PrepareToClose()) {
        event->ignore();
        m_status->SetFullText(tr("Closing once the terminal has taken the end of the command batch..."));
        m_closeWhenIdle.start(kCloseCheckMs);
        return;
    }
    m_closeWhenIdle.stop();
    StoreChoices();
    m_link.Close();
    event->accept();
}

} // namespace orlan
