#include "DirectCaptureLogic.h"

#include "CFrameStore.h"
#include "CVideoCapDS.h"
#include "CaptureText.h"
#include "CaptureViewPort.h"
#include "Prompter.h"
#include "ShowCapturedFrame.h"

#include <algorithm>
#include <filesystem>

namespace {

constexpr int kDefaultFileSize = 10; // MB, for a size of 0

} // namespace

DirectCaptureLogic::DirectCaptureLogic(kova::CFrameStore& store, kova::Prompter& prompter,
                                       CaptureViewPort& view)
    : store_(store), prompter_(prompter), view_(view),
      capture_(std::make_unique<kova::CVideoCapDS>(store)) {}

DirectCaptureLogic::~DirectCaptureLogic() {
    capture_->SetFrameSink(nullptr);
    capture_->SetNoticeSink(nullptr);
    capture_->CloseCapture();
}

bool DirectCaptureLogic::Open() {
    capture_->SetNoticeSink([this](int notice, int count) { OnNotice(notice, count); });
    capture_->SetFrameSink([this](const cv::Mat& frame) { view_.ShowLive(frame); });
    fields_.frameCount = std::max(1, store_.Get_nofframe_color());
    fields_.startFrame = 1;
    fields_.endFrame = fields_.frameCount;
    opened_ = capture_->AppInit() != 0;
    if (!opened_) {
        fields_.status = capture_->GetCapInfor();
        WriteControls();
        UpdateEnables();
        return false;
    }
    capture_->GetVDeviceList(&fields_.devices);
    fields_.device = capture_->GetActiveVDevice();
    if (fields_.device < 0 && !fields_.devices.empty()) fields_.device = 0;
    capture_->GetOptionsList(&fields_.options);
    fields_.option = capture_->GetSelectedOption();

    const std::string file = capture_->GetCaptureFileName(); // a default when none was set
    fileReady_ = capture_->PutCaptureFileName(file) != 0;
    const std::filesystem::path path(file);
    fields_.directory = path.parent_path().string();
    fields_.fileName = path.filename().string();
    fields_.fileSize = capture_->GetCaptureFileSize();
    if (fields_.fileSize == 0) {
        fields_.fileSize = kDefaultFileSize;
        capture_->PutCaptureFileSize(fields_.fileSize);
    }
    fields_.frameRate = capture_->GetFrameRate();
    fields_.frameRateUse = capture_->IsFrameRateUse();
    fields_.timeLimit = capture_->IsTimeLimit();
    fields_.limitTime = capture_->GetLimitTime();
    RefreshDisk();
    fields_.limitFrames = static_cast<int>(maxFrames_);
    capture_->PutLimitFrames(fields_.limitFrames);
    fields_.status = capture_->GetCapInfor();
    WriteControls();
    UpdateEnables();
    return true;
}

void DirectCaptureLogic::RefreshDisk() {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0, width = 0, height = 0;
    store_.Get_window(x0, y0, x1, y1, width, height);
    maxFrames_ = capture_->MaxFramesOnDisk(width, height);
    fields_.diskSpace = CaptureText("%lld MB", static_cast<long long>(capture_->GetDiskSize()));
}

void DirectCaptureLogic::ChooseOption(int index) {
    if (!opened_ || index < 0) return;
    if (capture_->SelectOption(index)) fields_.option = index;
}

bool DirectCaptureLogic::SelectDevice() {
    ReadControls();
    if (fields_.device < 0 || fields_.device >= static_cast<int>(fields_.devices.size())) {
        Message("请选择一个设备!");
        return false;
    }
    if (capture_->GetActiveVDevice() == fields_.device && capture_->IsPreviewing()) return true;
    if (capture_->SelectVDevices(fields_.device)) return true;
    SetStatus(capture_->GetCapInfor());
    Message(capture_->GetCapInfor());
    return false;
}

void DirectCaptureLogic::Preview() {
    if (!opened_) return;
    if (capture_->IsPreviewing()) {
        capture_->Preview(false);
        view_.SetTitle(CaptureViewPort::Title::Image);
        view_.ShowStore();
    } else if (SelectDevice()) {
        if (capture_->Preview(true)) {
            view_.SetTitle(CaptureViewPort::Title::Preview);
        } else {
            Message(capture_->GetCapInfor());
        }
        SetStatus(capture_->GetCapInfor());
    }
    UpdateEnables();
}

bool DirectCaptureLogic::ValidRange() {
    const int frames = store_.Get_nofframe_color();
    if (1 <= fields_.startFrame && fields_.startFrame <= fields_.endFrame &&
        fields_.endFrame <= frames)
        return true;
    Message(kBadRange);
    return false;
}

