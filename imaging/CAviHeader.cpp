#include "CAviHeader.h"

#include "InputFile.h"

#include <climits>
#include <cstdio>
#include <memory>

namespace {

// The header list of a real file is a few kilobytes (palettes, index
// reservations); anything far larger is not a header.
constexpr std::int64_t kMaxHeaderList = 16 * 1024 * 1024;
// Chunks skipped at the top level before the header list must appear.
constexpr int kMaxLeadingChunks = 16;
// Smallest possible frame: an 8-byte chunk header with no data.
constexpr std::int64_t kMinFrameBytes = 8;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::uint32_t U32(const char* p) {
    auto b = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

std::uint16_t U16(const char* p) {
    auto b = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

bool IdIs(const char* p, const char* id) {
    return p[0] == id[0] && p[1] == id[1] && p[2] == id[2] && p[3] == id[3];
}

// Four-character code as text: printable ASCII kept, other bytes '?',
// trailing NULs dropped.
std::string CodeText(std::uint32_t code) {
    std::string text;
    for (int i = 0; i < 4; ++i)
        text += static_cast<char>((code >> (8 * i)) & 0xFF);
    while (!text.empty() && text.back() == '\0')
        text.pop_back();
    for (char& c : text)
        if (c < 0x20 || c > 0x7E) c = '?';
    return text;
}

// Walks the chunks of [begin, end) of `data`, calling `visit(id, listType,
// bodyBegin, bodyEnd)`; stops quietly at a chunk that does not fit.
template <typename Visit>
void WalkChunks(const std::string& data, std::size_t begin, std::size_t end, Visit visit) {
    std::size_t pos = begin;
    while (pos + 8 <= end) {
        const char* p = data.data() + pos;
        std::uint64_t size = U32(p + 4);
        if (size > end - pos - 8) return;
        std::size_t body = pos + 8;
        std::size_t bodyEnd = body + static_cast<std::size_t>(size);
        bool isList = IdIs(p, "LIST") && size >= 4;
        visit(p, isList ? data.data() + body : nullptr, isList ? body + 4 : body, bodyEnd);
        pos = bodyEnd + (size & 1);
    }
}

} // namespace

bool CAviHeader::Fail(const char* reason) {
    error_ = reason;
    return false;
}

bool CAviHeader::Read(const std::string& path) {
    *this = CAviHeader();
    FilePtr file(kova::OpenInputFile(path));
    if (!file) return Fail("cannot open the file");
    if (std::fseek(file.get(), 0, SEEK_END) != 0) return Fail("cannot read the file");
    const std::int64_t fileSize = std::ftell(file.get());
    char head[12];
    if (fileSize < 12 || std::fseek(file.get(), 0, SEEK_SET) != 0 ||
        std::fread(head, 1, 12, file.get()) != 12)
        return Fail("file too short for a RIFF header");
    if (!IdIs(head, "RIFF") || !IdIs(head + 8, "AVI ")) return Fail("not a RIFF AVI file");
    std::int64_t pos = 12;
    for (int i = 0; i < kMaxLeadingChunks && pos + 12 <= fileSize; ++i) {
        char chunk[12];
        if (std::fseek(file.get(), static_cast<long>(pos), SEEK_SET) != 0 ||
            std::fread(chunk, 1, 12, file.get()) != 12)
            return Fail("cannot read the file");
        const std::int64_t size = U32(chunk + 4);
        if (size > fileSize - pos - 8) return Fail("chunk larger than the file");
        if (IdIs(chunk, "LIST") && IdIs(chunk + 8, "hdrl") && size >= 4) {
            if (size > kMaxHeaderList) return Fail("header list too large");
            std::string list(static_cast<std::size_t>(size - 4), '\0');
            if (std::fread(list.data(), 1, list.size(), file.get()) != list.size())
                return Fail("cannot read the file");
            return ParseHeaderList(list, fileSize);
        }
        pos += 8 + size + (size & 1);
    }
    return Fail("no header list");
}

bool CAviHeader::ParseHeaderList(const std::string& list, std::int64_t fileSize) {
    WalkChunks(list, 0, list.size(),
               [&](const char* id, const char* listType, std::size_t body, std::size_t end) {
                   if (IdIs(id, "avih") && end - body >= 40) {
                       microSecPerFrame_ = U32(list.data() + body);
                       mainFrames_ = U32(list.data() + body + 16);
                   } else if (listType && IdIs(listType, "strl") && !haveVideo_) {
                       ParseStream(list, body, end);
                   } else if (listType && IdIs(listType, "odml")) {
                       WalkChunks(list, body, end,
                                  [&](const char* sub, const char*, std::size_t b, std::size_t e) {
                                      if (IdIs(sub, "dmlh") && e - b >= 4)
                                          odmlFrames_ = U32(list.data() + b);
                                  });
                   }
               });
    return Validate(fileSize);
}

bool CAviHeader::ParseStream(const std::string& list, std::size_t begin, std::size_t end) {
    const char* strh = nullptr;
    const char* strf = nullptr;
    WalkChunks(list, begin, end, [&](const char* id, const char*, std::size_t b, std::size_t e) {
        if (IdIs(id, "strh") && e - b >= 36 && !strh)
            strh = list.data() + b;
        else if (IdIs(id, "strf") && e - b >= 40 && !strf)
            strf = list.data() + b;
    });
    if (!strh || !strf || !IdIs(strh, "vids")) return false;
    haveVideo_ = true;
    handler_ = CodeText(U32(strh + 4));
    scale_ = U32(strh + 20);
    rate_ = U32(strh + 24);
    streamLength_ = U32(strh + 32);
    const std::int64_t width = static_cast<std::int32_t>(U32(strf + 4));
    const std::int64_t height = static_cast<std::int32_t>(U32(strf + 8));
    width_ = width > 0 && width <= kMaxSide ? static_cast<int>(width) : 0;
    topDown_ = height < 0;
    const std::int64_t rows = height < 0 ? -height : height;
    height_ = rows > 0 && rows <= kMaxSide ? static_cast<int>(rows) : 0;
    bitCount_ = U16(strf + 14);
    compression_ = U32(strf + 16);
    if (handler_.empty() && compression_ > 3) handler_ = CodeText(compression_);
    return true;
}

bool CAviHeader::Validate(std::int64_t fileSize) {
    if (!haveVideo_) return Fail("no video stream");
    if (width_ == 0 || height_ == 0) return Fail("frame size out of range");
    if (static_cast<std::int64_t>(width_) * height_ > kMaxPixels)
        return Fail("frame size out of range");
    // An uncompressed frame must fit into the file.
    const std::int64_t rowBytes = (static_cast<std::int64_t>(width_) * bitCount_ + 31) / 32 * 4;
    if ((compression_ == 0 || compression_ == 3) && rowBytes * height_ > fileSize)
        return Fail("frame larger than the file");
    std::int64_t frames = streamLength_ ? streamLength_ : odmlFrames_ ? odmlFrames_ : mainFrames_;
    if (frames <= 0) return Fail("no frames");
    if (frames > fileSize / kMinFrameBytes || frames > INT_MAX)
        return Fail("frame count larger than the file can hold");
    frameCount_ = static_cast<int>(frames);
    if (rate_ == 0 || scale_ == 0) {
        // Streams without a rate fall back on the main header's frame time.
        rate_ = 1000000;
        scale_ = microSecPerFrame_;
        if (scale_ == 0) return Fail("no frame rate");
    }
    return true;
}

double CAviHeader::FrameRate() const {
    return scale_ ? static_cast<double>(rate_) / static_cast<double>(scale_) : 0.0;
}

double CAviHeader::LengthSeconds() const {
    const double rate = FrameRate();
    return rate > 0 ? frameCount_ / rate : 0.0;
}

kova::VideoInfo CAviHeader::Info() const {
    kova::VideoInfo info;
    info.width = width_;
    info.height = height_;
    info.frameCount = frameCount_;
    info.bitCount = bitCount_;
    info.handler = handler_;
    info.compression = compression_;
    info.rate = rate_;
    info.scale = scale_;
    return info;
}

std::string CAviHeader::PropertyText() const {
    return Info().PropertyText();
}
