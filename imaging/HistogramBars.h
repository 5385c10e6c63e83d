#pragma once

#include <vector>

namespace kova {

// Bar heights of a histogram scaled so that the highest count fills
// `height`: bar = round(count x height / highest). An empty or all-zero
// histogram gives bars of 0; a non-zero count never vanishes (at least 1).
std::vector<int> ScaleToHighest(const std::vector<long>& counts, int height);

// Whether value v lies in the marked band [low, high] (an empty band, high
// below low, marks nothing).
inline bool InBand(int v, int low, int high) {
    return v >= low && v <= high;
}

} // namespace kova
