#include "app/JobReportLine.h"

#include <algorithm>

#include "app/ElidingLabel.h"
#include "app/SessionTexts.h"
#include "labels/CommonLabelKeys.h"
#include "labels/LabelCatalogue.h"
#include "pages/Page.h"
#include "session/PageAccess.h"
#include "session/TerminalSession.h"

namespace orlan {

namespace {

const QColor kFailureColour(0xb0, 0x24, 0x1c);

} // namespace

CJobReportLine::CJobReportLine(CElidingLabel& label, const QWidget& bar, const CLabelCatalogue& catalogue)
    : QObject(&label), m_label(label), m_bar(bar), m_catalogue(catalogue)
{
}

void CJobReportLine::JobFinished(const std::string& name, const SJobReport& report)
{
    const QString job =
        name == "Execute profile" ? QString::fromStdString(m_catalogue.Lookup("EXEC", kSectionSysBtn)) : QString();
    Show((job.isEmpty() ? QString::fromStdString(name) : job) + QStringLiteral(": ") + SessionText(report.Summary()),
         report);
}

void CJobReportLine::PageJobFinished(const CPage& page, const SPageJobKind& kind, const SJobReport& report)
{
    // As the user knows the page and what was done on it.
    QString what = QString::fromStdString(PageCaption(page, m_catalogue));
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
        if (kind.row && kind.table < page.Tables().size()) {
            // The row by the label its list shows ("No.2", "03").
            const QString row = QString::fromStdString(page.Tables()[kind.table].RowLabel(*kind.row, m_catalogue));
            if (report.AllAccepted() && !report.cancelled) {
                Show(tr("%1: %2 written").arg(what, row), report);
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
    Show(what + QStringLiteral(": ") + SessionText(report.Summary()), report);
}

QString CJobReportLine::LeftOutCaption(const SLeftOut& leftOut) const
{
    QStringList names;
    for (const SUnknownValue& value : leftOut.unknown) {
        const std::string caption =
            value.labelKey.empty() ? std::string() : m_catalogue.Lookup(value.labelKey, value.section);
        const QString name = QString::fromStdString(caption.empty() ? value.id : caption);
        if (!names.contains(name))
            names.append(name);
    }
    return tr("not written: %1 (the terminal did not report it)").arg(names.join(QStringLiteral(", ")));
}

void CJobReportLine::Show(const QString& summary, const SJobReport& report)
{
    QString text = summary;
    const bool editLeftOut = std::any_of(report.leftOut.begin(), report.leftOut.end(),
                                         [](const SLeftOut& left) { return left.carriesEdit; });
    if (!report.leftOut.empty())
        text += report.sent == 0 ? tr(", nothing written: the terminal reported none of these settings")
                                 : tr(", %1 not written (values the terminal did not report)").arg(report.leftOut.size());
    m_label.SetFullText(text);
    QStringList failed = {text};
    for (const std::string& command : report.failed)
        failed.append(QString::fromStdString(command));
    for (const SLeftOut& left : report.leftOut)
        failed.append(LeftOutCaption(left));
    m_label.setToolTip(failed.join(QLatin1Char('\n')));
    const bool good = report.AllAccepted() && !editLeftOut && (report.sent > 0 || report.leftOut.empty());
    QPalette palette = m_label.palette();
    palette.setColor(QPalette::WindowText, good ? m_bar.palette().color(QPalette::WindowText) : kFailureColour);
    m_label.setPalette(palette);
}

} // namespace orlan
