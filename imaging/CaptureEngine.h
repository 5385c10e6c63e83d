#pragma once

#include "CaptureRecorder.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <opencv2/core.hpp>
#include <string>
#include <thread>
#include <vector>

namespace kova {

class CaptureSource;
class CaptureCameraSource;

// The capture engine: the sources (V4L2 cameras, then stand-in video files),
// one grab thread that previews, records and plays, and what it produced,
// taken over by the caller's thread. A recording's frame and time limits
// are checked on the grab thread for every frame, so a recording ends
// exactly at them. The frames of a memory recording wait here until the
// caller takes them; a disk recording goes through a CaptureRecorder.
class CaptureEngine {
public:
    // 0 is no limit.
    struct Limits {
        int frames = 0;
        long milliseconds = 0;
    };
    struct Status {
        bool running = false; // the grab thread runs
        bool previewing = false;
        bool capturing = false;
        bool playing = false;
        int captured = 0;    // frames of the current or last recording
        long capturedMs = 0; // since the recording began
        std::int64_t dropped = 0;
        std::int64_t offered = 0; // captured + dropped
        std::string info;
    };

    CaptureEngine();
    CaptureEngine(const CaptureEngine&) = delete;
    CaptureEngine& operator=(const CaptureEngine&) = delete;
    ~CaptureEngine();

    // ---- sources ----
    void AddStandIn(const std::string& path);
    // Adds the colon-separated paths of KOVA_CAMERA_STANDIN.
    void AddStandInsFromEnvironment();
    // Lists the cameras again; stand-ins come after them.
    void Refresh();
    std::vector<std::string> SourceNames() const;
    // Opens source `index` (closing the one open); false with Error().
    bool Open(int index);
    void CloseSource();
    int OpenIndex() const { return openIndex_; }
    bool IsOpen() const { return source_ != nullptr; }
    // The V4L2 node of the open camera, empty for a stand-in.
    std::string CameraNode() const;
    const CaptureSource* Source() const { return source_.get(); }
    // Sets the open camera's pixel format and size (runs stop and restart).
    bool SetCameraFormat(const std::string& fourcc, int width, int height);
    std::string Error() const;
    // Replaces the status text (a refusal the caller found).
    void SetInfo(const std::string& info);

    // ---- rate ----
    // With `use` the source delivers `rate` frames a second, otherwise its own.
    bool SetRate(bool use, double rate);
    bool RateUsed() const { return rateUsed_; }
    double Rate() const;

    // ---- runs ----
    bool StartPreview();
    void StopPreview();
    bool StartDisk(const std::string& path, CaptureCodec codec, Limits limits);
    bool StartMemory(Limits limits);
    // Ends a recording (the preview goes on when it was on).
    void StopCapture();
    // Plays a video file at its own rate, once.
    bool StartPlay(const std::string& path);
    void StopAll();

    // ---- results, on the caller's thread ----
    // Joins a grab thread that ended; the status after.
    Status Poll();
    // The newest frame when one came since the last call.
    bool TakeNewest(cv::Mat* frame);
    // The memory recording's frames since the last call, in order.
    std::vector<cv::Mat> TakeCaptured();
    // Waits for a frame newer than the call; false after `timeout` or when
    // no thread grabs.
    bool WaitNextFrame(cv::Mat* frame, std::chrono::milliseconds timeout);

private:
    using Clock = std::chrono::steady_clock;
    enum class Recording { None, Disk, Memory };
    struct Entry {
        std::string name;
        int camera = -1; // V4L2 number, -1 for a stand-in
        std::string node;
        std::string path;
    };

    void StartThread(CaptureSource* source, bool play);
    void JoinThread();
    void Loop(CaptureSource* source, bool play);
    void Publish(const cv::Mat& frame);
    bool Record(const cv::Mat& frame, const CaptureSource& source);
    void FinishRecording(const std::string& why);
    // True when a grab thread must be started for the recording.
    bool BeginRecording(Recording kind, Limits limits);
    // Whether the grabber goes on after a frame that was not recorded;
    // when not, it is marked ended under the lock.
    bool GoesOn();
    long MillisecondsSince(Clock::time_point start) const;

    std::vector<std::string> standIns_;
    std::vector<Entry> entries_;
    std::unique_ptr<CaptureSource> source_;
    CaptureCameraSource* camera_ = nullptr; // source_ when it is a camera
    int openIndex_ = -1;
    std::unique_ptr<CaptureSource> play_;

    std::thread thread_;
    std::atomic<bool> abort_{false};
    std::atomic<bool> preview_{false};
    std::atomic<bool> rateChanged_{false};
    std::atomic<double> rate_{0.0};
    std::atomic<bool> rateUsed_{false};

    mutable std::mutex mutex_;
    std::condition_variable frameCame_;
    bool threadAlive_ = false;
    bool playing_ = false;
    cv::Mat newest_;
    std::uint64_t serial_ = 0;
    std::uint64_t taken_ = 0;
    Recording recording_ = Recording::None;
    Limits limits_;
    std::unique_ptr<CaptureRecorder> recorder_;
    std::vector<cv::Mat> captured_;
    int capturedCount_ = 0;
    long capturedMs_ = 0;
    std::int64_t skippedAtStart_ = 0;
    std::int64_t dropped_ = 0;
    Clock::time_point captureStart_;
    std::string info_;
    std::string error_;
};

} // namespace kova
