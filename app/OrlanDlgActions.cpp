// The main window's commands (setup mode, profiles, about), what it shows
// of the session's reports, and the camera picture.
#include "app/OrlanDlg.h"

#include "pages/network/MmsSetupPage.h"
#include "widgets/PageView.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>

#include "app/AppSettings.h"
#include "app/ElidingLabel.h"
#include "app/FileAccess.h"
#include "labels/CommonLabelKeys.h"
#include "session/PageAccess.h"
#include "session/ProfileDiff.h"
#include "OrlanVersion.h"

namespace orlan {

namespace {

constexpr char kProfileOpenFailed[] = "Open the profile failed!";
constexpr char kPictureBox[] = "picture";
const QColor kFailureColour(0xb0, 0x24, 0x1c);

} // namespace

QMessageBox* COrlanDlg::OpenMessage(const QString& kind, QMessageBox::Icon icon, const QString& text)
{
    QPointer<QMessageBox>& open = m_messages[kind];
    // A box closed but not yet deleted is not reused.
    if (open && open->isVisible()) {
        open->setIcon(icon);
        open->setText(text);
        open->raise();
        return open;
    }
    auto* box = new QMessageBox(icon, windowTitle(), text, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("messageBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();  // not exec(): the receive path keeps running behind it
    open = box;
    return box;
}

void COrlanDlg::ShowInformation(const std::string& text)
{
    OpenMessage(QMessageBox::Information, QString::fromStdString(text));
}

void COrlanDlg::ShowError(const std::string& text)
{
    OpenMessage(QMessageBox::Critical, QString::fromStdString(text));
}

void COrlanDlg::OnSetup()
{
    StoreLinkSettings();
    if (m_setupBox) {
        m_setupBox->raise();
        return;
    }
    // The key run goes out only once the user has read the message and closed it.
    m_setupBox = OpenMessage(QMessageBox::Information, Text(kMsgSetupMode, kSectionSysMsg));
    connect(m_setupBox, &QMessageBox::finished, this, [this] { m_session.EnterSetupMode(); });
}

QFileDialog* COrlanDlg::ProfileDialog(bool save, std::string_view captionKey)
{
    const QString folder = CPreferences().value(QLatin1String(kProfileFolderSetting), QDir::currentPath()).toString();
    auto* dialog = new QFileDialog(this, Text(captionKey, kSectionSysBtn), folder);
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

QMessageBox* COrlanDlg::Ask(const QString& name, const QString& text, std::function<void(QMessageBox*)> answered)
{
    auto* box = new QMessageBox(QMessageBox::Question, windowTitle(), text, QMessageBox::Yes | QMessageBox::No, this);
    box->setObjectName(name);
    box->button(QMessageBox::Yes)->setText(Text(kCharYes, kSectionSysChar));
    box->button(QMessageBox::No)->setText(Text(kCharNo, kSectionSysChar));
    box->setDefaultButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [box, answered = std::move(answered)] { answered(box); });
    box->open();  // not exec(): the receive path keeps running behind it
    return box;
}

void COrlanDlg::OnRestartClicked()
{
    Ask(QStringLiteral("restartQuestion"),
        tr("Restart the terminal now?\n\nIt stops working while it starts again: a call, a message or an alarm in "
           "progress is lost, and the console shows the start-up."),
        [this](QMessageBox* box) {
            if (box->clickedButton() == box->button(QMessageBox::Yes))
                m_session.Restart();
        });
}

void COrlanDlg::OnDefaultsClicked()
{
    QMessageBox* box = Ask(
        QStringLiteral("defaultsQuestion"),
        tr("Reset the terminal to its factory defaults?\n\nEvery setting on the terminal is lost: phone numbers, "
           "message texts, zones, timers, names and all parameters are replaced by the factory values."),
        [this](QMessageBox* answered) {
            const QAbstractButton* clicked = answered->clickedButton();
            if (clicked == answered->button(QMessageBox::Yes)) {
                m_session.FactoryDefaults();
            } else if (clicked != nullptr && clicked->objectName() == QLatin1String("backupButton")) {
                // The reset follows only a backup that was written.
                ChooseProfileToSave([this](const QString&) { m_session.FactoryDefaults(); });
            }
        });
    QPushButton* backup = box->addButton(tr("Save a backup, then reset..."), QMessageBox::AcceptRole);
    backup->setObjectName(QStringLiteral("backupButton"));
    if (!m_session.HoldsWholeRead()) {
        backup->setEnabled(false);
        backup->setToolTip(tr("The configuration has not been read from the terminal: a backup would hold defaults."));
    }
}

void COrlanDlg::OnSaveProfile()
{
    if (m_session.HoldsWholeRead()) {
        ChooseProfileToSave();
        return;
    }
    Ask(QStringLiteral("unreadQuestion"),
        tr("The configuration has not been read from the terminal since the port was opened.\n\nA profile saved "
           "now holds what the pages hold: their defaults (every wireless zone on as a 24-hour zone, for "
           "instance), not the terminal's settings.\n\nSave it anyway?"),
        [this](QMessageBox* box) {
            if (box->clickedButton() == box->button(QMessageBox::Yes))
                ChooseProfileToSave();
        });
}

void COrlanDlg::ChooseProfileToSave(std::function<void(const QString&)> saved)
{
    QFileDialog* dialog = ProfileDialog(true, "SAVE");
    dialog->setDefaultSuffix(QStringLiteral("txt"));
    connect(dialog, &QFileDialog::fileSelected, this, [this, saved = std::move(saved)](const QString& path) {
        if (SaveProfileTo(path) && saved)
            saved(path);
    });
    dialog->open();
}

void COrlanDlg::OnExecuteProfile()
{
    if (m_session.ProfileRunning())
        return;
    QFileDialog* dialog = ProfileDialog(false, "EXEC");
    // The chooser of our own, so it can carry the backup choice.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    auto* backup = new QCheckBox(tr("First save the terminal's configuration as a backup beside the profile"), dialog);
    backup->setObjectName(QStringLiteral("backupBox"));
    // A backup of pages never read whole would hold defaults, not the terminal.
    const bool canBackUp = m_session.HoldsWholeRead();
    backup->setChecked(canBackUp && CPreferences().value(QLatin1String(kExecBackupSetting), true).toBool());
    backup->setEnabled(canBackUp);
    if (!canBackUp)
        backup->setToolTip(tr("The configuration has not been read from the terminal: a backup would hold defaults."));
    if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout()))
        grid->addWidget(backup, grid->rowCount(), 0, 1, grid->columnCount());
    connect(dialog, &QFileDialog::fileSelected, this, [this, backup](const QString& path) {
        if (backup->isEnabled())
            CPreferences().setValue(QLatin1String(kExecBackupSetting), backup->isChecked());
        ExecuteProfileFrom(path, backup->isEnabled() && backup->isChecked());
    });
    dialog->open();
}

void COrlanDlg::OnCompareProfile()
{
    QFileDialog* dialog = ProfileDialog(false, "EXEC");
    dialog->setWindowTitle(tr("Compare with profile"));
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) { CompareWithProfile(path); });
    dialog->open();
}

