#include "ColourSampler.h"

#include "CFrameStore.h"
#include "CImageProc.h"

#include <algorithm>

void ColourSampler::Reset(SegmentationMode mode) {
    mode_ = mode;
    minima_.fill(ScaleMax(mode));
    maxima_.fill(0);
}

bool ColourSampler::Sample(const kova::CFrameStore& store, int frame, int x, int y,
                           SegmentationFields& fields, Square& square) {
    const int half = fields.sampleSize / 2;
    square = {std::max(x - half, 0), std::max(y - half, 0), std::min(x + half, store.Width() - 1),
              std::min(y + half, store.Height() - 1)};
    if (square.x0 > square.x1 || square.y0 > square.y1 || !store.IsColorFrame(frame)) return false;
    for (int v = square.y0; v <= square.y1; ++v) {
        for (int u = square.x0; u <= square.x1; ++u) {
            std::array<int, 3> value{};
            store.Read_pixel_color(frame, u, v, value[0], value[1], value[2]);
            if (mode_ == SegmentationMode::Hsi)
                kova::CImageProc::RgbToHsiCircle(value[0], value[1], value[2], value[0], value[1],
                                                 value[2]);
            for (size_t c = 0; c < 3; ++c) {
                const int taken = fields.bands[c].on ? value[c] : 0;
                minima_[c] = std::min(minima_[c], taken);
                maxima_[c] = std::max(maxima_[c], taken);
            }
        }
    }
    ++fields.sampleCount;
    for (size_t c = 0; c < 3; ++c) {
        fields.bands[c].low = minima_[c];
        fields.bands[c].high = maxima_[c];
    }
    if (fields.sampleSize % 2 == 0) ++fields.sampleSize;
    return true;
}
