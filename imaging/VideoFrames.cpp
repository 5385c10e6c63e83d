#include "VideoFrames.h"

#include "CAviHeader.h"
#include "InputFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <opencv2/videoio.hpp>

namespace kova {

namespace {

// Up to this many frames ahead, decoding on costs less than a seek, which
// itself decodes on from a key frame before its target.
constexpr int kStepLimit = 48;
// A seek landing after its target is asked again this much earlier.
constexpr int kSeekMargin = 16;
constexpr int kSeekAttempts = 4;

// A 64-bit hash of every pixel byte and the size.
std::uint64_t Fingerprint(const cv::Mat& image) {
    std::uint64_t hash = 0x9E3779B97F4A7C15ull ^ (static_cast<std::uint64_t>(image.rows) << 32 |
                                                  static_cast<std::uint32_t>(image.cols));
    auto mix = [&hash](std::uint64_t word) {
        hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
        hash ^= hash >> 32;
    };
    const std::size_t rowBytes = image.cols * image.elemSize();
    for (int y = 0; y < image.rows; ++y) {
        const unsigned char* row = image.ptr(y);
        std::size_t at = 0;
        for (; at + 8 <= rowBytes; at += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, row + at, 8);
            mix(word);
        }
        std::uint64_t tail = 0;
        std::memcpy(&tail, row + at, rowBytes - at);
        mix(tail);
    }
    return hash;
}

// A four-character code as text: printable ASCII kept, trailing NULs dropped.
std::string CodeText(std::uint32_t code) {
    std::string text;
    for (int i = 0; i < 4; ++i)
        text += static_cast<char>((code >> (8 * i)) & 0xFF);
    while (!text.empty() && (text.back() == '\0' || text.back() == ' '))
        text.pop_back();
    for (char& c : text)
        if (c < 0x20 || c > 0x7E) c = '?';
    return text;
}

bool IsGreyPixelFormat(const std::string& code) {
    return code == "Y800" || code == "Y8" || code == "GREY";
}

} // namespace

VideoFrames::VideoFrames() = default;

VideoFrames::~VideoFrames() = default;

bool VideoFrames::Fail(const char* reason) {
    error_ = reason;
    Close();
    return false;
}

void VideoFrames::Close() {
    capture_.reset();
    frame_.release();
    scratch_.release();
    current_ = next_ = -1;
    seekable_ = true;
    fingerprints_.clear();
    info_ = VideoInfo();
    size_ = cv::Size();
}

bool VideoFrames::Open(const std::string& path) {
    Close();
    error_.clear();
    InputError why = InputError::None;
    std::FILE* file = OpenInputFile(path, &why);
    if (!file)
        return Fail(why == InputError::NotRegular ? "not a regular file" : "cannot open the file");
    std::fclose(file);
    path_ = path;
    if (!Restart()) return Fail("not a video the decoder reads");
    const double width = capture_->get(cv::CAP_PROP_FRAME_WIDTH);
    const double height = capture_->get(cv::CAP_PROP_FRAME_HEIGHT);
    if (width * height > static_cast<double>(CAviHeader::kMaxPixels))
        return Fail("frame size out of range");
    if (!ReadNext()) return Fail("no frame");
    size_ = frame_.size();
    const int count = CountFrames();
    if (count < 1) return false;
    Describe(count);
    return true;
}

bool VideoFrames::Rewind() {
    // The first frame read after it is checked against frame 0's fingerprint.
    current_ = -1;
    next_ = capture_->set(cv::CAP_PROP_POS_FRAMES, 0) ? 0 : -1;
    return next_ == 0 || Restart();
}

bool VideoFrames::Restart() {
    capture_ = std::make_unique<cv::VideoCapture>(path_, cv::CAP_FFMPEG);
    current_ = -1;
    next_ = 0;
    if (capture_->isOpened()) return true;
    capture_.reset();
    next_ = -1;
    return false;
}

bool VideoFrames::Usable(const cv::Mat& image) const {
    if (image.empty() || image.type() != CV_8UC3) return false;
    if (size_.area() > 0) return image.size() == size_;
    return image.total() <= static_cast<std::size_t>(CAviHeader::kMaxPixels);
}

bool VideoFrames::ReadNext() {
    const int at = next_;
    current_ = next_ = -1;
    if (at < 0 || !capture_->read(frame_) || !Usable(frame_)) return false;
    const std::uint64_t print = Fingerprint(frame_);
    const auto known = static_cast<int>(fingerprints_.size());
    if (at < known && fingerprints_[static_cast<std::size_t>(at)] != print) return false;
    if (at == known && known < kMaxFrames) fingerprints_.push_back(print);
    current_ = at;
    next_ = at + 1;
    return true;
}

