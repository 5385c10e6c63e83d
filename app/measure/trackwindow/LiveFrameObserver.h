#pragma once

#include "LiveFrame.h"
#include "TrackingObserver.h"

#include <functional>

// Watches a run and hands a LiveFrame to `publish` after a frame was
// written, at most 30 times a second whatever the tracking rate (the image
// copy is made only for the frames published). Runs on the engine's thread.
class LiveFrameObserver : public TrackingObserver {
public:
    static constexpr double kMinInterval = 1.0 / 30.0;

    // `now` gives seconds on a steady clock (tests pass their own).
    LiveFrameObserver(int frames, std::function<void(LiveFrame)> publish,
                      std::function<double()> now = {});

    void FrameLoaded(int k, const kova::CFrameStore& store, int frame, bool colour) override;
    void TargetTracked(const TrackedTarget& tracked) override;
    void FrameWritten(int k) override;
    int Published() const { return published_; }

private:
    int frames_;
    std::function<void(LiveFrame)> publish_;
    std::function<double()> now_;
    double start_ = 0.0;
    double last_ = -1.0;
    bool started_ = false;
    int published_ = 0;
    const kova::CFrameStore* store_ = nullptr;
    int frame_ = 1;
    bool colour_ = false;
    LiveFrame current_;
};
