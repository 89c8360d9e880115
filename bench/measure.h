// The benchmark's clock and how it sums up repeated timings.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

inline double Seconds()
{
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Spread {
    double median, min, max;
};

inline Spread Summarise(std::vector<double> values)
{
    if (values.empty())
        return {0, 0, 0};
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
}

// A plug-in path against its floor: the ratio of their times over the
// repetitions, and the median time of one call of each.
struct Ratio {
    const char *key;
    const char *label;
    double target;
    Spread ratio;
    double pluginMicros;
    double floorMicros;
};
