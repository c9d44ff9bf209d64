// The benchmarks' clock: milliseconds from the performance counter, the median of a set of times, and the
// number of runs the command line asks for.
#pragma once

#include "framework/core/Core.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

inline double NowMs()
{
    static const LARGE_INTEGER frequency = []
    {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// 0 for no times.
inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The n of "--repeat n" on the command line (at least 1), else fallback.
inline int RepeatArgument(int argc, char** argv, int fallback)
{
    int repeat = fallback;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--repeat") == 0)
            repeat = std::max(1, std::atoi(argv[i + 1]));
    return repeat;
}
