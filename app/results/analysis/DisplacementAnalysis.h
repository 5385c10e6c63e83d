#pragma once

#include "AnalysisRange.h"
#include "ChartSet.h"
#include "CsvTable.h"

#include <string>
#include <vector>

class AnalysisMeasurement;
namespace kova {
class Prompter;
}

// What the displacement is measured from.
enum class ReferenceMode { Frame, Position, Target };

// Settings of the displacement window: the range (items 0 "X", 1 "Y",
// 2 "绝对值"; no time unit) and the reference.
struct DisplacementSettings {
    AnalysisRange range;
    ReferenceMode reference = ReferenceMode::Frame;
    int referenceFrame = 1; // from 1
    int referenceX = 0;     // image pixels
    int referenceY = 0;
    int referenceTarget = -1; // point-table index, -1 none chosen
};

struct DisplacementRecord {
    double dx = 0.0;
    double dy = 0.0;
    double absolute = 0.0;
};

// Calibrated displacement of chosen targets from a reference frame, a
// reference position or a reference target.
class DisplacementAnalysis {
public:
    DisplacementAnalysis(const AnalysisMeasurement& measurement, DisplacementSettings settings);

    static const char* Title() { return "位移量"; }
    static constexpr int kItemCount = 3;
    static const char* ItemName(int item);
    // Every frame, target and item, the calibration's length unit, grouped
    // by target, the first frame as reference frame.
    static DisplacementSettings Initial(const AnalysisMeasurement& measurement);

    bool Validate(kova::Prompter& prompter) const;
    bool Compute();
    bool Run(kova::Prompter& prompter) { return Validate(prompter) && Compute(); }

    const std::vector<DisplacementRecord>& Records() const { return records_; }
    std::vector<std::string> TableLines() const;
    // The rows of the table for a spreadsheet; empty before Compute.
    kova::CsvTable Csv() const;
    ChartSet Charts() const;

private:
    const AnalysisRange& Range() const { return settings_.range; }
    bool Reference(int target, int frame, double* x, double* y) const;
    bool ComputeTarget(int target);
    const DisplacementRecord& At(std::size_t targetPos, int k) const;
    std::string TitleLine() const;
    void AddBlock(std::vector<std::string>* lines, std::size_t firstTarget, std::size_t endTarget,
                  int firstK, int endK) const;
    std::string RowText(std::size_t targetPos, int k) const;
    std::vector<std::string> CsvRow(std::size_t targetPos, int k) const;

    const AnalysisMeasurement& measurement_;
    DisplacementSettings settings_;
    std::vector<DisplacementRecord> records_;
};
