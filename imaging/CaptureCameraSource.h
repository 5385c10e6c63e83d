#pragma once

#include "CaptureSource.h"

#include <memory>

namespace cv {
class VideoCapture;
}

namespace kova {

// A V4L2 camera opened through OpenCV's CAP_V4L2 backend. Frames the driver
// dropped are counted from gaps in the frame time stamps.
class CaptureCameraSource : public CaptureSource {
public:
    explicit CaptureCameraSource(int index);
    ~CaptureCameraSource() override;

    bool IsOpen() const { return capture_ != nullptr; }
    bool Grab(cv::Mat* frame, const std::atomic<bool>& abort) override;
    void Restart() override { lastStamp_ = -1.0; }
    std::int64_t Skipped() const override { return skipped_; }
    double NativeRate() const override { return nativeRate_; }
    double Rate() const override { return rate_; }
    bool SetRate(double rate) override;
    cv::Size FrameSize() const override { return size_; }
    std::string Fourcc() const override { return fourcc_; }
    const std::string& Error() const override { return error_; }
    // Sets pixel format and frame size; false when the driver refused them.
    bool SetFormat(const std::string& fourcc, int width, int height);

private:
    void ReadProperties();

    std::unique_ptr<cv::VideoCapture> capture_;
    double nativeRate_ = 0.0;
    std::atomic<double> rate_{0.0};
    cv::Size size_;
    std::string fourcc_;
    std::string error_;
    std::atomic<std::int64_t> skipped_{0};
    double lastStamp_ = -1.0;
};

} // namespace kova
