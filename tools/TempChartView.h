#pragma once
// The realtime page's chart of one sensor with Qt Charts: a title, the
// bottom axis (0 to 30, or fitted to the plotted rows with Auto Fit) and the
// left axis from the page's range rule, a points series with 9 by 9 markers
// and a line series through the whole degrees. What it shows is worked out
// by the page (STempChart); this only draws it.
#include <QChartView>

#include "pages/logs/TempChart.h"

class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace orlan {

class CTempChartView final : public QChartView {
    Q_OBJECT
public:
    static constexpr qreal kMarkerSize = 9.0;
    static constexpr qreal kEmptyMarkerSize = 3.0;

    explicit CTempChartView(QWidget* parent = nullptr);

    // Replaces both series with the chart's points; a chart without rows
    // leaves two empty series and the axes where they were.
    void Show(const STempChart& chart);

    QLineSeries* LineSeries() const { return m_line; }
    QScatterSeries* PointSeries() const { return m_points; }
    QValueAxis* BottomAxis() const { return m_bottom; }
    QValueAxis* LeftAxis() const { return m_left; }

private:
    void NewSeries(qreal markerSize);

    QValueAxis* m_bottom = nullptr;
    QValueAxis* m_left = nullptr;
    QLineSeries* m_line = nullptr;
    QScatterSeries* m_points = nullptr;
};

} // namespace orlan
