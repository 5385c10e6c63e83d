#pragma once

#include <QPoint>
#include <string>

// The display scale of capvo's view in percent and the texts that show it.
class CapvoZoom {
public:
    static constexpr int kMin = 10;
    static constexpr int kMax = 500;
    static constexpr int kStandard = 100; // "标准"

    // Any asked scale limited to kMin..kMax.
    static int Clamp(int percent);
    // The status bar text " Rate: %3d%% [Width: %4d Height: %4d]".
    static std::string StatusText(int percent, int width, int height);
    // A point of the view (scrolled by `scroll`) as an image pixel.
    static QPoint ToImage(QPoint window, QPoint scroll, int percent);
    // The size of `side` image pixels on the screen.
    static int Scaled(int side, int percent);
};
