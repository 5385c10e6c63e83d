#pragma once

#include "DemoWriter.h"

#include <functional>
#include <string>

// The figures of `kova-batch bench`: decoding against tracking on the same
// generated 1920 x 1080 colour MJPEG AVI and BMP series, tracking on
// in-memory 640 x 480 grey frames, and a normalised cross-correlation
// template tracker on those same frames, targets and windows. Times are
// processor time of the process, each the best of five passes, so a busy
// machine disturbs the figures less; frames per second are frames per
// processor second.
class TrackingBench {
public:
    struct Options {
        int frames = 60;    // AVI and in-memory frames
        int bmpFrames = 30; // BMP series frames (each file is 6 MB)
        int targets = 20;
        int window = 41;
        int memoryRepeats = 20; // in-memory sequence passes per timing
        std::string directory;  // where the files go; empty: a temporary one
    };
    // Receives each figure as it is measured.
    using Report = std::function<void(const std::string& name, double value)>;

    explicit TrackingBench(const Options& options) : options_(options) {}

    // False with `error` set when a file could not be written or read.
    bool Run(const Report& report, std::string* error);

private:
    bool FileFigures(const std::string& directory, DemoWriter::Format format,
                     const std::string& prefix, const Report& report, std::string* error);
    bool MemoryFigures(const std::string& directory, const Report& report, std::string* error);

    Options options_;
};
