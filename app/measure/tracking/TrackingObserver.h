#pragma once

#include "FrameWindow.h"
#include "TrackRecords.h"

namespace kova {
class CFrameStore;
}
class WindowBlobFinder;

// What the engine chose for one target in one frame, for reports and
// previews: where it searched, what it found and what it wrote.
struct TrackedTarget {
    int frame = 0;  // 1-based position of the frame in the run
    int target = 0; // 0-based
    // The working point the window was centred on: the prediction from the
    // third frame on, the previous position before.
    float searchX = 0.0f;
    float searchY = 0.0f;
    int windowWidth = 0; // the target's window size
    int windowHeight = 0;
    kova::FrameWindow window; // the search window as set, clamped into the frame
    XY_TRACK record;          // the point written
    // Blobs in the window; -1 when nothing was extracted (manual mode).
    int blobCount = -1;
    // The blob taken (index into blobs), -1 when the point is a click, the
    // prediction or the previous position.
    int chosen = -1;
    // The window's blobs (boxes, pixels); null when nothing was extracted.
    const WindowBlobFinder* blobs = nullptr;
};

// A read-only view of a run. The engine calls it only when one is attached;
// nothing it does changes what the engine writes.
class TrackingObserver {
public:
    virtual ~TrackingObserver() = default;
    // Frame k of the run is in the store (a colour frame when `colour`).
    virtual void FrameLoaded(int /*k*/, const kova::CFrameStore& /*store*/, int /*frame*/,
                             bool /*colour*/) {}
    virtual void TargetTracked(const TrackedTarget& tracked) = 0;
    // Frame k's points are in the result file.
    virtual void FrameWritten(int /*k*/) {}
};
