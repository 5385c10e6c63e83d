#include "PixelValueText.h"

#include "CFrameStore.h"

#include <cstdio>

std::string PixelValueText::Cell(const kova::CFrameStore& store, int x, int y) {
    if (x < 0 || y < 0 || x >= store.Width() || y >= store.Height()) return std::string();
    char text[32];
    if (store.Get_dispmode() == kova::CFrameStore::kColorDispMode) {
        int r = 0, g = 0, b = 0;
        if (store.Read_pixel_color(store.Get_dispframe_color(), x, y, r, g, b) !=
            kova::CFrameStore::kOk)
            return std::string();
        std::snprintf(text, sizeof text, "%-3d %-3d %-3d", r, g, b);
        return text;
    }
    const int value = store.Read_pixel(store.Get_dispframe(), x, y);
    if (value < 0) return std::string();
    std::snprintf(text, sizeof text, "% 3d", value);
    return text;
}

std::vector<std::string> PixelValueText::Grid(const kova::CFrameStore& store, int x, int y,
                                              int radius) {
    std::vector<std::string> cells;
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            cells.push_back(Cell(store, x + dx, y + dy));
    return cells;
}

std::string PixelValueText::Position(int x, int y) {
    return "X: " + std::to_string(x) + "  Y: " + std::to_string(y);
}
