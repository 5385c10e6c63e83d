#pragma once

#include <functional>
#include <string>

// `kova-batch bench gui-track`: the tracking window's run path against the
// headless run on the same generated 1920 x 1080 colour MJPEG AVI with 20
// targets. The window's path is the engine on a worker thread with the live
// frame observer, and on this thread each published frame drawn offscreen
// as the view draws it (the frame, the targets' windows and points). Times
// are processor time of the whole process, best of three passes, so the
// figure counts what the display costs whichever core it runs on.
class GuiTrackBench {
public:
    struct Options {
        int frames = 60;
        int targets = 20;
        int window = 41;
        std::string directory; // where the AVI goes; empty: a temporary one
    };
    using Report = std::function<void(const std::string& name, double value)>;

    explicit GuiTrackBench(const Options& options) : options_(options) {}

    // Reports headless_track_fps, and gui_track_fps and gui_frames_drawn of
    // the fastest window pass, and gui_track_vs_headless; false with `error`
    // when a file failed.
    bool Run(const Report& report, std::string* error);

private:
    Options options_;
};
