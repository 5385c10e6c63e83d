#include "HistogramBars.h"

#include <algorithm>
#include <cmath>

namespace kova {

std::vector<int> ScaleToHighest(const std::vector<long>& counts, int height) {
    std::vector<int> bars(counts.size(), 0);
    const long highest = counts.empty() ? 0 : *std::max_element(counts.begin(), counts.end());
    if (highest <= 0 || height <= 0) return bars;
    for (size_t v = 0; v < counts.size(); ++v) {
        if (counts[v] <= 0) continue;
        const double scaled =
            static_cast<double>(counts[v]) * height / static_cast<double>(highest);
        bars[v] = std::max(1, static_cast<int>(std::lround(scaled)));
    }
    return bars;
}

} // namespace kova
