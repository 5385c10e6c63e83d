#pragma once

#include <cstddef>
#include <cstdint>
#include <opencv2/core.hpp>
#include <string>

namespace kova {

// Windows bitmap files. The headers are read and checked by our own reader
// against the file's size and sane limits before anything is allocated.
// Uncompressed 8- and 24-bit files and 16- and 32-bit files (555 by default,
// any contiguous bit masks with bit fields; components scaled to 0..255 with
// rounding, alpha ignored) are decoded here; 1- and 4-bit and RLE4/RLE8 files
// by Qt's BMP reader, whose result must match the header's size. Written files are 8-bit grey
// with a grey palette or 24-bit colour, bottom-up, saved through a temporary
// file so that a failed write leaves no partial file.
class CBmpFile {
public:
    static constexpr int kOk = 0;
    static constexpr int kOpenFailed = -1;   // missing or unreadable file
    static constexpr int kShortHeader = -2;  // file too short for its headers
    static constexpr int kNotBitmap = -3;    // first two bytes are not "BM"
    static constexpr int kBadHeader = -4;    // impossible header values
    static constexpr int kUnsupported = -5;  // depth/compression not handled
    static constexpr int kTooLarge = -6;     // beyond the size limits
    static constexpr int kDecodeFailed = -7; // pixel data unreadable
    static constexpr int kWriteFailed = -8;

    static constexpr int kMaxSide = 32768;
    static constexpr int64_t kMaxPixels = int64_t{1} << 26;
    static constexpr int64_t kMaxFileBytes = kMaxPixels * 4 + (int64_t{1} << 20);
    static constexpr size_t kHeaderBytes = 256; // file, information header and masks

    struct Header {
        int64_t fileSize = 0;
        int64_t dataOffset = 0; // start of the pixel data
        int infoSize = 0;       // 12 (OS/2), 40, 52, 56, 64, 108 or 124
        int width = 0;
        int height = 0; // always positive; see topDown
        bool topDown = false;
        int bitCount = 0;       // 1, 4, 8, 16, 24 or 32
        int compression = 0;    // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
        int paletteEntries = 0; // colours in the palette (0 above 8 bits)
        int paletteEntrySize = 4;
        int64_t paletteOffset = 0;
        int64_t rowBytes = 0;          // padded stride of uncompressed rows
        uint32_t masks[3] = {0, 0, 0}; // R, G, B of 16- and 32-bit files
    };

    // Reads and checks the headers of a whole file held in memory.
    static int ParseHeader(const uint8_t* data, size_t size, Header& header);
    // Reads only the headers of a file (for image information).
    static int ReadHeader(const std::string& path, Header& header);
    // Reads a file as 8-bit grey (colour converted by luminance) or 8-bit
    // BGR (grey replicated); pixel values come through the palette.
    static int Read(const std::string& path, bool color, cv::Mat& image, Header* header = nullptr);
    // Decodes a file held in memory the same way.
    static int Decode(const uint8_t* data, size_t size, bool color, cv::Mat& image,
                      Header* header = nullptr);
    // Writes 8UC1 as 8-bit grey-palette and 8UC3 (BGR) as 24-bit; true on success.
    static bool Write(const std::string& path, const cv::Mat& image);
    static std::string Encode(const cv::Mat& image);

private:
    static int Parse(const uint8_t* data, size_t size, int64_t fileSize, Header& header);
    static int ParseInfo(const uint8_t* data, size_t size, Header& header);
    static int CheckLayout(size_t size, Header& header);
    static int ParseMasks(const uint8_t* data, size_t size, Header& header);
    static cv::Mat DecodeMasked(const uint8_t* data, const Header& header);
    static int DecodeDirect(const uint8_t* data, const Header& header, bool color, cv::Mat& image);
    static int DecodeWithQt(const uint8_t* data, size_t size, bool color, cv::Mat& image);
};

} // namespace kova
