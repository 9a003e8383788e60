#include "pages/logs/TempChart.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "pages/PageTable.h"
#include "pages/logs/TempRecordList.h"

namespace orlan {

namespace {

constexpr double kLeftStartMin = 15.0;
constexpr double kLeftStartMax = 30.0;

bool CellValue(const std::string& cell, double& value)
{
    const char* end = cell.data() + cell.size();
    return !cell.empty() && std::from_chars(cell.data(), end, value).ptr == end && std::isfinite(value);
}

// The pattern with the number in place of its "%d" (a translated pattern
// is never handed to printf).
std::string Title(std::string_view pattern, int sensor)
{
    std::string title(pattern);
    const size_t at = title.find("%d");
    if (at != std::string::npos)
        title.replace(at, 2, std::to_string(sensor));
    return title;
}

void LabelBottom(STempChart& chart)
{
    const int intervals = chart.bottom.Intervals();
    for (int i = 0; i <= intervals; ++i) {
        const double at = chart.bottom.min + i * chart.bottom.step;
        chart.bottomLabels.emplace_back(at, ClockLabel(at, chart.bottom.step));
    }
}

} // namespace

STempChart TempChartOf(const CPageTable& list, int sensor, bool autoFit, std::string_view titlePattern)
{
    if (sensor < 0 || sensor >= kChartSensors)
        sensor = 0;
    STempChart chart;
    const size_t rows = std::min(list.Rows(), kChartRows);
    const size_t column = CTempRecordPage::TemperatureColumn(static_cast<size_t>(sensor));
    // Oldest first: row rows-1 is the first point.
    for (size_t i = 0; i < rows; ++i) {
        const size_t row = rows - 1 - i;
        double value = 0.0;
        const auto time = ClockSeconds(list.Cell(row, 0));
        if (!time || !CellValue(list.Cell(row, column), value))
            continue;
        chart.points.emplace_back(*time, value);
        chart.line.emplace_back(*time, std::trunc(value));
    }
    if (rows > 0)
        chart.title = Title(titlePattern, sensor);

    double low = autoFit && !chart.points.empty() ? chart.points.front().second : kLeftStartMin;
    double high = autoFit && !chart.points.empty() ? chart.points.front().second : kLeftStartMax;
    for (const auto& [time, value] : chart.points) {
        low = std::min(low, value);
        high = std::max(high, value);
    }
    chart.left = autoFit ? RoundTicks(low - 0.5, high + 0.5, kChartMaxIntervals)
                         : RoundTicks(low - 2.0, high * 1.2 + 2.0, kChartMaxIntervals);

    if (chart.points.empty()) {
        chart.bottom = TimeTicks(0.0, 60.0, kChartMaxIntervals);
    } else {
        const size_t first = autoFit ? 0 : chart.points.size() - std::min(chart.points.size(), kChartFixedRows);
        chart.bottom = TimeTicks(chart.points[first].first, chart.points.back().first, kChartMaxIntervals);
    }
    LabelBottom(chart);
    return chart;
}

} // namespace orlan
