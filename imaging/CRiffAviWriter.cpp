#include "CRiffAviWriter.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <opencv2/core.hpp>

namespace {

// Fixed offsets of the header fields that Close patches.
constexpr std::int64_t kRiffSizeAt = 4;
constexpr std::int64_t kTotalFramesAt = 48;
constexpr std::int64_t kStreamLengthAt = 140;
constexpr std::uint32_t kHasIndex = 0x10;
constexpr std::uint32_t kKeyFrame = 0x10;
// Sizes of the index chunks: headers and one entry.
constexpr std::int64_t kLegacyIndexHead = 8;
constexpr std::int64_t kLegacyEntry = 16;
constexpr std::int64_t kStandardIndexHead = 8 + 24;
constexpr std::int64_t kStandardEntry = 8;
constexpr std::int64_t kSuperIndexBody = 24 + 16 * CRiffAviWriter::kSuperIndexEntries;
constexpr std::uint32_t kDmlhBytes = 248;
constexpr std::uint32_t kOdmlBody = 4 + 8 + kDmlhBytes;
// RIFF 'AVIX' and LIST 'movi' headers of a further segment.
constexpr std::int64_t kSegmentHead = 12 + 12;
// Index entries written at a time.
constexpr std::int64_t kEntriesPerWrite = 4096;

class Bytes {
public:
    // Byte by byte: GCC 12 at -O3 misreads a 4-byte range insert as an overflow.
    void Id(const char* id) {
        for (int i = 0; i < 4; ++i)
            data.push_back(static_cast<unsigned char>(id[i]));
    }
    void U64(std::uint64_t v) {
        for (int i = 0; i < 8; ++i)
            data.push_back(static_cast<unsigned char>(v >> (8 * i)));
    }
    void U32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            data.push_back(static_cast<unsigned char>(v >> (8 * i)));
    }
    void U16(std::uint16_t v) {
        data.push_back(static_cast<unsigned char>(v));
        data.push_back(static_cast<unsigned char>(v >> 8));
    }
    void U8(std::uint8_t v) { data.push_back(v); }
    void Zeros(std::size_t count) { data.insert(data.end(), count, 0); }
    std::vector<unsigned char> data;
};

} // namespace

CRiffAviWriter::CRiffAviWriter(std::int64_t segmentBytes) : segmentBytes_(segmentBytes) {}

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
    failed_ = full_ = false;
    frames_ = 0;
    segments_.clear();
    if (!Plan(countHint)) return false;
    file_.reset(std::fopen(path.c_str(), "wb"));
    if (!file_) return false;
    if (!WriteHeaders()) {
        file_.reset();
        std::remove(path.c_str());
        return false;
    }
    return true;
}

std::int64_t CRiffAviWriter::FrameChunkBytes() const {
    return 8 + static_cast<std::int64_t>(rowBytes_) * height_;
}

// Picks the layout and the frames each segment holds: every segment with
// the indexes written at its end stays within the segment limit.
bool CRiffAviWriter::Plan(int countHint) {
    if (segmentBytes_ < kMinSegmentBytes || segmentBytes_ > kSegmentBytes) return false;
    const std::int64_t chunk = FrameChunkBytes();
    if (chunk > segmentBytes_) return false;
    std::int64_t unused = 0;
    const auto plainHead = static_cast<std::int64_t>(Headers(false, &unused, &unused).size());
    const std::int64_t plainFrames =
        (segmentBytes_ - plainHead - kLegacyIndexHead) / (chunk + kLegacyEntry);
    openDml_ = countHint <= 0 || countHint > plainFrames;
    if (!openDml_) {
        firstSegmentFrames_ = segmentFrames_ = plainFrames;
        capacity_ = static_cast<int>(plainFrames);
        return true;
    }
    const auto head = static_cast<std::int64_t>(Headers(true, &unused, &unused).size());
    firstSegmentFrames_ = (segmentBytes_ - head - kLegacyIndexHead - kStandardIndexHead) /
                          (chunk + kLegacyEntry + kStandardEntry);
    segmentFrames_ = (segmentBytes_ - kSegmentHead - kStandardIndexHead) / (chunk + kStandardEntry);
    if (firstSegmentFrames_ < 1 || segmentFrames_ < 1) return false;
    // Frame counts are 32-bit in the headers and int in the interface.
    capacity_ = static_cast<int>(std::min<std::int64_t>(
        INT_MAX, firstSegmentFrames_ + (kSuperIndexEntries - 1) * segmentFrames_));
    return countHint <= capacity_;
}

