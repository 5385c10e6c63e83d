#pragma once

#include "MeasureHeader.h"

#include <functional>
#include <string>

class CCfgFile;
class FrameSource;
class TrackingEngine;
class TrackResultFile;
namespace kova {
class Prompter;
}

// The run of the tracking window, without the window: lets the engine track
// the sequence into a temporary file beside the result, writes the header
// (so a stopped run keeps exactly its completed frames) and the .TRI
// companion with the image keys of the sequence, and puts both in place only
// when at least one frame was tracked and every write succeeded. Otherwise an
// existing result pair stays exactly as it was.
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
    // frames), -1 when the result could not be written or no frame was
    // tracked, else the engine's failure. `resultPath` gets ".TRK" when it
    // lacks that suffix. The reload is called only when the pair was put in
    // place.
    int RunTracking(FrameSource& source, const std::string& resultPath, MeasureHeader header);

    // The .TRK path of the last run (the chosen name with its suffix).
    const std::string& ResultPath() const { return resultPath_; }
    // True when the last run replaced the result pair.
    bool Committed() const { return committed_; }

    const MeasureHeader& Header() const { return header_; }
    // Path of the .TRI file of the last run.
    const std::string& InfoPath() const { return infoPath_; }
    // The file of the pair the last run could not write; empty when both were.
    const std::string& UnsavedPath() const { return unsavedPath_; }

private:
    void FinishHeader();
    bool WriteInfo(const FrameSource& source, const std::string& staged);
    bool PutInPlace(TrackResultFile& file, const FrameSource& source);
    void FileError();
    void NothingTracked();

    TrackingEngine& engine_;
    kova::Prompter& prompter_;
    std::function<void(const std::string&)> reload_;
    MeasureHeader header_;
    std::string resultPath_;
    std::string infoPath_;
    std::string unsavedPath_;
    bool committed_ = false;
};
