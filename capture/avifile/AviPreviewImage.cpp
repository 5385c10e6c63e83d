#include "AviPreviewImage.h"

#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>

QImage AviPreviewImage(const cv::Mat& frame, int boxWidth, int boxHeight) {
    if (frame.empty() || boxWidth < 1 || boxHeight < 1 || frame.depth() != CV_8U ||
        (frame.channels() != 1 && frame.channels() != 3))
        return QImage();
    const double scale = std::min(static_cast<double>(boxWidth) / frame.cols,
                                  static_cast<double>(boxHeight) / frame.rows);
    const int width = std::clamp(static_cast<int>(std::lround(frame.cols * scale)), 1, boxWidth);
    const int height = std::clamp(static_cast<int>(std::lround(frame.rows * scale)), 1, boxHeight);
    cv::Mat scaled;
    // Shrinking averages the pixels it drops; enlarging interpolates.
    cv::resize(frame, scaled, cv::Size(width, height), 0, 0,
               scale < 1.0 ? cv::INTER_AREA : cv::INTER_LINEAR);
    cv::Mat rgb;
    cv::cvtColor(scaled, rgb, frame.channels() == 1 ? cv::COLOR_GRAY2RGB : cv::COLOR_BGR2RGB);
    QImage image(rgb.cols, rgb.rows, QImage::Format_RGB888);
    for (int y = 0; y < rgb.rows; ++y)
        std::copy_n(rgb.ptr<uchar>(y), rgb.cols * 3, image.scanLine(y));
    return image;
}
