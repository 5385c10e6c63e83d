#include "DisplayRender.h"

#include "CFrameStore.h"

#include <QPainter>
#include <algorithm>
#include <opencv2/imgproc.hpp>

namespace {

bool ShowsColor(const kova::CFrameStore& store) {
    return store.Get_dispmode() == kova::CFrameStore::kColorDispMode;
}

uchar Ramp(int value) {
    return static_cast<uchar>(std::clamp(value, 0, 255));
}

} // namespace

cv::Mat DisplayRender::Source(const kova::CFrameStore& store) {
    if (ShowsColor(store)) return store.Get_image_color(store.Get_dispframe_color());
    cv::Mat bgr;
    cv::cvtColor(store.Get_image(store.Get_dispframe()), bgr, cv::COLOR_GRAY2BGR);
    return bgr;
}

cv::Vec3b DisplayRender::PseudoColor(int value) {
    // Four linear stretches of 64 values each; channels in BGR order.
    const int v = std::clamp(value, 0, 255);
    const int step = 4 * (v % 64);
    switch (v / 64) {
    case 0:
        return {255, Ramp(step), 0};
    case 1:
        return {Ramp(255 - step), 255, 0};
    case 2:
        return {0, 255, Ramp(step)};
    default:
        return {0, Ramp(255 - step), 255};
    }
}

cv::Mat DisplayRender::Convert(const cv::Mat& bgr, DisplayMode mode) {
    if (mode == DisplayMode::FullColor) return bgr.clone();
    cv::Mat grey;
    switch (mode) {
    case DisplayMode::Red:
        cv::extractChannel(bgr, grey, 2);
        break;
    case DisplayMode::Green:
        cv::extractChannel(bgr, grey, 1);
        break;
    case DisplayMode::Blue:
        cv::extractChannel(bgr, grey, 0);
        break;
    default:
        cv::cvtColor(bgr, grey, cv::COLOR_BGR2GRAY);
        break;
    }
    cv::Mat out;
    if (mode != DisplayMode::Pseudo) {
        cv::cvtColor(grey, out, cv::COLOR_GRAY2BGR);
        return out;
    }
    cv::Mat lut(1, 256, CV_8UC3);
    for (int v = 0; v < 256; ++v)
        lut.at<cv::Vec3b>(0, v) = PseudoColor(v);
    cv::cvtColor(grey, out, cv::COLOR_GRAY2BGR);
    cv::LUT(out, lut, out);
    return out;
}

QImage DisplayRender::ToQImage(const cv::Mat& image) {
    if (image.empty() || image.depth() != CV_8U) return QImage();
    cv::Mat bgr;
    if (image.channels() == 1)
        cv::cvtColor(image, bgr, cv::COLOR_GRAY2BGR);
    else if (image.channels() == 3)
        bgr = image;
    else
        return QImage();
    QImage out(bgr.cols, bgr.rows, QImage::Format_RGB32);
    for (int y = 0; y < bgr.rows; ++y) {
        const auto* src = bgr.ptr<cv::Vec3b>(y);
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < bgr.cols; ++x)
            line[x] = qRgb(src[x][2], src[x][1], src[x][0]);
    }
    return out;
}

QImage DisplayRender::Render(const kova::CFrameStore& store, DisplayMode mode, bool marks) {
    QImage image = ToQImage(Convert(Source(store), mode));
    if (!marks || store.WindowMarks().empty()) return image;
    // The marks as the store itself draws them.
    QPainter painter(&image);
    painter.setPen(QColor(0, 255, 0));
    for (const kova::FrameWindow& mark : store.WindowMarks())
        painter.drawRect(mark.x0, mark.y0, mark.Width() - 1, mark.Height() - 1);
    return image;
}

bool DisplayRender::HoldsImage(const kova::CFrameStore& store) {
    for (int frame = 0; frame <= store.Get_nofframe(); ++frame)
        if (!store.PlaneIfAllocated(frame).empty()) return true;
    for (int color = 0; color <= store.Get_nofframe_color(); ++color) {
        int r = 0, g = 0, b = 0;
        store.Get_frame_monochrome(color, r, g, b);
        for (const int plane : {r, g, b})
            if (!store.PlaneIfAllocated(plane).empty()) return true;
    }
    return false;
}
