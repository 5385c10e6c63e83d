// Uncompressed AVI files past the segment limit: OpenDML segments read back
// by our header reader, both decoders and (when installed) ffprobe.
#include "CAviHeader.h"
#include "CAviVideo.h"
#include "CRiffAviWriter.h"
#include "TestFiles.h"
#include "VideoFrames.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <opencv2/imgproc.hpp>

namespace kova {
namespace {

using test::ReadBytes;
using test::TempDir;

constexpr std::int64_t kSegment = 256 * 1024;

std::uint32_t U32(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return v;
}

// The RIFF chunks with the chunks inside each ("AVI :hdrl,movi,idx1|AVIX:movi");
// every RIFF within the segment limit.
std::string Layout(const std::string& bytes) {
    std::string text;
    for (std::size_t riff = 0; riff + 12 <= bytes.size(); riff += 8 + U32(bytes, riff + 4)) {
        const std::size_t end = riff + 8 + U32(bytes, riff + 4);
        EXPECT_LE(end - riff, static_cast<std::size_t>(kSegment));
        text += (text.empty() ? "" : "|") + bytes.substr(riff + 8, 4) + ":";
        for (std::size_t at = riff + 12; at + 8 <= end; at += 8 + U32(bytes, at + 4))
            text += (at == riff + 12 ? "" : ",") +
                    bytes.substr(bytes.compare(at, 4, "LIST") == 0 ? at + 8 : at, 4);
    }
    return text;
}

// Frame i: noise of its own, so any frame out of place shows.
cv::Mat Frame(int i, int type) {
    cv::Mat image(120, 161, type); // odd width: DIB rows are padded
    cv::setRNGSeed(i + 1);
    cv::randu(image, 0, 256);
    return image;
}

// Frames as ffprobe counts them by decoding; -1 without ffprobe.
int ProbeFrames(const std::string& path) {
    if (std::system("ffprobe -version >/dev/null 2>&1") != 0) return -1;
    const std::string command = "ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                                "stream=nb_read_frames -of csv=p=0 " +
                                path;
    std::FILE* pipe = popen(command.c_str(), "r");
    int frames = -2;
    if (pipe && std::fscanf(pipe, "%d", &frames) != 1) frames = -2;
    if (pipe) pclose(pipe);
    return frames;
}

TEST(OpenDmlTest, SegmentsHoldEveryFrameInOrder) {
    struct Case {
        int bits, type, frames; // four segments of 256 KiB each
    };
    const Case cases[] = {{24, CV_8UC3, 14}, {8, CV_8UC1, 40}};
    for (const Case& k : cases) {
        TempDir dir;
        const std::string path = dir.File("long.avi");
        CRiffAviWriter writer(kSegment);
        ASSERT_TRUE(writer.Open(path, 161, 120, k.bits, 25, 1, 0));
        for (int i = 0; i < k.frames; ++i)
            ASSERT_TRUE(writer.WriteFrame(Frame(i, k.type)));
        ASSERT_TRUE(writer.Close());
        const std::string bytes = ReadBytes(path);
        EXPECT_EQ(Layout(bytes), "AVI :hdrl,movi,idx1|AVIX:movi|AVIX:movi|AVIX:movi");
        // The super index: one standard index a segment, every frame counted.
        const std::size_t indx = bytes.find("indx");
        ASSERT_LT(indx, bytes.find("movi"));
        ASSERT_EQ(U32(bytes, indx + 12), 4u);
        std::uint32_t frames = 0;
        for (std::size_t e = indx + 32; e < indx + 32 + 4 * 16; e += 16) {
            const std::size_t ix = U32(bytes, e);
            EXPECT_EQ(bytes.substr(ix, 4), "ix00");
            EXPECT_EQ(U32(bytes, e + 8), U32(bytes, ix + 4) + 8);
            ASSERT_EQ(U32(bytes, ix + 12), U32(bytes, e + 12));
            // Each entry points at the data of a frame chunk from the base offset.
            for (std::size_t j = 0; j < U32(bytes, ix + 12); ++j) {
                const std::size_t data = U32(bytes, ix + 20) + U32(bytes, ix + 32 + 8 * j);
                EXPECT_EQ(bytes.substr(data - 8, 4), "00db");
                EXPECT_EQ(U32(bytes, data - 4), U32(bytes, ix + 36 + 8 * j));
            }
            frames += U32(bytes, e + 12);
        }
        EXPECT_EQ(frames, static_cast<std::uint32_t>(k.frames));
        EXPECT_EQ(U32(bytes, bytes.find("dmlh") + 8), frames);
        CAviHeader header;
        ASSERT_TRUE(header.Read(path)) << header.Error();
        EXPECT_EQ(header.FrameCount(), k.frames);
        const int probed = ProbeFrames(path);
        EXPECT_EQ(probed == -1 ? k.frames : probed, k.frames);
        // Both decoders, on from the start and (ours) seeking backwards.
        CAviVideo avi;
        VideoFrames video;
        ASSERT_EQ(avi.Open(path), 1) << avi.Error();
        ASSERT_TRUE(video.Open(path)) << video.Error();
        ASSERT_EQ(video.Count(), k.frames);
        for (int i = 0; i < 2 * k.frames; ++i) {
            const int f = i < k.frames ? i : 2 * k.frames - 1 - i;
            cv::Mat want = Frame(f, k.type);
            if (k.bits == 8) cv::cvtColor(want, want, cv::COLOR_GRAY2BGR);
            EXPECT_EQ(cv::norm(avi.DecodeFrame(f), want, cv::NORM_INF), 0) << k.bits << " " << f;
            if (i < k.frames) {
                EXPECT_EQ(cv::norm(video.Decode(f), want, cv::NORM_INF), 0) << k.bits << " " << f;
            }
        }
    }
}

TEST(OpenDmlTest, FilesWithinOneSegmentStayAvi10) {
    TempDir dir;
    for (int hint : {3, 0}) { // announced to fit; length not known
        const std::string path = dir.File("short" + std::to_string(hint) + ".avi");
        CRiffAviWriter writer(kSegment);
        ASSERT_TRUE(writer.Open(path, 8, 6, 24, 25, 1, hint));
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(writer.WriteFrame(Frame(i, CV_8UC3)(cv::Rect(0, 0, 8, 6))));
        ASSERT_TRUE(writer.Close());
        const std::string bytes = ReadBytes(path);
        // Headers, 3 frame chunks, idx1; unknown length reserves OpenDML room as JUNK.
        EXPECT_EQ(Layout(bytes), "AVI :hdrl,movi,idx1");
        EXPECT_EQ(bytes.size(), (hint ? 224u : 224u + 4128 + 268) + 3 * 152 + 8 + 3 * 16);
        EXPECT_EQ(bytes.find("ix00"), std::string::npos);
        const int probed = ProbeFrames(path);
        EXPECT_EQ(probed == -1 ? 3 : probed, 3);
    }
}

TEST(OpenDmlTest, SizesBeyondTheCapacityAreRefusedBeforeWriting) {
    TempDir dir;
    const std::string path = dir.File("big.avi");
    CRiffAviWriter writer(64 * 1024); // one 200 x 100 colour frame a segment
    EXPECT_FALSE(writer.Open(path, 200, 100, 24, 25, 1, CRiffAviWriter::kSuperIndexEntries + 1));
    EXPECT_FALSE(writer.Open(path, 200, 110, 24, 25, 1, 0)); // a frame larger than a segment
    EXPECT_FALSE(test::Exists(path));
    CAviVideo avi; // 8192 x 8192 colour: five frames a 1 GiB segment
    EXPECT_EQ(avi.Create(path, 8192, 8192, 5 * 256 + 1, 25, CAviVideo::Layout::Frames, 1), 0);
    EXPECT_FALSE(test::Exists(path));
    // Filled to the capacity: the next frame is refused, the file keeps the rest.
    ASSERT_TRUE(writer.Open(path, 200, 100, 24, 25, 1, 0));
    const cv::Mat frame(100, 200, CV_8UC3, cv::Scalar(1, 2, 3));
    for (int i = 0; i < CRiffAviWriter::kSuperIndexEntries; ++i)
        ASSERT_TRUE(writer.WriteFrame(frame)) << i;
    EXPECT_FALSE(writer.Full());
    EXPECT_FALSE(writer.WriteFrame(frame));
    EXPECT_TRUE(writer.Full());
    ASSERT_TRUE(writer.Close());
    CAviHeader header;
    ASSERT_TRUE(header.Read(path)) << header.Error();
    EXPECT_EQ(header.FrameCount(), CRiffAviWriter::kSuperIndexEntries);
}

} // namespace
} // namespace kova
