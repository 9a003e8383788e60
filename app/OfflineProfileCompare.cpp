// A shown profile file against the terminal: the terminal is read into the
// pages, its values are compared with the file's field by field, and the
// file is loaded back into the pages.
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/EditsGuard.h"
#include "app/MessageCentre.h"
#include "app/OfflineProfile.h"
#include "session/PageValueDiff.h"
#include "session/TerminalSession.h"

namespace orlan {

void COfflineProfile::CompareWithTerminal()
{
    CTerminalSession& session = m_parts.session;
    if (!Shown() || m_comparing || session.ProfileRunning())
        return;
    // The read replaces the pages; the file's values come back from its profile
    // text, but which of them were edits would not: those are saved first.
    if (!m_parts.edits.PagesWithEdits().isEmpty()) {
        m_parts.messages.Open(QStringLiteral("compareEdits"), QMessageBox::Information,
                              tr("Save the changes to %1 first: the comparison reads the terminal into the pages "
                                 "and then shows the file again.")
                                  .arg(QFileInfo(m_path).fileName()));
        return;
    }
    m_shownBytes = session.ProfileBytes(EProfileScope::Complete);
    m_comparing = true;
    if (showStatus)
        showStatus(tr("Reading the terminal to compare it with %1...").arg(QFileInfo(m_path).fileName()));
    session.Reload();
}

void COfflineProfile::FinishCompare()
{
    const std::string terminal = m_parts.session.ProfileBytes(EProfileScope::Complete);
    m_terminalRead = terminal;  // the freshest backup for Write to terminal
    std::vector<SValueChange> changes = DiffProfileValues(terminal, m_shownBytes, m_parts.catalogue);
    // What the file does not hold it would not change (a classic file leaves most pages out).
    std::erase_if(changes, [](const SValueChange& change) { return !change.knownAfter; });
    // After the window has taken the read as its own.
    QTimer::singleShot(0, this, [this, changes] {
        ShowFileAgain();
        ShowChanges(changes);
    });
}

void COfflineProfile::OnReadFailed()
{
    if (!m_comparing)
        return;
    ShowFileAgain();
    m_parts.messages.Open(QStringLiteral("compareFailed"), QMessageBox::Warning,
                          tr("The terminal could not be read, so nothing was compared. The pages show %1 again.")
                              .arg(QFileInfo(m_path).fileName()));
}

void COfflineProfile::ShowFileAgain()
{
    m_comparing = false;
    m_parts.session.LoadProfile(m_shownBytes);
    m_shownBytes.clear();
    ShowState();
    Q_EMIT shownChanged();
}

void COfflineProfile::ShowChanges(const std::vector<SValueChange>& changes)
{
    auto* dialog = new QDialog(&m_parts.window);
    dialog->setObjectName(QStringLiteral("compareTerminalDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(tr("Terminal and %1").arg(QFileInfo(m_path).fileName()));
    auto* layout = new QVBoxLayout(dialog);
    auto* summary = new QLabel(changes.empty() ? tr("The terminal holds every value of the file.")
                                               : tr("%n value(s) differ.", nullptr, static_cast<int>(changes.size())),
                               dialog);
    layout->addWidget(summary);
    auto* table = new QTableWidget(static_cast<int>(changes.size()), 4, dialog);
    table->setObjectName(QStringLiteral("valueChanges"));
    table->setHorizontalHeaderLabels({tr("Page"), tr("Setting"), tr("On the terminal"), tr("In the file")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    const QString none = tr("(none)");
    for (int row = 0; row < static_cast<int>(changes.size()); ++row) {
        const SValueChange& change = changes[static_cast<size_t>(row)];
        const QString setting = QString::fromStdString(change.row.empty() ? change.field
                                                                          : change.row + " " + change.field);
        const QString values[] = {QString::fromStdString(change.page), setting,
                                  change.knownBefore ? QString::fromStdString(change.before) : none,
                                  change.knownAfter ? QString::fromStdString(change.after) : none};
        for (int column = 0; column < 4; ++column)
            table->setItem(row, column, new QTableWidgetItem(values[column]));
    }
    table->resizeColumnsToContents();
    table->setVisible(!changes.empty());
    layout->addWidget(table, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog->resize(820, 480);
    dialog->open();
}

} // namespace orlan
