#pragma once

#include <atomic>
#include <cstdint>
#include <opencv2/core.hpp>
#include <string>

namespace kova {

// Where captured frames come from: a camera or a video file standing in for
// one. Grab is called on the grab thread only; the other operations while
// no thread grabs, or (the read-only ones) at any time.
class CaptureSource {
public:
    virtual ~CaptureSource() = default;

    // The next frame as 8-bit BGR in a buffer of its own; false at the end
    // of a file that does not loop, on an error (Error()) or when `abort`
    // was raised while waiting.
    virtual bool Grab(cv::Mat* frame, const std::atomic<bool>& abort) = 0;
    // Begins the frame clock anew (a run starts).
    virtual void Restart() = 0;
    // Frames the source delivered past because the grabber took them too late.
    virtual std::int64_t Skipped() const = 0;
    // The source's own frame rate, and the rate it delivers (0 = its own).
    virtual double NativeRate() const = 0;
    virtual double Rate() const = 0;
    virtual bool SetRate(double rate) = 0;
    virtual cv::Size FrameSize() const = 0;
    // The pixel format, four characters.
    virtual std::string Fourcc() const = 0;
    virtual const std::string& Error() const = 0;
};

} // namespace kova
