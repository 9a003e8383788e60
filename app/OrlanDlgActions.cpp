// The main window's commands (setup mode, profiles, about), what it shows
// of the session's reports, and the camera picture.
#include "app/OrlanDlg.h"
#include "widgets/PageView.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

#include "app/AppSettings.h"
#include "app/FileAccess.h"
#include "labels/CommonLabelKeys.h"

namespace orlan {

namespace {

constexpr char kProfileOpenFailed[] = "Open the profile failed!";
constexpr char kPictureFileName[] = "1.jpg";
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

void COrlanDlg::OnSaveProfile()
{
    QFileDialog* dialog = ProfileDialog(true, "SAVE");
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) { SaveProfileTo(path); });
    dialog->open();
}

void COrlanDlg::OnExecuteProfile()
{
    if (m_session.ProfileRunning())
        return;
    QFileDialog* dialog = ProfileDialog(false, "EXEC");
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) { ExecuteProfileFrom(path); });
    dialog->open();
}

void COrlanDlg::SaveProfileTo(const QString& path)
{
    const std::string bytes = m_session.ProfileBytes();
    // A profile holds the SIM PIN and PUK: private unless the file was shared before.
    const QString why = WriteFileSafely(path, QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                        {ENewFileMode::Private, ELinkPolicy::WriteThrough});
    if (!why.isEmpty()) {
        ShowFileFailure(path, why);
        return;
    }
    m_status->setText(tr("Profile saved to %1").arg(QDir::toNativeSeparators(path)));
    OpenMessage(QMessageBox::Information, Text(kMsgSaveProfileOk, kSectionSysMsg));
}

void COrlanDlg::ExecuteProfileFrom(const QString& path)
{
    if (m_session.ProfileRunning())
        return;
    std::vector<SProfileLine> lines;
    const QString why = ReadProfileFile(path, lines);
    if (!why.isEmpty()) {
        ShowFileFailure(path, why);
        return;
    }
    m_session.ExecuteProfile(std::move(lines));
}

void COrlanDlg::ShowFileFailure(const QString& path, const QString& why)
{
    m_status->setText(tr("%1: %2").arg(QDir::toNativeSeparators(path), why));
    OpenMessage(QMessageBox::Critical, QString::fromLatin1(kProfileOpenFailed));
}

void COrlanDlg::OnAbout()
{
    OpenMessage(QMessageBox::Information,
                tr("%1\nVersion %2\n\nConfigures GSM/GPRS alarm and telemetry terminals over their serial "
                   "console.\nLicence: GPL-3.0-or-later")
                    .arg(windowTitle(), QStringLiteral("3.44")));
}

void COrlanDlg::OnPictureComplete(std::span<const uint8_t> jpeg)
{
    SavePicture(jpeg, QDir::current().filePath(QString::fromLatin1(kPictureFileName)));
}

void COrlanDlg::SavePicture(std::span<const uint8_t> jpeg, const QString& path)
{
    m_progress.Hide();
    m_status->setText(QStringLiteral("saving image"));
    // The tool chose the name, not the user: a link there is not followed.
    const QString why = WriteFileSafely(path, QByteArrayView(jpeg.data(), static_cast<qsizetype>(jpeg.size())),
                                        {ENewFileMode::Shared, ELinkPolicy::Refuse});
    if (why.isEmpty()) {
        m_status->setText(QStringLiteral("image saved"));
        return;
    }
    const QString failure = tr("image not saved: %1: %2").arg(QDir::toNativeSeparators(path), why);
    m_status->setText(failure);
    OpenMessage(QString::fromLatin1(kPictureBox), QMessageBox::Warning, failure);
}

void COrlanDlg::OnRawText(std::string_view chunk)
{
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
    m_status->setText(QString::fromStdString(text));
}

void COrlanDlg::OnSecondStatusText(const std::string& text)
{
    m_secondStatus->setText(QString::fromStdString(text));
}

void COrlanDlg::OnWholeReadComplete()
{
    ++m_wholeReads;
    Q_EMIT wholeReadCompleted();
}

void COrlanDlg::OnJobFinished(const std::string& name, const SJobReport& report)
{
    m_jobReport->setText(QString::fromStdString(name + ": " + report.Summary()));
    QStringList failed;
    for (const std::string& command : report.failed)
        failed.append(QString::fromStdString(command));
    m_jobReport->setToolTip(failed.join(QLatin1Char('\n')));
    QPalette palette = m_jobReport->palette();
    palette.setColor(QPalette::WindowText,
                     report.AllAccepted() ? statusBar()->palette().color(QPalette::WindowText) : kFailureColour);
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
        view->second->SetPageButtonsEnabled(!busy);
}

} // namespace orlan
