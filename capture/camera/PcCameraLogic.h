#pragma once

#include "PcCameraControls.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CaptureViewPort;
namespace cv {
class Mat;
}
namespace kova {
class CFrameStore;
class CVideoCapture;
class Prompter;
struct CaptureFormat;
struct CaptureControl;
} // namespace kova

// The logic of the PC camera dialog "采集设置窗口": one driver of the PC
// camera, its format, controls and frame rate, and a frame-by-frame capture
// into the frame store (through the capture data file) or into a file. The
// capture loop runs on the caller's thread and pumps events between frames;
// the store's progress position below 1 stops it.
class PcCameraLogic {
public:
    PcCameraLogic(kova::CFrameStore& store, kova::Prompter& prompter, CaptureViewPort& view);
    PcCameraLogic(const PcCameraLogic&) = delete;
    PcCameraLogic& operator=(const PcCameraLogic&) = delete;
    ~PcCameraLogic();

    // Before Open: stand-ins are added here.
    kova::CVideoCapture& Camera() { return *camera_; }
    void SetControls(PcCameraControls* controls) { controls_ = controls; }
    // Runs pending window events between frames (none by default).
    void SetEventPump(std::function<void()> pump) { pump_ = std::move(pump); }

    // Lists the drivers; false with "无驱动 !" when there is none.
    bool Open();
    // A driver chosen in the list: opens it.
    bool ChooseDriver(int index);

    // "格式": the formats of the open driver, the one in use, a choice.
    std::vector<kova::CaptureFormat> Formats() const;
    int CurrentFormat() const; // index in Formats(), -1 unknown
    bool ChooseFormat(const kova::CaptureFormat& format);
    static std::string FormatText(const kova::CaptureFormat& format);
    // "源": the driver's controls and setting one.
    std::vector<kova::CaptureControl> Controls() const;
    bool SetControl(int id, int value);
    // "显示": the newest frame into the view.
    bool Display();
    // "复制": the newest frame; false when none came.
    bool Copy(cv::Mat& frame);
    // Rate: read into the field, set from it.
    void GetRate();
    void SetRate();

    // "捕捉": the frames start .. end into the store, or into the named file.
    void StartCapture();
    // "停止": ends the capture loop before its next frame.
    void Stop();
    // "关  闭": false while a capture runs.
    bool Close();

    bool IsRunning() const { return running_; }
    const PcCameraFields& Fields() const { return fields_; }
    const PcCameraEnables& Enables() const { return enables_; }

    static constexpr const char* kCaption = "Capvo";
    static constexpr const char* kNoDriver = "无驱动 !";
    static constexpr const char* kChooseDriver = "请选择一个驱动!";
    static constexpr const char* kBadRange = "起始帧号无效, 或超出终止帧号.";
    static constexpr const char* kBadEnd = "终止帧号无效.";
    static constexpr const char* kCaptured = "捕捉的帧:";
    static constexpr const char* kTransformed = "转换的帧:";

private:
    bool ReadyToCapture();
    int CaptureLoop(int count);
    bool WaitFrameTime(long began);
    bool Stopped() const;
    void TransferIntoStore(int count);
    void SaveToFile();
    void SetStatus(const char* label, int count);
    void UpdateEnables();
    void Message(const std::string& text);
    void ReadControls();
    void WriteControls();
    void Pump();

    kova::CFrameStore& store_;
    kova::Prompter& prompter_;
    CaptureViewPort& view_;
    std::unique_ptr<kova::CVideoCapture> camera_;
    PcCameraControls* controls_ = nullptr;
    std::function<void()> pump_;
    PcCameraFields fields_;
    PcCameraEnables enables_;
    bool running_ = false;
};
