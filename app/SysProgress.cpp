#include "app/SysProgress.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QResizeEvent>
#include <QTimer>

#include "app/ProgressModel.h"

namespace orlan {

namespace {

constexpr int kPanelWidth = 500;
constexpr int kBarWidth = 90;

} // namespace

CSysProgress::CSysProgress(CProgressModel& model, QWidget* parent)
    : QWidget(parent),
      m_model(model),
      m_caption(new QLabel(this)),
      m_line(new QLabel(this)),
      m_bar(new QProgressBar(this)),
      m_ticker(new QTimer(this)),
      m_refresh(this, [this] { Refresh(); })
{
    setObjectName(QStringLiteral("progressPanel"));
    setFocusPolicy(Qt::NoFocus);
    setFixedWidth(kPanelWidth);

    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    m_line->setTextFormat(Qt::PlainText);
    m_line->setMinimumWidth(0);
    m_line->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_bar->setRange(CProgressModel::kBarMinimum, CProgressModel::kBarMaximum);
    m_bar->setTextVisible(false);
    m_bar->setFixedSize(kBarWidth, 8);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 0, 6, 0);
    layout->setSpacing(8);
    layout->addWidget(m_bar);
    layout->addWidget(m_caption);
    layout->addWidget(m_line, 1);

    m_model.changed = [this] { m_refresh.Request(); };
    connect(m_ticker, &QTimer::timeout, this, [this] { m_model.Tick(); });
    m_ticker->start(CProgressModel::kTickMs);
    Refresh();
}

QString CSysProgress::CaptionText() const
{
    return m_caption->text();
}

QString CSysProgress::LineText() const
{
    return m_lineText;
}

void CSysProgress::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Refresh();  // the line is cut to the new width
}

void CSysProgress::Refresh()
{
    setVisible(m_model.Visible());
    m_caption->setText(QString::fromStdString(m_model.Caption()));
    m_lineText = QString::fromStdString(m_model.Text());
    // Dump lines are terminal text: shown in a fixed font, cut to fit.
    if (m_fixedFont != m_model.DumpCaptionShown()) {
        m_fixedFont = m_model.DumpCaptionShown();
        m_line->setFont(m_fixedFont ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : font());
    }
    m_line->setText(m_line->fontMetrics().elidedText(m_lineText, Qt::ElideRight, qMax(40, m_line->width())));
    m_line->setToolTip(m_lineText);
    m_bar->setValue(m_model.BarPosition());
}

} // namespace orlan
