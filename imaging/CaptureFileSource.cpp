#include "CaptureFileSource.h"

#include <opencv2/videoio.hpp>
#include <thread>

namespace kova {

namespace {

std::string FourccText(double code) {
    const auto value = static_cast<std::uint32_t>(code);
    std::string text;
    for (int shift = 0; shift < 32; shift += 8) {
        const char c = static_cast<char>((value >> shift) & 0xFF);
        text += (c >= 32 && c < 127) ? c : ' ';
    }
    return text;
}

} // namespace

CaptureFileSource::CaptureFileSource(const std::string& path, bool loop)
    : path_(path), loop_(loop) {
    if (!Reopen()) return;
    const double rate = capture_->get(cv::CAP_PROP_FPS);
    if (rate >= kMinRate && rate <= kMaxRate) nativeRate_ = rate;
    size_ = cv::Size(static_cast<int>(capture_->get(cv::CAP_PROP_FRAME_WIDTH)),
                     static_cast<int>(capture_->get(cv::CAP_PROP_FRAME_HEIGHT)));
    fourcc_ = FourccText(capture_->get(cv::CAP_PROP_FOURCC));
    if (size_.width <= 0 || size_.height <= 0) {
        error_ = "no video frames in " + path;
        capture_.reset();
    }
}

CaptureFileSource::~CaptureFileSource() = default;

bool CaptureFileSource::Reopen() {
    capture_ = std::make_unique<cv::VideoCapture>();
    // A file that is not a video must not be tried by every backend.
    if (!capture_->open(path_, cv::CAP_FFMPEG)) {
        error_ = "the decoder cannot open " + path_;
        capture_.reset();
        return false;
    }
    return true;
}

bool CaptureFileSource::SetRate(double rate) {
    if (rate != 0.0 && (rate < kMinRate || rate > kMaxRate)) return false;
    rate_ = rate;
    return true;
}

void CaptureFileSource::Restart() {
    started_ = false;
}

bool CaptureFileSource::WaitUntil(Clock::time_point due, const std::atomic<bool>& abort) const {
    constexpr auto kSlice = std::chrono::milliseconds(20);
    for (auto now = Clock::now(); now < due; now = Clock::now()) {
        if (abort) return false;
        std::this_thread::sleep_for(std::min<Clock::duration>(kSlice, due - now));
    }
    return !abort;
}

bool CaptureFileSource::Decode(cv::Mat* frame) {
    if (!capture_) return false;
    if (capture_->read(*frame) && !frame->empty()) return true;
    if (!loop_) return false;
    // At the end: from the start again.
    if (!Reopen() || !capture_->read(*frame) || frame->empty()) {
        error_ = "cannot read " + path_;
        capture_.reset();
        return false;
    }
    return true;
}

bool CaptureFileSource::Grab(cv::Mat* frame, const std::atomic<bool>& abort) {
    const auto period =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / Rate()));
    const Clock::time_point now = Clock::now();
    if (!started_) {
        started_ = true;
        due_ = now;
    } else if (now >= due_ + period) {
        // Frames whose time has passed are gone, as with a camera.
        const auto late = (now - due_) / period;
        skipped_ += late;
        due_ += late * period;
    }
    if (!WaitUntil(due_, abort)) return false;
    due_ += period;
    *frame = cv::Mat();
    return Decode(frame);
}

} // namespace kova