void DirectCaptureLogic::StartCapture() {
    if (!opened_ || IsRunning()) return;
    ReadControls();
    if (fields_.target == CaptureTarget::Memory && !ValidRange()) return;
    if (!capture_->IsPreviewing() && capture_->GetActiveVDevice() != fields_.device &&
        !SelectDevice())
        return;
    ApplyLimits();
    running_ = fields_.target;
    runStart_ = fields_.startFrame;
    runFrames_ = fields_.endFrame - fields_.startFrame + 1;
    stopRequested_ = false;
    int started = 0;
    if (running_ == CaptureTarget::Disk) {
        SetStatus("Now it's preparing capture");
        started = capture_->StartCapture();
    } else {
        SetStatus("Prepare capture now !!!");
        started = capture_->StartStillCapture(fields_.startFrame, fields_.endFrame);
    }
    SetStatus(capture_->GetCapInfor());
    if (!started) {
        Message(capture_->GetCapInfor());
        return;
    }
    capturing_ = true;
    UpdateEnables();
}

void DirectCaptureLogic::Stop() {
    if (transferring_) {
        store_.Put_progress_pos(-1); // the transfer stops before its next frame
        return;
    }
    if (capturing_) {
        stopRequested_ = true;
        capture_->StopCapture();
        Finish();
    } else if (playing_) {
        capture_->StopPlayGraph();
        Finish();
    }
}

void DirectCaptureLogic::SaveAs() {
    if (!opened_ || IsRunning()) return;
    kova::FileDialogRequest request;
    request.kind = kova::FileDialogKind::Save;
    request.filter = "AVI 文件 (*.avi)|*.avi||";
    request.defaultExtension = "avi";
    request.initialDirectory = fields_.directory;
    request.overwritePrompt = true;
    std::string path;
    if (!prompter_.ChooseFile(request, &path)) return;
    if (!capture_->SaveCaptureFile(path)) Message(capture_->GetCapInfor());
    SetStatus(capture_->GetCapInfor());
}

void DirectCaptureLogic::Play() {
    if (!opened_ || IsRunning() || playing_) return;
    view_.SetTitle(CaptureViewPort::Title::Play);
    SetStatus("It's playing file !!!");
    if (!capture_->StartPlayGraph()) {
        Message(capture_->GetCapInfor());
        view_.SetTitle(CaptureViewPort::Title::Image);
        SetStatus(capture_->GetCapInfor());
        return;
    }
    playing_ = true;
    SetStatus("Information");
    UpdateEnables();
}

void DirectCaptureLogic::Transform() {
    Transfer();
}

void DirectCaptureLogic::DiskToMemory() {
    Transfer();
}

void DirectCaptureLogic::Transfer() {
    if (!opened_ || IsRunning() || playing_) return;
    ReadControls();
    if (!ValidRange()) return;
    SetStatus("It's transforming!!!");
    transferring_ = true;
    UpdateEnables();
    store_.Put_progress_pos(0);
    capture_->PutCaptureFileName(capture_->GetCaptureFileName()); // reopens the newest file
    // The transfer ends with the file: a range longer than the capture is no error.
    int end = fields_.endFrame;
    std::int64_t lastIndex = -1;
    if (capture_->GetFrameNumber(&lastIndex) && lastIndex >= 0)
        end = static_cast<int>(std::min<std::int64_t>(end, fields_.startFrame + lastIndex));
    const int read = capture_->ReadImageToMemory(fields_.startFrame, end, 0, 0, 0, 1);
    transferring_ = false;
    store_.Put_progress_pos(0);
    const int last = capture_->GetOperateFrame();
    const int frames = last >= fields_.startFrame ? last - fields_.startFrame + 1 : 0;
    if (last > 0) {
        ShowCapturedFrame(store_, last);
        view_.ShowStore();
    }
    if (!read) Message(capture_->GetCapInfor());
    SetStatus(CaptureText("Transformed %d frames in %.1f", frames,
                          static_cast<double>(capture_->GetCapturedTime()) * 0.001));
    AfterRun();
}

void DirectCaptureLogic::Reset() {
    if (!opened_ || IsRunning()) return;
    ReadControls();
    if (fields_.fileSize <= 0) fields_.fileSize = kDefaultFileSize;
    const std::string file = kova::CFrameStore::Make_fullpath(fields_.directory, fields_.fileName);
    fileReady_ = capture_->PutCaptureFileName(file) != 0;
    capture_->PutCaptureFileSize(fields_.fileSize);
    RefreshDisk();
    WriteControls();
    UpdateEnables();
}

void DirectCaptureLogic::SetRate() {
    if (!opened_ || IsRunning()) return;
    ReadControls();
    if (!capture_->ChooseFrameRate(fields_.frameRateUse, fields_.frameRate))
        Message(capture_->GetCapInfor());
    fields_.frameRateUse = capture_->IsFrameRateUse();
    fields_.frameRate = capture_->GetFrameRate();
    WriteControls();
}

