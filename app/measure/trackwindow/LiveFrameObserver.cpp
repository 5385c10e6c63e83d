#include "LiveFrameObserver.h"

#include "CFrameStore.h"

#include <chrono>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

namespace {

double SteadySeconds() {
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

// The frame as the view draws it: 32-bit RGB written in one pass, so that
// painting needs no further conversion.
QImage ToImage(const cv::Mat& mat) {
    if (mat.empty() || (mat.channels() != 1 && mat.channels() != 3)) return QImage();
    QImage image(mat.cols, mat.rows, QImage::Format_RGB32);
    if (image.isNull()) return image;
    cv::Mat target(mat.rows, mat.cols, CV_8UC4, image.bits(),
                   static_cast<std::size_t>(image.bytesPerLine()));
    cv::cvtColor(mat, target, mat.channels() == 1 ? cv::COLOR_GRAY2BGRA : cv::COLOR_BGR2BGRA);
    return image;
}

} // namespace

LiveFrameObserver::LiveFrameObserver(int frames, std::function<void(LiveFrame)> publish,
                                     std::function<double()> now)
    : frames_(frames), publish_(std::move(publish)), now_(now ? std::move(now) : SteadySeconds) {}

void LiveFrameObserver::FrameLoaded(int k, const kova::CFrameStore& store, int frame, bool colour) {
    if (!started_) {
        start_ = now_();
        started_ = true;
    }
    store_ = &store;
    frame_ = frame;
    colour_ = colour;
    current_.windows.clear();
    current_.points.clear();
    current_.frame = k;
}

void LiveFrameObserver::TargetTracked(const TrackedTarget& tracked) {
    const kova::FrameWindow& w = tracked.window;
    current_.windows.emplace_back(QPoint(w.x0, w.y0), QPoint(w.x1, w.y1));
    current_.points.emplace_back(tracked.record.x, tracked.record.y);
}

void LiveFrameObserver::FrameWritten(int k) {
    const double now = now_();
    if (last_ >= 0.0 && now - last_ < kMinInterval && k != frames_) return;
    last_ = now;
    current_.frames = frames_;
    current_.framesPerSecond = now > start_ ? k / (now - start_) : 0.0;
    if (store_)
        current_.image =
            ToImage(colour_ ? store_->Get_image_color(frame_) : store_->Get_image(frame_));
    ++published_;
    if (publish_) publish_(current_);
}
