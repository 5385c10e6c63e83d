#pragma once

#include "CAviVideo.h"
#include "FrameSource.h"

#include <string>

namespace kova {
class CFrameStore;
class Prompter;
} // namespace kova

// A frame range of a video file (AVI, MP4, MOV, MKV ...); frames are
// numbered from 1. A frame that cannot be decoded shows "文件读取错误." and
// ends the run with -1.
class AviFrameSource : public FrameSource {
public:
    AviFrameSource(kova::CFrameStore& store, kova::Prompter& prompter)
        : store_(store), prompter_(prompter) {}

    // Opens the file and takes frames first..last (0, 0: the whole file);
    // false with `error` when the file or the range is unusable.
    bool Open(const std::string& path, int first, int last, std::string* error);

    int Count() const override { return last_ - first_ + 1; }
    int FirstNumber() const override { return first_; }
    int LastNumber() const override { return last_; }
    int FrameCountOfFile() const { return video_.GetFrameCount(); }
    int Load(int k, bool colour, int& frame) override;
    void StoreSource(CCfgFile& info) const override;

private:
    kova::CFrameStore& store_;
    kova::Prompter& prompter_;
    kova::CAviVideo video_;
    std::string directory_;
    std::string name_;
    int first_ = 1;
    int last_ = 0;
};
