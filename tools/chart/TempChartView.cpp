#include "tools/chart/TempChartView.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QList>
#include <QPointF>
#include <QScatterSeries>
#include <QValueAxis>

namespace orlan {

CTempChartView::CTempChartView(const STempChart& start, QWidget* parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("tempChart"));
    setRenderHint(QPainter::Antialiasing);
    auto* chart = new QChart;
    chart->legend()->hide();
    m_bottom = new QCategoryAxis(chart);
    m_bottom->setObjectName(QStringLiteral("bottomAxis"));
    m_bottom->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_left = new QValueAxis(chart);
    m_left->setObjectName(QStringLiteral("leftAxis"));
    chart->addAxis(m_bottom, Qt::AlignBottom);
    chart->addAxis(m_left, Qt::AlignLeft);
    setChart(chart);
    SetAxes(start);
    NewSeries(kEmptyMarkerSize);
}

void CTempChartView::SetAxes(const STempChart& chart)
{
    // Degrees: a tick at every round step of the range.
    m_left->setTickType(QValueAxis::TicksFixed);
    m_left->setRange(chart.left.min, chart.left.max);
    m_left->setTickCount(chart.left.Intervals() + 1);
    m_left->setLabelFormat(QStringLiteral("%.") + QString::number(chart.left.decimals) + QLatin1Char('f'));

    // Time: a labelled line at every clock step. The axis takes a label
    // once, so a clock time that comes round again (a day later) is told
    // apart by an invisible mark.
    for (const QString& label : m_bottom->categoriesLabels())
        m_bottom->remove(label);
    m_bottom->setRange(chart.bottom.min, chart.bottom.max);
    m_bottom->setStartValue(chart.bottom.min - chart.bottom.step / 1000.0);
    QStringList used;
    for (const auto& [at, text] : chart.bottomLabels) {
        QString label = QString::fromStdString(text);
        while (used.contains(label))
            label += QChar(0x200B);
        used.append(label);
        m_bottom->append(label, at);
    }
}

void CTempChartView::NewSeries(qreal markerSize)
{
    QChart* c = chart();
    if (m_line != nullptr) {
        c->removeSeries(m_line);
        delete m_line;
    }
    if (m_points != nullptr) {
        c->removeSeries(m_points);
        delete m_points;
    }
    m_line = new QLineSeries;
    m_line->setObjectName(QStringLiteral("lineSeries"));
    m_points = new QScatterSeries;
    m_points->setObjectName(QStringLiteral("pointSeries"));
    m_points->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    m_points->setMarkerSize(markerSize);
    c->addSeries(m_line);
    c->addSeries(m_points);
    for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(m_line), static_cast<QAbstractSeries*>(m_points)}) {
        series->attachAxis(m_bottom);
        series->attachAxis(m_left);
    }
}

void CTempChartView::Show(const STempChart& chart)
{
    if (chart.title.empty()) {
        NewSeries(kEmptyMarkerSize);
        return;
    }
    NewSeries(kMarkerSize);
    this->chart()->setTitle(QString::fromStdString(chart.title));
    SetAxes(chart);
    QList<QPointF> points;
    QList<QPointF> line;
    points.reserve(static_cast<qsizetype>(chart.points.size()));
    line.reserve(static_cast<qsizetype>(chart.line.size()));
    for (const auto& [x, y] : chart.points)
        points.append(QPointF(x, y));
    for (const auto& [x, y] : chart.line)
        line.append(QPointF(x, y));
    // One replace each: a hundred single appends would repaint a hundred times.
    m_points->replace(points);
    m_line->replace(line);
}

} // namespace orlan
