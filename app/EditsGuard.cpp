#include "app/EditsGuard.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "app/PageRegistry.h"
#include "session/TerminalSession.h"
#include "widgets/PageView.h"
#include "widgets/UnreadPages.h"

namespace orlan {

CEditsGuard::CEditsGuard(QWidget& window, CPageRegistry& pages, CTerminalSession& session)
    : QObject(&window), m_window(window), m_pages(pages), m_session(session)
{
}

QStringList CEditsGuard::PagesWithEdits() const
{
    QStringList captions;
    for (const auto& [key, view] : m_pages.Views()) {
        if (view->HasEdits() && view->Page() != nullptr)
            captions.append(m_pages.Caption(*view->Page()));
    }
    return captions;
}

void CEditsGuard::AskFirst(const QString& name, const QString& before, std::function<void()> proceed)
{
    const QStringList pages = PagesWithEdits();
    if (pages.isEmpty()) {
        proceed();
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Question, m_window.windowTitle(),
                                tr("Changes on these pages are not written to the terminal yet:\n%1\n\n"
                                   "Write them before %2?")
                                    .arg(pages.join(QStringLiteral(", ")), before),
                                QMessageBox::NoButton, &m_window);
    box->setObjectName(name);
    QPushButton* write = box->addButton(tr("Write"), QMessageBox::AcceptRole);
    write->setObjectName(QStringLiteral("writeButton"));
    box->addButton(QMessageBox::Discard)->setText(tr("Discard"));
    box->addButton(QMessageBox::Cancel)->setText(tr("Cancel"));
    box->setDefaultButton(write);
    box->setEscapeButton(QMessageBox::Cancel);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [this, box, write, proceed = std::move(proceed)]() mutable {
        // Cancel leaves everything as it is.
        const QAbstractButton* clicked = box->clickedButton();
        if (clicked == write)
            WriteEditedPages(std::move(proceed));
        else if (clicked == box->button(QMessageBox::Discard))
            proceed();
    });
    box->open();  // not exec(): the receive path keeps running behind it
}

void CEditsGuard::WriteEditedPages(std::function<void()> then)
{
    QStringList unread;
    for (const auto& [key, view] : m_pages.Views()) {
        if (view->HasEdits() && view->Page() != nullptr && !PageWasRead(*view->Page(), m_session))
            unread.append(m_pages.Caption(*view->Page()));
    }
    if (unread.isEmpty()) {
        WriteEdited(std::move(then));
        return;
    }
    // No leaves everything as it is, like Cancel.
    AskBeforeWritingUnread(m_window, unread, [this, then = std::move(then)]() mutable { WriteEdited(std::move(then)); });
}

void CEditsGuard::WriteEdited(std::function<void()> then)
{
    for (const auto& [key, view] : m_pages.Views()) {
        if (view->HasEdits())
            view->WritePage();
    }
    // The write-backs are jobs of the queue; what was asked for follows
    // once the terminal has answered them all.
    RunWhenIdle(std::move(then));
}

void CEditsGuard::RunWhenIdle(std::function<void()> then)
{
    // Run from the event loop, never inside the receive path's report of
    // the job that ended.
    m_session.WhenIdle([this, then = std::move(then)] { QTimer::singleShot(0, this, then); });
}

} // namespace orlan
