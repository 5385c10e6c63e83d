#pragma once

#include "ChartSet.h"

#include <array>
#include <string>
#include <vector>

class AnalysisMeasurement;
namespace kova {
class Prompter;
}

// Settings of the angle window. Mode 0 angle at P2 between P1 and P3, 1
// between lines P1-P2 and P3-P4, 2 line P1-P2 to the X axis, 3 to the Y
// axis. Points are point-table indices, -1 when not chosen. Frames count
// from 1; items 0 angle, 1 cumulative change, 2 angular velocity, 3 angular
// acceleration.
struct AngleSettings {
    int mode = 0;
    std::array<int, 4> points = {-1, -1, -1, -1};
    bool otherSide = false;
    int lower = 1;
    int upper = 1;
    int timeUnit = 4;
    int smoothing = 0;
    std::vector<int> items;
};

struct AngleRecord {
    double angle = 0.0;        // degrees, [0, 360)
    double change = 0.0;       // degrees, [-180, 180]
    double cumulative = 0.0;   // sum of the changes so far
    double velocity = 0.0;     // change / dt
    double acceleration = 0.0; // (velocity - previous) / dt
};

// An angle formed by chosen targets frame by frame, in image pixels, with
// its change, cumulative change, angular velocity and acceleration.
class AngleAnalysis {
public:
    AngleAnalysis(const AnalysisMeasurement& measurement, AngleSettings settings);

    static const char* Title() { return "两线间夹角 "; }
    static constexpr int kItemCount = 4;
    static const char* ItemName(int item);
    // Mode 0 without points, every frame and item, the calibration's time
    // unit.
    static AngleSettings Initial(const AnalysisMeasurement& measurement);

    // The general checks, then the point check.
    bool Validate(kova::Prompter& prompter) const;
    bool Compute();
    bool Run(kova::Prompter& prompter) { return Validate(prompter) && Compute(); }

    const std::vector<AngleRecord>& Records() const { return records_; }
    // Column sums over the range (for the average line).
    const AngleRecord& Sums() const { return sums_; }
    std::vector<std::string> TableLines() const;
    ChartSet Charts() const;

private:
    int RangeLength() const { return settings_.upper - settings_.lower + 1; }
    bool PointsValid() const;
    bool AngleAt(int frame, double* degrees) const;
    void Smooth();
    std::string TitleLine() const;
    std::string RowText(int k) const;
    std::string AverageLine() const;

    const AnalysisMeasurement& measurement_;
    AngleSettings settings_;
    std::vector<AngleRecord> records_;
    AngleRecord sums_;
};
