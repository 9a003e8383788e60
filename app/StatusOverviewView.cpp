#include "app/StatusOverviewView.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "app/StatusCanvas.h"
#include "session/TerminalSession.h"

namespace orlan {

namespace {

int64_t NowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

CStatusOverviewView::CStatusOverviewView(CTerminalSession& session, const CLabelCatalogue& catalogue,
                                         std::function<QString()> portName, QWidget* parent)
    : QWidget(parent),
      m_session(session),
      m_catalogue(catalogue),
      m_portName(std::move(portName)),
      m_model(std::make_unique<CStatusOverview>(session, NowMs))
{
    setObjectName(QStringLiteral("statusOverview"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    auto* titles = new QVBoxLayout;
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("statusUnit"));
    m_title->setTextFormat(Qt::PlainText);
    QFont big = m_title->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    m_title->setFont(big);
    m_link = new QLabel(this);
    m_link->setObjectName(QStringLiteral("statusLink"));
    m_link->setTextFormat(Qt::PlainText);
    m_link->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    titles->addWidget(m_title);
    titles->addWidget(m_link);
    top->addLayout(titles, 1);
    m_refresh = new QPushButton(tr("Refresh"), this);
    m_refresh->setObjectName(QStringLiteral("statusRefresh"));
    m_refresh->setToolTip(tr("Ask the terminal for what this page shows"));
    top->addWidget(m_refresh, 0, Qt::AlignTop);
    layout->addLayout(top);

    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    m_canvas = new CStatusCanvas(scroll);
    scroll->setWidget(m_canvas);
    layout->addWidget(scroll, 1);

    connect(m_refresh, &QPushButton::clicked, this, &CStatusOverviewView::Refresh);
    m_soon.setSingleShot(true);
    m_soon.setInterval(100);
    connect(&m_soon, &QTimer::timeout, this, &CStatusOverviewView::Update);
    m_ages.setInterval(1000);
    connect(&m_ages, &QTimer::timeout, this, &CStatusOverviewView::Update);
    // The line reaches the pages right after the overview hears it: the
    // redraw comes a moment later, with both.
    m_observer = m_session.AddLineObserver([this](std::string_view line) {
        m_model->OnLine(line);
        if (isVisible() && !m_soon.isActive())
            m_soon.start();
    });
    Update();
}

CStatusOverviewView::~CStatusOverviewView()
{
    m_session.RemoveLineObserver(m_observer);
}

void CStatusOverviewView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Update();
    m_ages.start();
}

void CStatusOverviewView::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_ages.stop();
}

void CStatusOverviewView::Refresh()
{
    for (std::string_view name : CStatusOverview::RefreshPages()) {
        if (CPage* page = m_session.FindPage(name))
            m_session.ReadPage(*page);
    }
}

void CStatusOverviewView::Update()
{
    m_shown = m_model->Snapshot(&m_catalogue);
    const int64_t now = m_model->NowMs();
    if (m_shown.unitId.empty())
        m_title->setText(tr("Unit not read yet"));
    else
        m_title->setText(tr("Unit %1").arg(QString::fromStdString(m_shown.unitId))
                         + (m_shown.memo.empty() ? QString() : QStringLiteral(" — ") + QString::fromStdString(m_shown.memo)));
    const QString port = m_portName ? m_portName() : QString();
    QString link = tr("Port %1").arg(port.isEmpty() ? QStringLiteral("—") : port) + QStringLiteral(" · ")
                   + (m_shown.loggedIn ? tr("logged in") : tr("not logged in")) + QStringLiteral(" · ");
    if (m_shown.lastLine.Reported())
        link += tr("last line %1: %2").arg(CStatusCanvas::AgeOf(m_shown.lastLine, now),
                                           QString::fromStdString(m_shown.lastLine.text));
    else
        link += tr("no line received yet");
    m_link->setText(link);
    m_canvas->SetStatus(m_shown, now);
}

} // namespace orlan
