#include "tools/chart/TempChartView.h"

#include <QChart>
#include <QLineSeries>
#include <QList>
#include <QPointF>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>

namespace orlan {

CTempChartView::CTempChartView(const STempChart& start, QWidget* parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("tempChart"));
    setRenderHint(QPainter::Antialiasing);
    auto* chart = new QChart;
    chart->legend()->hide();
    m_bottom = new QValueAxis(chart);
    m_bottom->setObjectName(QStringLiteral("bottomAxis"));
    m_bottom->setRange(0.0, kChartFixedBottomMax);
    m_bottom->setLabelFormat(QStringLiteral("%d"));
    m_left = new QValueAxis(chart);
    m_left->setObjectName(QStringLiteral("leftAxis"));
    m_left->setLabelFormat(QStringLiteral("%.1f"));
    m_left->setRange(start.leftMin, start.leftMax);
    chart->addAxis(m_bottom, Qt::AlignBottom);
    chart->addAxis(m_left, Qt::AlignLeft);
    setChart(chart);
    NewSeries(kEmptyMarkerSize);
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
    m_bottom->setTickType(QValueAxis::TicksFixed);
    m_bottom->setRange(chart.bottomMin, chart.bottomMax);
    // A tick per row would crowd a wide range: whole steps, at most 30 of them.
    const double span = chart.bottomMax - chart.bottomMin;
    m_bottom->setTickCount(static_cast<int>(std::min(30.0, std::max(1.0, span))) + 1);
    m_left->setRange(chart.leftMin, chart.leftMax);
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
