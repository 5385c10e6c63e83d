#pragma once

#include <string>
#include <vector>

namespace kova {
class CFrameStore;
}

// The texts of the pixel value window "图像数据": the values of the
// displayed frame around the mouse, "% 3d" for a grey frame and
// "%-3d %-3d %-3d" (R G B) for a colour frame. Cells outside the frame stay
// empty; nothing outside it is read.
class PixelValueText {
public:
    static constexpr int kRadius = 2;

    // One pixel's text, "" outside the frame.
    static std::string Cell(const kova::CFrameStore& store, int x, int y);
    // The (2 radius + 1)² cells around (x, y), row by row.
    static std::vector<std::string> Grid(const kova::CFrameStore& store, int x, int y,
                                         int radius = kRadius);
    // "X: x  Y: y".
    static std::string Position(int x, int y);
};
