#pragma once

#include "CAviVideo.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace cv {
class Mat;
}

namespace kova {

class CFrameStore;
class CaptureEngine;

// The capture object: camera capture into the frame store or into an AVI
// file, playback of the captured file, and the fallback reader of video
// files. Results: 1 success, 0 failure, unless said otherwise.
//
// Capture sources are the V4L2 devices that can capture (through OpenCV's
// CAP_V4L2) and any video file the decoder opens standing in for a camera,
// paced at its own frame rate. Frames are grabbed on a thread inside the
// engine; frame and time limits are checked per grabbed frame there. The
// caller's thread (the user interface) sees everything through UpdateStatus:
// it moves memory-captured frames into the store, hands the newest preview
// or play frame to the frame sink and sends the notices, so the store, the
// sink and the notice callback are only ever touched on the caller's thread.
class CVideoCapDS {
public:
    // Notices to the window (sent from UpdateStatus and ReadImageToMemory on
    // the caller's thread): the frames captured so far, the frames
    // transferred so far.
    static constexpr int kCapturedNotice = 32769;
    static constexpr int kTransferNotice = 32770;
    static constexpr int kMaxDevices = 10;
    static constexpr int kMaxOptions = 20;
    // Free bytes kept on the disk when the frame limit is computed.
    static constexpr std::int64_t kDiskReserveBytes = std::int64_t{64} << 20;

    explicit CVideoCapDS(CFrameStore& store);
    CVideoCapDS(const CVideoCapDS&) = delete;
    CVideoCapDS& operator=(const CVideoCapDS&) = delete;
    // Stops preview, capture and play.
    ~CVideoCapDS();

    // ---- reading a file (also the AVI dialog's fallback reader) ----
    // Names the capture file; opens it for reading when it can be read. 0
    // when it cannot be read (the name is kept for capturing).
    int PutCaptureFileName(const std::string& path);
    std::string GetCaptureFileName() const;
    // Index of the open file's last frame (the frame count is one more).
    int GetFrameNumber(std::int64_t* lastFrame) const;
    // Reads frames aviStart, aviStart + interval, ... (from 0) of the named
    // file into colour frames first .. last, each placed at (x, y), sending
    // a transfer notice after each frame. The store's progress position -1
    // stops before the next frame (reset to 0; what was read stays and the
    // result is 1).
    int ReadImageToMemory(int first, int last, int x, int y, std::int64_t aviStart, int interval);
    // The colour frame filled last, 0 when none.
    int GetOperateFrame() const { return operateFrame_; }

    // ---- set-up ----
    // Lists the sources; 0 when the engine cannot start.
    int AppInit();
    // Device names (at most kMaxDevices); the stand-in files come last.
    int GetVDeviceList(std::vector<std::string>* names) const;
    int GetActiveVDevice() const;
    // Opens source `index` of the list (closing the one open).
    int SelectVDevices(int index);
    // Video files offered as sources besides the cameras (the environment
    // variable KOVA_CAMERA_STANDIN adds its colon-separated paths at AppInit).
    void AddStandIn(const std::string& path);
    // The capture options ("MJPEG 压缩", "不压缩" ...), at most kMaxOptions;
    // SelectOption chooses one by index.
    int GetOptionsList(std::vector<std::string>* names) const;
    int SelectOption(int index);
    int GetSelectedOption() const;

    // ---- settings ----
    int GetCaptureFileSize() const; // MB
    void PutCaptureFileSize(int megabytes);
    double GetFrameRate() const;
    bool IsFrameRateUse() const;
    // With `use` the source is paced (or set) to `rate` frames per second.
    int ChooseFrameRate(bool use, double rate);
    bool IsTimeLimit() const;
    int GetLimitTime() const; // seconds
    void PutIfTimeLimit(bool on);
    void PutLimitTime(int seconds);
    int GetLimitFrames() const;
    void PutLimitFrames(int frames);
    // Free space of the capture file's folder in MB.
    std::int64_t GetDiskSize() const;
    // Frames of width x height (3 bytes a pixel) that fit into the free
    // disk space less the reserve, computed in 64 bits, at most INT_MAX.
    std::int64_t MaxFramesOnDisk(int width, int height) const;

    // ---- running ----
    // Shows the source's frames through the frame sink (on) or stops (off).
    int Preview(bool on);
    bool IsPreviewing() const;
    // Captures into the capture file (an AVI any player opens) until
    // StopCapture or a limit.
    int StartCapture();
    // Captures into colour frames first .. last of the store, at most the
    // frame limit, until StopCapture or a limit.
    int StartStillCapture(int first, int last);
    int StopCapture();
    bool IsCapturing() const;
    // Plays the capture file through the frame sink at its frame rate.
    int StartPlayGraph();
    int StopPlayGraph();
    bool IsPlaying() const;
    // Moves what the grabber produced to this thread (see above); call it
    // from a timer. False once nothing runs any more.
    bool UpdateStatus();
    int GetCapturedFrames() const;
    // Frames the source offered during the current or last capture that
    // were not captured (the grabber came too late for them).
    std::int64_t GetDroppedFrames() const;
    long GetCapturedTime() const; // milliseconds since the capture began
    // What the engine is doing or the last error, for the status line.
    std::string GetCapInfor() const;
    // Copies the capture file to `path` (through a temporary file beside it).
    int SaveCaptureFile(const std::string& path);
    // Stops everything and closes the source.
    int CloseCapture();

    // ---- to the window ----
    using FrameSink = std::function<void(const cv::Mat& bgr)>;
    using NoticeSink = std::function<void(int notice, int count)>;
    void SetFrameSink(FrameSink sink);
    void SetNoticeSink(NoticeSink sink);

private:
    // The capture file's name, a default in the image folder when none was given.
    std::string CaptureFile() const;
    void MoveCapturedFrames();
    void Notify(int notice, int count) const;

    // Opens the capture file for reading when nothing else is open and no
    // capture writes it; true when a file is open.
    bool ReaderReady() const;

    CFrameStore& store_;
    mutable CAviVideo reader_; // opened on demand after a capture
    std::string captureFile_;
    bool captureWritten_ = false; // a capture or play used the file since it was named
    int operateFrame_ = 0;
    FrameSink frameSink_;
    NoticeSink notice_;
    std::unique_ptr<CaptureEngine> engine_; // made by AppInit
    std::vector<std::string> standIns_;
    int option_ = 0;
    int fileMegabytes_ = 0;
    bool rateUsed_ = false;
    double rate_ = 30.0;
    bool timeLimit_ = false;
    int limitSeconds_ = 10;
    int limitFrames_ = 0;
    // The memory recording's target frames and the next one to fill.
    int memoryNext_ = 0;
    int memoryLast_ = -1;
    int notifiedCount_ = -1;
};

} // namespace kova
