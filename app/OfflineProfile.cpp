#include "app/OfflineProfile.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include "app/AppSettings.h"
#include "app/EditsGuard.h"
#include "app/FileAccess.h"
#include "app/MessageCentre.h"
#include "app/ProfileController.h"
#include "session/ProfileDiff.h"
#include "session/TerminalSession.h"

namespace orlan {

namespace {

constexpr char kRecentSetting[] = "profiles/recent";
// How many lines no page took the message lists before "...".
constexpr qsizetype kUnplacedShown = 15;

} // namespace

COfflineProfile::COfflineProfile(SParts parts) : QObject(&parts.window), m_parts(parts)
{
    // A whole read (asked for, or ending a write) puts the terminal's values in the pages.
    m_parts.session.AddWholeReadObserver([this](bool) {
        if (m_comparing)
            FinishCompare();
        else
            Forget();
    });
    m_parts.profiles.saveShown = [this] {
        if (!Shown())
            return false;
        Save();
        return true;
    };
}

void COfflineProfile::FillMenu(QMenu& menu)
{
    auto add = [this, &menu](const char* name, const QString& text, const QKeySequence& keys, auto handler) {
        QAction* action = menu.addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    add("actionOpenProfile", tr("Open profile..."), QKeySequence(QKeySequence::Open), [this] { Open(); });
    QMenu* recent = menu.addMenu(tr("Recent profiles"));
    recent->setObjectName(QStringLiteral("recentMenu"));
    connect(recent, &QMenu::aboutToShow, this, [this, recent] { FillRecent(*recent); });
    FillRecent(*recent);
    menu.addSeparator();
    add("actionSaveProfile", tr("Save"), QKeySequence(QKeySequence::Save), [this] { Save(); });
    add("actionSaveProfileAs", tr("Save as..."), QKeySequence(QKeySequence::SaveAs), [this] { SaveAs(); });
    menu.addSeparator();
    m_writeAction = add("actionWriteShown", tr("Write to terminal"), QKeySequence(), [this] { WriteToTerminal(); });
    m_writeAction->setToolTip(tr("Send the values the pages show to the terminal"));
    m_compareAction =
        add("actionCompareShown", tr("Compare with terminal"), QKeySequence(), [this] { CompareWithTerminal(); });
    connect(this, &COfflineProfile::shownChanged, this, &COfflineProfile::UpdateActions);
    UpdateActions();
    menu.addSeparator();
    add("actionExportReport", tr("Export report..."), QKeySequence(), [this] { ExportReport(); });
}

void COfflineProfile::SetTerminalActionsAllowed(bool allowed)
{
    m_linkAllowed = allowed;
    UpdateActions();
}

void COfflineProfile::UpdateActions()
{
    if (m_writeAction != nullptr)
        m_writeAction->setEnabled(m_linkAllowed);
    if (m_compareAction != nullptr)
        m_compareAction->setEnabled(m_linkAllowed && Shown());
}

QString COfflineProfile::Busy() const
{
    const CTerminalSession& session = m_parts.session;
    if (session.ProfileRunning())
        return tr("A profile is being sent to the terminal: open the file once it has finished.");
    const CTerminalSession::EWholeRead read = session.WholeRead();
    if (m_comparing || read == CTerminalSession::EWholeRead::Settling ||
        read == CTerminalSession::EWholeRead::Requested)
        return tr("The terminal is being read: open the file once the read has finished.");
    return {};
}

void COfflineProfile::FillRecent(QMenu& menu)
{
    menu.clear();
    const QStringList paths = Recent();
    for (const QString& path : paths) {
        QAction* action = menu.addAction(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this,
                [this, path] { OpenAsking(path); });
    }
    menu.setEnabled(!paths.isEmpty());
}

QStringList COfflineProfile::Recent() const
{
    return CPreferences().value(QLatin1String(kRecentSetting)).toStringList();
}

void COfflineProfile::Remember(const QString& path)
{
    QStringList paths = Recent();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    paths.removeAll(absolute);
    paths.prepend(absolute);
    CPreferences().setValue(QLatin1String(kRecentSetting), paths.mid(0, kRecentLimit));
}

void COfflineProfile::Open()
{
    AskBeforeOpening([this] {
        QFileDialog* dialog = m_parts.profiles.FileDialog(false, "EXEC");
        dialog->setWindowTitle(tr("Open profile"));
        connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) { OpenFrom(path); });
        dialog->open();
    });
}

void COfflineProfile::OpenAsking(const QString& path)
{
    AskBeforeOpening([this, path] { OpenFrom(path); });
}

