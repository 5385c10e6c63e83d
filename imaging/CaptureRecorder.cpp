#include "CaptureRecorder.h"

#include "CRiffAviWriter.h"
#include "CaptureDisk.h"

#include <atomic>
#include <cmath>
#include <opencv2/videoio.hpp>
#include <sys/stat.h>

namespace kova {

namespace {

std::atomic<int> failAfter{-1};

// The rate as a fraction for the RIFF header, in thousandths.
std::uint32_t RateThousandths(double rate) {
    return static_cast<std::uint32_t>(std::lround(std::clamp(rate, 0.001, 10000.0) * 1000.0));
}

} // namespace

void CaptureRecorder::FailAfterForTest(int frames) {
    failAfter = frames;
}

CaptureRecorder::CaptureRecorder() = default;

CaptureRecorder::~CaptureRecorder() {
    Close();
}

bool CaptureRecorder::Open(const std::string& path, CaptureCodec codec, cv::Size size, double rate,
                           std::string* error) {
    Close();
    path_ = path;
    codec_ = codec;
    size_ = size;
    if (size.width <= 0 || size.height <= 0) {
        *error = "the source gives no frame size";
        return false;
    }
    if (codec == CaptureCodec::Mjpeg) {
        if (size.width % 2 != 0 || size.height % 2 != 0) {
            *error = "MJPEG needs an even frame width and height";
            return false;
        }
        writer_ = std::make_unique<cv::VideoWriter>();
        if (!writer_->open(path, cv::CAP_FFMPEG, cv::VideoWriter::fourcc('M', 'J', 'P', 'G'), rate,
                           size, true)) {
            writer_.reset();
            *error = "cannot create " + path;
            return false;
        }
    } else {
        riff_ = std::make_unique<CRiffAviWriter>();
        // The length is not known: the writer goes on past 1 GiB as OpenDML.
        if (!riff_->Open(path, size.width, size.height, 24, RateThousandths(rate), 1000, 0)) {
            riff_.reset();
            *error = "cannot create " + path;
            return false;
        }
    }
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        inode_ = status.st_ino;
        device_ = status.st_dev;
    }
    closing_ = ended_ = failed_ = false;
    error_.clear();
    written_ = 0;
    thread_ = std::thread([this] { Run(); });
    return true;
}

bool CaptureRecorder::Write(cv::Mat frame) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return ended_ || queue_.size() < kQueueFrames; });
    if (ended_ || !thread_.joinable()) return false;
    queue_.push_back(std::move(frame));
    changed_.notify_all();
    return true;
}

bool CaptureRecorder::Close() {
    if (!thread_.joinable()) return true;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        closing_ = true;
        changed_.notify_all();
    }
    thread_.join();
    bool ok = true;
    if (writer_) writer_->release();
    if (riff_) ok = riff_->Close();
    writer_.reset();
    riff_.reset();
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!ok && !failed_) {
        failed_ = true;
        error_ = "cannot finish " + path_;
    }
    return !failed_;
}

int CaptureRecorder::Written() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return written_;
}

bool CaptureRecorder::Ended() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return ended_;
}

bool CaptureRecorder::Failed() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return failed_;
}

std::string CaptureRecorder::Error() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return error_;
}

void CaptureRecorder::End(bool failed, const std::string& reason) {
    const std::lock_guard<std::mutex> lock(mutex_);
    ended_ = true;
    failed_ = failed;
    error_ = reason;
    queue_.clear();
    changed_.notify_all();
}

void CaptureRecorder::Run() {
    for (;;) {
        cv::Mat frame;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] { return closing_ || ended_ || !queue_.empty(); });
            if (ended_ || queue_.empty()) return;
            frame = std::move(queue_.front());
            queue_.pop_front();
            changed_.notify_all();
        }
        if (!WriteOne(frame)) return;
        const std::lock_guard<std::mutex> lock(mutex_);
        ++written_;
    }
}

bool CaptureRecorder::StillThere() {
    struct stat status {};
    return ::stat(path_.c_str(), &status) == 0 && status.st_ino == inode_ &&
           status.st_dev == device_;
}

bool CaptureRecorder::WriteOne(const cv::Mat& frame) {
    if (frame.size() != size_ || frame.type() != CV_8UC3) {
        End(true, "a frame of another size or format came");
        return false;
    }
    const int limit = failAfter;
    if (limit >= 0 && Written() >= limit) {
        End(true, "cannot write frame " + std::to_string(Written() + 1) + " to " + path_);
        return false;
    }
    if (!StillThere()) {
        End(true, "the capture file " + path_ + " was removed");
        return false;
    }
    if (CaptureDisk::FreeBytes(path_) < kMinFreeBytes) {
        End(true, "the disk is full");
        return false;
    }
    if (writer_) {
        writer_->write(frame);
        return true;
    }
    if (riff_->WriteFrame(frame)) return true;
    if (riff_->Full())
        End(false, "the uncompressed AVI is full (" + std::to_string(riff_->FramesWritten()) +
                       " frames, the most one file holds)");
    else
        End(true, "cannot write frame " + std::to_string(Written() + 1) + " to " + path_);
    return false;
}

} // namespace kova
