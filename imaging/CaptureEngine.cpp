#include "CaptureEngine.h"

#include "CaptureCameraSource.h"
#include "CaptureDevices.h"
#include "CaptureFileSource.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace kova {

namespace {

std::string Seconds(long milliseconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(milliseconds) / 1000.0);
    return text;
}

} // namespace

CaptureEngine::CaptureEngine() = default;

CaptureEngine::~CaptureEngine() {
    StopAll();
}

// ---- sources ----

void CaptureEngine::AddStandIn(const std::string& path) {
    if (path.empty()) return;
    for (const std::string& known : standIns_)
        if (known == path) return;
    standIns_.push_back(path);
}

void CaptureEngine::AddStandInsFromEnvironment() {
    const char* value = std::getenv("KOVA_CAMERA_STANDIN");
    if (value == nullptr) return;
    std::istringstream paths(value);
    for (std::string path; std::getline(paths, path, ':');)
        AddStandIn(path);
}

void CaptureEngine::Refresh() {
    std::vector<Entry> entries;
    for (const CaptureDevice& device : CaptureDevices::List())
        entries.push_back(Entry{device.name, device.index, device.node, std::string()});
    for (const std::string& path : standIns_)
        entries.push_back(Entry{std::filesystem::path(path).filename().string() + " (stand-in)", -1,
                                std::string(), path});
    // The open source keeps its place only when the list is the same.
    if (openIndex_ >= 0 && (openIndex_ >= static_cast<int>(entries.size()) ||
                            entries[openIndex_].name != entries_[openIndex_].name))
        CloseSource();
    entries_ = std::move(entries);
}

std::vector<std::string> CaptureEngine::SourceNames() const {
    std::vector<std::string> names;
    for (const Entry& entry : entries_)
        names.push_back(entry.name);
    return names;
}

bool CaptureEngine::Open(int index) {
    CloseSource();
    if (index < 0 || index >= static_cast<int>(entries_.size())) {
        const std::lock_guard<std::mutex> lock(mutex_);
        error_ = "no source " + std::to_string(index);
        return false;
    }
    const Entry& entry = entries_[index];
    std::string failure;
    if (entry.camera >= 0) {
        auto camera = std::make_unique<CaptureCameraSource>(entry.camera);
        if (camera->IsOpen()) {
            camera_ = camera.get();
            source_ = std::move(camera);
        } else {
            failure = camera->Error();
        }
    } else {
        auto file = std::make_unique<CaptureFileSource>(entry.path, true);
        if (file->IsOpen())
            source_ = std::move(file);
        else
            failure = file->Error();
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!source_) {
        error_ = failure;
        info_ = "Cannot open " + entry.name + ": " + failure;
        return false;
    }
    openIndex_ = index;
    if (rateUsed_) source_->SetRate(rate_);
    info_ = "Ready: " + entry.name;
    return true;
}

void CaptureEngine::CloseSource() {
    preview_ = false;
    StopAll();
    source_.reset();
    camera_ = nullptr;
    openIndex_ = -1;
}

std::string CaptureEngine::CameraNode() const {
    return camera_ != nullptr ? entries_[openIndex_].node : std::string();
}

bool CaptureEngine::SetCameraFormat(const std::string& fourcc, int width, int height) {
    if (camera_ == nullptr) return false;
    const bool preview = preview_;
    StopAll();
    const bool ok = camera_->SetFormat(fourcc, width, height);
    if (preview) StartPreview();
    return ok;
}

std::string CaptureEngine::Error() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return error_;
}

void CaptureEngine::SetInfo(const std::string& info) {
    const std::lock_guard<std::mutex> lock(mutex_);
    info_ = info;
}

// ---- rate ----

bool CaptureEngine::SetRate(bool use, double rate) {
    if (use && (rate < CaptureFileSource::kMinRate || rate > CaptureFileSource::kMaxRate))
        return false;
    rateUsed_ = use;
    rate_ = use ? rate : 0.0;
    bool running = false;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        running = threadAlive_;
    }
    // A running grabber changes the rate between two frames.
    if (running) {
        rateChanged_ = true;
        return true;
    }
    return !source_ || source_->SetRate(rate_);
}

double CaptureEngine::Rate() const {
    if (rateUsed_) return rate_;
    return source_ ? source_->Rate() : 0.0;
}

// ---- runs ----

void CaptureEngine::StartThread(CaptureSource* source, bool play) {
    JoinThread();
    abort_ = false;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        threadAlive_ = true;
        playing_ = play;
    }
    thread_ = std::thread([this, source, play] { Loop(source, play); });
}

