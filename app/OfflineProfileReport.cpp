// File > Export report: what the pages show as a document, HTML as built or
// PDF printed from it.
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "OrlanVersion.h"
#include "app/FileAccess.h"
#include "app/MessageCentre.h"
#include "app/OfflineProfile.h"
#include "app/ProfileController.h"
#include "platform/ReportPdf.h"
#include "session/ConfigurationReport.h"

namespace orlan {

void COfflineProfile::ExportReport()
{
    QFileDialog* dialog = m_parts.profiles.FileDialog(true, "SAVE");
    dialog->setWindowTitle(tr("Export report"));
    const QString pdf = tr("PDF document (*.pdf)");
    dialog->setNameFilters({tr("HTML document (*.html)"), pdf});
    dialog->setDefaultSuffix(QStringLiteral("html"));
    connect(dialog, &QFileDialog::filterSelected, dialog, [dialog, pdf](const QString& filter) {
        dialog->setDefaultSuffix(filter == pdf ? QStringLiteral("pdf") : QStringLiteral("html"));
    });
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) { ExportReportTo(path); });
    dialog->open();
}

bool COfflineProfile::ExportReportTo(const QString& path)
{
    const std::string html =
        ConfigurationReportHtml(m_parts.session, m_parts.catalogue, kOrlanVersion,
                                QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString());
    const QByteArray bytes = QFileInfo(path).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0
                                 ? PdfOfHtml(QString::fromStdString(html))
                                 : QByteArray::fromStdString(html);
    // The report holds the SIM PIN and PUK as a profile does.
    const QString why = WriteFileSafely(path, QByteArrayView(bytes), {ENewFileMode::Private, ELinkPolicy::WriteThrough});
    if (!why.isEmpty()) {
        m_parts.messages.Open(QStringLiteral("reportFailed"), QMessageBox::Critical,
                              tr("The report could not be saved to %1: %2").arg(QDir::toNativeSeparators(path), why));
        return false;
    }
    if (showStatus)
        showStatus(tr("Report saved to %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

} // namespace orlan
