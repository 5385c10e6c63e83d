#include "CBmpFile.h"

#include "InputFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <opencv2/imgproc.hpp>
#include <sys/stat.h>
#include <vector>

namespace kova {

namespace {

constexpr int kFileHeaderSize = 14;

uint32_t U32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
int32_t I32(const uint8_t* p) {
    return static_cast<int32_t>(U32(p));
}
uint16_t U16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

void Put16(std::string& out, size_t at, uint32_t v) {
    out[at] = static_cast<char>(v & 0xFF);
    out[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& out, size_t at, uint32_t v) {
    Put16(out, at, v & 0xFFFF);
    Put16(out, at + 2, v >> 16);
}

bool ValidDepthAndCompression(int bits, int compression) {
    switch (compression) {
    case 0:
        return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case 1:
        return bits == 8;
    case 2:
        return bits == 4;
    case 3:
        return bits == 16 || bits == 32;
    default:
        return false;
    }
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Reads at most `limit` bytes of a file and tells its full size. A file
// larger than any bitmap we accept is refused before anything is allocated.
int ReadStart(const std::string& path, std::vector<uint8_t>& bytes, size_t limit,
              int64_t& fileSize) {
    const std::unique_ptr<std::FILE, FileCloser> file(OpenInputFile(path));
    struct stat info {};
    if (!file || ::fstat(fileno(file.get()), &info) != 0) return CBmpFile::kOpenFailed;
    fileSize = static_cast<int64_t>(info.st_size);
    if (fileSize > CBmpFile::kMaxFileBytes) return CBmpFile::kTooLarge;
    bytes.resize(std::min(static_cast<size_t>(fileSize), limit));
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        return CBmpFile::kOpenFailed;
    return CBmpFile::kOk;
}

} // namespace

int CBmpFile::ParseHeader(const uint8_t* data, size_t size, Header& header) {
    return Parse(data, size, static_cast<int64_t>(size), header);
}

// `size` bytes of the file are at hand (at least the headers); `fileSize` is
// the whole file's size, against which the layout is checked.
int CBmpFile::Parse(const uint8_t* data, size_t size, int64_t fileSize, Header& header) {
    header = Header();
    if (size < 2) return kShortHeader;
    if (data[0] != 'B' || data[1] != 'M') return kNotBitmap;
    if (size < kFileHeaderSize + 4) return kShortHeader;
    if (fileSize > kMaxFileBytes) return kTooLarge;
    header.fileSize = fileSize;
    header.dataOffset = U32(data + 10);
    const int result = ParseInfo(data, size, header);
    return result != kOk ? result : CheckLayout(static_cast<size_t>(fileSize), header);
}

int CBmpFile::ParseInfo(const uint8_t* data, size_t size, Header& header) {
    const uint32_t infoSize = U32(data + kFileHeaderSize);
    const bool known = infoSize == 12 || infoSize == 40 || infoSize == 52 || infoSize == 56 ||
                       infoSize == 64 || infoSize == 108 || infoSize == 124;
    if (!known) return kBadHeader;
    if (size < kFileHeaderSize + infoSize) return kShortHeader;
    header.infoSize = static_cast<int>(infoSize);
    const uint8_t* info = data + kFileHeaderSize;
    int64_t width = 0;
    int64_t height = 0;
    int planes = 0;
    if (infoSize == 12) {
        width = U16(info + 4);
        height = U16(info + 6);
        planes = U16(info + 8);
        header.bitCount = U16(info + 10);
        header.paletteEntrySize = 3;
    } else {
        width = I32(info + 4);
        height = I32(info + 8);
        planes = U16(info + 12);
        header.bitCount = U16(info + 14);
        header.compression = static_cast<int>(std::min<uint32_t>(U32(info + 16), 0x7FFFFFFF));
        header.paletteEntries = static_cast<int>(std::min<uint32_t>(U32(info + 32), 0x10000));
    }
    if (planes != 1 || width <= 0 || height == 0) return kBadHeader;
    header.topDown = height < 0;
    height = height < 0 ? -height : height;
    if (width > kMaxSide || height > kMaxSide || width * height > kMaxPixels) return kTooLarge;
    header.width = static_cast<int>(width);
    header.height = static_cast<int>(height);
    if (!ValidDepthAndCompression(header.bitCount, header.compression)) return kUnsupported;
    if (header.topDown && (header.compression == 1 || header.compression == 2)) return kBadHeader;
    if (header.bitCount <= 8) {
        if (header.paletteEntries > (1 << header.bitCount)) return kBadHeader;
        if (header.paletteEntries == 0) header.paletteEntries = 1 << header.bitCount;
    } else {
        header.paletteEntries = 0;
    }
    // Bit masks follow a 40-byte header of a bit-field file.
    const int masks = (infoSize == 40 && header.compression == 3) ? 12 : 0;
    header.paletteOffset = kFileHeaderSize + infoSize + masks;
    return ParseMasks(data, size, header);
}

// The red, green and blue masks of 16- and 32-bit files: stored after the
// 40 bytes of the information header for bit fields, fixed otherwise.
int CBmpFile::ParseMasks(const uint8_t* data, size_t size, Header& header) {
    if (header.bitCount != 16 && header.bitCount != 32) return kOk;
    if (header.compression == 0) {
        const bool five = header.bitCount == 16;
        header.masks[0] = five ? 0x7C00 : 0xFF0000;
        header.masks[1] = five ? 0x03E0 : 0x00FF00;
        header.masks[2] = five ? 0x001F : 0x0000FF;
        return kOk;
    }
    const size_t at = kFileHeaderSize + 40;
    if (size < at + 12) return kShortHeader;
    for (int c = 0; c < 3; ++c) {
        const uint32_t mask = U32(data + at + 4 * static_cast<size_t>(c));
        if (header.bitCount == 16 && mask > 0xFFFF) return kBadHeader;
        // Contiguous, non-empty: adding the lowest bit clears the run.
        if (mask == 0 || ((mask + (mask & (~mask + 1))) & mask) != 0) return kBadHeader;
        header.masks[c] = mask;
    }
    return kOk;
}

int CBmpFile::CheckLayout(size_t size, Header& header) {
    const int64_t fileSize = static_cast<int64_t>(size);
    if (header.dataOffset < header.paletteOffset || header.dataOffset >= fileSize)
        return kBadHeader;
    if (header.bitCount <= 8) {
        // Some writers store fewer colours than they announce: use the ones
        // that lie before the pixel data.
        const int64_t room = (header.dataOffset - header.paletteOffset) / header.paletteEntrySize;
        header.paletteEntries = static_cast<int>(std::min<int64_t>(header.paletteEntries, room));
        if (header.paletteEntries == 0) return kBadHeader;
    }
    header.rowBytes = (int64_t{header.width} * header.bitCount + 31) / 32 * 4;
    const bool compressed = header.compression == 1 || header.compression == 2;
    if (!compressed && header.dataOffset + header.rowBytes * header.height > fileSize) {
        return kShortHeader;
    }
    return kOk;
}

int CBmpFile::ReadHeader(const std::string& path, Header& header) {
    std::vector<uint8_t> bytes;
    int64_t fileSize = 0;
    const int read = ReadStart(path, bytes, kHeaderBytes, fileSize);
    if (read != kOk) return read;
    return Parse(bytes.data(), bytes.size(), fileSize, header);
}

int CBmpFile::Read(const std::string& path, bool color, cv::Mat& image, Header* header) {
    std::vector<uint8_t> bytes;
    int64_t fileSize = 0;
    const int read = ReadStart(path, bytes, static_cast<size_t>(kMaxFileBytes), fileSize);
    if (read != kOk) return read;
    return Decode(bytes.data(), bytes.size(), color, image, header);
}

int CBmpFile::Decode(const uint8_t* data, size_t size, bool color, cv::Mat& image, Header* header) {
    Header parsed;
    const int result = ParseHeader(data, size, parsed);
    if (header != nullptr) *header = parsed;
    if (result != kOk) return result;
    const bool masked = parsed.bitCount == 16 || parsed.bitCount == 32;
    const bool direct =
        masked || (parsed.compression == 0 && (parsed.bitCount == 8 || parsed.bitCount == 24));
    const int decoded =
        direct ? DecodeDirect(data, parsed, color, image) : DecodeWithQt(data, size, color, image);
    // Qt reads the headers on its own: a different idea of the size is refused.
    if (decoded == kOk && (image.cols != parsed.width || image.rows != parsed.height)) {
        image.release();
        return kDecodeFailed;
    }
    return decoded;
}

// Uncompressed 8-bit (through the palette) and 24-bit rows, either order.
int CBmpFile::DecodeDirect(const uint8_t* data, const Header& h, bool color, cv::Mat& image) {
    cv::Mat bgr;
    cv::Mat grey;
    if (h.bitCount == 8) {
        cv::Mat lut(1, 256, CV_8UC3, cv::Scalar::all(0));
        bool greyPalette = true;
        for (int i = 0; i < h.paletteEntries; ++i) {
            const uint8_t* entry = data + h.paletteOffset + int64_t{i} * h.paletteEntrySize;
            lut.at<cv::Vec3b>(0, i) = cv::Vec3b(entry[0], entry[1], entry[2]);
            greyPalette = greyPalette && entry[0] == entry[1] && entry[1] == entry[2];
        }
        cv::Mat indices(h.height, h.width, CV_8UC1);
        for (int y = 0; y < h.height; ++y) {
            const int row = h.topDown ? y : h.height - 1 - y;
            std::memcpy(indices.ptr(y), data + h.dataOffset + h.rowBytes * row,
                        static_cast<size_t>(h.width));
        }
        if (greyPalette && !color) {
            cv::Mat greyLut(1, 256, CV_8UC1);
            for (int i = 0; i < 256; ++i)
                greyLut.at<uchar>(0, i) = lut.at<cv::Vec3b>(0, i)[0];
            cv::LUT(indices, greyLut, grey);
        } else {
            cv::Mat expanded;
            cv::cvtColor(indices, expanded, cv::COLOR_GRAY2BGR);
            cv::LUT(expanded, lut, bgr);
        }
    } else if (h.bitCount == 24) {
        bgr.create(h.height, h.width, CV_8UC3);
        for (int y = 0; y < h.height; ++y) {
            const int row = h.topDown ? y : h.height - 1 - y;
            std::memcpy(bgr.ptr(y), data + h.dataOffset + h.rowBytes * row,
                        static_cast<size_t>(h.width) * 3);
        }
    } else {
        bgr = DecodeMasked(data, h);
    }
    if (color) {
        if (bgr.empty()) cv::cvtColor(grey, bgr, cv::COLOR_GRAY2BGR);
        image = bgr;
    } else {
        if (grey.empty()) cv::cvtColor(bgr, grey, cv::COLOR_BGR2GRAY);
        image = grey;
    }
    return kOk;
}

// 16- and 32-bit pixels: each component is taken by its mask and scaled
// from its bit width to 0..255 with rounding; alpha is ignored.
cv::Mat CBmpFile::DecodeMasked(const uint8_t* data, const Header& h) {
    int shift[3];
    uint32_t top[3];
    for (int c = 0; c < 3; ++c) {
        shift[c] = 0;
        while (((h.masks[c] >> shift[c]) & 1u) == 0)
            ++shift[c];
        top[c] = h.masks[c] >> shift[c];
    }
    const int bytes = h.bitCount / 8;
    cv::Mat bgr(h.height, h.width, CV_8UC3);
    for (int y = 0; y < h.height; ++y) {
        const uint8_t* src = data + h.dataOffset + h.rowBytes * (h.topDown ? y : h.height - 1 - y);
        auto* dst = bgr.ptr<cv::Vec3b>(y);
        for (int x = 0; x < h.width; ++x, src += bytes) {
            const uint32_t pixel = bytes == 2 ? U16(src) : U32(src);
            for (int c = 0; c < 3; ++c) {
                const uint64_t v = (pixel & h.masks[c]) >> shift[c];
                dst[x][2 - c] = static_cast<uchar>((v * 255 + top[c] / 2) / top[c]);
            }
        }
    }
    return bgr;
}

int CBmpFile::DecodeWithQt(const uint8_t* data, size_t size, bool color, cv::Mat& image) {
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setAllocationLimit(static_cast<int>(kMaxPixels * 4 / (1024 * 1024)));
    QImage decoded = reader.read();
    if (decoded.isNull()) return kDecodeFailed;
    decoded = decoded.convertToFormat(QImage::Format_RGB888);
    cv::Mat rgb(decoded.height(), decoded.width(), CV_8UC3, decoded.bits(),
                static_cast<size_t>(decoded.bytesPerLine()));
    cv::Mat bgr;
    cv::cvtColor(rgb, bgr, cv::COLOR_RGB2BGR);
    if (color) {
        image = bgr;
    } else {
        cv::cvtColor(bgr, image, cv::COLOR_BGR2GRAY);
    }
    return kOk;
}

std::string CBmpFile::Encode(const cv::Mat& image) {
    if (image.empty() || image.depth() != CV_8U ||
        (image.channels() != 1 && image.channels() != 3)) {
        return std::string();
    }
    const int channels = image.channels();
    const size_t rowBytes = (static_cast<size_t>(image.cols) * channels * 8 + 31) / 32 * 4;
    const size_t palette = channels == 1 ? 1024 : 0;
    const size_t offset = kFileHeaderSize + 40 + palette;
    std::string out(offset + rowBytes * static_cast<size_t>(image.rows), '\0');
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<uint32_t>(out.size()));
    Put32(out, 10, static_cast<uint32_t>(offset));
    Put32(out, 14, 40);
    Put32(out, 18, static_cast<uint32_t>(image.cols));
    Put32(out, 22, static_cast<uint32_t>(image.rows));
    Put16(out, 26, 1);
    Put16(out, 28, static_cast<uint32_t>(channels * 8));
    Put32(out, 34, static_cast<uint32_t>(rowBytes * static_cast<size_t>(image.rows)));
    Put32(out, 38, 2835); // 72 dpi
    Put32(out, 42, 2835);
    Put32(out, 46, channels == 1 ? 256 : 0);
    for (size_t i = 0; i < palette / 4; ++i) {
        std::memset(&out[kFileHeaderSize + 40 + 4 * i], static_cast<int>(i), 3);
    }
    const size_t pixelBytes = static_cast<size_t>(image.cols) * channels;
    for (int y = 0; y < image.rows; ++y) {
        std::memcpy(&out[offset + rowBytes * static_cast<size_t>(image.rows - 1 - y)], image.ptr(y),
                    pixelBytes);
    }
    return out;
}

bool CBmpFile::Write(const std::string& path, const cv::Mat& image) {
    const std::string bytes = Encode(image);
    if (bytes.empty()) return false;
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) return false;
    const qint64 size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace kova
