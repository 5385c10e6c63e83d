#pragma once

#include "AnalysisRange.h"
#include "ChartSet.h"
#include "CsvTable.h"

#include <array>
#include <string>
#include <vector>

class AnalysisMeasurement;
namespace kova {
class Prompter;
}

// The angle measured: at P2 between P1 and P3, between lines P1-P2 and
// P3-P4, or of line P1-P2 to the calibration's X or Y axis.
enum class AngleMode { ThreePoints, TwoLines, XAxis, YAxis };

// Settings of the angle window: the range (frames, time unit, smoothing,
// items 0 angle, 1 cumulative change, 2 angular velocity, 3 angular
// acceleration), the mode, the points (point-table indices, -1 when not
// chosen) and the side of the angle.
struct AngleSettings {
    AnalysisRange range;
    AngleMode mode = AngleMode::ThreePoints;
    std::array<int, 4> points = {-1, -1, -1, -1};
    bool otherSide = false;
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
    // How many of P1..P4 a mode uses.
    static int PointCount(AngleMode mode);
    // Mode 0 without points, every frame and item, the calibration's time
    // unit.
    static AngleSettings Initial(const AnalysisMeasurement& measurement);

    // The general checks, then the point check.
    bool Validate(kova::Prompter& prompter) const;
    // The point check alone, without a message: the points the mode uses
    // are chosen, exist and are different as the mode needs.
    bool PointsValid() const;
    bool Compute();
    bool Run(kova::Prompter& prompter) { return Validate(prompter) && Compute(); }

    const std::vector<AngleRecord>& Records() const { return records_; }
    // Column sums over the range (for the average line).
    const AngleRecord& Sums() const { return sums_; }
    std::vector<std::string> TableLines() const;
    // The rows of the table for a spreadsheet, one per frame; empty before
    // Compute.
    kova::CsvTable Csv() const;
    ChartSet Charts() const;

private:
    const AnalysisRange& Range() const { return settings_.range; }
    bool AngleAt(int frame, double* degrees) const;
    // The axis of an axis mode as a line of two points.
    void AxisLine(double* x, double* y) const;
    void Smooth();
    std::string TitleLine() const;
    std::string RowText(int k) const;
    std::string AverageLine() const;

    const AnalysisMeasurement& measurement_;
    AngleSettings settings_;
    std::vector<AngleRecord> records_;
    AngleRecord sums_;
};
