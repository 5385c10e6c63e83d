#pragma once

#include "ReplayValidation.h"

#include <QImage>
#include <cstdint>

class CImageDisplay;
struct ImageSource;
namespace kova {
class Progress;
}

// The frames of the result video from the view's motion images: "内存"
// reads them all into the frame store first, "硬盘" reads each from its file
// when it is shown. Also renders the frame on show with its overlays.
class ReplayFrames {
public:
    ReplayFrames(CImageDisplay& display, const ImageSource& source)
        : display_(display), source_(source) {}

    // What reading every image of the sequence into the store takes.
    MemoryNeed Need() const;
    // "内存": reads every image into the store, with the progress dialog;
    // false when that was not possible or the user stopped it (reported).
    bool LoadAll(kova::Progress& progress);
    // Shows frame `page` (from 1): with `read` its image too (from the store
    // or its file), else only the page number moves. False when it could not
    // be shown; the frame shown before then stays.
    bool Show(int page, bool read);
    // The frame on show with every overlay of the display, at 100 %.
    QImage Rendered() const;

    // The memory the frame store may take: three quarters of the machine's.
    static std::int64_t MemoryLimit();

private:
    CImageDisplay& display_;
    const ImageSource& source_;
};
