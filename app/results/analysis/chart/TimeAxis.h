#pragma once

#include "ValueAxis.h"

#include <vector>

struct ChartSet;

// The horizontal axis shared by all panels: where each charted frame lies.
// Frames are placed by their times; when the times cannot place them (a
// single frame, equal times, a rate below one frame per time unit that rounds
// to zero spacing, or times that are not numbers) they are placed by their
// offset from the first charted frame, and the axis is labelled so.
class TimeAxis {
public:
    explicit TimeAxis(const ChartSet& charts);

    // The number of charted frames.
    int Count() const { return count_; }
    bool InFrameOffsets() const { return offsets_; }
    // Where frame `sample` (0 = the first charted) lies on the axis.
    double Position(int sample) const;
    double Lower() const { return lower_; }
    double Upper() const { return upper_; }

    // A label of the axis: "%.2f" for times, whole offsets otherwise.
    std::string Label(double value) const;
    // The labelled ticks for a plot `plotWidth` pixels wide whose labels are
    // at most `labelWidth` pixels wide.
    std::vector<AxisTick> Ticks(int plotWidth, int labelWidth) const;

private:
    std::vector<double> times_;
    int count_ = 0;
    bool offsets_ = true;
    double lower_ = 0;
    double upper_ = 1;
};
