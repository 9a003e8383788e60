#include "pages/logs/TempChart.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "console/WireFormat.h"
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

} // namespace

STempChart TempChartOf(const CPageTable& list, int sensor, bool autoFit)
{
    if (sensor < 0 || sensor >= kChartSensors)
        sensor = 0;
    STempChart chart;
    const size_t rows = std::min(list.Rows(), kChartRows);
    chart.bottomMax = kChartFixedBottomMax;
    chart.leftMin = kLeftStartMin - 2.0;
    chart.leftMax = kLeftStartMax * 1.2 + 2.0;
    if (rows == 0)
        return chart;
    chart.title = FormatWire("Realtime Records T%d", sensor);
    const size_t column = CTempRecordPage::TemperatureColumn(static_cast<size_t>(sensor));
    double low = kLeftStartMin;
    double high = kLeftStartMax;
    for (size_t i = 0; i < rows; ++i) {
        // Oldest first: row rows-1 at x = 0.
        const size_t row = rows - 1 - i;
        double value = 0.0;
        if (!CellValue(list.Cell(row, column), value))
            continue;
        low = std::min(low, value);
        high = std::max(high, value);
        const double x = static_cast<double>(i);
        chart.points.emplace_back(x, value);
        chart.line.emplace_back(x, std::trunc(value));
    }
    chart.leftMin = low - 2.0;
    chart.leftMax = high * 1.2 + 2.0;
    if (autoFit)
        chart.bottomMax = std::max(1.0, static_cast<double>(rows - 1));
    return chart;
}

} // namespace orlan
