// The main window and the changes a person made on the pages that are not
// written yet: whatever would lose them (a whole read, another port,
// closing) asks first whether to write them, drop them or stay.
#include "app/OrlanDlg.h"

#include <QTimer>
#include <QPushButton>

#include "app/LinkBar.h"
#include "app/NavigationBar.h"
#include "widgets/PageView.h"

namespace orlan {

QStringList COrlanDlg::PagesWithEdits() const
{
    QStringList captions;
    for (const auto& [key, view] : m_pageViews) {
        if (view->HasEdits() && view->Page() != nullptr)
            captions.append(Caption(*view->Page()));
    }
    return captions;
}

void COrlanDlg::AskAboutEdits(const QString& name, const QString& before, std::function<void()> proceed)
{
    const QStringList pages = PagesWithEdits();
    if (pages.isEmpty()) {
        proceed();
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Question, windowTitle(),
                                tr("Changes on these pages are not written to the terminal yet:\n%1\n\n"
                                   "Write them before %2?")
                                    .arg(pages.join(QStringLiteral(", ")), before),
                                QMessageBox::NoButton, this);
    box->setObjectName(name);
    QPushButton* write = box->addButton(tr("Write"), QMessageBox::AcceptRole);
    write->setObjectName(QStringLiteral("writeButton"));
    box->addButton(QMessageBox::Discard)->setText(tr("Discard"));
    box->addButton(QMessageBox::Cancel)->setText(tr("Cancel"));
    box->setDefaultButton(write);
    box->setEscapeButton(QMessageBox::Cancel);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this,
            [this, box, write, proceed = std::move(proceed)]() mutable {
                // Cancel leaves everything as it is.
                const QAbstractButton* clicked = box->clickedButton();
                if (clicked == write)
                    WriteEditedPages(std::move(proceed));
                else if (clicked == box->button(QMessageBox::Discard))
                    proceed();
            });
    box->open();  // not exec(): the receive path keeps running behind it
}

void COrlanDlg::WriteEditedPages(std::function<void()> then)
{
    for (const auto& [key, view] : m_pageViews) {
        if (view->HasEdits())
            view->WritePage();
    }
    // The write-backs are jobs of the queue; what was asked for follows
    // once the terminal has answered them all.
    RunWhenIdle(std::move(then));
}

void COrlanDlg::RunWhenIdle(std::function<void()> then)
{
    // Run from the event loop, never inside the receive path's report of
    // the job that ended.
    m_session.WhenIdle([this, then = std::move(then)] { QTimer::singleShot(0, this, then); });
}

void COrlanDlg::ReloadAfterAsking()
{
    // The read replaces what the pages show.
    AskAboutEdits(QStringLiteral("reloadEditsQuestion"), tr("reading the whole configuration"),
                  [this] { m_session.Reload(); });
}

} // namespace orlan