int VideoFrames::PlaceOf(const cv::Mat& image) const {
    if (!Usable(image)) return -1;
    const std::uint64_t print = Fingerprint(image);
    const auto first = std::find(fingerprints_.begin(), fingerprints_.end(), print);
    if (first == fingerprints_.end() ||
        std::find(first + 1, fingerprints_.end(), print) != fingerprints_.end())
        return -1;
    return static_cast<int>(first - fingerprints_.begin());
}

bool VideoFrames::PlaceBefore(int index) {
    const int target = std::min(index, static_cast<int>(fingerprints_.size()) - 1);
    int request = target;
    for (int attempt = 0; seekable_ && target > kStepLimit && attempt < kSeekAttempts; ++attempt) {
        current_ = next_ = -1;
        if (request < 0 || !capture_->set(cv::CAP_PROP_POS_FRAMES, request) ||
            !capture_->read(frame_))
            break;
        const int at = PlaceOf(frame_);
        if (at < 0) break;
        if (at <= index) {
            current_ = at;
            next_ = at + 1;
            return true;
        }
        request -= at - target + kSeekMargin;
    }
    // Seeks that cannot be placed are not tried again.
    if (target > kStepLimit) seekable_ = false;
    return Rewind();
}

const cv::Mat& VideoFrames::Decode(int index) {
    if (capture_ && index >= 0 && index < Count()) {
        if (index == current_) return frame_;
        const int known = static_cast<int>(fingerprints_.size());
        const bool stepOn =
            next_ >= 0 && next_ <= index && std::min(index, known - 1) - next_ <= kStepLimit;
        if (stepOn || PlaceBefore(index)) {
            if (StepTo(index)) return frame_;
            // Decoding on gave another frame than decoding from the start
            // (or none): once more from the start, and no seeks from now on.
            seekable_ = false;
            if (Restart() && StepTo(index)) return frame_;
        }
    }
    current_ = next_ = -1;
    scratch_.release();
    return scratch_;
}

bool VideoFrames::StepTo(int index) {
    while (next_ >= 0 && next_ <= index && ReadNext()) {
    }
    return current_ == index;
}

int VideoFrames::CountFrames() {
    const int packets = CountPackets();
    if (packets > kMaxFrames) {
        Fail("too many frames");
        return 0;
    }
    if (packets >= 1 && EndsAfter(packets)) return packets;
    return CountByDecoding();
}

int VideoFrames::CountPackets() const {
    cv::VideoCapture raw(path_, cv::CAP_FFMPEG, {cv::CAP_PROP_FORMAT, -1});
    if (!raw.isOpened()) return -1;
    int packets = 0;
    while (packets <= kMaxFrames && raw.grab())
        ++packets;
    return packets;
}

bool VideoFrames::EndsAfter(int frames) {
    bool ends = false;
    if (frames == 1) {
        ends = !capture_->grab();
    } else if (capture_->set(cv::CAP_PROP_POS_FRAMES, frames - 1) && capture_->read(scratch_) &&
               Usable(scratch_)) {
        ends = !capture_->grab();
    }
    // The decoder is at an unknown place; frame 0 stays in frame_.
    next_ = -1;
    scratch_.release();
    return ends;
}

int VideoFrames::CountByDecoding() {
    if (!Restart()) {
        Fail("not a video the decoder reads");
        return 0;
    }
    while (next_ >= 0 && next_ < kMaxFrames && ReadNext()) {
    }
    if (next_ == kMaxFrames && capture_->grab()) {
        Fail("too many frames");
        return 0;
    }
    // Every frame decoded from the start has left its fingerprint.
    current_ = next_ = -1;
    return static_cast<int>(fingerprints_.size());
}

void VideoFrames::Describe(int count) {
    info_.width = size_.width;
    info_.height = size_.height;
    info_.frameCount = count;
    const std::string pixels =
        CodeText(static_cast<std::uint32_t>(capture_->get(cv::CAP_PROP_CODEC_PIXEL_FORMAT)));
    info_.bitCount = IsGreyPixelFormat(pixels) ? 8 : 24;
    const auto codec = static_cast<std::uint32_t>(capture_->get(cv::CAP_PROP_FOURCC));
    info_.handler = CodeText(codec);
    if (info_.handler.empty()) info_.handler = "?";
    // Any code above 3 reads as a compressor's name.
    info_.compression = codec > 3 ? codec : 0xFFFFFFFFu;
    RateScale(capture_->get(cv::CAP_PROP_FPS), &info_.rate, &info_.scale);
}

} // namespace kova
