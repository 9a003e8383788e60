#include "app/ProfileController.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

#include "app/AppSettings.h"
#include "app/FileAccess.h"
#include "app/JobReportLine.h"
#include "app/MessageCentre.h"
#include "app/ProfileVerification.h"
#include "labels/CommonLabelKeys.h"
#include "labels/LabelCatalogue.h"
#include "session/ProfileDiff.h"
#include "session/TerminalSession.h"

namespace orlan {

CProfileController::CProfileController(SParts parts)
    : QObject(&parts.window), m_parts(parts),
      m_verification(new CProfileVerification(parts.session, parts.messages, this))
{
}

void CProfileController::Status(const QString& text)
{
    if (showStatus)
        showStatus(text);
}

QFileDialog* CProfileController::FileDialog(bool save, std::string_view captionKey)
{
    const QString folder = CPreferences().value(QLatin1String(kProfileFolderSetting), QDir::currentPath()).toString();
    auto* dialog = new QFileDialog(&m_parts.window,
                                   QString::fromStdString(m_parts.catalogue.Lookup(captionKey, kSectionSysBtn)), folder);
    dialog->setObjectName(QStringLiteral("profileDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setNameFilters({tr("Profiles (*.txt)"), tr("All files (*)")});
    connect(dialog, &QFileDialog::fileSelected, this, [](const QString& path) {
        CPreferences().setValue(QLatin1String(kProfileFolderSetting), QFileInfo(path).absolutePath());
    });
    return dialog;
}

void CProfileController::Save()
{
    if (saveShown && saveShown())
        return;
    if (m_parts.session.HoldsWholeRead()) {
        ChooseFileToSave();
        return;
    }
    m_parts.messages.Ask(
        QStringLiteral("unreadQuestion"),
        tr("The configuration has not been read from the terminal since the port was opened.\n\nA profile saved "
           "now holds what the pages hold: their defaults (every wireless zone on as a 24-hour zone, for "
           "instance), not the terminal's settings.\n\nSave it anyway?"),
        [this](QMessageBox* box) {
            if (box->clickedButton() == box->button(QMessageBox::Yes))
                ChooseFileToSave();
        });
}

void CProfileController::ChooseFileToSave(std::function<void(const QString&)> saved)
{
    QFileDialog* dialog = FileDialog(true, "SAVE");
    dialog->setDefaultSuffix(QStringLiteral("txt"));
    connect(dialog, &QFileDialog::fileSelected, this, [this, saved = std::move(saved)](const QString& path) {
        if (SaveTo(path) && saved)
            saved(path);
    });
    dialog->open();
}

void CProfileController::Execute()
{
    CTerminalSession& session = m_parts.session;
    if (session.ProfileRunning())
        return;
    QFileDialog* dialog = FileDialog(false, "EXEC");
    // The chooser of our own, so it can carry the backup choice.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    auto* backup = new QCheckBox(tr("First save the terminal's configuration as a backup beside the profile"), dialog);
    backup->setObjectName(QStringLiteral("backupBox"));
    // A backup of pages never read whole would hold defaults, not the terminal.
    const bool canBackUp = session.HoldsWholeRead();
    backup->setChecked(canBackUp && CPreferences().value(QLatin1String(kExecBackupSetting), true).toBool());
    backup->setEnabled(canBackUp);
    if (!canBackUp)
        backup->setToolTip(tr("The configuration has not been read from the terminal: a backup would hold defaults."));
    if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout()))
        grid->addWidget(backup, grid->rowCount(), 0, 1, grid->columnCount());
    connect(dialog, &QFileDialog::fileSelected, this, [this, backup](const QString& path) {
        if (backup->isEnabled())
            CPreferences().setValue(QLatin1String(kExecBackupSetting), backup->isChecked());
        ExecuteFrom(path, backup->isEnabled() && backup->isChecked());
    });
    dialog->open();
}

void CProfileController::Compare()
{
    QFileDialog* dialog = FileDialog(false, "EXEC");
    dialog->setWindowTitle(tr("Compare with profile"));
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) { CompareWith(path); });
    dialog->open();
}

