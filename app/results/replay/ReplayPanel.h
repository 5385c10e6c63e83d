#pragma once

#include <vector>

// The video control panel as the replay logic drives it. The panel shows
// an entry by calling back ReplayLogic::ShowEntry.
class ReplayPanel {
public:
    ReplayPanel() = default;
    ReplayPanel(const ReplayPanel&) = delete;
    ReplayPanel& operator=(const ReplayPanel&) = delete;
    virtual ~ReplayPanel() = default;

    // The frames to step through (numbers from 1, in order); opens the
    // panel when it was closed.
    virtual void SetRange(const std::vector<int>& frames) = 0;
    // Goes to the entry with this index of the range.
    virtual void GoTo(int index) = 0;
    // Stops a running playback.
    virtual void Stop() = 0;
    // All buttons usable or not (while the frames are saved).
    virtual void EnableButtons(bool enable) = 0;
    // The playback speed the panel starts with, in frames per second.
    virtual void SetDefaultRate(double framesPerSecond) = 0;
    virtual void Close() = 0;
};
