#pragma once

#include <functional>
#include <string>

// `kova-batch bench capture`: the capture backend against a 1920 x 1080,
// 30 frames a second stand-in camera (two seconds of generated MJPEG,
// looping). It captures to disk (an MJPEG AVI) for `seconds` and to memory
// (colour frames of the store) for `memorySeconds`, and reports for each
// the frames captured against the frames the source offered, the frames
// dropped (the goal is 0) and the processor time of the whole process per
// captured frame.
class CaptureBench {
public:
    struct Options {
        int seconds = 60;
        int memorySeconds = 10; // 1080p colour frames take 6 MB each
        int width = 1920;
        int height = 1080;
        double rate = 30.0;
        std::string directory; // where the files go; empty: a temporary folder
    };
    using Report = std::function<void(const std::string& name, double value)>;

    explicit CaptureBench(const Options& options) : options_(options) {}

    // False with `error` set when the stand-in could not be written or a
    // capture could not start.
    bool Run(const Report& report, std::string* error);

private:
    bool WriteStandIn(const std::string& path, std::string* error) const;
    bool Capture(const std::string& standIn, const std::string& directory, bool disk,
                 const Report& report, std::string* error) const;

    Options options_;
};
