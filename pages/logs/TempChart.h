#pragma once
// What the realtime page's chart shows of one sensor, worked out without a
// window so that tests and other views get the same series: the latest
// (at most 100) rows of the list, oldest left at x = 0, a point at each
// temperature and a line through its whole degrees.
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace orlan {

class CPageTable;

struct STempChart {
    using SPoint = std::pair<double, double>;
    std::string title;  // "Realtime Records T%d"; empty for a chart without rows
    double leftMin = 0.0;
    double leftMax = 0.0;
    double bottomMin = 0.0;
    double bottomMax = 0.0;
    std::vector<SPoint> points;  // the temperatures
    std::vector<SPoint> line;    // their integer parts, truncated towards zero
};

inline constexpr size_t kChartRows = 100;
inline constexpr double kChartFixedBottomMax = 30.0;
inline constexpr int kChartSensors = 4;

// The chart of sensor `sensor` (0..3; anything else counts as 0). Rows
// without a temperature of that sensor have no point. The bottom axis runs
// 0 to 30, or with `autoFit` over the plotted positions.
STempChart TempChartOf(const CPageTable& list, int sensor, bool autoFit);

} // namespace orlan
