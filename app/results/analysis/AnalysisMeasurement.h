#pragma once

#include "AnalysisRange.h"
#include "Calibration2D.h"
#include "ChartSet.h"
#include "TrackRecords.h"

#include <string>
#include <vector>

class CTrackFile2D;
class CTrackInfo2D;
class TextSink;
namespace kova {
class Prompter;
}

// The measurement as the analyses read it: the point table, the calibration
// of its header, and from the track information the target names, colours
// and line styles, the centre frame and the event frames. Also the checks
// that open every analysis.
class AnalysisMeasurement {
public:
    // Reads the names, colours, centre and events once (the track
    // information repairs lists that do not fit the target count).
    AnalysisMeasurement(const CTrackFile2D& track, CTrackInfo2D& info);

    int Frames() const;
    int Targets() const;
    const Calibration2D& Calibration() const { return calibration_; }
    int Centre() const { return centre_; }

    const std::string& Name(int target) const;
    int Colour(int target) const;
    int Style(int target) const;
    bool IsEvent(int frame) const;
    bool HasTarget(int target) const { return target >= 0 && target < Targets(); }

    // The stored point of a target in a 0-based frame; false outside.
    bool Point(int target, int frame, XY_TRACK* point) const;
    // The point in real coordinates of `lengthUnit`.
    bool RealPoint(int target, int frame, int lengthUnit, double* x, double* y) const;

    // Time column value of a 0-based frame (calibration time unit).
    double FrameTime(int frame) const;
    // An empty chart set over `count` frames from the 0-based `firstFrame`:
    // its title and the time of every frame.
    ChartSet ChartFrame(const std::string& title, int firstFrame, int count) const;
    // Name of the calibration's time unit (the time column's unit).
    std::string TimeUnitName() const;
    // The ten lines of the measurement summary.
    void AddSummary(TextSink* sink) const;

    // The checks every analysis starts with ("确认", exclamation icon):
    // a measurement with frames, a range 1 <= lower <= upper <= frames.
    bool CheckOpen(kova::Prompter& prompter) const;
    bool CheckRange(int lower, int upper, kova::Prompter& prompter) const;
    // Both of the above for a range.
    bool CheckFrames(const AnalysisRange& range, kova::Prompter& prompter) const;
    // A calibration whose frames have a time: without it every time column,
    // speed and angular velocity would be a division by zero.
    bool CheckTimeBase(kova::Prompter& prompter) const;

    // A refusal of the analysis windows: caption "确认", exclamation icon.
    static void Refuse(kova::Prompter& prompter, const char* text);
    // `ok`, or a refusal with `text`.
    static bool Require(bool ok, const char* text, kova::Prompter& prompter);
    // The name of a length unit ("mm", "cm" ...).
    static std::string LengthName(int unit);
    // The name of a time unit ("s", "ms" ...).
    static std::string TimeName(int unit);

private:
    const CTrackFile2D& track_;
    Calibration2D calibration_;
    std::vector<std::string> names_;
    std::vector<int> colours_;
    std::vector<int> events_;
    int centre_ = 0;
};