std::vector<unsigned char> CRiffAviWriter::Headers(bool openDml, std::int64_t* superIndexAt,
                                                   std::int64_t* odmlAt) const {
    const std::uint32_t frameBytes = static_cast<std::uint32_t>(rowBytes_ * height_);
    const std::uint32_t paletteBytes = bitCount_ == 8 ? 1024 : 0;
    const std::uint32_t superIndexBytes = openDml ? 8 + kSuperIndexBody : 0;
    const std::uint32_t odmlBytes = openDml ? 8 + kOdmlBody : 0;
    const std::uint32_t strlBytes = 4 + (8 + 56) + (8 + 40 + paletteBytes) + superIndexBytes;
    const std::uint32_t hdrlBytes = 4 + (8 + 56) + (8 + strlBytes) + odmlBytes;
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
    if (openDml) {
        // Room for the super index and the OpenDML header, JUNK until a
        // second segment makes them real.
        *superIndexAt = static_cast<std::int64_t>(h.data.size());
        h.Id("JUNK");
        h.U32(static_cast<std::uint32_t>(kSuperIndexBody));
        h.Zeros(kSuperIndexBody);
        *odmlAt = static_cast<std::int64_t>(h.data.size());
        h.Id("JUNK");
        h.U32(kOdmlBody);
        h.Zeros(kOdmlBody);
    }
    h.Id("LIST");
    h.U32(0); // movi size, patched when the segment ends
    h.Id("movi");
    return h.data;
}

bool CRiffAviWriter::WriteHeaders() {
    position_ = 0;
    const std::vector<unsigned char> headers = Headers(openDml_, &superIndexAt_, &odmlAt_);
    Segment first;
    first.moviStart = static_cast<std::int64_t>(headers.size()) - 4;
    segments_.push_back(first);
    return Put(headers);
}

bool CRiffAviWriter::StartSegment() {
    Segment segment;
    segment.riffStart = position_;
    segment.moviStart = position_ + 20;
    segments_.push_back(segment);
    Bytes h;
    h.Id("RIFF");
    h.U32(0); // patched when the segment ends
    h.Id("AVIX");
    h.Id("LIST");
    h.U32(0);
    h.Id("movi");
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
    if (frames_ >= capacity_) {
        full_ = true;
        return false;
    }
    const std::int64_t most = segments_.size() == 1 ? firstSegmentFrames_ : segmentFrames_;
    if (segments_.back().frames >= most) {
        EndSegment(false);
        if (!StartSegment()) return false;
    }
    const std::size_t dataBytes = rowBytes_ * static_cast<std::size_t>(height_);
    frame_.assign(8 + dataBytes, 0);
    std::memcpy(frame_.data(), "00db", 4);
    for (int i = 0; i < 4; ++i)
        frame_[4 + i] = static_cast<unsigned char>(dataBytes >> (8 * i));
    const std::size_t used = static_cast<std::size_t>(width_) * (bitCount_ / 8);
    for (int y = 0; y < height_; ++y)
        std::memcpy(frame_.data() + 8 + rowBytes_ * static_cast<std::size_t>(height_ - 1 - y),
                    image.ptr(y), used);
    if (!Put(frame_)) return false;
    ++segments_.back().frames;
    ++frames_;
    return true;
}

