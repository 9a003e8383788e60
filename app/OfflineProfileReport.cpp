// File > Export report: what the pages show as a document, HTML as built or
// PDF printed from it.
#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include "OrlanVersion.h"
#include "app/FileAccess.h"
#include "app/MessageCentre.h"
#include "app/OfflineProfile.h"
#include "app/ProfileController.h"
#include "session/ConfigurationReport.h"

namespace orlan {

namespace {

// The PDF of the HTML, in memory, so it is saved as safely as any file.
QByteArray PdfOf(const QString& html)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(96);
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    QTextDocument document;
    document.setHtml(html);
    document.setPageSize(writer.pageLayout().paintRectPixels(writer.resolution()).size());
    document.print(&writer);
    return pdf;
}

} // namespace

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
                                 ? PdfOf(QString::fromStdString(html))
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