void COrlanDlg::CompareWithProfile(const QString& path)
{
    std::string chosen;
    const QString why = ReadProfileText(path, chosen);
    if (!why.isEmpty()) {
        ShowFileFailure(path, why);
        return;
    }
    const std::string fileName = QFileInfo(path).fileName().toStdString();
    const std::vector<SSectionDiff> diff = DiffProfiles(chosen, m_session.ProfileBytes());
    QString text = diff.empty() ? tr("The terminal's configuration holds every command of %1.")
                                      .arg(QString::fromStdString(fileName))
                                : QString::fromStdString(DiffText(diff, fileName, "terminal"));
    if (!m_session.HoldsWholeRead())
        text.prepend(tr("The configuration has not been read from the terminal: the pages hold defaults.\n\n"));

    auto* dialog = new QDialog(this);
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
    execute->setEnabled(!diff.empty() && !m_session.ProfileRunning());
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    connect(execute, &QPushButton::clicked, this, [this, dialog, path] {
        dialog->accept();
        Ask(QStringLiteral("executeQuestion"),
            m_session.HoldsWholeRead()
                ? tr("Send %1 to the terminal now?\n\nIts commands replace the terminal's settings they name; a "
                     "backup of the terminal's configuration is saved beside it first.")
                      .arg(QDir::toNativeSeparators(path))
                : tr("Send %1 to the terminal now?\n\nIts commands replace the terminal's settings they name. No "
                     "backup is saved: the configuration has not been read from the terminal.")
                      .arg(QDir::toNativeSeparators(path)),
            [this, path](QMessageBox* box) {
                if (box->clickedButton() == box->button(QMessageBox::Yes))
                    ExecuteProfileFrom(path, m_session.HoldsWholeRead());
            });
    });
    layout->addWidget(buttons);
    dialog->resize(760, 520);
    dialog->open();
}

