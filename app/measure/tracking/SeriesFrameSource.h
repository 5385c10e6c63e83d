#pragma once

#include "FrameSource.h"

#include <string>

namespace kova {
class CFrameStore;
}

// A numbered BMP series: file n is directory + head + n (zero-padded to the
// digit count of the first file's number, at least 4) + "." + extension. A
// missing file name is matched case-insensitively in its directory.
class SeriesFrameSource : public FrameSource {
public:
    explicit SeriesFrameSource(kova::CFrameStore& store) : store_(store) {}

    // Takes the series from its first and last file; false with `error`
    // when the names do not form one series.
    bool SetFiles(const std::string& firstPath, const std::string& lastPath, std::string* error);

    int Count() const override { return last_ - first_ + 1; }
    int FirstNumber() const override { return first_; }
    int LastNumber() const override { return last_; }
    int Load(int k, bool colour, int& frame) override;
    void StoreSource(CCfgFile& info) const override;

    std::string FileName(int number) const;
    std::string PathOf(int number) const;

private:
    kova::CFrameStore& store_;
    std::string directory_;
    std::string head_;
    std::string ext_;
    int digits_ = 4;
    int first_ = 0;
    int last_ = -1;
};
