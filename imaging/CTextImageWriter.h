#pragma once

#include <cstdio>
#include <string>

namespace kova {

class CFrameStore;

// Writes a grey or colour frame of the store as a text image: the header
// lines, then one "$DATA_BEGIN" .. "$DATA_END" block per plane (R, G, B for
// colour) with one line of "%3u" values per row. Lines end in CR LF. The
// file is written beside the target and replaces it only when complete, so
// a failed write leaves an existing file as it was.
class CTextImageWriter {
public:
    explicit CTextImageWriter(const CFrameStore& store) : store_(store) {}

    // Writes grey frame `frame` (color false) or colour frame `frame`; with
    // `window` 1 only the processing window, else the whole frame. Returns
    // the reason (0 success, -1 file error, 8 no such frame).
    int Write(const std::string& path, int frame, bool color, int window);

    int Reason() const { return reason_; }
    int LineCount() const { return lineCount_; }

private:
    bool WriteBlock(std::FILE* file, const int* planes, int planeCount, int x0, int y0, int x1,
                    int y1);
    bool Put(std::FILE* file, const std::string& text);

    const CFrameStore& store_;
    int reason_ = 0;
    int lineCount_ = 0;
};

} // namespace kova
