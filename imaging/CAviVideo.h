#pragma once

#include "CAviHeader.h"
#include "CRiffAviWriter.h"
#include "VideoFrames.h"
#include "VideoInfo.h"

#include <memory>
#include <opencv2/core.hpp>
#include <string>

namespace cv {
class VideoCapture;
class VideoWriter;
} // namespace cv

namespace kova {

class CFrameStore;

// Reads and writes AVI files for the frame store, and reads every other
// video the decoder reads (MP4, MOV, MKV ...).
// Reading: an AVI file's properties come from its own RIFF headers
// (CAviHeader); frames are decoded by OpenCV's FFmpeg backend into a reused
// buffer and placed into a grey or colour frame. Consecutive frames are read
// without seeking. Any other video is read through VideoFrames, whose frame
// n is always the same image, with the properties the decoder gives.
// Writing: frames or interlaced fields of store frames, uncompressed (8-bit
// grey with a grey palette or 24-bit DIB, by our own RIFF writer) or MJPEG
// (OpenCV's writer). Results: 1 success, 0 failure.
class CAviVideo {
public:
    enum class Layout { Frames, Fields };
    enum class Codec { Raw, Mjpeg };
    static constexpr int kOddField = 1;  // rows 0, 2, 4 ... (lines 1, 3, 5 counted from 1)
    static constexpr int kEvenField = 2; // rows 1, 3, 5 ...

    CAviVideo();
    CAviVideo(const CAviVideo&) = delete;
    CAviVideo& operator=(const CAviVideo&) = delete;
    ~CAviVideo();

    // ---- reading ----
    // Reads the headers (of an .AVI file) and opens the decoder; 0 when
    // either fails or the name is not that of a video file (IsVideoFileName),
    // with Error() set.
    int Open(const std::string& path);
    bool IsOpen() const;
    // The RIFF headers of an AVI file; empty for other videos.
    const CAviHeader& Header() const { return header_; }
    const VideoInfo& Info() const { return info_; }
    int GetFrameCount() const { return info_.frameCount; }
    int GetBitCount() const { return info_.bitCount; }
    // Why the last Open failed.
    const std::string& Error() const { return error_; }
    // Decodes frame `index` (from 0) and puts it into grey frame `frame`
    // (color 0) or colour frame `frame` (color 1) of the store at (x, y), as
    // CFrameStore::Put_image does. Only 8-, 16- and 24-bit files are loaded.
    int LoadFrameFromAVI(int index, CFrameStore& store, int frame, int color, int x, int y);
    // Decodes frame `index` into the reader's buffer (8-bit BGR); the result
    // stays valid until the next decode. Empty on failure.
    const cv::Mat& DecodeFrame(int index);

    // ---- writing ----
    // Creates the file for `count` items of width x height store frames at
    // `rate` frames per second; with Layout::Fields each item is one field,
    // half the frame height. `color` selects 24-bit colour or 8-bit grey.
    // MJPEG needs an even item width and height.
    int Create(const std::string& path, int width, int height, int count, double rate,
               Layout layout, int color, Codec codec = Codec::Raw);
    // Writes store frame `frame` (grey or colour as created) as the next item.
    int WriteFrame(const CFrameStore& store, int frame);
    // Writes the rows of one parity (kOddField / kEvenField) of store frame
    // `frame` as the next item.
    int WriteField(const CFrameStore& store, int frame, int parity);
    int ItemsWritten() const { return written_; }

    // Ends reading or writing; for a file being written, 0 when any write
    // failed (the incomplete file is then removed).
    int Close();

private:
    bool StoreImage(const CFrameStore& store, int frame, cv::Mat& image) const;
    bool WriteImage(const cv::Mat& image);

    int OpenAvi(const std::string& path);

    // Reading.
    CAviHeader header_;
    VideoInfo info_;
    std::string error_;
    std::unique_ptr<cv::VideoCapture> capture_;
    std::unique_ptr<VideoFrames> frames_; // a video other than AVI
    int nextIndex_ = 0;
    cv::Mat decoded_;
    cv::Mat grey_;

    // Writing.
    std::string writePath_;
    CRiffAviWriter riff_;
    std::unique_ptr<cv::VideoWriter> writer_;
    int writeWidth_ = 0;
    int writeHeight_ = 0;
    int writeColor_ = 0;
    Layout layout_ = Layout::Frames;
    int written_ = 0;
    bool writeFailed_ = false;
    cv::Mat item_;
    cv::Mat field_;
};

} // namespace kova
