#pragma once

#include <cstdint>
#include <string>

namespace kova {

// The properties of an open video as the AVI dialog and `kova-batch image
// info` show them: frame size and count, bits per pixel, handler and
// compression codes, and the frame rate as a rate / scale pair. An AVI file
// gives them from its own headers; any other video from the decoder.
struct VideoInfo {
    int width = 0;
    int height = 0;
    int frameCount = 0;
    int bitCount = 0;
    // Handler code, four characters.
    std::string handler;
    // 0 none, 1 RLE8, 2 RLE4, 3 bit fields, otherwise a four-character code.
    std::uint32_t compression = 0;
    std::uint32_t rate = 0;
    std::uint32_t scale = 0;

    double FrameRate() const;
    double LengthSeconds() const;
    // Only 8-, 16- and 24-bit videos are read into the frame store.
    bool IsSupportedDepth() const { return bitCount == 8 || bitCount == 16 || bitCount == 24; }
    // The property text: length, size, frames, depth, compression, rate.
    std::string PropertyText() const;
};

// Frames per second as a rate / scale pair: exact for whole rates, to a
// thousandth otherwise; 0 / 1 for a rate that is no rate (<= 0, not a
// number, or above 10000).
void RateScale(double fps, std::uint32_t* rate, std::uint32_t* scale);

} // namespace kova
