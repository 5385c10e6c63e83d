#include "TrackingReport.h"

#include "WindowBlobFinder.h"

#include <algorithm>
#include <cmath>

TrackingReport::TrackingReport(int targets)
    : targets_(static_cast<std::size_t>(std::max(targets, 0))),
      pending_(static_cast<std::size_t>(std::max(targets, 0))) {}

bool TrackingReport::AnyLongLoss() const {
    return std::any_of(targets_.begin(), targets_.end(),
                       [](const Target& t) { return !t.LongLosses().Empty(); });
}

void TrackingReport::TargetTracked(const TrackedTarget& tracked) {
    if (tracked.target < 0 || tracked.target >= static_cast<int>(pending_.size())) return;
    Pending& p = pending_[static_cast<std::size_t>(tracked.target)];
    p.status = tracked.record.status;
    p.edge = TouchesWindowEdge(tracked);
    p.jump = JumpsFromPrediction(tracked);
}

void TrackingReport::FrameWritten(int k) {
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        const Pending& p = pending_[i];
        Target& t = targets_[i];
        if (p.status >= 0 && p.status < 5) ++t.status[p.status];
        if (p.status == kStatusNotFound || p.status == kStatusSkipped) t.lost.Add(k);
        if (p.edge) t.edge.Add(k);
        if (p.jump) t.jumps.Add(k);
    }
}

bool TrackingReport::TouchesWindowEdge(const TrackedTarget& tracked) {
    if (tracked.chosen < 0 || !tracked.blobs) return false;
    const kova::FrameWindow box = tracked.blobs->At(tracked.chosen).box;
    const kova::FrameWindow& w = tracked.window;
    return box.x0 <= w.x0 || box.y0 <= w.y0 || box.x1 >= w.x1 || box.y1 >= w.y1;
}

// Only points found or clicked move away from the search point; a lost
// target's point is the prediction or the previous position.
bool TrackingReport::JumpsFromPrediction(const TrackedTarget& tracked) {
    const std::int16_t s = tracked.record.status;
    if (s != kStatusFound && s != kStatusLargestOfMany && s != kStatusTooManyBlobs) return false;
    const double dx = static_cast<double>(tracked.record.x) - tracked.searchX;
    const double dy = static_cast<double>(tracked.record.y) - tracked.searchY;
    const double half = std::min(tracked.windowWidth, tracked.windowHeight) / 2.0;
    return std::hypot(dx, dy) > half;
}
