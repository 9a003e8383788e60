// The main window's commands to the terminal (setup mode, read all,
// restart, factory defaults), the header's unit line, and what is stored
// when the window closes.
#include "app/OrlanDlg.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>

#include "app/AppSettings.h"
#include "app/EditsGuard.h"
#include "app/ElidingLabel.h"
#include "app/MessageCentre.h"
#include "app/PageRegistry.h"
#include "app/PortController.h"
#include "app/ProfileController.h"
#include "labels/CommonLabelKeys.h"
#include "pages/Page.h"
#include "widgets/PageView.h"

namespace orlan {

void COrlanDlg::OnSetup()
{
    m_ports->StoreSettings();
    if (m_setupBox) {
        m_setupBox->raise();
        return;
    }
    // The key run goes out only once the user has read the message and closed it.
    m_setupBox = m_messages->Open(QMessageBox::Information, Text(kMsgSetupMode, kSectionSysMsg));
    connect(m_setupBox, &QMessageBox::finished, this, [this] { m_session.EnterSetupMode(); });
}

void COrlanDlg::OnRestartClicked()
{
    m_messages->Ask(
        QStringLiteral("restartQuestion"),
        tr("Restart the terminal now?\n\nIt stops working while it starts again: a call, a message or an alarm in "
           "progress is lost, and the console shows the start-up."),
        [this](QMessageBox* box) {
            if (box->clickedButton() == box->button(QMessageBox::Yes))
                m_session.Restart();
        });
}

void COrlanDlg::OnDefaultsClicked()
{
    QMessageBox* box = m_messages->Ask(
        QStringLiteral("defaultsQuestion"),
        tr("Reset the terminal to its factory defaults?\n\nEvery setting on the terminal is lost: phone numbers, "
           "message texts, zones, timers, names and all parameters are replaced by the factory values."),
        [this](QMessageBox* answered) {
            const QAbstractButton* clicked = answered->clickedButton();
            if (clicked == answered->button(QMessageBox::Yes)) {
                m_session.FactoryDefaults();
            } else if (clicked != nullptr && clicked->objectName() == QLatin1String("backupButton")) {
                // The reset follows only a backup that was written.
                m_profiles->ChooseFileToSave([this](const QString&) { m_session.FactoryDefaults(); });
            }
        });
    QPushButton* backup = box->addButton(tr("Save a backup, then reset..."), QMessageBox::AcceptRole);
    backup->setObjectName(QStringLiteral("backupButton"));
    if (!m_session.HoldsWholeRead()) {
        backup->setEnabled(false);
        backup->setToolTip(tr("The configuration has not been read from the terminal: a backup would hold defaults."));
    }
}

void COrlanDlg::ReloadAfterAsking()
{
    // The read replaces what the pages show.
    m_edits->AskFirst(QStringLiteral("reloadEditsQuestion"), tr("reading the whole configuration"),
                      [this] { m_session.Reload(); });
}

void COrlanDlg::ApplyLinkToActions(bool allowed)
{
    for (const char* name : {"actionSetup", "actionReload", "actionRestart", "actionExec", "actionDefaults"}) {
        if (auto* action = findChild<QAction*>(QString::fromLatin1(name)))
            action->setEnabled(allowed);
    }
    // Jobs end with the loss, so no page is busy when the link comes back.
    for (const auto& [key, view] : m_pages->Views())
        view->SetPageButtonsEnabled(allowed);
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

void COrlanDlg::StoreChoices()
{
    m_ports->StoreSettings();
    for (const auto& [key, view] : m_pages->Views())
        view->StoreChoices();
    CPreferences preferences;
    preferences.setValue(QLatin1String(kGeometrySetting), saveGeometry());
    preferences.setValue(QLatin1String(kSplitterSetting), m_splitter->saveState());
    if (!m_pages->ShownKey().isEmpty())
        preferences.setValue(QLatin1String(kLastPageSetting), m_pages->ShownKey());
}

void COrlanDlg::closeEvent(QCloseEvent* event)
{
    // A profile still running ends after its current line; its batch is
    // closed before the window goes.
    if (!m_closeDecided && !m_edits->PagesWithEdits().isEmpty()) {
        event->ignore();
        m_edits->AskFirst(QStringLiteral("closeEditsQuestion"), tr("closing"), [this] {
            m_closeDecided = true;
            close();
        });
        return;
    }
    // Waiting for the end of a batch makes sense only with a terminal that
    // answers; a closed, lost or silent port would only hold the window.
    if (m_session.PrepareToClose() && m_ports->Answering()) {
        event->ignore();
        m_status->SetFullText(tr("Closing once the terminal has taken the end of the command batch..."));
        m_edits->RunWhenIdle([this] { close(); });
        return;
    }
    m_session.WhenIdle(nullptr);
    StoreChoices();
    m_link.Close();
    event->accept();
}

} // namespace orlan
