#pragma once
// What the realtime page's chart shows of one sensor, worked out without a
// window so that tests and other views get the same series: the latest
// (at most 100) rows of the list at their record time, a point at each
// temperature and a line through its whole degrees, and both axes with
// round ticks.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "pages/logs/ChartTicks.h"

namespace orlan {

class CPageTable;

struct STempChart {
    using SPoint = std::pair<double, double>;
    std::string title;  // "Realtime Records T%d"; empty for a chart without rows
    SAxisTicks left;    // degrees
    SAxisTicks bottom;  // clock seconds (ChartTicks.h)
    // The bottom axis' ticks: position and clock label.
    std::vector<std::pair<double, std::string>> bottomLabels;
    std::vector<SPoint> points;  // (time, temperature)
    std::vector<SPoint> line;    // their integer parts, truncated towards zero
};

inline constexpr size_t kChartRows = 100;
// Without Auto Fit the time axis spans the newest this many rows.
inline constexpr size_t kChartFixedRows = 30;
inline constexpr int kChartSensors = 4;
// Ticks an axis shows at most.
inline constexpr int kChartMaxIntervals = 8;
inline constexpr std::string_view kChartTitlePattern = "Realtime Records T%d";

// The chart of sensor `sensor` (0..3; anything else counts as 0); its
// title is `titlePattern` with the sensor's number at "%d". Rows without a
// temperature of that sensor or without a readable time have no point.
// Without `autoFit` the time axis spans the newest 30 plotted rows and the
// temperature axis runs from 2 below the lowest (15 at most) to 1.2 times
// the highest (30 at least) plus 2; with `autoFit` both fit every plotted
// point.
STempChart TempChartOf(const CPageTable& list, int sensor, bool autoFit,
                       std::string_view titlePattern = kChartTitlePattern);

} // namespace orlan
