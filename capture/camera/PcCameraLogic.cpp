#include "PcCameraLogic.h"

#include "CAviVideo.h"
#include "CFrameStore.h"
#include "CVideoCapture.h"
#include "CaptureText.h"
#include "CaptureViewPort.h"
#include "Prompter.h"
#include "ShowCapturedFrame.h"

#include <chrono>
#include <opencv2/core.hpp>
#include <thread>

namespace {

constexpr const char* kCaptureFailed = "捕捉失败.";
constexpr const char* kBadRate = "帧率无效.";
constexpr const char* kSaveFailed = "文件保存失败: ";
constexpr auto kWaitStep = std::chrono::milliseconds(5);

} // namespace

PcCameraLogic::PcCameraLogic(kova::CFrameStore& store, kova::Prompter& prompter,
                             CaptureViewPort& view)
    : store_(store), prompter_(prompter), view_(view),
      camera_(std::make_unique<kova::CVideoCapture>()) {}

PcCameraLogic::~PcCameraLogic() {
    camera_->Disconnect();
}

bool PcCameraLogic::Open() {
    fields_.drivers.clear();
    camera_->GetDriverList(&fields_.drivers);
    fields_.driver = -1;
    fields_.frameCount = std::max(1, store_.Get_nofframe_color());
    fields_.startFrame = 1;
    fields_.endFrame = fields_.frameCount;
    WriteControls();
    UpdateEnables();
    if (fields_.drivers.empty()) {
        Message(kNoDriver);
        return false;
    }
    return true;
}

bool PcCameraLogic::ChooseDriver(int index) {
    if (running_ || index < 0 || index >= static_cast<int>(fields_.drivers.size())) return false;
    ReadControls();
    camera_->Disconnect();
    fields_.driver = -1;
    if (!camera_->Connect(index)) {
        Message("无法打开驱动: " + fields_.drivers[static_cast<std::size_t>(index)]);
        WriteControls();
        return false;
    }
    fields_.driver = index;
    fields_.rate = camera_->VideoGetRate();
    WriteControls();
    UpdateEnables();
    return true;
}

std::vector<kova::CaptureFormat> PcCameraLogic::Formats() const {
    return camera_->VideoFormat();
}

int PcCameraLogic::CurrentFormat() const {
    const kova::CaptureFormat current = camera_->CurrentFormat();
    const std::vector<kova::CaptureFormat> formats = Formats();
    for (std::size_t i = 0; i < formats.size(); ++i) {
        if (formats[i].fourcc == current.fourcc && formats[i].width == current.width &&
            formats[i].height == current.height)
            return static_cast<int>(i);
    }
    return -1;
}

bool PcCameraLogic::ChooseFormat(const kova::CaptureFormat& format) {
    if (running_) return false;
    ReadControls(); // what the user typed stays
    if (camera_->SetFormat(format.fourcc, format.width, format.height)) {
        fields_.rate = camera_->VideoGetRate();
        WriteControls();
        return true;
    }
    Message("无法设定格式: " + FormatText(format));
    return false;
}

std::string PcCameraLogic::FormatText(const kova::CaptureFormat& format) {
    std::string text = CaptureText("%s %dx%d", format.fourcc.c_str(), format.width, format.height);
    for (std::size_t i = 0; i < format.rates.size(); ++i)
        text += CaptureText(i == 0 ? " %g" : ", %g", format.rates[i]);
    if (!format.rates.empty()) text += " fps";
    return text;
}

std::vector<kova::CaptureControl> PcCameraLogic::Controls() const {
    return camera_->VideoSource();
}

bool PcCameraLogic::SetControl(int id, int value) {
    return camera_->SetControl(id, value) != 0;
}

bool PcCameraLogic::Display() {
    cv::Mat frame;
    if (!camera_->IsConnected() || !camera_->VideoDisplay(frame) || frame.empty()) return false;
    view_.ShowLive(frame);
    return true;
}

bool PcCameraLogic::Copy(cv::Mat& frame) {
    return camera_->IsConnected() && camera_->VideoCopy(frame) && !frame.empty();
}

void PcCameraLogic::GetRate() {
    ReadControls();
    fields_.rate = camera_->VideoGetRate();
    WriteControls();
}

void PcCameraLogic::SetRate() {
    if (running_) return;
    ReadControls();
    if (!camera_->IsConnected()) {
        Message(kChooseDriver);
        return;
    }
    if (!(fields_.rate > 0.0) || !camera_->VideoSetRate(fields_.rate)) Message(kBadRate);
    GetRate();
}

