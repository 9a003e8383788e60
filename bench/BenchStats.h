#pragma once
// The spread of a benchmark's runs as every timed benchmark prints it.
#include <algorithm>
#include <cstdio>
#include <vector>

namespace orlan::bench {

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// "what: min 1.00 median 2.00 max 3.00 unit"; nothing without values.
inline void PrintSpread(const char* what, std::vector<double> values, const char* unit)
{
    if (values.empty())
        return;
    std::sort(values.begin(), values.end());
    std::printf("%s: min %.2f median %.2f max %.2f %s\n", what, values.front(), values[values.size() / 2],
                values.back(), unit);
}

} // namespace orlan::bench
