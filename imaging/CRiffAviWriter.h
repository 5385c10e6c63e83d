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
// palette, rows bottom-up as a DIB stores them. The decoder's writer cannot
// produce these formats. Counts and sizes in the headers are patched on
// Close, so they always match what was written.
//
// A file announced to fit into one segment (the count given to Open) is a
// plain AVI 1.0 file with an idx1 index and holds at most one segment. Any
// other file reserves an OpenDML (AVI 2.0) super index in its headers: the
// first RIFF 'AVI ' holds the first segment's frames with a standard index
// 'ix00' and the legacy idx1; each further segment is a RIFF 'AVIX' of its
// own with its 'ix00'. A file that stays within its first segment keeps
// the reservation as JUNK and is read as AVI 1.0. A segment closes before
// the frame that would take it past the segment limit.
class CRiffAviWriter {
public:
    // Segments stay within 1 GiB, as players expect of OpenDML files.
    static constexpr std::int64_t kSegmentBytes = std::int64_t{1} << 30;
    // Entries of the super index reserved in the headers: at most this many
    // segments (256 GiB with the default segment limit).
    static constexpr int kSuperIndexEntries = 256;

    // `segmentBytes`: the largest size of a segment (RIFF chunk), between
    // kMinSegmentBytes and kSegmentBytes; tests use small ones.
    explicit CRiffAviWriter(std::int64_t segmentBytes = kSegmentBytes);
    CRiffAviWriter(const CRiffAviWriter&) = delete;
    CRiffAviWriter& operator=(const CRiffAviWriter&) = delete;
    // Closes the file as Close does.
    ~CRiffAviWriter();

    // Creates the file (truncating one that exists) for frames of
    // width x height and 8 or 24 bits per pixel at rate / scale frames per
    // second. `countHint` is the number of frames meant (0 or less: not
    // known); false, with nothing created, when the file could not hold
    // that many frames or even one.
    bool Open(const std::string& path, int width, int height, int bitCount, std::uint32_t rate,
              std::uint32_t scale, int countHint);
    // Appends one frame: CV_8UC1 for 8 bits, CV_8UC3 (BGR) for 24, of the
    // size given to Open. False when it does not fit any more (Full) or a
    // write failed.
    bool WriteFrame(const cv::Mat& image);
    // Writes the indexes and the final sizes; false when any write failed.
    bool Close();

    bool IsOpen() const { return file_ != nullptr; }
    int FramesWritten() const { return frames_; }
    // The last frame was refused because the file holds no more.
    bool Full() const { return full_; }
    // The most frames the open file can hold.
    int CapacityFrames() const { return capacity_; }
    int Segments() const { return static_cast<int>(segments_.size()); }

    static constexpr std::int64_t kMinSegmentBytes = 64 * 1024;

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    // One RIFF chunk of the file and the frames in its movi list.
    struct Segment {
        std::int64_t riffStart = 0;
        std::int64_t moviStart = 0; // the 'movi' code; offsets count from it
        std::int64_t indexStart = 0;
        std::int64_t indexBytes = 0;
        std::uint32_t frames = 0;
    };

    bool Plan(int countHint);
    // The headers up to the first movi code; for OpenDML with the places
    // of the reserved super index and OpenDML header.
    std::vector<unsigned char> Headers(bool openDml, std::int64_t* superIndexAt,
                                       std::int64_t* odmlAt) const;
    bool WriteHeaders();
    bool StartSegment();
    void EndSegment(bool last);
    void WriteStandardIndex(Segment& segment);
    void WriteLegacyIndex(const Segment& segment);
    void PatchHeaders();
    bool PutU32At(std::int64_t offset, std::uint32_t value);
    bool PutAt(std::int64_t offset, const std::vector<unsigned char>& bytes);
    bool Put(const std::vector<unsigned char>& bytes);
    std::int64_t FrameChunkBytes() const;

    std::unique_ptr<std::FILE, FileCloser> file_;
    std::int64_t segmentBytes_;
    int width_ = 0;
    int height_ = 0;
    int bitCount_ = 0;
    std::uint32_t rate_ = 0;
    std::uint32_t scale_ = 0;
    std::size_t rowBytes_ = 0;
    std::int64_t position_ = 0;
    bool openDml_ = false;
    bool failed_ = false;
    bool full_ = false;
    int frames_ = 0;
    int capacity_ = 0;
    std::int64_t firstSegmentFrames_ = 0; // most frames of the first segment
    std::int64_t segmentFrames_ = 0;      // most frames of a further one
    std::int64_t superIndexAt_ = 0;
    std::int64_t odmlAt_ = 0;
    std::vector<Segment> segments_;
    std::vector<unsigned char> frame_;
};
