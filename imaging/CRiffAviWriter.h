#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace cv {
class Mat;
}

// Writes uncompressed AVI files: 24-bit DIB (BGR) or 8-bit grey with a grey
// palette, rows bottom-up as a DIB stores them, with an idx1 index. The
// decoder's writer cannot produce these formats. Counts and sizes in the
// headers are patched on Close, so they always match what was written.
// AVI 1.0 sizes are 32-bit: a frame that would take the file past 2 GiB is
// refused.
class CRiffAviWriter {
public:
    CRiffAviWriter() = default;
    CRiffAviWriter(const CRiffAviWriter&) = delete;
    CRiffAviWriter& operator=(const CRiffAviWriter&) = delete;
    // Closes the file as Close does.
    ~CRiffAviWriter();

    // Creates the file (truncating one that exists) for frames of
    // width x height and 8 or 24 bits per pixel at rate / scale frames per
    // second; `countHint` sizes the index in advance.
    bool Open(const std::string& path, int width, int height, int bitCount, std::uint32_t rate,
              std::uint32_t scale, int countHint);
    // Appends one frame: CV_8UC1 for 8 bits, CV_8UC3 (BGR) for 24, of the
    // size given to Open.
    bool WriteFrame(const cv::Mat& image);
    // Writes the index and the final sizes; false when any write failed.
    bool Close();

    bool IsOpen() const { return file_ != nullptr; }
    int FramesWritten() const { return static_cast<int>(index_.size()); }

    static constexpr std::int64_t kMaxFileBytes = 0x7FFFFFFF;

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    struct IndexEntry {
        std::uint32_t offset;
        std::uint32_t size;
    };

    bool WriteHeaders();
    bool PutU32At(long offset, std::uint32_t value);
    bool Put(const std::vector<unsigned char>& bytes);

    std::unique_ptr<std::FILE, FileCloser> file_;
    int width_ = 0;
    int height_ = 0;
    int bitCount_ = 0;
    std::uint32_t rate_ = 0;
    std::uint32_t scale_ = 0;
    std::size_t rowBytes_ = 0;
    std::int64_t position_ = 0;
    long moviStart_ = 0;
    bool failed_ = false;
    std::vector<IndexEntry> index_;
    std::vector<unsigned char> frame_;
};
