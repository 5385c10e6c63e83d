#pragma once

#include <utility>
#include <vector>

class AnalysisMeasurement;

// How a table is split into blocks: one block per frame or one per target.
enum class Grouping { ByFrame, ByTarget };

// What every analysis window asks for: the frames (from 1), the units, the
// smoothing passes, the chosen targets (point-table indices in list order),
// the chosen items (list indices in list order) and the grouping. An
// analysis uses the parts it needs.
struct AnalysisRange {
    int lower = 1;
    int upper = 1;
    int lengthUnit = 3; // mm
    int timeUnit = 4;   // s
    int smoothing = 0;
    std::vector<int> targets;
    std::vector<int> items;
    Grouping grouping = Grouping::ByTarget;

    // More smoothing passes than this would freeze the window for nothing:
    // long before, every series is flat.
    static constexpr int kMaxSmoothing = 1000;

    int Length() const { return upper - lower + 1; }
    bool SmoothingValid() const { return smoothing >= 0 && smoothing <= kMaxSmoothing; }
    // The 0-based frame of range position k.
    int Frame(int k) const { return lower - 1 + k; }
    bool HasItemsBelow(int count) const;
    // Every (position in `targets`, position in the range) in the order of
    // the grouping: frame by frame, or target by target.
    std::vector<std::pair<std::size_t, int>> RowOrder() const;

    // Every frame and target of the measurement (0 to 0 and none without
    // frames); the rest stays.
    void Reset(const AnalysisMeasurement& measurement);
    // Reset, and the units of the measurement's calibration.
    static AnalysisRange Initial(const AnalysisMeasurement& measurement);
};
