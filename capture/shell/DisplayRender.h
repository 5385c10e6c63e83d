#pragma once

#include "DisplayMode.h"

#include <QImage>
#include <opencv2/core.hpp>

namespace kova {
class CFrameStore;
}

// Turns the frame store's displayed frame into what capvo shows. The source
// is the displayed colour frame when the store shows colour, else the
// displayed grey frame (a grey frame is its own R, G and B).
class DisplayRender {
public:
    // The source frame as 8-bit BGR.
    static cv::Mat Source(const kova::CFrameStore& store);
    // The source converted by a mode, as 8-bit BGR.
    static cv::Mat Convert(const cv::Mat& bgr, DisplayMode mode);
    // The converted source as an RGB32 image, with the store's window marks
    // drawn over it when `marks` is set.
    static QImage Render(const kova::CFrameStore& store, DisplayMode mode, bool marks);
    // The pseudo colour of a grey value: blue, cyan, green, yellow, red.
    static cv::Vec3b PseudoColor(int value);
    // True once any frame of the store has been written.
    static bool HoldsImage(const kova::CFrameStore& store);
    // An 8-bit BGR or grey image as RGB32 (null image for anything else).
    static QImage ToQImage(const cv::Mat& image);
};
