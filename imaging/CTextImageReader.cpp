#include "CTextImageReader.h"

#include "CFrameStore.h"
#include "InputFile.h"

#include <climits>
#include <cstring>

namespace kova {

namespace {

constexpr std::size_t kChunk = 64 * 1024;
constexpr unsigned kSeenPosition = 1;
constexpr unsigned kSeenSize = 2;
constexpr unsigned kSeenMode = 4;
constexpr unsigned kSeenAll = 7;

bool StartsWith(std::string_view text, std::string_view keyword) {
    return text.substr(0, keyword.size()) == keyword;
}

std::string_view TrimLeft(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    return text.substr(i);
}

bool IsSeparator(char c) {
    return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

void Tokenize(std::string_view line, std::vector<std::string_view>* tokens) {
    tokens->clear();
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsSeparator(line[i]))
            ++i;
        const std::size_t begin = i;
        while (i < line.size() && !IsSeparator(line[i]))
            ++i;
        if (i > begin) tokens->push_back(line.substr(begin, i - begin));
    }
}

// Leading decimal integer of a token as atoi reads it (optional sign, digits
// up to the first other character), saturated to int; `digits` tells whether
// there was any digit.
int LeadingInt(std::string_view token, bool* digits) {
    std::size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
    long long value = 0;
    const std::size_t first = i;
    for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i)
        if (value <= INT_MAX) value = value * 10 + (token[i] - '0');
    if (digits) *digits = i > first;
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

bool HeaderInt(std::string_view token, int* value) {
    bool digits = false;
    *value = LeadingInt(token, &digits);
    return digits;
}

} // namespace

int CTextImageReader::Fail(int reason) {
    reason_ = reason;
    return reason;
}

bool CTextImageReader::Open(const std::string& path) {
    reason_ = 0;
    lineCount_ = 0;
    bufferPos_ = bufferEnd_ = 0;
    buffer_.resize(kChunk);
    file_.reset(OpenInputFile(path));
    return file_ != nullptr;
}

// Next line without its line end; false at the end of the file or on a read
// error (a read error sets the file reason).
bool CTextImageReader::NextLine(std::string_view* line) {
    line_.clear();
    bool any = false;
    for (;;) {
        if (bufferPos_ == bufferEnd_) {
            bufferPos_ = 0;
            bufferEnd_ = std::fread(buffer_.data(), 1, buffer_.size(), file_.get());
            if (bufferEnd_ == 0) {
                if (std::ferror(file_.get())) reason_ = kFile;
                break;
            }
        }
        any = true;
        const char* begin = buffer_.data() + bufferPos_;
        const void* found = std::memchr(begin, '\n', bufferEnd_ - bufferPos_);
        if (!found) {
            line_.append(begin, bufferEnd_ - bufferPos_);
            bufferPos_ = bufferEnd_;
            continue;
        }
        const auto* end = static_cast<const char*>(found);
        line_.append(begin, static_cast<std::size_t>(end - begin));
        bufferPos_ += static_cast<std::size_t>(end - begin) + 1;
        break;
    }
    if (!any || reason_ == kFile) return false;
    if (!line_.empty() && line_.back() == '\r') line_.pop_back();
    ++lineCount_;
    *line = line_;
    return true;
}

int CTextImageReader::Read(const std::string& path, int frame, bool color) {
    if (!Open(path)) return Fail(kFile);
    if (color ? !store_.IsColorFrame(frame) : !store_.IsMonoFrame(frame)) return Fail(kOther);
    const int mode = store_.Get_dispmode();
    const int shownMono = store_.Get_dispframe();
    const int shownColor = store_.Get_dispframe_color();
    const int reason = ReadBlocks(frame, color);
    store_.Put_dispmode(mode);
    if (mode == CFrameStore::kColorDispMode)
        store_.Disp_frame_color(shownColor);
    else
        store_.Disp_frame(shownMono);
    file_.reset();
    return Fail(reason);
}

int CTextImageReader::ReadHeader(const std::string& path, Header* header) {
    if (!Open(path)) return Fail(kFile);
    std::string_view line;
    while (NextLine(&line)) {
        if (StartsWith(TrimLeft(line), "$IMAGE_BEGIN")) return Fail(ParseHeader(header, false));
    }
    return Fail(reason_ == kFile ? kFile : kSyntax);
}

int CTextImageReader::ReadBlocks(int frame, bool color) {
    int blocks = 0;
    std::string_view line;
    while (NextLine(&line)) {
        if (!StartsWith(TrimLeft(line), "$IMAGE_BEGIN")) continue;
        const int reason = ReadBlock(frame, color);
        if (reason != 0) return reason;
        ++blocks;
    }
    if (reason_ == kFile) return kFile;
    return blocks > 0 ? 0 : kSyntax;
}

