#include "pages/logs/ChartTicks.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "console/TextScan.h"
#include "console/WireFormat.h"

namespace orlan {

namespace {

constexpr double kDay = 86400.0;
// Divisions of a value within a step's rounding error count as whole.
constexpr double kSlack = 1e-9;

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d)
{
    y -= m <= 2 ? 1 : 0;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& month, int& day)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
}

// [low, high] in order and at least something wide.
void Normalise(double& low, double& high, double emptyHalfWidth)
{
    if (!std::isfinite(low) || !std::isfinite(high)) {
        low = 0.0;
        high = 1.0;
    }
    if (low > high)
        std::swap(low, high);
    if (high - low <= 0.0) {
        low -= emptyHalfWidth;
        high += emptyHalfWidth;
    }
}

SAxisTicks Widened(double low, double high, double step)
{
    SAxisTicks ticks;
    ticks.step = step;
    ticks.min = std::floor(low / step + kSlack) * step;
    ticks.max = std::ceil(high / step - kSlack) * step;
    if (ticks.max <= ticks.min)
        ticks.max = ticks.min + step;
    return ticks;
}

// Reads a whole number of up to `width` digits at `at`; advances past it.
std::optional<int> Number(std::string_view text, size_t& at, size_t width)
{
    const size_t start = at;
    while (at < text.size() && at - start < width && IsDigit(text[at]))
        ++at;
    if (at == start)
        return std::nullopt;
    return static_cast<int>(WholeNumber(text.substr(start, at - start)));
}

bool Skip(std::string_view text, size_t& at, char separator)
{
    if (at >= text.size() || text[at] != separator)
        return false;
    ++at;
    return true;
}

} // namespace

SAxisTicks RoundTicks(double low, double high, int maxIntervals)
{
    Normalise(low, high, std::max(1.0, std::fabs(low) * 0.1));
    maxIntervals = std::max(1, maxIntervals);
    const double raw = (high - low) / maxIntervals;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10.0 * power;
    for (const double mantissa : {1.0, 2.0, 5.0}) {
        if (mantissa * power >= raw * (1.0 - kSlack)) {
            step = mantissa * power;
            break;
        }
    }
    SAxisTicks ticks = Widened(low, high, step);
    // Widening may cost one interval more than asked: the next step then.
    if (ticks.Intervals() > maxIntervals)
        return RoundTicks(ticks.min, ticks.max, maxIntervals);
    ticks.decimals = step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - kSlack));
    return ticks;
}

SAxisTicks TimeTicks(double low, double high, int maxIntervals)
{
    Normalise(low, high, 1.0);
    maxIntervals = std::max(1, maxIntervals);
    static constexpr double kClockSteps[] = {1,    2,    5,    10,   15,    30,    60,    120,   300,
                                             600,  900,  1800, 3600, 7200,  10800, 21600, 43200, kDay};
    const double raw = (high - low) / maxIntervals;
    for (const double step : kClockSteps) {
        if (step < raw)
            continue;
        const SAxisTicks ticks = Widened(low, high, step);
        if (ticks.Intervals() <= maxIntervals)
            return ticks;
    }
    // Days: round numbers of them.
    const SAxisTicks days = RoundTicks(low / kDay, high / kDay, maxIntervals);
    return Widened(low, high, std::max(1.0, std::round(days.step)) * kDay);
}

std::string ClockLabel(double seconds, double step)
{
    const auto whole = static_cast<int64_t>(std::floor(seconds + 0.5));
    const int64_t days = whole >= 0 ? whole / 86400 : (whole - 86399) / 86400;
    const int64_t inDay = whole - days * 86400;
    const int hour = static_cast<int>(inDay / 3600);
    const int minute = static_cast<int>(inDay / 60 % 60);
    const int second = static_cast<int>(inDay % 60);
    if (step < 60.0)
        return FormatWire("%2.2d:%2.2d:%2.2d", hour, minute, second);
    if (step < kDay)
        return FormatWire("%2.2d:%2.2d", hour, minute);
    int month = 0;
    int day = 0;
    CivilFromDays(days, month, day);
    return FormatWire("%2.2d/%2.2d", month, day);
}

std::optional<double> ClockSeconds(std::string_view time)
{
    size_t at = 0;
    const auto year = Number(time, at, 4);
    if (!year || !Skip(time, at, '/'))
        return std::nullopt;
    const auto month = Number(time, at, 2);
    if (!month || !Skip(time, at, '/'))
        return std::nullopt;
    const auto day = Number(time, at, 2);
    if (!day || !Skip(time, at, ' '))
        return std::nullopt;
    const auto hour = Number(time, at, 2);
    if (!hour || !Skip(time, at, ':'))
        return std::nullopt;
    const auto minute = Number(time, at, 2);
    if (!minute || !Skip(time, at, ':'))
        return std::nullopt;
    const auto second = Number(time, at, 2);
    if (!second || at != time.size() || *month < 1 || *month > 12 || *day < 1 || *day > 31 || *hour > 23 ||
        *minute > 59 || *second > 60)
        return std::nullopt;
    const int64_t days = DaysFromCivil(*year, *month, *day);
    return static_cast<double>(days * 86400 + *hour * 3600 + *minute * 60 + *second);
}

} // namespace orlan
