#include "CVideoCapture.h"

#include "CaptureDevices.h"
#include "CaptureDisk.h"
#include "CaptureEngine.h"
#include "CaptureRecorder.h"
#include "CaptureSource.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace kova {

namespace {

// A new empty file for the capture data in the temporary folder.
std::string MakeDataFile() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error) return std::string();
    std::string path = (folder / "kova-camera-XXXXXX.avi").string();
    const int fd = ::mkstemps(path.data(), 4);
    if (fd < 0) return std::string();
    ::close(fd);
    return path;
}

} // namespace

CVideoCapture::CVideoCapture() : engine_(std::make_unique<CaptureEngine>()) {}

CVideoCapture::~CVideoCapture() {
    CaptureFrameClose();
    engine_.reset();
    RemoveDataFile();
}

int CVideoCapture::GetDriverList(std::vector<std::string>* names) {
    if (names == nullptr) return 0;
    engine_->AddStandInsFromEnvironment();
    engine_->Refresh();
    *names = engine_->SourceNames();
    if (names->size() > static_cast<std::size_t>(kMaxDrivers)) names->resize(kMaxDrivers);
    return names->empty() ? 0 : 1;
}

void CVideoCapture::AddStandIn(const std::string& path) {
    engine_->AddStandIn(path);
    engine_->Refresh();
}

int CVideoCapture::Connect(int index) {
    CaptureFrameClose();
    newest_ = cv::Mat();
    if (index < 0 || index >= kMaxDrivers || !engine_->Open(index)) return 0;
    // The grabber runs while connected, so that the newest frame is at hand.
    return engine_->StartPreview() ? 1 : 0;
}

void CVideoCapture::Disconnect() {
    CaptureFrameClose();
    engine_->CloseSource();
    newest_ = cv::Mat();
}

bool CVideoCapture::IsConnected() const {
    return engine_->IsOpen();
}

std::vector<CaptureFormat> CVideoCapture::VideoFormat() const {
    const std::string node = engine_->CameraNode();
    if (!node.empty()) return CaptureDevices::Formats(node);
    if (!engine_->IsOpen()) return {};
    return {CurrentFormat()};
}

CaptureFormat CVideoCapture::CurrentFormat() const {
    CaptureFormat format;
    const CaptureSource* source = engine_->Source();
    if (source == nullptr) return format;
    format.fourcc = source->Fourcc();
    format.width = source->FrameSize().width;
    format.height = source->FrameSize().height;
    format.rates = {engine_->Rate()};
    return format;
}

int CVideoCapture::SetFormat(const std::string& fourcc, int width, int height) {
    if (!engine_->IsOpen() || recorder_) return 0;
    if (!engine_->CameraNode().empty())
        return engine_->SetCameraFormat(fourcc, width, height) ? 1 : 0;
    // A stand-in has the one format of its file.
    const CaptureFormat current = CurrentFormat();
    return current.fourcc == fourcc && current.width == width && current.height == height ? 1 : 0;
}

std::vector<CaptureControl> CVideoCapture::VideoSource() const {
    const std::string node = engine_->CameraNode();
    return node.empty() ? std::vector<CaptureControl>() : CaptureDevices::Controls(node);
}

int CVideoCapture::SetControl(int id, int value) {
    const std::string node = engine_->CameraNode();
    return !node.empty() && CaptureDevices::SetControl(node, id, value) ? 1 : 0;
}

int CVideoCapture::VideoDisplay(cv::Mat& frame) {
    cv::Mat newest;
    if (engine_->TakeNewest(&newest)) newest_ = newest;
    frame = newest_;
    return frame.empty() ? 0 : 1;
}

int CVideoCapture::VideoCopy(cv::Mat& frame) {
    cv::Mat shown;
    if (!VideoDisplay(shown)) return 0;
    frame = shown.clone();
    return 1;
}

double CVideoCapture::VideoGetRate() const {
    return engine_->Rate();
}

int CVideoCapture::VideoSetRate(double rate) {
    return engine_->SetRate(rate > 0, rate) ? 1 : 0;
}

int CVideoCapture::CaptureFrameOpen() {
    CaptureFrameClose();
    const CaptureSource* source = engine_->Source();
    if (source == nullptr) return 0;
    RemoveDataFile();
    dataFile_ = MakeDataFile();
    if (dataFile_.empty()) return 0;
    captured_ = 0;
    const cv::Size size = source->FrameSize();
    // MJPEG keeps the file small; it needs an even size.
    const CaptureCodec codec =
        size.width % 2 == 0 && size.height % 2 == 0 ? CaptureCodec::Mjpeg : CaptureCodec::Raw;
    const double rate = engine_->Rate() > 0 ? engine_->Rate() : 30.0;
    auto recorder = std::make_unique<CaptureRecorder>();
    std::string error;
    if (!recorder->Open(dataFile_, codec, size, rate, &error)) return 0;
    recorder_ = std::move(recorder);
    return 1;
}

int CVideoCapture::CaptureFrame() {
    if (!recorder_) return 0;
    // A stand-in comes at its rate; a camera gets a few periods or 2 s.
    const double rate = engine_->Rate();
    const auto wait = std::chrono::milliseconds(
        std::max(2000L, rate > 0 ? static_cast<long>(3000.0 / rate) : 0L));
    cv::Mat frame;
    if (!engine_->WaitNextFrame(&frame, wait)) return 0;
    if (!recorder_->Write(frame)) return 0;
    newest_ = frame;
    ++captured_;
    return 1;
}

int CVideoCapture::CaptureFrameClose() {
    if (!recorder_) return 1;
    const bool ok = recorder_->Close();
    captured_ = recorder_->Written();
    recorder_.reset();
    return ok ? 1 : 0;
}

int CVideoCapture::FramesCaptured() const {
    return captured_;
}

std::string CVideoCapture::GetDataFileName() const {
    return dataFile_;
}

int CVideoCapture::VideoFileSave(const std::string& path) {
    if (recorder_ || dataFile_.empty() || path.empty()) return 0;
    std::string error;
    return CaptureDisk::CopyFile(dataFile_, path, &error) ? 1 : 0;
}

void CVideoCapture::RemoveDataFile() {
    if (dataFile_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove(dataFile_, ignored);
    dataFile_.clear();
}

} // namespace kova
