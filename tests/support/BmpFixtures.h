#pragma once

#include "CBmpFile.h"
#include "TestFiles.h"

#include <opencv2/core.hpp>
#include <string>

namespace kova::test {

// A grey or colour BMP of one value (written by the project's writer).
inline std::string WriteBmp(const std::string& path, int width, int height, int value,
                            bool color = false) {
    const cv::Mat image(height, width, color ? CV_8UC3 : CV_8UC1, cv::Scalar::all(value));
    CBmpFile::Write(path, image);
    return path;
}

// A 16-bit BMP: the 14 + 40 byte headers with bit count 16 and 2x2 pixels.
inline std::string WriteBmp16(const std::string& path) {
    std::string bytes(54 + 8, '\0');
    auto put32 = [&bytes](std::size_t at, unsigned value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, static_cast<unsigned>(bytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, 2);
    put32(22, 2);
    bytes[26] = 1;
    bytes[28] = 16;
    WriteBytes(path, bytes);
    return path;
}

} // namespace kova::test
