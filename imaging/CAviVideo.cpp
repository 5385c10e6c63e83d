#include "CAviVideo.h"

#include "CFrameStore.h"
#include "VideoFileName.h"

#include <cstdio>
#include <opencv2/imgproc.hpp>
#include <opencv2/videoio.hpp>

namespace kova {

namespace {

constexpr double kMaxRate = 10000.0;

// Scatters a BGR image into three planes of its size, in row stripes on
// OpenCV's worker threads.
void SplitInto(const cv::Mat& bgr, cv::Mat& b, cv::Mat& g, cv::Mat& r) {
    cv::parallel_for_(cv::Range(0, bgr.rows), [&](const cv::Range& rows) {
        cv::Mat outs[3] = {b.rowRange(rows.start, rows.end), g.rowRange(rows.start, rows.end),
                           r.rowRange(rows.start, rows.end)};
        cv::split(bgr.rowRange(rows.start, rows.end), outs);
    });
}

} // namespace

CAviVideo::CAviVideo() = default;

CAviVideo::~CAviVideo() {
    Close();
}

// ---- reading ----

int CAviVideo::Open(const std::string& path) {
    Close();
    header_ = CAviHeader();
    info_ = VideoInfo();
    error_.clear();
    if (IsAviFileName(path)) return OpenAvi(path);
    // The decoder also reads still images as videos of one frame: only
    // names of video files are taken for videos.
    if (!IsVideoFileName(path)) {
        error_ = "not the name of a video file";
        return 0;
    }
    frames_ = std::make_unique<VideoFrames>();
    if (!frames_->Open(path)) {
        error_ = frames_->Error();
        frames_.reset();
        return 0;
    }
    info_ = frames_->Info();
    return 1;
}

int CAviVideo::OpenAvi(const std::string& path) {
    if (!header_.Read(path)) {
        error_ = header_.Error();
        return 0;
    }
    info_ = header_.Info();
    capture_ = std::make_unique<cv::VideoCapture>(path, cv::CAP_FFMPEG);
    if (!capture_->isOpened()) {
        capture_.reset();
        error_ = "not a video the decoder reads";
        return 0;
    }
    nextIndex_ = 0;
    return 1;
}

bool CAviVideo::IsOpen() const {
    return capture_ != nullptr || frames_ != nullptr;
}

const cv::Mat& CAviVideo::DecodeFrame(int index) {
    if (frames_) return frames_->Decode(index);
    if (!capture_ || index < 0 || index >= header_.FrameCount()) {
        decoded_.release();
        return decoded_;
    }
    // Seeking restarts decoding at a key frame: only seek when not reading on.
    if (index != nextIndex_ && !capture_->set(cv::CAP_PROP_POS_FRAMES, index)) {
        nextIndex_ = -1;
        decoded_.release();
        return decoded_;
    }
    if (!capture_->read(decoded_) || decoded_.type() != CV_8UC3) {
        nextIndex_ = -1;
        decoded_.release();
        return decoded_;
    }
    nextIndex_ = index + 1;
    return decoded_;
}

int CAviVideo::LoadFrameFromAVI(int index, CFrameStore& store, int frame, int color, int x, int y) {
    if (!info_.IsSupportedDepth()) return 0;
    if (color ? !store.IsColorFrame(frame) : !store.IsMonoFrame(frame)) return 0;
    const cv::Mat& image = DecodeFrame(index);
    if (image.empty()) return 0;
    const FrameWindow whole{0, 0, store.Width() - 1, store.Height() - 1};
    if (x == 0 && y == 0 && image.cols == store.Width() && image.rows == store.Height() &&
        store.Window() == whole) {
        // The common case of a tracking run: the decoded frame fills the
        // whole frame, so it goes straight into the planes, no copy between.
        if (color) {
            int r = 0, g = 0, b = 0;
            store.Get_frame_monochrome(frame, r, g, b);
            SplitInto(image, store.Plane(b), store.Plane(g), store.Plane(r));
            store.Touch(r);
        } else {
            cv::cvtColor(image, store.Plane(frame), cv::COLOR_BGR2GRAY);
            store.Touch(frame);
        }
        return 1;
    }
    if (color) return store.Put_image_color(frame, image, x, y) == CFrameStore::kOk ? 1 : 0;
    cv::cvtColor(image, grey_, cv::COLOR_BGR2GRAY);
    return store.Put_image(frame, grey_, x, y) == CFrameStore::kOk ? 1 : 0;
}

// ---- writing ----

int CAviVideo::Create(const std::string& path, int width, int height, int count, double rate,
                      Layout layout, int color, Codec codec) {
    Close();
    if (width < 1 || height < 1 || width > CFrameStore::kMaxSide ||
        height > CFrameStore::kMaxSide || count < 1 || !(rate > 0.0 && rate <= kMaxRate) ||
        (layout == Layout::Fields && height < 2))
        return 0;
    const int itemHeight = layout == Layout::Fields ? height / 2 : height;
    // The MJPEG encoder drops an odd last column or row without a word.
    if (codec == Codec::Mjpeg && (width % 2 != 0 || itemHeight % 2 != 0)) return 0;
    if (codec == Codec::Raw) {
        std::uint32_t r = 0, s = 0;
        RateScale(rate, &r, &s);
        if (!riff_.Open(path, width, itemHeight, color ? 24 : 8, r, s, count)) return 0;
    } else {
        writer_ = std::make_unique<cv::VideoWriter>(path, cv::CAP_FFMPEG,
                                                    cv::VideoWriter::fourcc('M', 'J', 'P', 'G'),
                                                    rate, cv::Size(width, itemHeight), color != 0);
        if (!writer_->isOpened()) {
            writer_.reset();
            std::remove(path.c_str());
            return 0;
        }
    }
    writePath_ = path;
    writeWidth_ = width;
    writeHeight_ = height;
    writeColor_ = color ? 1 : 0;
    layout_ = layout;
    written_ = 0;
    writeFailed_ = false;
    return 1;
}

// The whole store frame as the writer takes it: the grey plane itself, or
// the colour planes merged into BGR in `image`.
bool CAviVideo::StoreImage(const CFrameStore& store, int frame, cv::Mat& image) const {
    if (store.Width() != writeWidth_ || store.Height() != writeHeight_) return false;
    const cv::Mat black = cv::Mat::zeros(writeHeight_, writeWidth_, CV_8UC1);
    auto plane = [&](int number) -> cv::Mat {
        const cv::Mat& p = store.PlaneIfAllocated(number);
        return p.empty() ? black : p;
    };
    if (!writeColor_) {
        if (!store.IsMonoFrame(frame)) return false;
        image = plane(frame);
        return true;
    }
    int r = 0, g = 0, b = 0;
    if (store.Get_frame_monochrome(frame, r, g, b) != CFrameStore::kOk) return false;
    const cv::Mat channels[3] = {plane(b), plane(g), plane(r)};
    cv::merge(channels, 3, image);
    return true;
}

bool CAviVideo::WriteImage(const cv::Mat& image) {
    if (riff_.IsOpen()) {
        // A frame past the file's capacity is refused; the file keeps what
        // it holds.
        if (!riff_.WriteFrame(image)) {
            if (riff_.Full()) return false;
            writeFailed_ = true;
        }
    } else {
        writer_->write(image);
    }
    if (!writeFailed_) ++written_;
    return !writeFailed_;
}

int CAviVideo::WriteFrame(const CFrameStore& store, int frame) {
    if ((!riff_.IsOpen() && !writer_) || writeFailed_ || layout_ != Layout::Frames) return 0;
    if (!StoreImage(store, frame, item_)) return 0;
    return WriteImage(item_) ? 1 : 0;
}

int CAviVideo::WriteField(const CFrameStore& store, int frame, int parity) {
    if ((!riff_.IsOpen() && !writer_) || writeFailed_ || layout_ != Layout::Fields ||
        (parity != kOddField && parity != kEvenField))
        return 0;
    if (!StoreImage(store, frame, item_)) return 0;
    const int rows = writeHeight_ / 2;
    const int first = parity == kOddField ? 0 : 1;
    field_.create(rows, writeWidth_, item_.type());
    for (int i = 0; i < rows; ++i)
        item_.row(first + 2 * i).copyTo(field_.row(i));
    return WriteImage(field_) ? 1 : 0;
}

int CAviVideo::Close() {
    capture_.reset();
    frames_.reset();
    decoded_.release();
    item_.release();
    nextIndex_ = 0;
    if (!riff_.IsOpen() && !writer_) return 1;
    bool ok = !writeFailed_;
    if (riff_.IsOpen() && !riff_.Close()) ok = false;
    if (writer_) {
        writer_->release();
        writer_.reset();
    }
    if (!ok) std::remove(writePath_.c_str());
    writePath_.clear();
    return ok ? 1 : 0;
}

} // namespace kova
