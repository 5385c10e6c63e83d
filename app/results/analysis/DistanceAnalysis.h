#pragma once

#include "AnalysisRange.h"
#include "ChartSet.h"
#include "CsvTable.h"
#include "DistancePairList.h"

#include <string>
#include <vector>

class AnalysisMeasurement;
namespace kova {
class Prompter;
}

// Settings of the two-point distance window: the range (frames, length
// unit, smoothing) and the pairs in list order.
struct DistanceSettings {
    AnalysisRange range;
    std::vector<DistancePair> pairs;
};

// The calibrated distance between the two targets of each pair, frame by
// frame, with the sum of each pair's distances over the range.
class DistanceAnalysis {
public:
    DistanceAnalysis(const AnalysisMeasurement& measurement, DistanceSettings settings);

    static const char* Title() { return "2点间距离"; }
    // Every frame, no pairs yet, the calibration's length unit.
    static DistanceSettings Initial(const AnalysisMeasurement& measurement);

    bool Validate(kova::Prompter& prompter) const;
    bool Compute();
    bool Run(kova::Prompter& prompter) { return Validate(prompter) && Compute(); }

    // Pair-major: every frame of the first pair, then the next pair.
    const std::vector<double>& Distances() const { return distances_; }
    const std::vector<double>& Sums() const { return sums_; }
    std::vector<std::string> TableLines() const;
    // The distances for a spreadsheet, a row per frame and pair; empty
    // before Compute.
    kova::CsvTable Csv() const;
    ChartSet Charts() const;

private:
    const AnalysisRange& Range() const { return settings_.range; }
    bool ComputePair(const DistancePair& pair);
    double At(std::size_t pairPos, int k) const;
    std::string RowText(int k) const;

    const AnalysisMeasurement& measurement_;
    DistanceSettings settings_;
    std::vector<double> distances_;
    std::vector<double> sums_;
};