bool COrlanDlg::SaveProfileTo(const QString& chosen)
{
    QString path = chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".txt");
    std::vector<SLeftOut> leftOut;
    const std::string bytes = m_session.ProfileBytes(&leftOut);
    // A profile holds the SIM PIN and PUK: private unless the file was shared before.
    const QString why = WriteFileSafely(path, QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                        {ENewFileMode::Private, ELinkPolicy::WriteThrough});
    if (!why.isEmpty()) {
        ShowFileFailure(path, why);
        return false;
    }
    m_status->SetFullText(tr("Profile saved to %1").arg(QDir::toNativeSeparators(path)));
    QString saved = Text(kMsgSaveProfileOk, kSectionSysMsg);
    if (!leftOut.empty()) {
        QStringList lines;
        for (const SLeftOut& left : leftOut)
            lines.append(LeftOutCaption(left));
        lines.removeDuplicates();
        saved += QStringLiteral("\n\n") + tr("%1 lines are not in the profile, as the terminal did not report "
                                              "their values:").arg(leftOut.size())
                 + QStringLiteral("\n") + lines.mid(0, 12).join(QLatin1Char('\n'))
                 + (lines.size() > 12 ? QStringLiteral("\n...") : QString());
    }
    OpenMessage(QMessageBox::Information, saved);
    return true;
}

void COrlanDlg::ExecuteProfileFrom(const QString& path, bool backup)
{
    if (m_session.ProfileRunning())
        return;
    std::vector<SProfileLine> lines;
    const QString why = ReadProfileFile(path, lines);
    if (!why.isEmpty()) {
        ShowFileFailure(path, why);
        return;
    }
    if (backup) {
        const QString backupPath = BackupPathFor(path, QDateTime::currentDateTime());
        const std::string bytes = m_session.ProfileBytes();
        const QString failed =
            WriteFileSafely(backupPath, QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                            {ENewFileMode::Private, ELinkPolicy::Refuse});
        if (!failed.isEmpty()) {
            const QString text = tr("The profile was not executed, nothing was sent: the backup %1 could not be "
                                    "written: %2")
                                     .arg(QDir::toNativeSeparators(backupPath), failed);
            m_status->SetFullText(text);
            OpenMessage(QStringLiteral("backup"), QMessageBox::Critical, text);
            return;
        }
        m_status->SetFullText(tr("Backup saved to %1").arg(QDir::toNativeSeparators(backupPath)));
    }
    m_session.ExecuteProfile(std::move(lines));
}

void COrlanDlg::ShowFileFailure(const QString& path, const QString& why)
{
    m_status->SetFullText(tr("%1: %2").arg(QDir::toNativeSeparators(path), why));
    OpenMessage(QMessageBox::Critical, QString::fromLatin1(kProfileOpenFailed));
}

