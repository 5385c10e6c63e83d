#pragma once

#include <functional>
#include <string>

// The figures of `kova-batch bench replay`: the result video of a
// measurement of 20 targets over 1000 frames of 1920 x 1080, every overlay
// on (trajectories with vectors and connection lines over all frames,
// numbers, marks, scale bars). Each frame is fetched and painted as the
// view does it: from grey frames held in the frame store ("内存"), and from
// an MJPEG AVI read frame by frame ("硬盘"). The figures are the 95th
// percentiles of the time per frame in milliseconds, by the clock and in
// processor time of the process.
class ReplayBench {
public:
    struct Options {
        int frames = 1000;
        int targets = 20;
        int width = 1920;
        int height = 1080;
        std::string directory; // where the AVI goes; empty: a temporary folder
    };
    using Report = std::function<void(const std::string& name, double value)>;

    explicit ReplayBench(const Options& options) : options_(options) {}

    // False with `error` set when the video could not be written or read.
    bool Run(const Report& report, std::string* error);

private:
    void MemoryFigures(const Report& report);
    bool DiskFigures(const std::string& directory, const Report& report, std::string* error);

    Options options_;
};
