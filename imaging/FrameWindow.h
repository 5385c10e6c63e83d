#pragma once

namespace kova {

// A rectangle of frame pixels given by its inclusive corners; the processing
// window of the frame store and the window marks of the display use it.
struct FrameWindow {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;

    int Width() const { return x1 - x0 + 1; }
    int Height() const { return y1 - y0 + 1; }
    bool Contains(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
    bool operator==(const FrameWindow& other) const {
        return x0 == other.x0 && y0 == other.y0 && x1 == other.x1 && y1 == other.y1;
    }
    bool operator!=(const FrameWindow& other) const { return !(*this == other); }
};

} // namespace kova
