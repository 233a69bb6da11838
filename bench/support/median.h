#pragma once

#include <algorithm>
#include <vector>

// The median of a benchmark's timings: the middle one, or the mean of the two
// middle ones for an even count.
inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}
