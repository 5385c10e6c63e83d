#pragma once

#include "DemoSequence.h"

#include <string>

// Writes the demo sequence into a directory: the images (BMP series
// DEMO0001.BMP ... or DEMO.AVI), the ground truth DEMO_TRUTH.TXT ("frame
// marker x y visible", 1-based), a KOVA.CFG with tracking parameters that
// find the markers, and DEMO_TARGETS.TXT with the markers' first-frame
// positions as a user would click them.
class DemoWriter {
public:
    enum class Format { BmpSeries, RawAvi, MjpegAvi };

    static constexpr const char* kHead = "DEMO";
    static constexpr const char* kAviName = "DEMO.AVI";
    static constexpr const char* kTruthName = "DEMO_TRUTH.TXT";
    static constexpr const char* kTargetsName = "DEMO_TARGETS.TXT";
    static constexpr const char* kConfigName = "KOVA.CFG";

    // False with `error` set when a file could not be written.
    static bool Write(const std::string& directory, const DemoSequence& sequence, Format format,
                      std::string* error);

    static bool WriteImages(const std::string& directory, const DemoSequence& sequence,
                            Format format, std::string* error);
    static bool WriteTruth(const std::string& path, const DemoSequence& sequence);
    static bool WriteTargets(const std::string& path, const DemoSequence& sequence);
    static bool WriteConfig(const std::string& path, const DemoSequence& sequence);

    // Path of image file n of the series in a directory.
    static std::string SeriesPath(const std::string& directory, int number);
    static std::string Join(const std::string& directory, const std::string& name);
};
