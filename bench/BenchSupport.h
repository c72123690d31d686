// SPDX-License-Identifier: MIT
// Helpers shared by the benchmarks.
#pragma once

#include <algorithm>
#include <vector>

namespace twinvane::bench {

// The middle of `values` (not empty): the measure of a run that a busy
// moment of the machine disturbs least.
inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace twinvane::bench