bool PcCameraLogic::ReadyToCapture() {
    ReadControls();
    if (fields_.driver < 0 || !camera_->IsConnected()) {
        Message(kChooseDriver);
        return false;
    }
    if (fields_.startFrame < 1 || fields_.startFrame > fields_.endFrame ||
        fields_.endFrame > store_.Get_nofframe_color()) {
        Message(kBadRange);
        return false;
    }
    if (fields_.target == PcCameraTarget::Disk && fields_.fileName.empty()) {
        kova::FileDialogRequest request;
        request.kind = kova::FileDialogKind::Save;
        request.filter = "AVI 文件 (*.avi)|*.avi||";
        request.defaultExtension = "avi";
        request.overwritePrompt = true;
        if (!prompter_.ChooseFile(request, &fields_.fileName)) return false;
        WriteControls();
    }
    return true;
}

void PcCameraLogic::StartCapture() {
    if (running_ || !ReadyToCapture()) return;
    running_ = true;
    UpdateEnables();
    const int count = fields_.endFrame - fields_.startFrame + 1;
    const int captured = CaptureLoop(count);
    if (captured >= 0) {
        if (fields_.target == PcCameraTarget::Memory)
            TransferIntoStore(count);
        else
            SaveToFile();
    }
    store_.Put_progress_pos(0);
    running_ = false;
    UpdateEnables();
}

bool PcCameraLogic::Stopped() const {
    return store_.Get_progress_pos() < 1;
}

int PcCameraLogic::CaptureLoop(int count) {
    SetStatus(kCaptured, 0);
    if (!camera_->CaptureFrameOpen()) {
        Message(kCaptureFailed);
        return -1;
    }
    store_.Put_progress_pos(1);
    int captured = 0;
    while (captured < count && !Stopped()) {
        const long began = store_.Get_time();
        if (!camera_->CaptureFrame()) break;
        ++captured;
        SetStatus(kCaptured, captured);
        Pump();
        if (Stopped()) break;
        store_.Put_progress_pos(captured + 1);
        if (fields_.lowSpeed && captured < count && !WaitFrameTime(began)) break;
    }
    camera_->CaptureFrameClose();
    return captured;
}

bool PcCameraLogic::WaitFrameTime(long began) {
    const long wait = static_cast<long>(fields_.secondsPerFrame * 1000.0);
    while (store_.Get_time() - began < wait) {
        Pump();
        if (Stopped()) return false;
        std::this_thread::sleep_for(kWaitStep);
    }
    return true;
}

void PcCameraLogic::TransferIntoStore(int count) {
    kova::CAviVideo avi;
    if (!avi.Open(camera_->GetDataFileName())) {
        Message(avi.Error());
        return;
    }
    if (store_.Get_progress_pos() < 1) store_.Put_progress_pos(1); // a stop also ends the transfer
    const int available = std::min(count, avi.GetFrameCount());
    int loaded = 0;
    while (loaded < available && !Stopped()) {
        if (!avi.LoadFrameFromAVI(loaded, store_, fields_.startFrame + loaded, 1, 0, 0)) break;
        ++loaded;
        SetStatus(kTransformed, loaded);
        Pump();
    }
    avi.Close();
    if (loaded > 0) {
        ShowCapturedFrame(store_, fields_.startFrame + loaded - 1);
        view_.ShowStore();
    }
    if (loaded < count) Message(kBadEnd);
}

void PcCameraLogic::SaveToFile() {
    if (!camera_->VideoFileSave(fields_.fileName)) Message(kSaveFailed + fields_.fileName);
}

void PcCameraLogic::Stop() {
    if (running_) store_.Put_progress_pos(-1);
}

bool PcCameraLogic::Close() {
    if (running_) return false;
    camera_->Disconnect();
    return true;
}

void PcCameraLogic::SetStatus(const char* label, int count) {
    fields_.statusLabel = label;
    fields_.statusCount = count;
    if (controls_) controls_->SetStatus(fields_.statusLabel, count);
}

void PcCameraLogic::UpdateEnables() {
    PcCameraEnables e;
    if (fields_.drivers.empty()) {
        e.close = true;
    } else if (running_) {
        e.stop = true;
        e.close = false;
    } else {
        e.driverControls = true;
        e.capture = true;
    }
    enables_ = e;
    if (controls_) controls_->EnableControls(enables_);
}

void PcCameraLogic::Message(const std::string& text) {
    prompter_.Show(text, kCaption, kova::MessageIcon::None);
}

void PcCameraLogic::ReadControls() {
    if (controls_) controls_->ReadControls(&fields_);
}

void PcCameraLogic::WriteControls() {
    if (controls_) controls_->WriteControls(fields_);
}

void PcCameraLogic::Pump() {
    if (pump_) pump_();
}
