#pragma once

#include "CFrameStore.h"
#include "CImageFile.h"

#include <functional>
#include <map>
#include <string>

namespace kova {

// Numbered series of BMP, JPEG or TIFF files (the type by the extension):
// file n is directory + head + n in 4 digits + "." + ext. Each loop tests the
// store's progress position before every file and stops when it is -1; after
// each file it sets the position to the number of files done and calls the
// step callback (which lets a window handle its events). A file that is not
// found under its exact name is looked up case-insensitively in its
// directory. Files written or frames loaded before a failure or a stop
// remain.
class CImageSeries {
public:
    static constexpr int kStopped = -20; // the progress position was -1
    static constexpr int kBadRange = -21;
    static constexpr int kDeleteFailed = -22;

    // Field layout of a saved series.
    static constexpr int kFrames = 0;
    static constexpr int kOddFieldFirst = 1;
    static constexpr int kEvenFieldFirst = 2;

    CImageSeries(CFrameStore& store, CImageFile& files);

    void Put_step_callback(std::function<void()> callback);

    // Files firstNumber, firstNumber + interval ... (up to lastNumber) into
    // frames startFrame, startFrame + 1 ... (up to endFrame), each at (x, y).
    int Load_series(const std::string& directory, const std::string& head, const std::string& ext,
                    int firstNumber, int lastNumber, int startFrame, int endFrame, int interval,
                    int x, int y, bool color);
    // Frames startFrame, startFrame + interval ... (up to endFrame) into files
    // firstNumber, firstNumber + 1 ...; with fields every frame gives two
    // files, the odd or the even field first.
    int Save_series(const std::string& directory, const std::string& head, const std::string& ext,
                    int firstNumber, int startFrame, int endFrame, int interval, int window,
                    int fields, bool color);
    // Removes files firstNumber, firstNumber + interval ... up to lastNumber;
    // missing files are passed over, a file that cannot be removed fails.
    int Delete_series(const std::string& directory, const std::string& head, const std::string& ext,
                      int firstNumber, int lastNumber, int interval);

    // Files handled by the last loop.
    int Get_done() const { return done_; }
    // Path of an existing file, matching its name case-insensitively when the
    // exact name is missing; the path itself when nothing matches.
    std::string ResolvePath(const std::string& directory, const std::string& name);

private:
    bool StopRequested() const { return store_.Get_progress_pos() == -1; }
    void Step();
    bool FramesExist(int first, int last, bool color) const;

    CFrameStore& store_;
    CImageFile& files_;
    std::function<void()> stepCallback_;
    int done_ = 0;
    std::string listedDirectory_;
    std::map<std::string, std::string> listing_; // upper-cased name -> real name
};

} // namespace kova
