#pragma once

#include "SegmentationFields.h"

#include <array>

namespace kova {
class CFrameStore;
}

// The running minima and maxima of the colour samples: each click adds the
// pixels of a square around it (inside the frame) in RGB or, with the hue
// on the whole circle, in HSI; an unchecked channel contributes 0.
class ColourSampler {
public:
    struct Square {
        int x0, y0, x1, y1; // inclusive, inside the frame
    };

    // Starts again for a mode: minima at the scale's top, maxima at 0.
    void Reset(SegmentationMode mode);
    // Samples colour frame `frame` around (x, y) with side `size` (an even
    // side covers size + 1 pixels). False, and nothing changed, when the
    // square lies wholly outside the frame; otherwise the bands of `fields`
    // become the running ranges, the count grows, the size is made odd, and
    // `square` is the part inside the frame.
    bool Sample(const kova::CFrameStore& store, int frame, int x, int y, SegmentationFields& fields,
                Square& square);

private:
    SegmentationMode mode_ = SegmentationMode::Rgb;
    std::array<int, 3> minima_{255, 255, 255};
    std::array<int, 3> maxima_{0, 0, 0};
};
