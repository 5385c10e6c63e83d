#pragma once

class CDisplayServer;
class CTrackFile2D;
class MeasureDocument;

// The three-point smoother (weights 1/4, 1/2, 1/4): series passes for the
// analysis windows, and the "平滑化" command that smooths the stored points
// once in place.
class SmoothingLogic {
public:
    // Smooths `count` values from `source` into `destination` (may be the
    // same array), `passes` times; every pass reads the previous pass only.
    // 0 success, -1 bad arguments or no work memory (then a distinct
    // destination receives the source unchanged).
    static int SmoothSeries(const double* source, double* destination, int count, int passes);

    // One pass over every target in place, sweeping from the first to the
    // last frame: the previous neighbour is already smoothed, the next one
    // is the stored value. Ends frames and statuses never change.
    // 1 success, 0 failure.
    static int SmoothAllTracks(CTrackFile2D& track);

    // The menu command from its "no data" check on (the shell checks first
    // that no measurement window is open): asks, smooths, refreshes the
    // image display and reports. Returns the smoothing result, or 0 when
    // there was no data or the user cancelled.
    static int RunCommand(MeasureDocument& document, CDisplayServer* display);
};
