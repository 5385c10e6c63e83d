#include "ImageBgr.h"

#include <QImage>
#include <opencv2/imgproc.hpp>

cv::Mat ImageBgr(const QImage& image) {
    if (image.isNull()) return cv::Mat(); // a frame too large to render
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    // RGB32 lies in memory as B, G, R, 255 on this little-endian machine.
    const cv::Mat bgra(rgb.height(), rgb.width(), CV_8UC4, const_cast<uchar*>(rgb.constBits()),
                       static_cast<std::size_t>(rgb.bytesPerLine()));
    cv::Mat bgr;
    cv::cvtColor(bgra, bgr, cv::COLOR_BGRA2BGR);
    return bgr;
}