// The frames of a segment lie one after another from its movi code on, so
// the indexes follow from their number alone.
void CRiffAviWriter::WriteStandardIndex(Segment& segment) {
    const std::int64_t chunk = FrameChunkBytes();
    segment.indexStart = position_;
    segment.indexBytes = kStandardIndexHead + kStandardEntry * segment.frames;
    Bytes b;
    b.Id("ix00");
    b.U32(static_cast<std::uint32_t>(segment.indexBytes - 8));
    b.U16(2); // longs per entry
    b.U8(0);  // sub-type
    b.U8(1);  // an index of chunks
    b.U32(segment.frames);
    b.Id("00db");
    b.U64(static_cast<std::uint64_t>(segment.moviStart));
    b.U32(0);
    for (std::uint32_t i = 0; i < segment.frames; ++i) {
        // Offsets point at the frame data, past the chunk header; key frames
        // keep the top bit of the size clear.
        b.U32(static_cast<std::uint32_t>(4 + chunk * i + 8));
        b.U32(static_cast<std::uint32_t>(chunk - 8));
        if (static_cast<std::int64_t>(b.data.size()) >= kEntriesPerWrite * kStandardEntry) {
            Put(b.data);
            b.data.clear();
        }
    }
    Put(b.data);
}

void CRiffAviWriter::WriteLegacyIndex(const Segment& segment) {
    const std::int64_t chunk = FrameChunkBytes();
    Bytes b;
    b.Id("idx1");
    b.U32(static_cast<std::uint32_t>(kLegacyEntry * segment.frames));
    for (std::uint32_t i = 0; i < segment.frames; ++i) {
        b.Id("00db");
        b.U32(kKeyFrame);
        b.U32(static_cast<std::uint32_t>(4 + chunk * i));
        b.U32(static_cast<std::uint32_t>(chunk - 8));
        if (static_cast<std::int64_t>(b.data.size()) >= kEntriesPerWrite * kLegacyEntry) {
            Put(b.data);
            b.data.clear();
        }
    }
    Put(b.data);
}

// Writes the indexes of the current segment and its sizes. A file of one
// segment gets no standard index: it stays a plain AVI 1.0 file.
void CRiffAviWriter::EndSegment(bool last) {
    Segment& segment = segments_.back();
    if (openDml_ && !(last && segments_.size() == 1)) WriteStandardIndex(segment);
    PutU32At(segment.moviStart - 4, static_cast<std::uint32_t>(position_ - segment.moviStart));
    if (segments_.size() == 1) WriteLegacyIndex(segment);
    PutU32At(segment.riffStart + 4, static_cast<std::uint32_t>(position_ - segment.riffStart - 8));
}

bool CRiffAviWriter::PutAt(std::int64_t offset, const std::vector<unsigned char>& bytes) {
    if (std::fseek(file_.get(), static_cast<long>(offset), SEEK_SET) != 0 ||
        std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size() ||
        std::fseek(file_.get(), static_cast<long>(position_), SEEK_SET) != 0)
        failed_ = true;
    return !failed_;
}

bool CRiffAviWriter::PutU32At(std::int64_t offset, std::uint32_t value) {
    Bytes b;
    b.U32(value);
    return PutAt(offset, b.data);
}

// Counts, and for a file of several segments the super index and the
// OpenDML header in the room reserved for them.
void CRiffAviWriter::PatchHeaders() {
    PutU32At(kTotalFramesAt, segments_.front().frames);
    PutU32At(kStreamLengthAt, static_cast<std::uint32_t>(frames_));
    if (segments_.size() < 2) return;
    Bytes indx;
    indx.Id("indx");
    indx.U32(static_cast<std::uint32_t>(kSuperIndexBody));
    indx.U16(4); // longs per entry
    indx.U8(0);
    indx.U8(0); // an index of indexes
    indx.U32(static_cast<std::uint32_t>(segments_.size()));
    indx.Id("00db");
    indx.Zeros(12);
    for (const Segment& segment : segments_) {
        indx.U64(static_cast<std::uint64_t>(segment.indexStart));
        indx.U32(static_cast<std::uint32_t>(segment.indexBytes));
        indx.U32(segment.frames);
    }
    PutAt(superIndexAt_, indx.data);
    Bytes odml;
    odml.Id("LIST");
    odml.U32(kOdmlBody);
    odml.Id("odml");
    odml.Id("dmlh");
    odml.U32(kDmlhBytes);
    odml.U32(static_cast<std::uint32_t>(frames_));
    PutAt(odmlAt_, odml.data);
}

bool CRiffAviWriter::Close() {
    if (!file_) return false;
    EndSegment(true);
    PatchHeaders();
    if (std::fflush(file_.get()) != 0) failed_ = true;
    if (std::fclose(file_.release()) != 0) failed_ = true;
    return !failed_;
}
