// Shared helpers for the benchmark programs: percentiles and a light scene.
#pragma once
#include <algorithm>
#include <vector>

namespace moth_bench {

// Value at the given fraction (0..1) of the sorted samples.
inline double Percentile(std::vector<double> samples, double fraction) {
    if (samples.empty()) {
        return 0.0;
    }
    std::sort(samples.begin(), samples.end());
    size_t index = static_cast<size_t>(fraction * static_cast<double>(samples.size() - 1));
    return samples[index];
}

} // namespace moth_bench
