#include "app/StatusLine.h"

#include <QStatusBar>
#include <QToolButton>

#include "app/ElidingLabel.h"
#include "app/SysProgress.h"

namespace orlan {

namespace {

const QColor kFailureColour(0xb0, 0x24, 0x1c);

CElidingLabel* StatusLabel(const char* name, QWidget* parent)
{
    auto* label = new CElidingLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    // Long texts end in "..." rather than widening the window.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setMinimumWidth(60);
    return label;
}

} // namespace

CStatusLine::CStatusLine(QStatusBar& bar, CProgressModel& progress) : QObject(&bar), m_bar(bar)
{
    m_status = StatusLabel("statusText", &bar);
    m_secondStatus = StatusLabel("secondStatusText", &bar);
    m_jobReport = StatusLabel("jobReport", &bar);
    m_linkText = StatusLabel("linkText", &bar);
    // The device in use and why a port failed matter most: room for them.
    m_linkText->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    m_linkText->setMaximumWidth(760);
    auto* progressView = new CSysProgress(progress, &bar);
    m_portDoctor = new QToolButton(&bar);
    m_portDoctor->setObjectName(QStringLiteral("portDoctorButton"));
    m_portDoctor->setText(tr("Why?"));
    m_portDoctor->setToolTip(tr("Examine the port: permission, other programs using it, ModemManager"));
    m_portDoctor->setAutoRaise(true);
    m_portDoctor->hide();
    bar.addWidget(m_status, 3);
    bar.addWidget(m_secondStatus, 2);
    bar.addWidget(m_jobReport, 3);
    bar.addPermanentWidget(progressView);
    bar.addPermanentWidget(m_linkText);
    bar.addPermanentWidget(m_portDoctor);
}

void CStatusLine::Status(const QString& text)
{
    m_status->SetFullText(text);
}

void CStatusLine::StatusAnew(const QString& text)
{
    m_status->setPalette(m_bar.palette());
    m_status->SetFullText(text);
}

void CStatusLine::StatusAsFailure(const QString& text)
{
    m_status->SetFullText(text);
    QPalette palette = m_status->palette();
    palette.setColor(QPalette::WindowText, kFailureColour);
    m_status->setPalette(palette);
}

void CStatusLine::SecondStatus(const QString& text)
{
    m_secondStatus->SetFullText(text);
}

QString CStatusLine::StatusText() const
{
    return m_status->FullText();
}

QString CStatusLine::SecondStatusText() const
{
    return m_secondStatus->FullText();
}

QString CStatusLine::JobReportText() const
{
    return m_jobReport->FullText();
}

QString CStatusLine::LinkText() const
{
    return m_linkText->FullText();
}

} // namespace orlan
