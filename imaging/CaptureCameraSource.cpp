#include "CaptureCameraSource.h"

#include <cmath>
#include <opencv2/videoio.hpp>

namespace kova {

CaptureCameraSource::CaptureCameraSource(int index)
    : capture_(std::make_unique<cv::VideoCapture>()) {
    if (!capture_->open(index, cv::CAP_V4L2)) {
        error_ = "cannot open camera /dev/video" + std::to_string(index);
        capture_.reset();
        return;
    }
    ReadProperties();
    nativeRate_ = rate_;
}

CaptureCameraSource::~CaptureCameraSource() = default;

void CaptureCameraSource::ReadProperties() {
    size_ = cv::Size(static_cast<int>(capture_->get(cv::CAP_PROP_FRAME_WIDTH)),
                     static_cast<int>(capture_->get(cv::CAP_PROP_FRAME_HEIGHT)));
    const double rate = capture_->get(cv::CAP_PROP_FPS);
    rate_ = rate > 0 ? rate : 0.0;
    const auto code = static_cast<std::uint32_t>(capture_->get(cv::CAP_PROP_FOURCC));
    fourcc_.clear();
    for (int shift = 0; shift < 32; shift += 8) {
        const char c = static_cast<char>((code >> shift) & 0xFF);
        fourcc_ += (c >= 32 && c < 127) ? c : ' ';
    }
}

bool CaptureCameraSource::SetRate(double rate) {
    if (!capture_) return false;
    const bool ok = capture_->set(cv::CAP_PROP_FPS, rate > 0 ? rate : nativeRate_);
    ReadProperties();
    return ok;
}

bool CaptureCameraSource::SetFormat(const std::string& fourcc, int width, int height) {
    if (!capture_ || fourcc.size() != 4) return false;
    const int code = cv::VideoWriter::fourcc(fourcc[0], fourcc[1], fourcc[2], fourcc[3]);
    capture_->set(cv::CAP_PROP_FOURCC, code);
    capture_->set(cv::CAP_PROP_FRAME_WIDTH, width);
    capture_->set(cv::CAP_PROP_FRAME_HEIGHT, height);
    ReadProperties();
    return size_ == cv::Size(width, height) && fourcc_ == fourcc;
}

bool CaptureCameraSource::Grab(cv::Mat* frame, const std::atomic<bool>& abort) {
    if (!capture_ || abort) return false;
    *frame = cv::Mat();
    if (!capture_->read(*frame) || frame->empty()) {
        error_ = "the camera gave no frame";
        return false;
    }
    const double stamp = capture_->get(cv::CAP_PROP_POS_MSEC);
    if (lastStamp_ >= 0 && rate_ > 0 && stamp > lastStamp_) {
        const double periods = (stamp - lastStamp_) * rate_ / 1000.0;
        if (periods > 1.5) skipped_ += static_cast<std::int64_t>(std::lround(periods)) - 1;
    }
    lastStamp_ = stamp;
    return true;
}

} // namespace kova
