#pragma once

#include "VideoInfo.h"

#include <cstdint>
#include <memory>
#include <opencv2/core.hpp>
#include <string>
#include <vector>

namespace cv {
class VideoCapture;
} // namespace cv

namespace kova {

// The frames of any video the FFmpeg decoder reads (MP4, MOV, MKV ...),
// numbered from 0. Frame n is always the same image: the n-th frame that
// decoding from the start gives, however it is reached.
// The decoder seeks by time stamp and lands on another frame in files
// without a steady frame rate, so every frame decoded is checked against
// the fingerprint of the frame at that place, taken the first time a decode
// from a known place passed it. A seek goes to a frame already passed and
// decodes on from where it is found to have landed; one that cannot be
// placed is replaced by decoding from the start.
// The frame count is the number of the video stream's packets when a seek
// to the last of them decodes a frame followed by the end of the stream;
// otherwise every frame is decoded and counted.
class VideoFrames {
public:
    VideoFrames();
    VideoFrames(const VideoFrames&) = delete;
    VideoFrames& operator=(const VideoFrames&) = delete;
    ~VideoFrames();

    // Opens a regular file and finds its frames; false with Error() set when
    // the decoder does not read it or it holds no frame.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return capture_ != nullptr; }
    const VideoInfo& Info() const { return info_; }
    int Count() const { return info_.frameCount; }
    const std::string& Error() const { return error_; }

    // Frame `index` (from 0) as 8-bit BGR, valid until the next call; empty
    // when it cannot be decoded.
    const cv::Mat& Decode(int index);

    // More frames than this are not counted (8 bytes of fingerprint each).
    static constexpr int kMaxFrames = 1 << 20;

private:
    bool Fail(const char* reason);
    // Opens the file anew at frame 0.
    bool Restart();
    // Back to frame 0 in the open file (which may have been removed since).
    bool Rewind();
    // Decodes the frame at next_ into frame_, checking or taking its
    // fingerprint; false at the end, on a decode error or a mismatch (the
    // place is then unknown).
    bool ReadNext();
    // Puts the decoder at a known place at or before `index`.
    bool PlaceBefore(int index);
    // Decodes on up to frame `index`; false when it did not come.
    bool StepTo(int index);
    // The frame that has `image`'s fingerprint, -1 when none or several.
    int PlaceOf(const cv::Mat& image) const;
    bool Usable(const cv::Mat& image) const;
    int CountFrames();
    int CountPackets() const;
    bool EndsAfter(int frames);
    int CountByDecoding();
    void Describe(int count);

    std::string path_;
    std::unique_ptr<cv::VideoCapture> capture_;
    VideoInfo info_;
    std::string error_;
    cv::Size size_;
    cv::Mat frame_;
    cv::Mat scratch_;
    int current_ = -1; // the frame in frame_
    int next_ = -1;    // the frame the decoder gives next; -1 unknown
    bool seekable_ = true;
    std::vector<std::uint64_t> fingerprints_; // frames 0 .. size() - 1
};

} // namespace kova
