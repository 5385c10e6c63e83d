#pragma once

#include <opencv2/core.hpp>

class QImage;

// A rendered frame as the image and video writers take it: 8-bit BGR;
// empty for a null image.
cv::Mat ImageBgr(const QImage& image);
