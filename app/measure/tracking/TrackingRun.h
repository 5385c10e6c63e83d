#pragma once

#include "MeasureHeader.h"

#include <functional>
#include <string>

class CCfgFile;
class FrameSource;
class TrackingEngine;
namespace kova {
class Prompter;
}

// The run of the tracking window, without the window: creates the result
// file, lets the engine track the sequence, writes the header whatever the
// result (so a stopped run keeps exactly its completed frames), and writes
// the .TRI companion with the image keys of the sequence.
class TrackingRun {
public:
    TrackingRun(TrackingEngine& engine, kova::Prompter& prompter)
        : engine_(engine), prompter_(prompter) {}

    // The run header before tracking: calibration from the system
    // configuration (missing keys keep the header's defaults), image type
    // and the first and last number of the sequence.
    static MeasureHeader MakeHeader(CCfgFile& config, const FrameSource& source, bool colour);

    // Called with the result path once the files are written (the document
    // reloads there); its result is not the run's.
    void SetReload(std::function<void(const std::string&)> reload) { reload_ = std::move(reload); }

    // 0 when every frame was tracked (or the run was stopped between
    // frames), -1 when the result file could not be made, else the engine's
    // failure. The header and the .TRI file are written in every case where
    // the result file was created.
    int RunTracking(FrameSource& source, const std::string& resultPath, MeasureHeader header);

    const MeasureHeader& Header() const { return header_; }
    // Path of the .TRI file written by the last run.
    const std::string& InfoPath() const { return infoPath_; }
    // The file of the pair the last run could not write; empty when both were.
    const std::string& UnsavedPath() const { return unsavedPath_; }

private:
    bool WriteInfo(const FrameSource& source, const std::string& resultPath);
    void FileError();

    TrackingEngine& engine_;
    kova::Prompter& prompter_;
    std::function<void(const std::string&)> reload_;
    MeasureHeader header_;
    std::string infoPath_;
    std::string unsavedPath_;
};
