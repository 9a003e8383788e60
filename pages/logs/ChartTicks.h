#pragma once
// Round axis ticks for the records chart: a temperature axis ticks at
// 10, 15, 20 rather than 13.0, 19.3, 25.5, and a time axis at whole clock
// steps (every 5 s, 15 min, 1 h ...) labelled with the clock. Times are
// seconds on the computer's local calendar clock, without a time zone, so a
// round number of seconds is a round clock time.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlan {

struct SAxisTicks {
    double min = 0.0;   // the axis' range, widened to whole steps
    double max = 0.0;
    double step = 1.0;  // between two ticks
    int decimals = 0;   // what a label needs to show the step
    // Ticks from min to max (inline: the chart module links no pages).
    int Intervals() const { return std::max(1, static_cast<int>(std::lround((max - min) / step))); }
};

// Steps of 1, 2 or 5 times a power of ten, the smallest that covers
// [low, high] in at most `maxIntervals` steps.
SAxisTicks RoundTicks(double low, double high, int maxIntervals);

// Clock steps (1, 2, 5, 10, 15, 30 s; 1, 2, 5, 10, 15, 30 min; 1, 2, 3, 6,
// 12 h; whole days), the smallest that covers [low, high] in at most
// `maxIntervals` steps.
SAxisTicks TimeTicks(double low, double high, int maxIntervals);

// A tick's label for ticks `step` seconds apart: "hh:mm:ss" below a minute,
// "hh:mm" below a day, "MM/DD" for days.
std::string ClockLabel(double seconds, double step);

// "2026/12/08 07:05:09" (the realtime rows' time) as clock seconds.
std::optional<double> ClockSeconds(std::string_view time);

} // namespace orlan