void CProfileController::CompareWith(const QString& path)
{
    CTerminalSession& session = m_parts.session;
    std::string chosen;
    const QString why = ReadProfileText(path, chosen);
    if (!why.isEmpty()) {
        m_parts.messages.ShowFileFailure(path, why);
        return;
    }
    const std::string fileName = QFileInfo(path).fileName().toStdString();
    const std::vector<SSectionDiff> diff = DiffProfiles(chosen, session.ProfileBytes());
    QString text = diff.empty() ? tr("The terminal's configuration holds every command of %1.")
                                      .arg(QString::fromStdString(fileName))
                                : QString::fromStdString(DiffText(diff, fileName, "terminal"));
    if (!session.HoldsWholeRead())
        text.prepend(tr("The configuration has not been read from the terminal: the pages hold defaults.\n\n"));

    auto* dialog = new QDialog(&m_parts.window);
    dialog->setObjectName(QStringLiteral("compareDialog"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(tr("Compare with %1").arg(QString::fromStdString(fileName)));
    auto* layout = new QVBoxLayout(dialog);
    auto* summary = new QLabel(
        diff.empty() ? tr("No differences.")
                     : tr("%n section(s) differ: \"-\" lines are only in the profile, \"+\" lines only on the terminal.",
                          nullptr, static_cast<int>(diff.size())),
        dialog);
    summary->setWordWrap(true);
    layout->addWidget(summary);
    auto* lines = new QPlainTextEdit(text, dialog);
    lines->setObjectName(QStringLiteral("differences"));
    lines->setReadOnly(true);
    QFont monospace(QStringLiteral("monospace"));
    monospace.setStyleHint(QFont::Monospace);
    lines->setFont(monospace);
    layout->addWidget(lines, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    QPushButton* execute = buttons->addButton(tr("Execute this profile..."), QDialogButtonBox::AcceptRole);
    execute->setObjectName(QStringLiteral("executeButton"));
    execute->setEnabled(!diff.empty() && !session.ProfileRunning());
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    connect(execute, &QPushButton::clicked, this, [this, dialog, path] {
        dialog->accept();
        const bool backup = m_parts.session.HoldsWholeRead();
        m_parts.messages.Ask(
            QStringLiteral("executeQuestion"),
            backup ? tr("Send %1 to the terminal now?\n\nIts commands replace the terminal's settings they name; a "
                        "backup of the terminal's configuration is saved beside it first.")
                         .arg(QDir::toNativeSeparators(path))
                   : tr("Send %1 to the terminal now?\n\nIts commands replace the terminal's settings they name. No "
                        "backup is saved: the configuration has not been read from the terminal.")
                         .arg(QDir::toNativeSeparators(path)),
            [this, path](QMessageBox* box) {
                if (box->clickedButton() == box->button(QMessageBox::Yes))
                    ExecuteFrom(path, m_parts.session.HoldsWholeRead());
            });
    });
    layout->addWidget(buttons);
    dialog->resize(760, 520);
    dialog->open();
}

bool CProfileController::SaveTo(const QString& chosen, EProfileScope scope)
{
    QString path = chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".txt");
    std::vector<SLeftOut> leftOut;
    const std::string bytes = m_parts.session.ProfileBytes(scope, &leftOut);
    // A profile holds the SIM PIN and PUK: private unless the file was shared before.
    const QString why = WriteFileSafely(path, QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                        {ENewFileMode::Private, ELinkPolicy::WriteThrough});
    if (!why.isEmpty()) {
        m_parts.messages.ShowFileFailure(path, why);
        return false;
    }
    Status(tr("Profile saved to %1").arg(QDir::toNativeSeparators(path)));
    QString saved = QString::fromStdString(m_parts.catalogue.Lookup(kMsgSaveProfileOk, kSectionSysMsg));
    if (!leftOut.empty()) {
        QStringList lines;
        for (const SLeftOut& left : leftOut)
            lines.append(m_parts.reports.LeftOutCaption(left));
        lines.removeDuplicates();
        saved += QStringLiteral("\n\n") + tr("%1 lines are not in the profile, as the terminal did not report "
                                              "their values:").arg(leftOut.size())
                 + QStringLiteral("\n") + lines.mid(0, 12).join(QLatin1Char('\n'))
                 + (lines.size() > 12 ? QStringLiteral("\n...") : QString());
    }
    m_parts.messages.Open(QMessageBox::Information, saved);
    return true;
}

void CProfileController::ExecuteFrom(const QString& path, bool backup)
{
    ExecuteFrom(path, backup ? std::optional<std::string>(m_parts.session.ProfileBytes()) : std::nullopt);
}

void CProfileController::ExecuteFrom(const QString& path, std::optional<std::string> backupBytes)
{
    CTerminalSession& session = m_parts.session;
    if (session.ProfileRunning())
        return;
    auto lines = std::make_shared<std::vector<SProfileLine>>();
    std::string text;
    const QString why = ReadProfileFile(path, *lines, &text);
    if (!why.isEmpty()) {
        m_parts.messages.ShowFileFailure(path, why);
        return;
    }
    std::optional<SBackup> saved;
    if (backupBytes)
        saved = SBackup{path, std::move(*backupBytes)};
    Start(std::move(text), QFileInfo(path).fileName(), saved,
          [&session, lines] { return session.ExecuteProfile(std::move(*lines)); });
}

void CProfileController::ExecuteText(const std::string& profile, const QString& name,
                                     const std::optional<SBackup>& backup)
{
    CTerminalSession& session = m_parts.session;
    if (session.ProfileRunning())
        return;
    Start(profile, name, backup, [&session, &profile] { return session.ExecuteProfile(std::string_view(profile)); });
}

void CProfileController::Start(std::string profile, const QString& name, const std::optional<SBackup>& backup,
                               const std::function<bool()>& run)
{
    if (backup && !WriteBackup(*backup))
        return;
    m_verification->Expect(std::move(profile), name);
    if (!run())
        m_verification->Drop();
}

bool CProfileController::WriteBackup(const SBackup& backup)
{
    const QString backupPath = BackupPathFor(backup.profilePath, QDateTime::currentDateTime());
    const QString failed =
        WriteFileSafely(backupPath, QByteArrayView(backup.bytes.data(), static_cast<qsizetype>(backup.bytes.size())),
                        {ENewFileMode::Private, ELinkPolicy::Refuse});
    if (!failed.isEmpty()) {
        const QString text = tr("The profile was not executed, nothing was sent: the backup %1 could not be "
                                "written: %2")
                                 .arg(QDir::toNativeSeparators(backupPath), failed);
        Status(text);
        m_parts.messages.Open(QStringLiteral("backup"), QMessageBox::Critical, text);
        return false;
    }
    Status(tr("Backup saved to %1").arg(QDir::toNativeSeparators(backupPath)));
    return true;
}

} // namespace orlan
