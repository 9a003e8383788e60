// The main window's own state: what the link allows, how it opens, and what
// is stored when it closes.
#include "app/OrlanDlg.h"

#include <QCloseEvent>
#include <QScreen>
#include <QSplitter>
#include <QTimer>

#include "app/AppSettings.h"
#include "app/CommandBar.h"
#include "app/EditsGuard.h"
#include "app/OfflineProfile.h"
#include "app/PageRegistry.h"
#include "app/PortController.h"
#include "app/StatusLine.h"
#include "widgets/PageView.h"

namespace orlan {

void COrlanDlg::ApplyLinkToActions(bool allowed)
{
    m_commands->SetTerminalActionsAllowed(allowed);
    m_offline->SetTerminalActionsAllowed(allowed);
    // Jobs end with the loss, so no page is busy when the link comes back.
    for (const auto& [key, view] : m_pages->Views())
        view->SetPageButtonsEnabled(allowed);
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
    // Changes to a shown profile file go to the file, not the terminal.
    if (!m_closeDecided && m_offline->Shown() && !m_edits->PagesWithEdits().isEmpty()) {
        event->ignore();
        m_offline->AskBeforeReading([this] {
            m_closeDecided = true;
            close();
        });
        return;
    }
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
    // answers; a closed, lost or silent port would only hold the window, and
    // so would one that answered once and then fell silent: the wait is
    // given up as soon as the terminal has been quiet for a while.
    if (m_session.PrepareToClose() && m_ports->AnsweringLately()) {
        event->ignore();
        m_status->Status(tr("Closing once the terminal has taken the end of the command batch..."));
        m_edits->RunWhenIdle([this] { close(); });
        if (m_closeWatch == nullptr) {
            m_closeWatch = new QTimer(this);
            m_closeWatch->setInterval(500);
            connect(m_closeWatch, &QTimer::timeout, this, [this] {
                if (!m_ports->AnsweringLately())
                    close();
            });
        }
        m_closeWatch->start();
        return;
    }
    if (m_closeWatch != nullptr)
        m_closeWatch->stop();
    m_session.WhenIdle(nullptr);
    StoreChoices();
    m_link.Close();
    event->accept();
}

} // namespace orlan