bool COfflineProfile::OpenFrom(const QString& path)
{
    // The run or the read would go on filling the pages over the file.
    if (const QString busy = Busy(); !busy.isEmpty()) {
        m_parts.messages.Open(QStringLiteral("openBusy"), QMessageBox::Information, busy);
        return false;
    }
    std::string text;
    const QString why = ReadProfileText(path, text);
    if (!why.isEmpty()) {
        m_parts.messages.ShowFileFailure(path, why);
        return false;
    }
    CTerminalSession& session = m_parts.session;
    // The terminal's own values are about to leave the pages: kept for a backup.
    if (session.HoldsWholeRead())
        m_terminalRead = session.ProfileBytes();
    const SProfileLoad load = session.LoadProfile(text);
    m_pagesInFile.clear();
    for (const SProfileSection& section : ParseProfileSections(text)) {
        if (const CPage* page = session.FindProfileSection(section.title))
            m_pagesInFile.insert(page->Info().className);
    }
    m_path = QFileInfo(path).absoluteFilePath();
    m_classic = false;
    Remember(m_path);
    ShowState();
    if (!load.unplaced.empty()) {
        QStringList lines;
        for (const SUnplacedLine& line : load.unplaced) {
            const QString section =
                line.section.empty() ? tr("before the first section") : QString::fromStdString(line.section);
            lines.append(tr("%1, line %2: %3 (%4)")
                             .arg(section)
                             .arg(line.line)
                             .arg(QString::fromStdString(line.text), QString::fromStdString(line.reason)));
        }
        const qsizetype count = lines.size();
        m_parts.messages.Open(
            QStringLiteral("unplacedLines"), QMessageBox::Warning,
            tr("%1 lines of %2 could not be placed on a page. They are kept and saved back where they stood:")
                    .arg(count)
                    .arg(QFileInfo(path).fileName())
                + QStringLiteral("\n\n") + lines.mid(0, kUnplacedShown).join(QLatin1Char('\n'))
                + (count > kUnplacedShown ? QStringLiteral("\n...") : QString()));
    }
    Q_EMIT shownChanged();
    return true;
}

bool COfflineProfile::HoldsPage(const CPage& page) const
{
    return !Shown() || m_pagesInFile.count(page.Info().className) != 0;
}

void COfflineProfile::Save()
{
    if (!Shown()) {
        m_parts.profiles.Save();
        return;
    }
    WriteShown(m_path, m_classic ? EProfileScope::Classic : EProfileScope::Complete);
}

void COfflineProfile::SaveAs()
{
    QFileDialog* dialog = m_parts.profiles.FileDialog(true, "SAVE");
    dialog->setWindowTitle(tr("Save profile as"));
    dialog->setDefaultSuffix(QStringLiteral("txt"));
    const QString classic = tr("Classic profile (20 sections only) (*.txt)");
    QStringList filters = dialog->nameFilters();
    filters.insert(1, classic);
    dialog->setNameFilters(filters);
    connect(dialog, &QFileDialog::fileSelected, this, [this, dialog, classic](const QString& path) {
        SaveShownAs(path, dialog->selectedNameFilter() == classic ? EProfileScope::Classic : EProfileScope::Complete);
    });
    dialog->open();
}

bool COfflineProfile::SaveShownAs(const QString& path, EProfileScope scope)
{
    // A file saved as a format holds that format's every section.
    m_parts.session.WriteEveryClassicSection();
    if (!WriteShown(path, scope))
        return false;
    if (!Shown())
        return true;
    // The pages now stand for the file saved.
    m_path = QFileInfo(path).absoluteFilePath();
    if (QFileInfo(m_path).suffix().isEmpty())
        m_path += QStringLiteral(".txt");
    m_classic = scope == EProfileScope::Classic;
    Remember(m_path);
    ShowState();
    Q_EMIT shownChanged();
    return true;
}

bool COfflineProfile::WriteShown(const QString& path, EProfileScope scope)
{
    if (!m_parts.profiles.SaveTo(path, scope))
        return false;
    if (!Shown())
        return true;
    // What the file holds now is no unsaved change any more.
    AcceptShownEdits();
    return true;
}

void COfflineProfile::AcceptShownEdits()
{
    for (const auto& page : m_parts.session.Pages()) {
        if (page->Fields().HasEdits()) {
            page->Fields().AcceptEdits(page->Fields().Values());
            page->NotifyChanged();
        }
    }
}

void COfflineProfile::AskBeforeOpening(std::function<void()> proceed)
{
    // A shown file asks about its own changes; the terminal's pages about writing theirs.
    if (Shown())
        AskBeforeReading(std::move(proceed));
    else
        m_parts.edits.AskFirst(QStringLiteral("openEditsQuestion"), tr("opening a profile"), std::move(proceed));
}

