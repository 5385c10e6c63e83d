#pragma once

#include "DirectCaptureControls.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CaptureViewPort;
namespace kova {
class CFrameStore;
class CVideoCapDS;
class Prompter;
} // namespace kova

// The logic of the direct capture dialog "直接采集": one capture object for
// the dialog's lifetime, capture from a camera (or a stand-in video) into
// the frame store or a capture file, playback and transfer of the file into
// the store. Nothing here blocks: a running capture or playback advances by
// Tick, which the window calls from a timer.
class DirectCaptureLogic {
public:
    DirectCaptureLogic(kova::CFrameStore& store, kova::Prompter& prompter, CaptureViewPort& view);
    DirectCaptureLogic(const DirectCaptureLogic&) = delete;
    DirectCaptureLogic& operator=(const DirectCaptureLogic&) = delete;
    // Stops preview, capture and play.
    ~DirectCaptureLogic();

    // Before Open: stand-ins are added here.
    kova::CVideoCapDS& Capture() { return *capture_; }
    void SetControls(DirectCaptureControls* controls) { controls_ = controls; }
    // Runs pending window events during a transfer (none by default).
    void SetEventPump(std::function<void()> pump) { pump_ = std::move(pump); }

    // Starts the capture object and fills the fields; false when it cannot
    // start (only close stays enabled).
    bool Open();

    void ChooseOption(int index); // "操作一览"
    void Preview();               // "预览" / "停止预览"
    void StartCapture();          // "捕捉"
    void Stop();                  // "停止"
    void SaveAs();                // "另存为"
    void Play();                  // "播放"
    void Transform();             // "变换"
    void DiskToMemory();          // "硬盘到存储器"
    void Reset();                 // "重设定": capture file name and size
    void SetRate();               // "设定"
    void ApplyLimits();           // the frame and time limit controls changed
    void Maximum();               // "最大"
    // "关  闭": false (and nothing happens) while a capture or transfer runs.
    bool Close();
    // The timer: moves frames and notices, ends a capture at its limits.
    void Tick();

    bool IsRunning() const { return capturing_ || transferring_; }
    const DirectCaptureFields& Fields() const { return fields_; }
    const DirectCaptureEnables& Enables() const { return enables_; }
    std::int64_t MaxFrames() const { return maxFrames_; }

    static constexpr const char* kCaption = "Capvo";
    static constexpr const char* kBadRange = "起始帧号无效, 或超出终止帧号.";

private:
    void ReadControls();
    void WriteControls();
    void SetStatus(const std::string& text);
    void UpdateEnables();
    void Message(const std::string& text);
    void OnNotice(int notice, int count);
    void RefreshDisk();
    bool ValidRange();
    bool SelectDevice();
    bool LimitReached() const;
    void Finish();
    void AfterRun();
    void Transfer();

    kova::CFrameStore& store_;
    kova::Prompter& prompter_;
    CaptureViewPort& view_;
    std::unique_ptr<kova::CVideoCapDS> capture_;
    DirectCaptureControls* controls_ = nullptr;
    std::function<void()> pump_;
    DirectCaptureFields fields_;
    DirectCaptureEnables enables_;
    std::int64_t maxFrames_ = 0;
    bool opened_ = false;
    bool capturing_ = false;
    bool playing_ = false;
    bool transferring_ = false;
    bool stopRequested_ = false; // the capture was ended by us, not by the engine
    bool fileReady_ = false;     // a capture file exists to play or transfer
    bool saveAllowed_ = false;
    CaptureTarget running_ = CaptureTarget::Disk;
    int runStart_ = 1;
    int runFrames_ = 0;
};
