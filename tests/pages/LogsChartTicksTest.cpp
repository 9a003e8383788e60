// The records chart's ticks: round steps for degrees and clock steps for
// time, ranges widened to whole steps, clock labels, and the realtime rows'
// time read back as clock seconds.
#include <gtest/gtest.h>

#include "pages/logs/ChartTicks.h"

namespace orlan::test {
namespace {

struct STickCase {
    double low;
    double high;
    double min;
    double max;
    double step;
    int decimals;
};

TEST(LogsChartTicks, DegreesTickAtRoundValues)
{
    const STickCase cases[] = {
        {13.0, 38.0, 10.0, 40.0, 5.0, 0},     // not 13.0, 19.3, 25.5 ...
        {10.0, 40.0, 10.0, 40.0, 5.0, 0},     // already round: kept
        {-5.5, 38.0, -10.0, 40.0, 10.0, 0},
        {21.3, 21.9, 21.3, 21.9, 0.1, 1},
        {20.0, 20.0, 18.0, 22.0, 0.5, 1},     // one value: room around it
        {0.0, 1000.0, 0.0, 1000.0, 200.0, 0},
        {-0.02, 0.07, -0.02, 0.08, 0.02, 2},
        {38.0, 13.0, 10.0, 40.0, 5.0, 0},     // either order
    };
    for (const STickCase& c : cases) {
        const SAxisTicks ticks = RoundTicks(c.low, c.high, 8);
        EXPECT_NEAR(ticks.min, c.min, 1e-9) << c.low << ".." << c.high;
        EXPECT_NEAR(ticks.max, c.max, 1e-9) << c.low << ".." << c.high;
        EXPECT_NEAR(ticks.step, c.step, 1e-12) << c.low << ".." << c.high;
        EXPECT_EQ(ticks.decimals, c.decimals) << c.low << ".." << c.high;
        EXPECT_LE(ticks.Intervals(), 8);
    }
}

TEST(LogsChartTicks, TimeTicksAtClockStepsWithClockLabels)
{
    const double day = 86400.0;
    const STickCase cases[] = {
        {12.0, 40.0, 10.0, 40.0, 5.0, 0},
        {450.0, 595.0, 450.0, 600.0, 30.0, 0},
        {0.0, 3000.0, 0.0, 3000.0, 600.0, 0},
        {1000.0, 30000.0, 0.0, 36000.0, 7200.0, 0},
        {0.0, 10 * day, 0.0, 10 * day, 2 * day, 0},
        {100.0, 100.0, 99.0, 101.0, 1.0, 0},
    };
    for (const STickCase& c : cases) {
        const SAxisTicks ticks = TimeTicks(c.low, c.high, 8);
        EXPECT_EQ(ticks.min, c.min) << c.low << ".." << c.high;
        EXPECT_EQ(ticks.max, c.max) << c.low << ".." << c.high;
        EXPECT_EQ(ticks.step, c.step) << c.low << ".." << c.high;
    }
    const double morning = *ClockSeconds("2026/12/08 07:05:09");
    EXPECT_EQ(ClockLabel(morning, 5), "07:05:09");
    EXPECT_EQ(ClockLabel(morning, 600), "07:05");
    EXPECT_EQ(ClockLabel(morning, day), "12/08");
    EXPECT_EQ(ClockLabel(*ClockSeconds("1969/12/31 23:59:59"), 1), "23:59:59") << "before 1970 too";
}

TEST(LogsChartTicks, RowTimesReadAsClockSeconds)
{
    EXPECT_EQ(ClockSeconds("1970/01/02 00:00:01"), 86401.0);
    EXPECT_EQ(*ClockSeconds("2024/03/01 00:00:00") - *ClockSeconds("2024/02/28 00:00:00"), 2 * 86400.0)
        << "a leap year";
    for (const char* bad : {"", "24-05-01 10:00", "2026/13/01 00:00:00", "2026/12/08 07:05", "2026/12/08 07:05:09x",
                            "2026/12/08 24:00:00"})
        EXPECT_FALSE(ClockSeconds(bad)) << bad;
}

} // namespace
} // namespace orlan::test
