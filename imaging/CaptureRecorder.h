#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <opencv2/core.hpp>
#include <string>
#include <thread>

class CRiffAviWriter;

namespace cv {
class VideoWriter;
}

namespace kova {

enum class CaptureCodec { Mjpeg, Raw };

// Writes captured frames into an AVI file on a writer thread of its own,
// through a bounded queue: Write blocks while the queue is full, so nothing
// is dropped here. MJPEG goes through FFmpeg's AVI muxer (OpenDML past
// 1 GiB); uncompressed frames as 24-bit DIBs through our RIFF writer, also
// OpenDML past 1 GiB (a frame past the writer's capacity ends the recording
// as a full file). A failing write, the file removed or replaced, or the disk
// running full ends the writing; Close then finishes the file so that what
// was written plays.
class CaptureRecorder {
public:
    static constexpr std::size_t kQueueFrames = 16;
    // Writing stops when less than this is free on the disk.
    static constexpr std::int64_t kMinFreeBytes = std::int64_t{16} << 20;

    CaptureRecorder();
    CaptureRecorder(const CaptureRecorder&) = delete;
    CaptureRecorder& operator=(const CaptureRecorder&) = delete;
    ~CaptureRecorder();

    // Creates the file for BGR frames of `size` at `rate` frames a second.
    bool Open(const std::string& path, CaptureCodec codec, cv::Size size, double rate,
              std::string* error);
    // Queues a frame (BGR of the opened size, not changed afterwards); false
    // once writing has ended (see Ended and Error).
    bool Write(cv::Mat frame);
    // Writes what is queued and finishes the file; false when a write failed.
    bool Close();

    int Written() const;
    // Writing has ended before Close: a failure, or an uncompressed file full.
    bool Ended() const;
    bool Failed() const;
    std::string Error() const;

    // Tests make the writes after the first `frames` fail (-1: never).
    static void FailAfterForTest(int frames);

private:
    void Run();
    bool WriteOne(const cv::Mat& frame);
    bool StillThere();
    void End(bool failed, const std::string& reason);

    std::string path_;
    CaptureCodec codec_ = CaptureCodec::Mjpeg;
    cv::Size size_;
    std::unique_ptr<cv::VideoWriter> writer_;
    std::unique_ptr<CRiffAviWriter> riff_;
    std::uint64_t inode_ = 0;
    std::uint64_t device_ = 0;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<cv::Mat> queue_;
    bool closing_ = false;
    bool ended_ = false;
    bool failed_ = false;
    std::string error_;
    int written_ = 0;
    std::thread thread_;
};

} // namespace kova
