#pragma once
// The status bar's job report: what a job did, named as the user knows the
// page and what was done on it ("Phone numbers: row 3 written"), red when
// something was not taken or not written, the commands that failed and the
// values left out in its tooltip.
#include <QObject>
#include <QString>

#include <string>

class QWidget;

namespace orlan {

class CElidingLabel;
class CLabelCatalogue;
class CPage;
struct SJobReport;
struct SLeftOut;
struct SPageJobKind;

class CJobReportLine final : public QObject {
    Q_OBJECT
public:
    // `bar`: whose text colour a report with nothing amiss takes.
    CJobReportLine(CElidingLabel& label, const QWidget& bar, const CLabelCatalogue& catalogue);

    void JobFinished(const std::string& name, const SJobReport& report);
    void PageJobFinished(const CPage& page, const SPageJobKind& kind, const SJobReport& report);
    // "not written: Phone 1 (the terminal did not report it)"
    QString LeftOutCaption(const SLeftOut& leftOut) const;

private:
    void Show(const QString& summary, const SJobReport& report);

    CElidingLabel& m_label;
    const QWidget& m_bar;
    const CLabelCatalogue& m_catalogue;
};

} // namespace orlan
