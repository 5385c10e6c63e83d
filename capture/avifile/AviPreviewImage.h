#pragma once

#include <QImage>
#include <opencv2/core.hpp>

// A decoded frame (8-bit BGR or grey) scaled to fit a box of the given size
// with its aspect ratio kept, as the preview rectangle shows it. Null for an
// empty frame or box.
QImage AviPreviewImage(const cv::Mat& frame, int boxWidth, int boxHeight);
