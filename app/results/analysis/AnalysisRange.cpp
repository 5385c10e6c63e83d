#include "AnalysisRange.h"

#include "AnalysisMeasurement.h"

#include <algorithm>

bool AnalysisRange::HasItemsBelow(int count) const {
    return std::all_of(items.begin(), items.end(),
                       [count](int item) { return item >= 0 && item < count; });
}

std::vector<std::pair<std::size_t, int>> AnalysisRange::RowOrder() const {
    std::vector<std::pair<std::size_t, int>> rows;
    const int n = Length();
    if (grouping == Grouping::ByFrame) {
        for (int k = 0; k < n; ++k)
            for (std::size_t t = 0; t < targets.size(); ++t)
                rows.emplace_back(t, k);
    } else {
        for (std::size_t t = 0; t < targets.size(); ++t)
            for (int k = 0; k < n; ++k)
                rows.emplace_back(t, k);
    }
    return rows;
}

void AnalysisRange::Reset(const AnalysisMeasurement& measurement) {
    lower = measurement.Frames() > 0 ? 1 : 0;
    upper = measurement.Frames();
    targets.clear();
    for (int t = 0; t < measurement.Targets(); ++t)
        targets.push_back(t);
}

AnalysisRange AnalysisRange::Initial(const AnalysisMeasurement& measurement) {
    AnalysisRange range;
    range.Reset(measurement);
    range.lengthUnit = measurement.Calibration().LengthUnit();
    range.timeUnit = measurement.Calibration().TimeUnit();
    return range;
}