void COrlanDlg::OnAbout()
{
    OpenMessage(QMessageBox::Information,
                tr("%1\nVersion %2\n\nConfigures GSM/GPRS alarm and telemetry terminals over their serial "
                   "console.\nLicence: GPL-3.0-or-later")
                    .arg(windowTitle(), QString::fromLatin1(kOrlanVersion)));
}

void COrlanDlg::OnPictureComplete(std::span<const uint8_t> jpeg)
{
    SavePicture(jpeg, QDir::current().filePath(QString::fromLatin1(CPageMmsSetup::kPictureFile.data(),
                                                                 CPageMmsSetup::kPictureFile.size())));
}

void COrlanDlg::SavePicture(std::span<const uint8_t> jpeg, const QString& path)
{
    m_progress.Hide();
    m_status->SetFullText(QStringLiteral("saving image"));
    // The tool chose the name, not the user: a link there is not followed.
    const QString why = WriteFileSafely(path, QByteArrayView(jpeg.data(), static_cast<qsizetype>(jpeg.size())),
                                        {ENewFileMode::Shared, ELinkPolicy::Refuse});
    if (why.isEmpty()) {
        m_status->SetFullText(QStringLiteral("image saved"));
        return;
    }
    const QString failure = tr("image not saved: %1: %2").arg(QDir::toNativeSeparators(path), why);
    m_status->SetFullText(failure);
    OpenMessage(QString::fromLatin1(kPictureBox), QMessageBox::Warning, failure);
}

void COrlanDlg::OnRawText(std::string_view chunk)
{
    // The first line back is what shows the terminal is there.
    if (m_linkHealth.State(m_linkClock.elapsed()) != CLinkHealth::EState::Alive &&
        chunk.find_first_of("\r\n") != std::string_view::npos) {
        RefreshPortState();  // the port's opening may not have been seen yet
        m_linkHealth.LineReceived();
        RefreshPortState();
    }
    for (const auto& [key, view] : m_pageViews)
        view->OnRawText(chunk);
}

void COrlanDlg::OnRestart()
{
    for (const auto& [key, view] : m_pageViews)
        view->OnRestart();
}

void COrlanDlg::OnStatusText(const std::string& text)
{
    m_status->setPalette(statusBar()->palette());
    m_status->SetFullText(QString::fromStdString(text));
}

void COrlanDlg::OnSecondStatusText(const std::string& text)
{
    m_secondStatus->SetFullText(QString::fromStdString(text));
}

void COrlanDlg::OnWholeReadFailed(const std::string& reason)
{
    // Overrides the end line's "read completely" where the read was not.
    m_status->SetFullText(tr("The whole read failed: %1").arg(QString::fromStdString(reason)));
    QPalette palette = m_status->palette();
    palette.setColor(QPalette::WindowText, kFailureColour);
    m_status->setPalette(palette);
}

void COrlanDlg::OnWholeReadComplete()
{
    ++m_wholeReads;
    ShowConnectedUnit();
    Q_EMIT wholeReadCompleted();
}

QString COrlanDlg::Caption(const CPage& page) const
{
    return QString::fromStdString(PageCaption(page, m_catalogue));
}

void COrlanDlg::OnJobFinished(const std::string& name, const SJobReport& report)
{
    const QString job = name == "Execute profile" ? Text("EXEC", kSectionSysBtn) : QString();
    ShowJobReport((job.isEmpty() ? QString::fromStdString(name) : job) + QStringLiteral(": ") +
                      QString::fromStdString(report.Summary()),
                  report);
}

