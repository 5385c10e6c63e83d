#pragma once

#include "CaptureSource.h"

#include <chrono>
#include <memory>

namespace cv {
class VideoCapture;
}

namespace kova {

// A video file the decoder opens, delivered as a camera would: one frame a
// period of the chosen rate (its own rate unless another is set), starting
// over at its end when it loops. When the grabber comes late, the frames
// whose time has passed are skipped and counted, as a camera drops them.
class CaptureFileSource : public CaptureSource {
public:
    CaptureFileSource(const std::string& path, bool loop);
    ~CaptureFileSource() override;

    bool IsOpen() const { return capture_ != nullptr; }
    bool Grab(cv::Mat* frame, const std::atomic<bool>& abort) override;
    void Restart() override;
    std::int64_t Skipped() const override { return skipped_; }
    double NativeRate() const override { return nativeRate_; }
    double Rate() const override { return rate_ > 0 ? rate_.load() : nativeRate_; }
    bool SetRate(double rate) override;
    cv::Size FrameSize() const override { return size_; }
    std::string Fourcc() const override { return fourcc_; }
    const std::string& Error() const override { return error_; }

    // Rates a stand-in accepts.
    static constexpr double kMinRate = 0.1;
    static constexpr double kMaxRate = 1000.0;

private:
    using Clock = std::chrono::steady_clock;

    bool Reopen();
    bool Decode(cv::Mat* frame);
    bool WaitUntil(Clock::time_point due, const std::atomic<bool>& abort) const;

    std::string path_;
    bool loop_;
    std::unique_ptr<cv::VideoCapture> capture_;
    double nativeRate_ = 25.0;
    std::atomic<double> rate_{0.0};
    cv::Size size_;
    std::string fourcc_;
    std::string error_;
    std::atomic<std::int64_t> skipped_{0};
    bool started_ = false;
    Clock::time_point due_;
};

} // namespace kova
