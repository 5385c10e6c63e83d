#include "CRiffAviWriter.h"

#include <algorithm>
#include <cstring>
#include <opencv2/core.hpp>

namespace {

// Fixed offsets of the header fields that Close patches.
constexpr long kRiffSizeAt = 4;
constexpr long kTotalFramesAt = 48;
constexpr long kStreamLengthAt = 140;
constexpr std::uint32_t kHasIndex = 0x10;
constexpr std::uint32_t kKeyFrame = 0x10;

class Bytes {
public:
    // Byte by byte: GCC 12 at -O3 misreads a 4-byte range insert as an overflow.
    void Id(const char* id) {
        for (int i = 0; i < 4; ++i)
            data.push_back(static_cast<unsigned char>(id[i]));
    }
    void U32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            data.push_back(static_cast<unsigned char>(v >> (8 * i)));
    }
    void U16(std::uint16_t v) {
        data.push_back(static_cast<unsigned char>(v));
        data.push_back(static_cast<unsigned char>(v >> 8));
    }
    std::vector<unsigned char> data;
};

} // namespace

CRiffAviWriter::~CRiffAviWriter() {
    Close();
}

bool CRiffAviWriter::Open(const std::string& path, int width, int height, int bitCount,
                          std::uint32_t rate, std::uint32_t scale, int countHint) {
    Close();
    if (width <= 0 || height <= 0 || (bitCount != 8 && bitCount != 24) || rate == 0 || scale == 0)
        return false;
    width_ = width;
    height_ = height;
    bitCount_ = bitCount;
    rate_ = rate;
    scale_ = scale;
    rowBytes_ = (static_cast<std::size_t>(width) * (bitCount / 8) + 3) & ~std::size_t{3};
    failed_ = false;
    index_.clear();
    if (countHint > 0) index_.reserve(static_cast<std::size_t>(countHint));
    file_.reset(std::fopen(path.c_str(), "wb"));
    if (!file_) return false;
    if (!WriteHeaders()) {
        file_.reset();
        std::remove(path.c_str());
        return false;
    }
    return true;
}

bool CRiffAviWriter::WriteHeaders() {
    const std::uint32_t frameBytes = static_cast<std::uint32_t>(rowBytes_ * height_);
    const std::uint32_t paletteBytes = bitCount_ == 8 ? 1024 : 0;
    const std::uint32_t strlBytes = 4 + (8 + 56) + (8 + 40 + paletteBytes);
    const std::uint32_t hdrlBytes = 4 + (8 + 56) + (8 + strlBytes);
    Bytes h;
    h.Id("RIFF");
    h.U32(0);
    h.Id("AVI ");
    h.Id("LIST");
    h.U32(hdrlBytes);
    h.Id("hdrl");
    h.Id("avih");
    h.U32(56);
    h.U32(static_cast<std::uint32_t>(1000000.0 * scale_ / rate_ + 0.5));
    h.U32(static_cast<std::uint32_t>(
        std::min<double>(0xFFFFFFFFu, static_cast<double>(frameBytes) * rate_ / scale_)));
    h.U32(0);
    h.U32(kHasIndex);
    h.U32(0); // total frames, patched on Close
    h.U32(0);
    h.U32(1);
    h.U32(frameBytes);
    h.U32(static_cast<std::uint32_t>(width_));
    h.U32(static_cast<std::uint32_t>(height_));
    for (int i = 0; i < 4; ++i)
        h.U32(0);
    h.Id("LIST");
    h.U32(strlBytes);
    h.Id("strl");
    h.Id("strh");
    h.U32(56);
    h.Id("vids");
    h.Id("DIB ");
    h.U32(0); // flags
    h.U32(0); // priority, language
    h.U32(0); // initial frames
    h.U32(scale_);
    h.U32(rate_);
    h.U32(0); // start
    h.U32(0); // length, patched on Close
    h.U32(frameBytes);
    h.U32(0xFFFFFFFFu); // quality: default
    h.U32(0);           // sample size: frames vary in principle
    h.U16(0);
    h.U16(0);
    h.U16(static_cast<std::uint16_t>(width_));
    h.U16(static_cast<std::uint16_t>(height_));
    h.Id("strf");
    h.U32(40 + paletteBytes);
    h.U32(40);
    h.U32(static_cast<std::uint32_t>(width_));
    h.U32(static_cast<std::uint32_t>(height_)); // positive: bottom-up rows
    h.U16(1);
    h.U16(static_cast<std::uint16_t>(bitCount_));
    h.U32(0); // uncompressed
    h.U32(frameBytes);
    h.U32(0);
    h.U32(0);
    h.U32(bitCount_ == 8 ? 256 : 0);
    h.U32(0);
    for (std::uint32_t i = 0; paletteBytes && i < 256; ++i)
        h.U32(i | i << 8 | i << 16);
    h.Id("LIST");
    h.U32(0); // movi size, patched on Close
    h.Id("movi");
    moviStart_ = static_cast<long>(h.data.size()) - 4;
    position_ = 0;
    return Put(h.data);
}

