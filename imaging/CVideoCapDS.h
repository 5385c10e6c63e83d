#pragma once

#include "CAviVideo.h"

#include <cstdint>
#include <string>

namespace kova {

class CFrameStore;

// The capture object's file operations: the fallback reader of AVI files.
// It reads any AVI file the decoder opens, whatever its bit depth, into
// colour frames of the store. Results: 1 success, 0 failure.
class CVideoCapDS {
public:
    explicit CVideoCapDS(CFrameStore& store) : store_(store) {}

    // Names the file to read and opens it; 0 when it cannot be read.
    int PutCaptureFileName(const std::string& path);
    // Index of the file's last frame (the frame count is one more).
    int GetFrameNumber(std::int64_t* lastFrame) const;
    // Reads AVI frames aviStart, aviStart + interval, ... (from 0) into
    // colour frames first .. last, each placed at (x, y). The store's
    // progress position -1 stops before the next frame (reset to 0; what was
    // read stays and the result is 1).
    int ReadImageToMemory(int first, int last, int x, int y, std::int64_t aviStart, int interval);
    // The colour frame filled last, 0 when none.
    int GetOperateFrame() const { return operateFrame_; }

private:
    CFrameStore& store_;
    CAviVideo reader_;
    int operateFrame_ = 0;
};

} // namespace kova