int CTextImageReader::ReadBlock(int frame, bool color) {
    Header header;
    int reason = ParseHeader(&header, true);
    if (reason != 0) return reason;
    int planes[3] = {frame, -1, -1};
    int colorFrame = color ? frame : store_.Get_color_frame(frame);
    if (color || header.kind == kColor) {
        if (colorFrame < 0) return kDispMode;
        store_.Get_frame_monochrome(colorFrame, planes[0], planes[1], planes[2]);
    }
    const int expected = header.kind == kColor ? 3 : 1;
    if (expected == 1 && !color) planes[0] = frame;
    int got = 0;
    std::string_view line;
    for (;;) {
        if (!NextLine(&line)) return reason_ == kFile ? kFile : kSyntax;
        const std::string_view text = TrimLeft(line);
        if (text.empty()) continue;
        if (StartsWith(text, "$IMAGE_END")) break;
        if (!StartsWith(text, "$DATA_BEGIN")) return kSyntax;
        if (got == expected) return kBlocks;
        reason = ReadData(planes[got], header);
        if (reason != 0) return reason;
        ++got;
    }
    return got == expected ? 0 : kBlocks;
}

int CTextImageReader::ParseHeader(Header* header, bool forStore) {
    unsigned seen = 0;
    std::string_view line;
    while (seen != kSeenAll && NextLine(&line)) {
        Tokenize(line, &tokens_);
        if (tokens_.empty()) continue;
        const int reason = ParseHeaderLine(tokens_, header, &seen);
        if (reason != 0) return reason;
        const bool placed = (seen & (kSeenPosition | kSeenSize)) == (kSeenPosition | kSeenSize);
        if (!forStore || !placed || StartsWith(tokens_[0], "$COLORMODE")) continue;
        // The rectangle must lie inside the frame before anything is written.
        if (header->x0 >= store_.Width() || header->y0 >= store_.Height()) return kPosition;
        if (header->width > store_.Width() - header->x0 ||
            header->height > store_.Height() - header->y0)
            return kSize;
        store_.Put_window(header->x0, header->y0, header->x0 + header->width - 1,
                          header->y0 + header->height - 1);
    }
    if (reason_ == kFile) return kFile;
    if (!(seen & kSeenPosition)) return kPosition;
    if (!(seen & kSeenSize)) return kSize;
    if (!(seen & kSeenMode)) return kColorMode;
    if (!forStore) {
        // The frame that holds the rectangle where the file puts it must be
        // one the store can make.
        const auto right = std::int64_t{header->x0} + header->width;
        const auto bottom = std::int64_t{header->y0} + header->height;
        if ((header->x0 + std::int64_t{1}) * (header->y0 + 1) > kMaxFramePixels) return kPosition;
        if (right > CFrameStore::kMaxSide || bottom > CFrameStore::kMaxSide ||
            right * bottom > kMaxFramePixels)
            return kSize;
    }
    header->x1 = header->x0 + header->width - 1;
    header->y1 = header->y0 + header->height - 1;
    return 0;
}

int CTextImageReader::ParseHeaderLine(const std::vector<std::string_view>& tokens, Header* header,
                                      unsigned* seen) {
    const std::string_view key = tokens[0];
    int a = 0, b = 0;
    if (StartsWith(key, "$POSITION")) {
        if (tokens.size() < 3 || !HeaderInt(tokens[1], &a) || !HeaderInt(tokens[2], &b) || a < 0 ||
            b < 0 || a > CFrameStore::kMaxSide || b > CFrameStore::kMaxSide)
            return kPosition;
        header->x0 = a;
        header->y0 = b;
        *seen |= kSeenPosition;
    } else if (StartsWith(key, "$SIZE")) {
        if (tokens.size() < 3 || !HeaderInt(tokens[1], &a) || !HeaderInt(tokens[2], &b) || a < 1 ||
            b < 1 || a > CFrameStore::kMaxSide || b > CFrameStore::kMaxSide)
            return kSize;
        header->width = a;
        header->height = b;
        *seen |= kSeenSize;
    } else if (StartsWith(key, "$COLORMODE")) {
        if (tokens.size() < 2 || (tokens[1] != "mono" && tokens[1] != "color")) return kColorMode;
        header->kind = tokens[1] == "mono" ? kMono : kColor;
        *seen |= kSeenMode;
    } else {
        return kSyntax;
    }
    return 0;
}

int CTextImageReader::ReadData(int plane, const Header& header) {
    cv::Mat& pixels = store_.Plane(plane);
    int x = header.x0;
    int y = header.y0;
    uchar* row = pixels.ptr<uchar>(y);
    bool ended = false;
    bool stray = false;
    int reason = 0;
    std::string_view line;
    while (!ended && reason == 0 && NextLine(&line)) {
        Tokenize(line, &tokens_);
        for (std::string_view token : tokens_) {
            if (token[0] == '$') {
                ended = true;
                stray = !StartsWith(token, "$DATA_END");
                break;
            }
            if (y > header.y1) {
                reason = kData; // one value too many: not stored
                break;
            }
            row[x] = static_cast<uchar>(LeadingInt(token, nullptr) & 0xFF);
            if (++x > header.x1) {
                x = header.x0;
                if (++y <= header.y1) row = pixels.ptr<uchar>(y);
            }
        }
    }
    store_.Touch(plane);
    if (reason != 0) return reason;
    if (reason_ == kFile) return kFile;
    if (x != header.x0 || y != header.y1 + 1) return kData;
    return stray || !ended ? kSyntax : 0;
}

} // namespace kova