void COrlanDlg::OnPageJobFinished(const CPage& page, const SPageJobKind& kind, const std::string& /*name*/,
                                  const SJobReport& report)
{
    // As the user knows the page and what was done on it.
    QString what = Caption(page);
    const std::string& section = page.Info().section;
    switch (kind.kind) {
    case SPageJobKind::EKind::Write:
        break;
    case SPageJobKind::EKind::Action:
        for (const SPageAction& action : page.Actions()) {
            if (action.id == kind.id) {
                const QString label = QString::fromStdString(
                    m_catalogue.Lookup(action.labelKey, action.labelSection.empty() ? section : action.labelSection));
                if (!label.isEmpty())
                    what += QStringLiteral(": ") + label;
            }
        }
        break;
    case SPageJobKind::EKind::RowEdit:
        if (kind.row) {
            const QString row = tr("row %1").arg(*kind.row + 1);
            if (report.AllAccepted() && !report.cancelled) {
                ShowJobReport(tr("%1: %2 written").arg(what, row), report);
                return;
            }
            what += QStringLiteral(": ") + row;
        }
        break;
    case SPageJobKind::EKind::FieldChange: {
        const size_t index = page.Fields().IndexOf(kind.id);
        if (index < page.Fields().Size())
            what += QStringLiteral(": ") +
                    QString::fromStdString(FieldCaption(page.Fields().Desc(index), section, m_catalogue));
        break;
    }
    }
    ShowJobReport(what + QStringLiteral(": ") + QString::fromStdString(report.Summary()), report);
}

QString COrlanDlg::LeftOutCaption(const SLeftOut& leftOut) const
{
    QStringList names;
    for (const SUnknownValue& value : leftOut.unknown) {
        const std::string caption = value.labelKey.empty() ? std::string() : m_catalogue.Lookup(value.labelKey, value.section);
        const QString name = QString::fromStdString(caption.empty() ? value.id : caption);
        if (!names.contains(name))
            names.append(name);
    }
    return tr("not written: %1 (the terminal did not report it)").arg(names.join(QStringLiteral(", ")));
}

void COrlanDlg::OnValueRefused(const CPage& page, const std::string& fieldId, const std::string& why)
{
    QString field = QString::fromStdString(fieldId);
    if (!fieldId.empty() && page.Fields().Has(fieldId))
        field = QString::fromStdString(
            FieldCaption(page.Fields().Desc(page.Fields().IndexOf(fieldId)), page.Info().section, m_catalogue));
    const QString where = field.isEmpty() ? Caption(page) : Caption(page) + QStringLiteral(": ") + field;
    OpenMessage(QMessageBox::Warning,
                tr("%1 %2; nothing was sent.").arg(where, QString::fromStdString(why)));
}

void COrlanDlg::ShowJobReport(const QString& summary, const SJobReport& report)
{
    QString text = summary;
    const bool editLeftOut = std::any_of(report.leftOut.begin(), report.leftOut.end(),
                                         [](const SLeftOut& left) { return left.carriesEdit; });
    if (!report.leftOut.empty())
        text += report.sent == 0 ? tr(", nothing written: the terminal reported none of these settings")
                                 : tr(", %1 not written (values the terminal did not report)").arg(report.leftOut.size());
    m_jobReport->SetFullText(text);
    QStringList failed = {text};
    for (const std::string& command : report.failed)
        failed.append(QString::fromStdString(command));
    for (const SLeftOut& left : report.leftOut)
        failed.append(LeftOutCaption(left));
    m_jobReport->setToolTip(failed.join(QLatin1Char('\n')));
    const bool good = report.AllAccepted() && !editLeftOut && (report.sent > 0 || report.leftOut.empty());
    QPalette palette = m_jobReport->palette();
    palette.setColor(QPalette::WindowText, good ? statusBar()->palette().color(QPalette::WindowText) : kFailureColour);
    m_jobReport->setPalette(palette);
}

void COrlanDlg::OnPageBusy(const CPage& page, bool busy)
{
    // The buttons of the page whose job runs, wherever the user has gone.
    const auto view = m_viewOfPage.find(&page);
    if (view == m_viewOfPage.end())
        return;
    if (view->second == m_currentView)
        m_progress.EnablePageButtons(!busy);
    else
        SetPageButtons(*view->second, !busy);
}

} // namespace orlan
