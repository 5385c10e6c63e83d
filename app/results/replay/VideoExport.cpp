#include "VideoExport.h"

#include "ImageBgr.h"

#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <opencv2/core/utils/logger.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/videoio.hpp>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

int FourccOf(VideoExport::Format format) {
    return format == VideoExport::Format::Mp4 ? cv::VideoWriter::fourcc('a', 'v', 'c', '1')
                                              : cv::VideoWriter::fourcc('M', 'J', 'P', 'G');
}

std::string SuffixOf(VideoExport::Format format) {
    return format == VideoExport::Format::Mp4 ? ".mp4" : ".avi";
}

// The mode the video takes: that of the file it replaces, else what a new
// file gets.
mode_t ModeFor(const std::string& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A new empty file ".kova-video-XXXXXX<suffix>" beside `target`, made
// exclusively; empty when the folder takes no new file.
std::string MakeTemporary(const std::string& target, const std::string& suffix) {
    const std::string directory = std::filesystem::path(target).parent_path().string();
    std::string pattern =
        (directory.empty() ? std::string(".") : directory) + "/.kova-video-XXXXXX" + suffix;
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkostemps(name.data(), static_cast<int>(suffix.size()), O_CLOEXEC);
    if (fd < 0) return std::string();
    if (::fchmod(fd, ModeFor(target)) != 0) {
        // The video keeps the private mode of the temporary file.
    }
    close(fd);
    return name.data();
}

// The encoder's complaints about a format it lacks are not ours to show.
class QuietOpenCv {
public:
    QuietOpenCv() : level_(cv::utils::logging::setLogLevel(cv::utils::logging::LOG_LEVEL_SILENT)) {}
    ~QuietOpenCv() { cv::utils::logging::setLogLevel(level_); }

private:
    cv::utils::logging::LogLevel level_;
};

std::unique_ptr<cv::VideoWriter> OpenWriter(const std::string& path, VideoExport::Format format,
                                            QSize size, double rate) {
    QuietOpenCv quiet;
    auto writer = std::make_unique<cv::VideoWriter>(path, cv::CAP_FFMPEG, FourccOf(format), rate,
                                                    cv::Size(size.width(), size.height()), true);
    if (!writer->isOpened()) return nullptr;
    return writer;
}

bool Probe() {
    const std::string path =
        MakeTemporary((std::filesystem::temp_directory_path() / "probe").string(), ".mp4");
    if (path.empty()) return false;
    bool ok = false;
    if (auto writer = OpenWriter(path, VideoExport::Format::Mp4, QSize(64, 64), 10.0)) {
        writer->write(cv::Mat(64, 64, CV_8UC3, cv::Scalar(40, 80, 120)));
        writer->release();
        std::error_code error;
        ok = std::filesystem::file_size(path, error) > 0 && !error;
    }
    std::remove(path.c_str());
    return ok;
}

} // namespace

VideoExport::VideoExport() = default;

VideoExport::~VideoExport() {
    Abandon();
}

bool VideoExport::FormatOf(const std::string& path, Format* format) {
    const std::string suffix = Upper(std::filesystem::path(path).extension().string());
    if (suffix == ".AVI")
        *format = Format::MjpegAvi;
    else if (suffix == ".MP4")
        *format = Format::Mp4;
    else
        return false;
    return true;
}

bool VideoExport::Mp4Available() {
    static const bool available = Probe();
    return available;
}

QSize VideoExport::EncodedSize(QSize size) {
    return QSize(size.width() + size.width() % 2, size.height() + size.height() % 2);
}

bool VideoExport::Open(const std::string& path, Format format, QSize size, double rate) {
    Abandon();
    if (size.width() < 1 || size.height() < 1 || size.width() > kMaxSide ||
        size.height() > kMaxSide || !(rate > 0.0 && rate <= 1000.0))
        return false;
    if (format == Format::Mp4 && !Mp4Available()) return false;
    temporary_ = MakeTemporary(path, SuffixOf(format));
    if (temporary_.empty()) return false;
    writer_ = OpenWriter(temporary_, format, EncodedSize(size), rate);
    if (!writer_) {
        std::remove(temporary_.c_str());
        temporary_.clear();
        return false;
    }
    target_ = path;
    size_ = size;
    written_ = 0;
    failed_ = false;
    return true;
}

bool VideoExport::Write(const QImage& frame) {
    if (!writer_ || frame.size() != size_) {
        failed_ = true;
        return false;
    }
    cv::Mat bgr = ImageBgr(frame);
    const QSize encoded = EncodedSize(size_);
    if (encoded != size_)
        cv::copyMakeBorder(bgr, bgr, 0, encoded.height() - size_.height(), 0,
                           encoded.width() - size_.width(), cv::BORDER_CONSTANT, cv::Scalar());
    writer_->write(bgr);
    ++written_;
    return true;
}

bool VideoExport::Finish() {
    if (!writer_) return false;
    writer_->release();
    writer_.reset();
    bool ok = !failed_ && written_ > 0;
    if (ok) {
        // The file must open again and hold frames: a full disk shows here.
        QuietOpenCv quiet;
        cv::VideoCapture check(temporary_, cv::CAP_FFMPEG);
        ok = check.isOpened() && check.get(cv::CAP_PROP_FRAME_COUNT) > 0;
    }
    if (ok && std::rename(temporary_.c_str(), target_.c_str()) != 0) ok = false;
    if (!ok) std::remove(temporary_.c_str());
    temporary_.clear();
    return ok;
}

void VideoExport::Abandon() {
    if (writer_) {
        writer_->release();
        writer_.reset();
    }
    if (!temporary_.empty()) std::remove(temporary_.c_str());
    temporary_.clear();
}
