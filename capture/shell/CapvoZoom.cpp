#include "CapvoZoom.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

int CapvoZoom::Clamp(int percent) {
    return std::clamp(percent, kMin, kMax);
}

std::string CapvoZoom::StatusText(int percent, int width, int height) {
    char text[96];
    std::snprintf(text, sizeof text, " Rate: %3d%% [Width: %4d Height: %4d]", percent, width,
                  height);
    return text;
}

QPoint CapvoZoom::ToImage(QPoint window, QPoint scroll, int percent) {
    const double scale = Clamp(percent) / 100.0;
    return QPoint(static_cast<int>(std::floor((window.x() + scroll.x()) / scale)),
                  static_cast<int>(std::floor((window.y() + scroll.y()) / scale)));
}

int CapvoZoom::Scaled(int side, int percent) {
    return static_cast<int>(static_cast<long long>(side) * Clamp(percent) / 100);
}
