#pragma once

#include <cstdint>
#include <memory>
#include <opencv2/core.hpp>
#include <string>
#include <vector>

namespace kova {

class CaptureEngine;
class CaptureRecorder;
class CFrameStore;

// A capture format a device offers: pixel format (four characters), frame
// size and the frame rates it allows.
struct CaptureFormat {
    std::string fourcc;
    int width = 0;
    int height = 0;
    std::vector<double> rates;
};

// An adjustable control of a device (brightness, contrast ...).
struct CaptureControl {
    int id = 0;
    std::string name;
    int minimum = 0;
    int maximum = 0;
    int step = 1;
    int defaultValue = 0;
    int value = 0;
};

// The PC camera: one driver (a V4L2 device or a stand-in video file) grabbed
// frame by frame into a capture data file, which the caller then reads into
// the frame store. Results: 1 success, 0 failure.
class CVideoCapture {
public:
    static constexpr int kMaxDrivers = 10;

    CVideoCapture();
    CVideoCapture(const CVideoCapture&) = delete;
    CVideoCapture& operator=(const CVideoCapture&) = delete;
    ~CVideoCapture();

    // Driver names (at most kMaxDrivers); the stand-ins of the environment
    // variable KOVA_CAMERA_STANDIN come last.
    int GetDriverList(std::vector<std::string>* names);
    void AddStandIn(const std::string& path);
    // Opens driver `index`; 0 when it cannot be opened.
    int Connect(int index);
    void Disconnect();
    bool IsConnected() const;

    // 格式: the formats of the open driver, the one in use, and a choice.
    std::vector<CaptureFormat> VideoFormat() const;
    CaptureFormat CurrentFormat() const;
    int SetFormat(const std::string& fourcc, int width, int height);
    // 源: the controls of the open driver and setting one.
    std::vector<CaptureControl> VideoSource() const;
    int SetControl(int id, int value);
    // 显示: the newest frame (8-bit BGR), empty when none came.
    int VideoDisplay(cv::Mat& frame);
    // 覆盖: no overlay exists here; always 0.
    int VideoOverlay() const { return 0; }
    // 复制: the newest frame as a copy for the clipboard.
    int VideoCopy(cv::Mat& frame);
    double VideoGetRate() const;
    int VideoSetRate(double rate);

    // Frame-by-frame capture into the capture data file (an AVI).
    int CaptureFrameOpen();
    // Waits for the next frame of the source and appends it.
    int CaptureFrame();
    int CaptureFrameClose();
    int FramesCaptured() const;
    std::string GetDataFileName() const;
    // Copies the capture data file to `path` (through a temporary file).
    int VideoFileSave(const std::string& path);

private:
    void RemoveDataFile();

    std::unique_ptr<CaptureEngine> engine_;
    std::unique_ptr<CaptureRecorder> recorder_;
    std::string dataFile_;
    int captured_ = 0;
    cv::Mat newest_;
};

} // namespace kova
