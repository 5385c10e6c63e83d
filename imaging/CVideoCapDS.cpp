#include "CVideoCapDS.h"

#include "CFrameStore.h"
#include "CaptureDisk.h"
#include "CaptureEngine.h"
#include "CaptureSource.h"

#include <climits>
#include <filesystem>

namespace kova {

namespace {

const char* const kOptionNames[] = {"MJPEG 压缩", "不压缩"};
constexpr int kOptionCount = 2;

} // namespace

CVideoCapDS::CVideoCapDS(CFrameStore& store) : store_(store) {}

CVideoCapDS::~CVideoCapDS() = default;

// ---- reading a file ----

int CVideoCapDS::PutCaptureFileName(const std::string& path) {
    operateFrame_ = 0;
    captureFile_ = path;
    captureWritten_ = false;
    if (path.empty()) {
        reader_.Close();
        return 0;
    }
    return reader_.Open(path);
}

std::string CVideoCapDS::GetCaptureFileName() const {
    return CaptureFile();
}

std::string CVideoCapDS::CaptureFile() const {
    if (!captureFile_.empty()) return captureFile_;
    std::string folder = store_.Get_directory(1);
    std::error_code error;
    if (folder.empty() || !std::filesystem::is_directory(folder, error))
        folder = std::filesystem::temp_directory_path(error).string();
    return CFrameStore::Make_fullpath(folder, "CAPTURE.AVI");
}

bool CVideoCapDS::ReaderReady() const {
    // After a capture the capture file is read anew.
    if (!reader_.IsOpen() && captureWritten_ && !IsCapturing()) reader_.Open(CaptureFile());
    return reader_.IsOpen();
}

int CVideoCapDS::GetFrameNumber(std::int64_t* lastFrame) const {
    if (lastFrame == nullptr || !ReaderReady()) return 0;
    *lastFrame = reader_.GetFrameCount() - 1;
    return 1;
}

int CVideoCapDS::ReadImageToMemory(int first, int last, int x, int y, std::int64_t aviStart,
                                   int interval) {
    operateFrame_ = 0;
    if (!ReaderReady() || first < 0 || first > last || !store_.IsColorFrame(last) || interval < 1 ||
        aviStart < 0)
        return 0;
    std::int64_t index = aviStart;
    int transferred = 0;
    for (int frame = first; frame <= last; ++frame, index += interval) {
        if (store_.Get_progress_pos() == -1) {
            store_.Put_progress_pos(0);
            return 1;
        }
        if (index >= reader_.GetFrameCount()) return 0;
        const cv::Mat& image = reader_.DecodeFrame(static_cast<int>(index));
        if (image.empty() || store_.Put_image_color(frame, image, x, y) != CFrameStore::kOk)
            return 0;
        operateFrame_ = frame;
        Notify(kTransferNotice, ++transferred);
    }
    return 1;
}

// ---- set-up ----

int CVideoCapDS::AppInit() {
    if (!engine_) engine_ = std::make_unique<CaptureEngine>();
    for (const std::string& path : standIns_)
        engine_->AddStandIn(path);
    engine_->AddStandInsFromEnvironment();
    engine_->Refresh();
    return 1;
}

int CVideoCapDS::GetVDeviceList(std::vector<std::string>* names) const {
    if (!engine_ || names == nullptr) return 0;
    *names = engine_->SourceNames();
    if (names->size() > static_cast<std::size_t>(kMaxDevices)) names->resize(kMaxDevices);
    return 1;
}

int CVideoCapDS::GetActiveVDevice() const {
    return engine_ ? engine_->OpenIndex() : -1;
}

int CVideoCapDS::SelectVDevices(int index) {
    if (!engine_ || index < 0 || index >= kMaxDevices) return 0;
    if (engine_->OpenIndex() == index) return 1;
    if (!engine_->Open(index)) return 0;
    engine_->SetRate(rateUsed_, rate_);
    return 1;
}

void CVideoCapDS::AddStandIn(const std::string& path) {
    standIns_.push_back(path);
    if (engine_) {
        engine_->AddStandIn(path);
        engine_->Refresh();
    }
}

int CVideoCapDS::GetOptionsList(std::vector<std::string>* names) const {
    if (names == nullptr) return 0;
    names->assign(kOptionNames, kOptionNames + kOptionCount);
    return 1;
}

int CVideoCapDS::SelectOption(int index) {
    if (index < 0 || index >= kOptionCount) return 0;
    option_ = index;
    return 1;
}

int CVideoCapDS::GetSelectedOption() const {
    return option_;
}

// ---- settings ----

int CVideoCapDS::GetCaptureFileSize() const {
    return fileMegabytes_;
}

void CVideoCapDS::PutCaptureFileSize(int megabytes) {
    fileMegabytes_ = std::max(0, megabytes);
}

double CVideoCapDS::GetFrameRate() const {
    if (engine_ && engine_->IsOpen()) return engine_->Rate();
    return rate_;
}

bool CVideoCapDS::IsFrameRateUse() const {
    return rateUsed_;
}

int CVideoCapDS::ChooseFrameRate(bool use, double rate) {
    if (use && !(rate > 0)) return 0;
    if (engine_ && !engine_->SetRate(use, rate)) return 0;
    rateUsed_ = use;
    if (use) rate_ = rate;
    return 1;
}

bool CVideoCapDS::IsTimeLimit() const {
    return timeLimit_;
}

int CVideoCapDS::GetLimitTime() const {
    return limitSeconds_;
}

void CVideoCapDS::PutIfTimeLimit(bool on) {
    timeLimit_ = on;
}

void CVideoCapDS::PutLimitTime(int seconds) {
    limitSeconds_ = std::max(0, seconds);
}

int CVideoCapDS::GetLimitFrames() const {
    return limitFrames_;
}

void CVideoCapDS::PutLimitFrames(int frames) {
    limitFrames_ = std::max(0, frames);
}

std::int64_t CVideoCapDS::GetDiskSize() const {
    return CaptureDisk::FreeBytes(CaptureFile()) >> 20;
}

std::int64_t CVideoCapDS::MaxFramesOnDisk(int width, int height) const {
    return CaptureDisk::FramesThatFit(CaptureDisk::FreeBytes(CaptureFile()), kDiskReserveBytes,
                                      width, height);
}

// ---- running ----

int CVideoCapDS::Preview(bool on) {
    if (!engine_) return 0;
    if (!on) {
        engine_->StopPreview();
        return 1;
    }
    return engine_->StartPreview() ? 1 : 0;
}

bool CVideoCapDS::IsPreviewing() const {
    return engine_ && engine_->Poll().previewing;
}

int CVideoCapDS::StartCapture() {
    if (!engine_ || !engine_->IsOpen() || IsCapturing()) return 0;
    const cv::Size size = engine_->Source()->FrameSize();
    const std::filesystem::path folder = std::filesystem::path(CaptureFile()).parent_path();
    std::error_code error;
    if (!folder.empty() && !std::filesystem::is_directory(folder, error)) {
        engine_->SetInfo("Cannot capture: no folder " + folder.string());
        return 0;
    }
    const std::int64_t room = MaxFramesOnDisk(size.width, size.height);
    if (room <= 0) {
        engine_->SetInfo("Cannot capture: the disk is full");
        return 0;
    }
    CaptureEngine::Limits limits;
    limits.frames =
        static_cast<int>(limitFrames_ > 0 ? std::min<std::int64_t>(limitFrames_, room) : room);
    if (timeLimit_) limits.milliseconds = 1000L * limitSeconds_;
    // The file is being rewritten: it is read anew afterwards.
    reader_.Close();
    const CaptureCodec codec = option_ == 1 ? CaptureCodec::Raw : CaptureCodec::Mjpeg;
    notifiedCount_ = 0;
    memoryLast_ = -1;
    if (!engine_->StartDisk(CaptureFile(), codec, limits)) return 0;
    captureWritten_ = true;
    return 1;
}

int CVideoCapDS::StartStillCapture(int first, int last) {
    if (!engine_ || !engine_->IsOpen() || IsCapturing() || first < 0 || first > last ||
        !store_.IsColorFrame(first) || !store_.IsColorFrame(last))
        return 0;
    CaptureEngine::Limits limits;
    const int frames = last - first + 1;
    limits.frames = limitFrames_ > 0 ? std::min(limitFrames_, frames) : frames;
    if (timeLimit_) limits.milliseconds = 1000L * limitSeconds_;
    memoryNext_ = first;
    memoryLast_ = last;
    operateFrame_ = 0;
    notifiedCount_ = 0;
    return engine_->StartMemory(limits) ? 1 : 0;
}

int CVideoCapDS::StopCapture() {
    if (!engine_) return 0;
    engine_->StopCapture();
    UpdateStatus();
    return 1;
}

bool CVideoCapDS::IsCapturing() const {
    return engine_ && engine_->Poll().capturing;
}

int CVideoCapDS::StartPlayGraph() {
    if (!engine_ || IsCapturing()) return 0;
    reader_.Close();
    captureWritten_ = true;
    return engine_->StartPlay(CaptureFile()) ? 1 : 0;
}

int CVideoCapDS::StopPlayGraph() {
    if (!engine_) return 0;
    if (engine_->Poll().playing) engine_->StopAll();
    return 1;
}

bool CVideoCapDS::IsPlaying() const {
    return engine_ && engine_->Poll().playing;
}

void CVideoCapDS::MoveCapturedFrames() {
    for (const cv::Mat& frame : engine_->TakeCaptured()) {
        if (memoryNext_ > memoryLast_) break;
        if (store_.Put_image_color(memoryNext_, frame, 0, 0) == CFrameStore::kOk)
            operateFrame_ = memoryNext_;
        ++memoryNext_;
    }
}

bool CVideoCapDS::UpdateStatus() {
    if (!engine_) return false;
    MoveCapturedFrames();
    cv::Mat newest;
    if (engine_->TakeNewest(&newest) && frameSink_) frameSink_(newest);
    const CaptureEngine::Status status = engine_->Poll();
    if ((status.capturing || notifiedCount_ >= 0) && status.captured != notifiedCount_) {
        notifiedCount_ = status.captured;
        Notify(kCapturedNotice, status.captured);
    }
    // Frames the thread queued before it ended.
    if (!status.running) MoveCapturedFrames();
    return status.running;
}

int CVideoCapDS::GetCapturedFrames() const {
    return engine_ ? engine_->Poll().captured : 0;
}

std::int64_t CVideoCapDS::GetDroppedFrames() const {
    return engine_ ? engine_->Poll().dropped : 0;
}

long CVideoCapDS::GetCapturedTime() const {
    return engine_ ? engine_->Poll().capturedMs : 0;
}

std::string CVideoCapDS::GetCapInfor() const {
    if (!engine_) return "Not initialised";
    const std::string info = engine_->Poll().info;
    return info.empty() ? std::string("Ready") : info;
}

int CVideoCapDS::SaveCaptureFile(const std::string& path) {
    if (path.empty() || IsCapturing()) return 0;
    std::string error;
    return CaptureDisk::CopyFile(CaptureFile(), path, &error) ? 1 : 0;
}

int CVideoCapDS::CloseCapture() {
    if (engine_) engine_->CloseSource();
    return 1;
}

// ---- to the window ----

void CVideoCapDS::SetFrameSink(FrameSink sink) {
    frameSink_ = std::move(sink);
}

void CVideoCapDS::SetNoticeSink(NoticeSink sink) {
    notice_ = std::move(sink);
}

void CVideoCapDS::Notify(int notice, int count) const {
    if (notice_) notice_(notice, count);
}

} // namespace kova