void DirectCaptureLogic::ApplyLimits() {
    if (!opened_) return;
    ReadControls();
    capture_->PutLimitFrames(fields_.limitFrames);
    capture_->PutIfTimeLimit(fields_.timeLimit);
    capture_->PutLimitTime(fields_.limitTime);
}

void DirectCaptureLogic::Maximum() {
    if (!opened_) return;
    ReadControls();
    RefreshDisk();
    fields_.limitFrames = static_cast<int>(maxFrames_);
    capture_->PutLimitFrames(fields_.limitFrames);
    WriteControls();
}

bool DirectCaptureLogic::Close() {
    if (IsRunning()) return false;
    if (playing_) capture_->StopPlayGraph();
    playing_ = false;
    capture_->CloseCapture();
    view_.SetTitle(CaptureViewPort::Title::Image);
    view_.ShowStore();
    return true;
}

bool DirectCaptureLogic::LimitReached() const {
    const int captured = capture_->GetCapturedFrames();
    if (fields_.limitFrames > 0 && captured >= fields_.limitFrames) return true;
    return fields_.timeLimit &&
           capture_->GetCapturedTime() >= static_cast<long>(fields_.limitTime) * 1000;
}

void DirectCaptureLogic::Tick() {
    if (!opened_ || transferring_) return;
    capture_->UpdateStatus();
    if (!capturing_ && !playing_) return;
    if (capturing_ && capture_->IsCapturing() && LimitReached()) {
        stopRequested_ = true;
        capture_->StopCapture();
    }
    SetStatus(capture_->GetCapInfor());
    if ((capturing_ && !capture_->IsCapturing()) || (playing_ && !capture_->IsPlaying())) Finish();
}

void DirectCaptureLogic::Finish() {
    capture_->UpdateStatus(); // what the grabber left
    const bool captured = capturing_;
    capturing_ = false;
    playing_ = false;
    const int frames = capture_->GetCapturedFrames();
    const std::string info = capture_->GetCapInfor();
    SetStatus(info);
    if (captured && running_ == CaptureTarget::Memory && frames > 0) {
        ShowCapturedFrame(store_, runStart_ + frames - 1);
    }
    // The engine ends a capture by itself only at a limit, at the end of the
    // frame range, or on an error, which the information text names.
    const bool rangeFilled = running_ == CaptureTarget::Memory && frames >= runFrames_;
    if (captured && !stopRequested_ && !LimitReached() && !rangeFilled) Message(info);
    AfterRun();
}

void DirectCaptureLogic::AfterRun() {
    saveAllowed_ = capture_->GetCapturedFrames() < maxFrames_ / 2 - 10;
    fileReady_ = true;
    view_.SetTitle(capture_->IsPreviewing() ? CaptureViewPort::Title::Preview
                                            : CaptureViewPort::Title::Image);
    if (!capture_->IsPreviewing()) view_.ShowStore();
    UpdateEnables();
}

void DirectCaptureLogic::OnNotice(int notice, int count) {
    if (notice == kova::CVideoCapDS::kCapturedNotice) {
        SetStatus(CaptureText("Captured frames: %d", count));
        if (capturing_ && running_ == CaptureTarget::Memory && count > 0 &&
            ShowCapturedFrame(store_, runStart_ + count - 1) == kova::CFrameStore::kOk)
            view_.ShowStore();
    } else if (notice == kova::CVideoCapDS::kTransferNotice) {
        SetStatus(CaptureText("Transformed frames: %d", capture_->GetOperateFrame()));
        if (pump_) pump_();
    }
}

void DirectCaptureLogic::UpdateEnables() {
    DirectCaptureEnables e;
    const bool previewing = opened_ && capture_->IsPreviewing();
    e.previewText = previewing ? "停止预览" : "预览";
    if (!opened_) {
        e.close = true; // only close: the engine did not start
    } else if (IsRunning()) {
        e.stop = true;
        e.close = false;
    } else if (playing_) {
        e.stop = true;
    } else {
        e.preview = !fields_.devices.empty();
        e.capture = !fields_.devices.empty();
        e.settings = !previewing;
        e.saveAs = saveAllowed_ && !previewing;
        e.play = fileReady_ && !previewing;
        e.transform = fileReady_ && !previewing;
        e.diskToMemory = fileReady_ && !previewing;
    }
    enables_ = e;
    if (controls_) controls_->EnableControls(enables_);
}

void DirectCaptureLogic::ReadControls() {
    if (controls_) controls_->ReadControls(&fields_);
}

void DirectCaptureLogic::WriteControls() {
    if (controls_) controls_->WriteControls(fields_);
}

void DirectCaptureLogic::SetStatus(const std::string& text) {
    fields_.status = text;
    if (controls_) controls_->SetStatus(text);
}

void DirectCaptureLogic::Message(const std::string& text) {
    prompter_.Show(text, kCaption, kova::MessageIcon::None);
}