void CaptureEngine::JoinThread() {
    if (thread_.joinable()) thread_.join();
}

bool CaptureEngine::StartPreview() {
    Poll();
    if (!source_) {
        const std::lock_guard<std::mutex> lock(mutex_);
        error_ = "no source is open";
        return false;
    }
    if (play_) StopAll();
    bool needThread = false;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        preview_ = true;
        if (recording_ == Recording::None) info_ = "Previewing";
        needThread = !threadAlive_;
    }
    if (needThread) StartThread(source_.get(), false);
    return true;
}

void CaptureEngine::StopPreview() {
    preview_ = false;
    bool recording = false;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        recording = recording_ != Recording::None;
        if (!recording && !playing_) info_ = "Preview stopped";
    }
    if (!recording && !play_) StopAll();
}

bool CaptureEngine::BeginRecording(Recording kind, Limits limits) {
    const std::lock_guard<std::mutex> lock(mutex_);
    recording_ = kind;
    limits_ = limits;
    captured_.clear();
    capturedCount_ = 0;
    capturedMs_ = 0;
    dropped_ = 0;
    skippedAtStart_ = source_->Skipped();
    captureStart_ = Clock::now();
    info_ = "Capturing 0 frames";
    error_.clear();
    // A grabber that is still alive sees the recording (it decides to end
    // under this lock); otherwise a new one is needed.
    return !threadAlive_;
}

bool CaptureEngine::StartDisk(const std::string& path, CaptureCodec codec, Limits limits) {
    const Status status = Poll();
    if (!source_ || status.capturing) {
        const std::lock_guard<std::mutex> lock(mutex_);
        error_ = source_ ? "a capture runs" : "no source is open";
        return false;
    }
    std::error_code ignored;
    if (camera_ == nullptr &&
        std::filesystem::equivalent(path, entries_[openIndex_].path, ignored)) {
        const std::lock_guard<std::mutex> lock(mutex_);
        error_ = "the capture file is the stand-in video itself";
        info_ = "Cannot capture: " + error_;
        return false;
    }
    if (play_) StopAll();
    auto recorder = std::make_unique<CaptureRecorder>();
    std::string failure;
    const double rate = Rate() > 0 ? Rate() : 30.0;
    if (!recorder->Open(path, codec, source_->FrameSize(), rate, &failure)) {
        const std::lock_guard<std::mutex> lock(mutex_);
        error_ = failure;
        info_ = "Cannot capture: " + failure;
        return false;
    }
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        recorder_ = std::move(recorder);
    }
    if (BeginRecording(Recording::Disk, limits)) StartThread(source_.get(), false);
    return true;
}

bool CaptureEngine::StartMemory(Limits limits) {
    const Status status = Poll();
    if (!source_ || status.capturing) {
        const std::lock_guard<std::mutex> lock(mutex_);
        error_ = source_ ? "a capture runs" : "no source is open";
        return false;
    }
    if (play_) StopAll();
    if (BeginRecording(Recording::Memory, limits)) StartThread(source_.get(), false);
    return true;
}

void CaptureEngine::StopCapture() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (recording_ == Recording::None) return;
    }
    const bool preview = preview_;
    // The thread finishes the recording as it ends; the preview restarts.
    StopAll();
    if (preview) StartPreview();
}

bool CaptureEngine::StartPlay(const std::string& path) {
    preview_ = false;
    StopAll();
    auto file = std::make_unique<CaptureFileSource>(path, false);
    if (!file->IsOpen()) {
        const std::lock_guard<std::mutex> lock(mutex_);
        error_ = file->Error();
        info_ = "Cannot play: " + file->Error();
        return false;
    }
    play_ = std::move(file);
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        info_ = "Playing";
    }
    StartThread(play_.get(), true);
    return true;
}

void CaptureEngine::StopAll() {
    abort_ = true;
    JoinThread();
    abort_ = false;
    play_.reset();
    const std::lock_guard<std::mutex> lock(mutex_);
    threadAlive_ = false;
    playing_ = false;
}

// ---- the grab thread ----

void CaptureEngine::Loop(CaptureSource* source, bool play) {
    source->Restart();
    int frames = 0;
    std::string why;
    while (!abort_) {
        if (!play && rateChanged_.exchange(false)) source->SetRate(rate_);
        cv::Mat frame;
        if (!source->Grab(&frame, abort_)) {
            if (abort_) break;
            const std::lock_guard<std::mutex> lock(mutex_);
            info_ = play ? "Play ended: " + std::to_string(frames) + " frames"
                         : "Source error: " + source->Error();
            if (!play) error_ = why = "source error: " + source->Error();
            break;
        }
        ++frames;
        Publish(frame);
        if (play) continue;
        const bool recording = Record(frame, *source);
        if (!recording && !GoesOn()) return;
    }
    bool recording = false;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        recording = recording_ != Recording::None;
    }
    if (recording) FinishRecording(why);
    const std::lock_guard<std::mutex> lock(mutex_);
    threadAlive_ = false;
    frameCame_.notify_all();
}

