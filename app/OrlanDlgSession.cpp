// The main window as the session's view: each report goes to the part it
// concerns, the session's English texts through the message centre's
// translation.
#include "app/OrlanDlg.h"

#include <QDir>

#include "app/FileAccess.h"
#include "app/JobReportLine.h"
#include "app/MessageCentre.h"
#include "app/NavigationBar.h"
#include "app/OfflineProfile.h"
#include "app/PageRegistry.h"
#include "app/PortController.h"
#include "app/ProfileController.h"
#include "app/ProfileVerification.h"
#include "app/SessionTexts.h"
#include "app/StatusLine.h"
#include "app/WindowHeader.h"
#include "pages/Page.h"
#include "session/PageAccess.h"
#include "widgets/PageView.h"

#include <set>

namespace orlan {

namespace {

constexpr char kPictureBox[] = "picture";

} // namespace

void COrlanDlg::OnRawText(std::string_view chunk)
{
    m_ports->TextReceived(chunk);
    for (const auto& [key, view] : m_pages->Views())
        view->OnRawText(chunk);
}

void COrlanDlg::OnRestart()
{
    for (const auto& [key, view] : m_pages->Views())
        view->OnRestart();
}

void COrlanDlg::OnStatusText(const std::string& text)
{
    m_status->StatusAnew(QString::fromStdString(text));
}

void COrlanDlg::OnSecondStatusText(const std::string& text)
{
    m_status->SecondStatus(QString::fromStdString(text));
}

void COrlanDlg::ShowInformation(const std::string& text)
{
    m_messages->ShowInformation(text);
}

void COrlanDlg::ShowError(const std::string& text)
{
    m_messages->ShowError(text);
}

void COrlanDlg::OnWholeReadFailed(const std::string& reason)
{
    // Overrides the end line's "read completely" where the read was not.
    m_status->StatusAsFailure(tr("The whole read failed: %1").arg(SessionText(reason)));
    m_offline->OnReadFailed();
    m_profiles->Verification().OnWholeReadFailed(reason);
}

void COrlanDlg::OnWholeReadComplete()
{
    ++m_wholeReads;
    m_header->ShowUnit(m_session.FindPage("CPageMainParams"));
    // What was read, at a glance; a page asked for on the command line
    // stays for the first read.
    if (m_wholeReads > 1 || m_options.firstPage.isEmpty())
        m_pages->Show(QString::fromLatin1(kOverviewItemKey));
    Q_EMIT wholeReadCompleted();
}

void COrlanDlg::OnPictureComplete(std::span<const uint8_t> jpeg)
{
    // Saved once to each file a page names for its pictures.
    std::set<std::string> files;
    for (const auto& page : m_session.Pages()) {
        if (const std::string& file = page->Info().pictureFile; !file.empty() && files.insert(file).second)
            SavePicture(jpeg, QDir::current().filePath(QString::fromStdString(file)));
    }
}

void COrlanDlg::SavePicture(std::span<const uint8_t> jpeg, const QString& path)
{
    m_progress.Hide();
    m_status->Status(QStringLiteral("saving image"));
    // The tool chose the name, not the user: a link there is not followed.
    const QString why = WriteFileSafely(path, QByteArrayView(jpeg.data(), static_cast<qsizetype>(jpeg.size())),
                                        {ENewFileMode::Shared, ELinkPolicy::Refuse});
    if (why.isEmpty()) {
        m_status->Status(QStringLiteral("image saved"));
        return;
    }
    const QString failure = tr("image not saved: %1: %2").arg(QDir::toNativeSeparators(path), why);
    m_status->Status(failure);
    m_messages->Open(QString::fromLatin1(kPictureBox), QMessageBox::Warning, failure);
}

void COrlanDlg::OnValueRefused(const CPage& page, const std::string& fieldId, const std::string& why)
{
    QString field = QString::fromStdString(fieldId);
    if (!fieldId.empty() && page.Fields().Has(fieldId))
        field = QString::fromStdString(
            FieldCaption(page.Fields().Desc(page.Fields().IndexOf(fieldId)), page.Info().section, m_catalogue));
    const QString caption = m_pages->Caption(page);
    const QString where = field.isEmpty() ? caption : caption + QStringLiteral(": ") + field;
    m_messages->Open(QMessageBox::Warning, tr("%1 %2; nothing was sent.").arg(where, SessionText(why)));
}

void COrlanDlg::OnJobFinished(const std::string& name, const SJobReport& report)
{
    m_reports->JobFinished(name, report);
    m_profiles->Verification().OnJobFinished(name, report);
}

void COrlanDlg::OnPageJobFinished(const CPage& page, const SPageJobKind& kind, const std::string& /*name*/,
                                  const SJobReport& report)
{
    m_reports->PageJobFinished(page, kind, report);
}

void COrlanDlg::OnPageBusy(const CPage& page, bool busy)
{
    // The buttons of the page whose job runs, wherever the user has gone.
    CPageView* view = m_pages->ViewOf(page);
    if (view == nullptr)
        return;
    if (view == m_pages->CurrentView())
        m_progress.EnablePageButtons(!busy);
    else
        m_pages->SetButtons(*view, !busy);
}

} // namespace orlan
