#pragma once

#include "FrameRanges.h"
#include "TrackingObserver.h"

#include <cstdint>
#include <vector>

// The report of a run, per target: frames by status, the frames it was lost
// (status 3 and 4), the frames where the blob taken touched the search
// window's edge (likely cut by it) and the frames where the point lies
// farther from the prediction than half the window's smaller side (likely
// a wrong blob). Built from what the engine tells its observers, so the run
// writes exactly what it writes without it; only frames whose points were
// written count.
class TrackingReport : public TrackingObserver {
public:
    // A target lost for more frames in a row than this is warned about.
    static constexpr int kLostWarning = 5;

    struct Target {
        std::uint32_t status[5] = {0, 0, 0, 0, 0};
        FrameRanges lost;
        FrameRanges edge;
        FrameRanges jumps;

        FrameRanges::Range LongestLost() const { return lost.Longest(); }
        // The runs of more than kLostWarning lost frames.
        FrameRanges LongLosses() const { return lost.LongerThan(kLostWarning); }
    };

    explicit TrackingReport(int targets);

    const std::vector<Target>& Targets() const { return targets_; }
    // True when some target was lost for more than kLostWarning frames in a row.
    bool AnyLongLoss() const;

    void TargetTracked(const TrackedTarget& tracked) override;
    void FrameWritten(int k) override;

    // The two tests of a target's choice in one frame.
    static bool TouchesWindowEdge(const TrackedTarget& tracked);
    static bool JumpsFromPrediction(const TrackedTarget& tracked);

private:
    struct Pending {
        std::int16_t status = 0;
        bool edge = false;
        bool jump = false;
    };

    std::vector<Target> targets_;
    std::vector<Pending> pending_; // the current frame's, until it is written
};
