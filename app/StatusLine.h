#pragma once
// The window's status bar: the receive path's status and second status
// texts, the job report, the progress, the link text and the port doctor's
// button. Long texts end in "..." and keep their whole text for the tests
// and the tooltip.
#include <QObject>
#include <QString>

class QStatusBar;
class QToolButton;

namespace orlan {

class CElidingLabel;
class CProgressModel;

class CStatusLine final : public QObject {
    Q_OBJECT
public:
    CStatusLine(QStatusBar& bar, CProgressModel& progress);

    // The status text in the colour it has now, in the bar's own colour
    // again, or in the failure colour.
    void Status(const QString& text);
    void StatusAnew(const QString& text);
    void StatusAsFailure(const QString& text);
    void SecondStatus(const QString& text);

    QString StatusText() const;
    QString SecondStatusText() const;
    QString JobReportText() const;
    QString LinkText() const;

    CElidingLabel& JobReport() const { return *m_jobReport; }
    CElidingLabel& Link() const { return *m_linkText; }
    // Offered while the port does not open: why, and what to do about it.
    QToolButton& Doctor() const { return *m_portDoctor; }

private:
    QStatusBar& m_bar;
    CElidingLabel* m_status = nullptr;
    CElidingLabel* m_secondStatus = nullptr;
    CElidingLabel* m_jobReport = nullptr;
    CElidingLabel* m_linkText = nullptr;
    QToolButton* m_portDoctor = nullptr;
};

} // namespace orlan
