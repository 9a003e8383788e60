#pragma once
// The realtime page's chart of one sensor with Qt Charts: a title, the
// bottom axis in record time with clock labels at round clock steps, the
// left axis in degrees at round steps, a points series with 9 by 9 markers
// and a line series through the whole degrees. What it shows, ranges and
// ticks included, is worked out by the page (STempChart); this only draws it.
#include <QChartView>

#include "pages/logs/TempChart.h"
#include "tools/TempChartPlot.h"

class QCategoryAxis;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace orlan {

class CTempChartView final : public QChartView, public ITempChartPlot {
    Q_OBJECT
public:
    static constexpr qreal kMarkerSize = 9.0;
    static constexpr qreal kEmptyMarkerSize = 3.0;

    // The axes start where `start` puts them (the page's empty chart).
    explicit CTempChartView(const STempChart& start, QWidget* parent = nullptr);

    QWidget* Widget() override { return this; }
    void Show(const STempChart& chart) override;

private:
    void NewSeries(qreal markerSize);
    void SetAxes(const STempChart& chart);

    QCategoryAxis* m_bottom = nullptr;
    QValueAxis* m_left = nullptr;
    QLineSeries* m_line = nullptr;
    QScatterSeries* m_points = nullptr;
};

} // namespace orlan
