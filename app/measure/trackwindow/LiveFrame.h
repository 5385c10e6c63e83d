#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <string>
#include <vector>

// What the window shows of a run: the frame being tracked with the targets'
// search windows and the points written, and the rate.
struct LiveFrame {
    QImage image;
    std::vector<QRect> windows;
    std::vector<QPointF> points;
    int frame = 0; // 1-based
    int frames = 0;
    double framesPerSecond = 0.0;

    // "帧 n / N  x.x 帧/秒" for the status bar.
    std::string StatusText() const;
};
