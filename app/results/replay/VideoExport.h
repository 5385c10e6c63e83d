#pragma once

#include <QSize>
#include <memory>
#include <string>

class QImage;
namespace cv {
class VideoWriter;
}

// Writes rendered frames as a video file: MJPEG in AVI always, H.264 in MP4
// where the installed encoder offers it. The frames go into a temporary
// file beside the target, which takes the target's name only when the whole
// video was written; otherwise it is removed. An odd width or height gets
// one black column or row more (the encoders take even sizes only).
class VideoExport {
public:
    enum class Format { MjpegAvi, Mp4 };

    VideoExport();
    VideoExport(const VideoExport&) = delete;
    VideoExport& operator=(const VideoExport&) = delete;
    // Removes an unfinished temporary file.
    ~VideoExport();

    // The format a file's suffix asks for (".AVI", ".MP4" in any case);
    // false for another suffix.
    static bool FormatOf(const std::string& path, Format* format);
    // Whether H.264 in MP4 can be written here (probed once, by writing a
    // small video into the temporary folder).
    static bool Mp4Available();
    // The size written for frames of `size`.
    static QSize EncodedSize(QSize size);

    // Starts a video of frames of `size` at `rate` frames per second; false
    // when the size, rate or format cannot be written or the folder takes
    // no new file.
    bool Open(const std::string& path, Format format, QSize size, double rate);
    // Adds a frame of the opened size; false when it has another size.
    bool Write(const QImage& frame);
    // Ends the video and gives it its name; false (nothing left behind)
    // when no frame was written or the file did not come out whole.
    bool Finish();
    // Ends and removes an unfinished video.
    void Abandon();

    int Written() const { return written_; }

    static constexpr int kMaxSide = 16384;

private:
    std::unique_ptr<cv::VideoWriter> writer_;
    std::string target_;
    std::string temporary_;
    QSize size_;
    int written_ = 0;
    bool failed_ = false;
};