bool CaptureEngine::GoesOn() {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (recording_ != Recording::None || preview_) return true;
    threadAlive_ = false;
    frameCame_.notify_all();
    return false;
}

void CaptureEngine::Publish(const cv::Mat& frame) {
    const std::lock_guard<std::mutex> lock(mutex_);
    newest_ = frame;
    ++serial_;
    frameCame_.notify_all();
}

long CaptureEngine::MillisecondsSince(Clock::time_point start) const {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// Takes one frame into the recording; false when no recording runs (any more).
bool CaptureEngine::Record(const cv::Mat& frame, const CaptureSource& source) {
    Recording kind = Recording::None;
    Limits limits;
    long elapsed = 0;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        kind = recording_;
        limits = limits_;
        elapsed = MillisecondsSince(captureStart_);
    }
    if (kind == Recording::None) return false;
    if (limits.milliseconds > 0 && elapsed >= limits.milliseconds) {
        FinishRecording("time limit");
        return false;
    }
    if (kind == Recording::Disk && !recorder_->Write(frame)) {
        FinishRecording(std::string());
        return false;
    }
    int count = 0;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (kind == Recording::Memory) captured_.push_back(frame);
        count = ++capturedCount_;
        capturedMs_ = elapsed;
        dropped_ = source.Skipped() - skippedAtStart_;
        info_ = "Capturing " + std::to_string(count) + " frames";
    }
    if (limits.frames > 0 && count >= limits.frames) {
        FinishRecording("frame limit");
        return false;
    }
    if (kind == Recording::Disk && recorder_->Ended()) {
        FinishRecording(std::string());
        return false;
    }
    return true;
}

void CaptureEngine::FinishRecording(const std::string& why) {
    std::string failure;
    std::string full;
    int written = -1;
    if (recorder_) {
        recorder_->Close();
        written = recorder_->Written();
        if (recorder_->Failed())
            failure = recorder_->Error();
        else if (recorder_->Ended())
            full = recorder_->Error();
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    recorder_.reset();
    recording_ = Recording::None;
    if (written >= 0) capturedCount_ = written;
    capturedMs_ = MillisecondsSince(captureStart_);
    const std::string frames =
        std::to_string(capturedCount_) + " frames in " + Seconds(capturedMs_) + " s";
    if (!failure.empty()) {
        info_ = "Write error: " + failure + "; " + frames + " kept";
        error_ = failure;
        return;
    }
    const std::string reason = !full.empty() ? full : why;
    info_ = "Capture stopped: " + frames + (reason.empty() ? "" : " (" + reason + ")");
}

// ---- results ----

CaptureEngine::Status CaptureEngine::Poll() {
    bool alive = true;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        alive = threadAlive_;
    }
    if (!alive && thread_.joinable()) {
        JoinThread();
        play_.reset();
        const std::lock_guard<std::mutex> lock(mutex_);
        playing_ = false;
    }
    Status status;
    const std::lock_guard<std::mutex> lock(mutex_);
    status.running = threadAlive_;
    status.playing = threadAlive_ && playing_;
    status.capturing = recording_ != Recording::None;
    status.previewing = threadAlive_ && !playing_ && preview_;
    status.captured = capturedCount_;
    status.capturedMs = status.capturing ? MillisecondsSince(captureStart_) : capturedMs_;
    status.dropped = dropped_;
    status.offered = capturedCount_ + dropped_;
    status.info = info_;
    return status;
}

bool CaptureEngine::TakeNewest(cv::Mat* frame) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (serial_ == taken_ || newest_.empty()) return false;
    taken_ = serial_;
    *frame = newest_;
    return true;
}

std::vector<cv::Mat> CaptureEngine::TakeCaptured() {
    const std::lock_guard<std::mutex> lock(mutex_);
    std::vector<cv::Mat> frames;
    frames.swap(captured_);
    return frames;
}

bool CaptureEngine::WaitNextFrame(cv::Mat* frame, std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    const std::uint64_t seen = serial_;
    frameCame_.wait_for(lock, timeout, [&] { return serial_ != seen || !threadAlive_; });
    if (serial_ == seen) return false;
    *frame = newest_;
    return true;
}

} // namespace kova
