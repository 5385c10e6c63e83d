#pragma once

#include "VideoInfo.h"

#include <cstdint>
#include <string>

// The properties of an AVI file as its RIFF headers state them: frame size,
// frame count, bits per pixel, handler and compression codes, rate and scale
// of the first video stream. The decoder cannot tell most of these (it
// reports every raw file as "rawv"), so they come from the file itself.
// Every size and count is checked against the file's size and sane limits
// before it is trusted; a malformed file gives false and a reason.
class CAviHeader {
public:
    // Reads the headers of the file; false with Error() set when the file is
    // not an AVI with a usable video stream.
    bool Read(const std::string& path);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Rows stored top row first (a negative DIB height).
    bool TopDown() const { return topDown_; }
    int FrameCount() const { return frameCount_; }
    int BitCount() const { return bitCount_; }
    // Stream handler code, four characters (trailing NULs dropped; the
    // format's compression code stands in when the stream gives none).
    const std::string& Handler() const { return handler_; }
    // Compression kind: the format's compression code (0 none, 1 RLE8,
    // 2 RLE4, 3 bit fields, otherwise a four-character code).
    std::uint32_t CompressionKind() const { return compression_; }
    std::uint32_t Rate() const { return rate_; }
    std::uint32_t Scale() const { return scale_; }
    double FrameRate() const;
    double LengthSeconds() const;
    const std::string& Error() const { return error_; }

    // Only 8-, 16- and 24-bit files are read into the frame store.
    bool IsSupportedDepth() const { return bitCount_ == 8 || bitCount_ == 16 || bitCount_ == 24; }

    // The same properties as every video reader gives them.
    kova::VideoInfo Info() const;
    // The property text the AVI dialog and `kova-batch image info` show.
    std::string PropertyText() const;

    static constexpr int kMaxSide = 32768;
    // Largest frame in pixels (an 8192 x 8192 frame): more is no video of
    // this system and would only make the decoder allocate gigabytes.
    static constexpr std::int64_t kMaxPixels = 8192LL * 8192;

private:
    bool Fail(const char* reason);
    bool ParseHeaderList(const std::string& list, std::int64_t fileSize);
    bool ParseStream(const std::string& list, std::size_t begin, std::size_t end);
    bool Validate(std::int64_t fileSize);

    int width_ = 0;
    int height_ = 0;
    bool topDown_ = false;
    int frameCount_ = 0;
    int bitCount_ = 0;
    std::string handler_;
    std::uint32_t compression_ = 0;
    std::uint32_t rate_ = 0;
    std::uint32_t scale_ = 0;
    std::uint32_t mainFrames_ = 0;
    std::uint32_t odmlFrames_ = 0;
    std::uint32_t streamLength_ = 0;
    std::uint32_t microSecPerFrame_ = 0;
    bool haveVideo_ = false;
    std::string error_;
};
