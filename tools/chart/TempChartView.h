#pragma once
// The realtime page's chart of one sensor with Qt Charts: a title, the
// bottom axis (0 to 30, or fitted to the plotted rows with Auto Fit) and the
// left axis from the page's range rule, a points series with 9 by 9 markers
// and a line series through the whole degrees. What it shows is worked out
// by the page (STempChart); this only draws it.
#include <QChartView>

#include "pages/logs/TempChart.h"
#include "tools/TempChartPlot.h"

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

    QValueAxis* m_bottom = nullptr;
    QValueAxis* m_left = nullptr;
    QLineSeries* m_line = nullptr;
    QScatterSeries* m_points = nullptr;
};

} // namespace orlan
