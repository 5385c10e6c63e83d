#pragma once

#include "ConnectionLines.h"
#include "ReplaySettings.h"
#include "ScaleBar.h"
#include "TrackRecords.h"

#include <QSize>
#include <cstdint>
#include <vector>

class CTrackFile2D;
class CTrackInfo2D;
struct MeasureHeader;

// What the result video paints, taken from the measurement when the
// settings are applied: the settings, the selected frames, every target's
// points in those frames, the shown targets with their colour and line
// style, the connection lines, the frame size and the scale bars.
struct ReplayScene {
    ReplaySettings settings;
    std::vector<int> frames;                   // selected frames from 0, ascending
    std::vector<int> shown;                    // selected targets, ascending
    std::vector<std::vector<XY_TRACK>> points; // [target][selection index]
    std::vector<int> colours;                  // per target, 0..6
    std::vector<int> styles;                   // per target, 0..4
    std::vector<int> readableRun;              // per target: entries up to the first unreadable
    std::vector<ConnectionLine> lines;         // both ends below the target count
    QSize frameSize;
    ScaleBar lengthBar;
    ScaleBar vectorBar; // shown only with vectors

    // A point that could not be read has this status.
    static constexpr std::int16_t kUnreadable = -32768;

    int Count() const { return static_cast<int>(frames.size()); }
    int Targets() const { return static_cast<int>(points.size()); }
    const XY_TRACK& Point(int target, int index) const {
        return points[static_cast<std::size_t>(target)][static_cast<std::size_t>(index)];
    }
    bool Readable(int target, int index) const {
        return Point(target, index).status != kUnreadable;
    }
    // A target's trajectory ends before its first point that cannot be read.
    int TrajectoryEnd(int target) const { return readableRun[static_cast<std::size_t>(target)]; }
    // Readable and found (not status 4): segments, vectors and lines touching
    // another point are left out.
    bool Usable(int target, int index) const;

    // The scene of `frames` (from 0) and `shown` targets of a measurement.
    // Colours and styles are read without changing the stored keys and
    // limited to the pen tables.
    static ReplayScene Build(const CTrackFile2D& track, CTrackInfo2D& info,
                             const ReplaySettings& settings, const std::vector<int>& frames,
                             const std::vector<int>& shown, QSize frameSize);

    // Stored frames per second of a measurement: the camera rate over the
    // reading interval, in 1..1000 (30 without a usable time base).
    static double FrameRate(const MeasureHeader& header);
};
