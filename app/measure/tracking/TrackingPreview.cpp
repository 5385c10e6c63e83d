#include "TrackingPreview.h"

#include "CFrameStore.h"
#include "WindowBlobFinder.h"

#include <QSaveFile>
#include <QString>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace {

QRgb Blend(QRgb pixel, QRgb tint) {
    return qRgb((qRed(pixel) + qRed(tint)) / 2, (qGreen(pixel) + qGreen(tint)) / 2,
                (qBlue(pixel) + qBlue(tint)) / 2);
}

QRgb WindowColour(std::int16_t status) {
    if (status == kStatusFound) return TrackingPreview::kWindowFound;
    if (status == kStatusLargestOfMany || status == kStatusTooManyBlobs)
        return TrackingPreview::kWindowLargest;
    return TrackingPreview::kWindowLost;
}

// The frame as 32-bit RGB, reusing `image` when it has the size.
void CopyFrame(const kova::CFrameStore& store, int frame, bool colour, QImage& image) {
    const cv::Mat pixels = colour ? store.Get_image_color(frame) : store.Get_image(frame);
    if (image.width() != pixels.cols || image.height() != pixels.rows)
        image = QImage(pixels.cols, pixels.rows, QImage::Format_RGB32);
    for (int y = 0; y < pixels.rows; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < pixels.cols; ++x) {
            if (colour) {
                const cv::Vec3b bgr = pixels.at<cv::Vec3b>(y, x);
                line[x] = qRgb(bgr[2], bgr[1], bgr[0]);
            } else {
                const int v = pixels.at<std::uint8_t>(y, x);
                line[x] = qRgb(v, v, v);
            }
        }
    }
}

} // namespace

bool TrackingPreview::Open(std::string* error) {
    std::error_code code;
    std::filesystem::create_directories(folder_, code);
    if (std::filesystem::is_directory(folder_, code)) return true;
    if (error) *error = "cannot make the folder " + folder_;
    return false;
}

std::string TrackingPreview::PathOf(int k) const {
    char name[32];
    std::snprintf(name, sizeof name, "frame%04d.png", k);
    return (std::filesystem::path(folder_) / name).string();
}

void TrackingPreview::FrameLoaded(int /*k*/, const kova::CFrameStore& store, int frame,
                                  bool colour) {
    marks_.clear();
    if (!unwritten_.empty()) return;
    CopyFrame(store, frame, colour, image_);
}

void TrackingPreview::TargetTracked(const TrackedTarget& tracked) {
    if (!unwritten_.empty() || image_.isNull()) return;
    if (tracked.blobs) Tint(tracked);
    Mark mark{tracked.window,  WindowColour(tracked.record.status), false, {}, tracked.record.x,
              tracked.record.y};
    if (tracked.blobs && tracked.chosen >= 0) {
        mark.hasBlob = true;
        mark.blob = tracked.blobs->At(tracked.chosen).box;
    }
    marks_.push_back(mark);
}

void TrackingPreview::FrameWritten(int k) {
    if (!unwritten_.empty() || image_.isNull()) return;
    for (const Mark& mark : marks_)
        DrawMark(mark);
    const std::string path = PathOf(k);
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || !image_.save(&file, "PNG") || !file.commit())
        unwritten_ = path;
}

void TrackingPreview::Tint(const TrackedTarget& tracked) {
    tracked.blobs->KeptPixels(pixels_);
    const kova::FrameWindow& w = tracked.blobs->Window();
    std::size_t i = 0;
    for (int y = w.y0; y <= w.y1; ++y) {
        for (int x = w.x0; x <= w.x1; ++x, ++i) {
            if (pixels_[i]) Put(x, y, Blend(image_.pixel(x, y), kTint));
        }
    }
}

void TrackingPreview::DrawMark(const Mark& mark) {
    Outline(mark.window, mark.windowColour);
    if (mark.hasBlob) {
        const kova::FrameWindow& b = mark.blob;
        Outline(kova::FrameWindow{b.x0 - 1, b.y0 - 1, b.x1 + 1, b.y1 + 1}, kBlobFrame);
    }
    const int px = static_cast<int>(std::lround(mark.x));
    const int py = static_cast<int>(std::lround(mark.y));
    for (int d = -3; d <= 3; ++d) {
        Put(px + d, py, kPoint);
        Put(px, py + d, kPoint);
    }
}

void TrackingPreview::Outline(const kova::FrameWindow& box, QRgb colour) {
    for (int x = box.x0; x <= box.x1; ++x) {
        Put(x, box.y0, colour);
        Put(x, box.y1, colour);
    }
    for (int y = box.y0; y <= box.y1; ++y) {
        Put(box.x0, y, colour);
        Put(box.x1, y, colour);
    }
}

void TrackingPreview::Put(int x, int y, QRgb colour) {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
    reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = colour;
}