bool CRiffAviWriter::Put(const std::vector<unsigned char>& bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) failed_ = true;
    position_ += static_cast<std::int64_t>(bytes.size());
    return !failed_;
}

bool CRiffAviWriter::WriteFrame(const cv::Mat& image) {
    if (!file_ || failed_ || image.cols != width_ || image.rows != height_ ||
        image.type() != (bitCount_ == 8 ? CV_8UC1 : CV_8UC3))
        return false;
    const std::size_t dataBytes = rowBytes_ * static_cast<std::size_t>(height_);
    // This frame, its index entry and the headers still to come must fit.
    const std::int64_t after = position_ + 8 + static_cast<std::int64_t>(dataBytes) +
                               16 * (static_cast<std::int64_t>(index_.size()) + 1) + 8;
    if (after > kMaxFileBytes) return false;
    frame_.assign(8 + dataBytes, 0);
    std::memcpy(frame_.data(), "00db", 4);
    for (int i = 0; i < 4; ++i)
        frame_[4 + i] = static_cast<unsigned char>(dataBytes >> (8 * i));
    const std::size_t used = static_cast<std::size_t>(width_) * (bitCount_ / 8);
    for (int y = 0; y < height_; ++y)
        std::memcpy(frame_.data() + 8 + rowBytes_ * static_cast<std::size_t>(height_ - 1 - y),
                    image.ptr(y), used);
    index_.push_back({static_cast<std::uint32_t>(position_ - moviStart_),
                      static_cast<std::uint32_t>(dataBytes)});
    return Put(frame_);
}

bool CRiffAviWriter::PutU32At(long offset, std::uint32_t value) {
    unsigned char b[4];
    for (int i = 0; i < 4; ++i)
        b[i] = static_cast<unsigned char>(value >> (8 * i));
    if (std::fseek(file_.get(), offset, SEEK_SET) != 0 || std::fwrite(b, 1, 4, file_.get()) != 4)
        failed_ = true;
    return !failed_;
}

bool CRiffAviWriter::Close() {
    if (!file_) return false;
    Bytes idx;
    idx.Id("idx1");
    idx.U32(static_cast<std::uint32_t>(16 * index_.size()));
    for (const IndexEntry& entry : index_) {
        idx.Id("00db");
        idx.U32(kKeyFrame);
        idx.U32(entry.offset);
        idx.U32(entry.size);
    }
    const std::int64_t moviEnd = position_;
    Put(idx.data);
    const auto frames = static_cast<std::uint32_t>(index_.size());
    PutU32At(kRiffSizeAt, static_cast<std::uint32_t>(position_ - 8));
    PutU32At(kTotalFramesAt, frames);
    PutU32At(kStreamLengthAt, frames);
    PutU32At(moviStart_ - 4, static_cast<std::uint32_t>(moviEnd - moviStart_));
    if (std::fflush(file_.get()) != 0) failed_ = true;
    if (std::fclose(file_.release()) != 0) failed_ = true;
    return !failed_;
}
