#pragma once

#include "AnalysisRange.h"
#include "ChartSet.h"
#include "CsvTable.h"

#include <string>
#include <utility>
#include <vector>

class AnalysisMeasurement;
namespace kova {
class Prompter;
}

// Settings of the position/velocity window: the range alone, with items
// 0..5 ("坐标 X" ... "错误序号").
struct PositionSettings {
    AnalysisRange range;
};

// One target in one frame of the range.
struct PositionRecord {
    double x = 0.0;
    double y = 0.0;
    double distance = 0.0;
    double speed = 0.0;
    double acceleration = 0.0;
    // The components of speed and acceleration (CSV only).
    double vx = 0.0;
    double vy = 0.0;
    double ax = 0.0;
    double ay = 0.0;
    int status = 0;
};

// Calibrated positions of chosen targets, the distance moved from frame to
// frame, speed and acceleration, as a table and as charts.
class PositionAnalysis {
public:
    PositionAnalysis(const AnalysisMeasurement& measurement, PositionSettings settings);

    static const char* Title() { return "位置 / 速度"; }
    static constexpr int kItemCount = 6;
    // The names of the item list ("坐标 X" ... "错误序号").
    static const char* ItemName(int item);
    // What the window shows when it opens: the calibration's units, every
    // frame and target, every item but the error number, grouped by target.
    static PositionSettings Initial(const AnalysisMeasurement& measurement);

    // The window's checks, each refusal a message; false stops everything.
    bool Validate(kova::Prompter& prompter) const;
    // Fills the records; false when a point cannot be read (nothing kept).
    bool Compute();
    // Validate, then Compute.
    bool Run(kova::Prompter& prompter) { return Validate(prompter) && Compute(); }

    // Target-major: every frame of the first target, then the next target.
    const std::vector<PositionRecord>& Records() const { return records_; }
    // The table, one string per line as the text window receives it.
    std::vector<std::string> TableLines() const;
    // The rows of the table for a spreadsheet, with the components of speed
    // and acceleration after them; empty before Compute.
    kova::CsvTable Csv() const;
    ChartSet Charts() const;

private:
    const AnalysisRange& Range() const { return settings_.range; }
    bool ComputeTarget(int target);
    void SmoothTarget(std::size_t first, int count);
    const PositionRecord& At(std::size_t targetPos, int k) const;
    void AddBlock(std::vector<std::string>* lines,
                  const std::vector<std::pair<std::size_t, int>>& rows) const;
    std::string RowText(std::size_t targetPos, int k) const;
    std::vector<std::string> CsvHeader() const;
    std::vector<std::string> CsvRow(std::size_t targetPos, int k) const;

    const AnalysisMeasurement& measurement_;
    PositionSettings settings_;
    std::vector<PositionRecord> records_;
};