void COfflineProfile::WriteToTerminal()
{
    CTerminalSession& session = m_parts.session;
    if (session.ProfileRunning())
        return;
    const QString shown = Shown() ? QDir::toNativeSeparators(m_path) : tr("the pages");
    m_parts.messages.Ask(
        QStringLiteral("writeShownQuestion"),
        tr("Send the values of %1 to the terminal now?\n\nThey replace the terminal's settings they name; the "
           "terminal is read again afterwards to check that they took effect.")
                .arg(shown)
            + QStringLiteral("\n\n") + BackupNote(),
        [this, shown](QMessageBox* box) {
            if (box->clickedButton() != box->button(QMessageBox::Yes))
                return;
            std::optional<CProfileController::SBackup> backup;
            if (Shown() && m_terminalRead)
                backup = CProfileController::SBackup{m_path, *m_terminalRead};
            else if (showStatus)
                showStatus(BackupNote());
            const std::string bytes = m_parts.session.ProfileBytes(EProfileScope::Complete);
            m_parts.profiles.ExecuteText(bytes, Shown() ? QFileInfo(m_path).fileName() : shown, backup);
        });
}

std::optional<std::string> COfflineProfile::TerminalAsRead() const
{
    if (Shown())
        return m_terminalRead;
    if (m_parts.session.HoldsWholeRead())
        return m_parts.session.ProfileBytes();
    return std::nullopt;
}

QString COfflineProfile::BackupNote() const
{
    if (!Shown())
        return tr("No backup is saved: no profile file is shown to save it beside.");
    if (!m_terminalRead)
        return tr("No backup is saved: the terminal's configuration has not been read whole since the port "
                  "was opened.");
    return tr("The terminal's configuration as last read is first saved beside the file as a backup.");
}

void COfflineProfile::AskBeforeReading(std::function<void()> proceed)
{
    if (!Shown()) {
        proceed();
        return;
    }
    const bool edited = !m_parts.edits.PagesWithEdits().isEmpty();
    QMessageBox* box = m_parts.messages.Ask(
        QStringLiteral("leaveProfileQuestion"),
        edited ? tr("The pages show %1 with changes that are not saved.\n\nSave them to the file first?")
                     .arg(QFileInfo(m_path).fileName())
               : tr("The pages show %1. What they show is replaced.\n\nGo on?").arg(QFileInfo(m_path).fileName()),
        [this, edited, proceed = std::move(proceed)](QMessageBox* answered) {
            const QAbstractButton* clicked = answered->clickedButton();
            if (clicked == answered->button(QMessageBox::Yes)) {
                if (!edited || WriteShown(m_path, m_classic ? EProfileScope::Classic : EProfileScope::Complete))
                    proceed();
            } else if (edited && clicked == answered->button(QMessageBox::Discard)) {
                // Dropped: nothing is left for the unsaved-edits question to ask about.
                AcceptShownEdits();
                proceed();
            }
        });
    if (edited) {
        box->addButton(QMessageBox::Discard)->setText(tr("Discard"));
        box->button(QMessageBox::No)->setText(tr("Cancel"));
    }
}

void COfflineProfile::Forget()
{
    m_terminalRead.reset();  // the pages hold the terminal again
    if (!Shown())
        return;
    m_path.clear();
    m_pagesInFile.clear();
    ShowState();
    Q_EMIT shownChanged();
}

QLabel* COfflineProfile::CreateBanner(QWidget* parent)
{
    m_banner = new QLabel(parent);
    m_banner->setObjectName(QStringLiteral("offlineBanner"));
    m_banner->setWordWrap(true);
    m_banner->setContentsMargins(12, 4, 12, 4);
    m_banner->setStyleSheet(QStringLiteral("QLabel { background: palette(alternate-base); }"));
    UpdateBanner();
    return m_banner;
}

void COfflineProfile::PageShown(const CPage* page)
{
    m_shownPage = page;
    UpdateBanner();
}

void COfflineProfile::UpdateBanner()
{
    if (m_banner == nullptr)
        return;
    m_banner->setVisible(Shown());
    if (!Shown())
        return;
    QString text = tr("Profile %1: the terminal is not read.").arg(QDir::toNativeSeparators(m_path));
    if (m_shownPage != nullptr && !HoldsPage(*m_shownPage))
        text += QLatin1Char(' ') + tr("Not in this profile: the file has no section for this page.");
    m_banner->setText(text);
}

void COfflineProfile::ShowState()
{
    // Row edits go into the shown file's pages, and a login reads nothing over it.
    m_parts.session.SetProfileShown(Shown());
    UpdateBanner();
    if (m_baseTitle.isEmpty())
        m_baseTitle = m_parts.window.windowTitle();
    if (!Shown()) {
        m_parts.window.setWindowTitle(m_baseTitle);
        return;
    }
    const QString name = QFileInfo(m_path).fileName();
    m_parts.window.setWindowTitle(m_baseTitle + QStringLiteral(" \u2014 ")
                                  + tr("%1 (profile file, the terminal is not read)").arg(name));
    if (showStatus)
        showStatus(tr("Showing the profile %1: the terminal is not read").arg(QDir::toNativeSeparators(m_path)));
}

} // namespace orlan
