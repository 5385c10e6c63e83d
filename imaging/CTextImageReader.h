#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kova {

class CFrameStore;

// Reads text images (one text line of pixel values per image row, between
// "$IMAGE_BEGIN" / "$IMAGE_END" blocks) into a frame of the store. Header
// lines may come in any order, tokens are separated by commas, blanks, tabs
// and line ends, keywords match by prefix, and data values may be spread over
// lines freely. One object per file operation: Reason() and LineCount() tell
// where and why the last read failed.
// A rectangle that does not lie inside the frame is refused with the position
// or size reason before any pixel is written. A file without any image block
// is refused with the syntax reason.
class CTextImageReader {
public:
    // Reasons of a failure (0 = none).
    static constexpr int kSyntax = 1;
    static constexpr int kColorMode = 2;
    static constexpr int kPosition = 3;
    static constexpr int kSize = 4;
    static constexpr int kData = 5;
    static constexpr int kBlocks = 6;
    static constexpr int kDispMode = 7; // a colour image for a grey frame outside any colour frame
    static constexpr int kOther = 8;    // no such frame in the store
    static constexpr int kFile = -1;
    static constexpr int kMemory = -2;

    // Largest frame a file may ask for (position plus size), in pixels: the
    // limit of the bitmap and video readers.
    static constexpr std::int64_t kMaxFramePixels = std::int64_t{1} << 26;

    static constexpr int kMono = 10;
    static constexpr int kColor = 20;

    // The header of one block.
    struct Header {
        int kind = 0; // kMono or kColor
        int x0 = 0;
        int y0 = 0;
        int x1 = 0;
        int y1 = 0;
        int width = 0;
        int height = 0;
    };

    explicit CTextImageReader(CFrameStore& store) : store_(store) {}

    // Reads every block of the file into grey frame `frame` (color false) or
    // colour frame `frame` (color true); returns the reason (0 = success).
    // The display mode and the displayed frames are restored and redisplayed.
    int Read(const std::string& path, int frame, bool color);
    // Reads only the header of the file's first block (for the information
    // command): nothing in the store changes and the rectangle is not
    // checked against the frame, only against the largest frame. Returns the
    // reason.
    int ReadHeader(const std::string& path, Header* header);

    int Reason() const { return reason_; }
    int LineCount() const { return lineCount_; }

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    bool Open(const std::string& path);
    bool NextLine(std::string_view* line);
    int ReadBlocks(int frame, bool color);
    int ReadBlock(int frame, bool color);
    int ParseHeader(Header* header, bool forStore);
    int ParseHeaderLine(const std::vector<std::string_view>& tokens, Header* header,
                        unsigned* seen);
    int ReadData(int plane, const Header& header);
    int Fail(int reason);

    CFrameStore& store_;
    std::unique_ptr<std::FILE, FileCloser> file_;
    std::vector<char> buffer_;
    std::size_t bufferPos_ = 0;
    std::size_t bufferEnd_ = 0;
    std::string line_;
    std::vector<std::string_view> tokens_;
    int reason_ = 0;
    int lineCount_ = 0;
};

} // namespace kova
