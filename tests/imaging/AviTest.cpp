// AVI reading and writing against files written and read by the ffmpeg tool
// (skipped when it is not installed), plus header checks on crafted files.
#include "CAviHeader.h"
#include "CAviVideo.h"
#include "CFrameStore.h"
#include "CVideoCapDS.h"
#include "TestFiles.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>
#include <random>

namespace kova {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

constexpr int kWidth = 33; // odd: DIB rows are padded
constexpr int kHeight = 21;
constexpr int kFrames = 3;

bool HaveFfmpeg() {
    static const bool have = std::system("ffmpeg -version >/dev/null 2>&1") == 0;
    return have;
}

bool RunTool(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// Frames of at most 150 distinct colours, so a generated palette holds them
// exactly.
std::vector<cv::Mat> SourceFrames(const TempDir& dir) {
    std::mt19937 random(7);
    std::vector<cv::Vec3b> colours(150);
    for (auto& c : colours)
        c = cv::Vec3b(random() & 0xFF, random() & 0xFF, random() & 0xFF);
    std::vector<cv::Mat> frames;
    for (int f = 0; f < kFrames; ++f) {
        cv::Mat image(kHeight, kWidth, CV_8UC3);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                image.at<cv::Vec3b>(y, x) = colours[random() % colours.size()];
        cv::imwrite(dir.File("src" + std::to_string(f + 1) + ".png"), image);
        frames.push_back(image);
    }
    return frames;
}

// Encodes the source frames with ffmpeg: `options` picks codec and format.
std::string Encode(const TempDir& dir, const std::string& name, const std::string& options) {
    const std::string out = dir.File(name);
    const bool ok =
        RunTool("ffmpeg -y -framerate 25 -i " + dir.File("src%d.png") + " " + options + " " + out);
    return ok ? out : std::string();
}

// What the ffmpeg tool itself decodes (BGR frames).
std::vector<cv::Mat> ToolDecode(const std::string& path, int width, int height) {
    const std::string raw = path + ".raw";
    std::vector<cv::Mat> frames;
    if (!RunTool("ffmpeg -y -i " + path + " -vsync passthrough -f rawvideo -pix_fmt bgr24 " + raw))
        return frames;
    const std::string bytes = ReadBytes(raw);
    const std::size_t frameBytes = static_cast<std::size_t>(width) * height * 3;
    for (std::size_t at = 0; at + frameBytes <= bytes.size(); at += frameBytes)
        frames.push_back(
            cv::Mat(height, width, CV_8UC3, const_cast<char*>(bytes.data() + at)).clone());
    return frames;
}

double MaxDiff(const cv::Mat& a, const cv::Mat& b) {
    return a.size() == b.size() && a.type() == b.type() ? cv::norm(a, b, cv::NORM_INF) : 1e9;
}

cv::Mat Grey(const cv::Mat& bgr) {
    cv::Mat grey;
    cv::cvtColor(bgr, grey, cv::COLOR_BGR2GRAY);
    return grey;
}

class AviTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
        source_ = SourceFrames(dir_);
    }

    // Loads every frame of `path` as colour (or grey) frames 1.. and checks them.
    void ExpectFrames(const std::string& path, const std::vector<cv::Mat>& expected,
                      double tolerance, int color = 1) {
        CAviVideo avi;
        ASSERT_EQ(avi.Open(path), 1) << path;
        ASSERT_EQ(avi.GetFrameCount(), static_cast<int>(expected.size()));
        for (int i = 0; i < avi.GetFrameCount(); ++i) {
            ASSERT_EQ(avi.LoadFrameFromAVI(i, store_, i + 1, color, 0, 0), 1);
            const cv::Mat got = color ? store_.Get_image_color(i + 1) : store_.Get_image(i + 1);
            EXPECT_LE(MaxDiff(got, color ? expected[i] : Grey(expected[i])), tolerance)
                << path << " frame " << i;
        }
    }

    TempDir dir_;
    std::vector<cv::Mat> source_;
    CFrameStore store_;
};

TEST_F(AviTest, ToolFilesGiveTheSourcePixelsOrWhatTheToolDecodes) {
    struct Case {
        const char* name;
        const char* options;
        int bits;
        const char* handler;
        int color;     // colour frames, or grey frames against the grey source
        int tolerance; // -1: compared with the tool's own decoding within 2
    };
    const Case cases[] = {
        {"td.avi", "-c:v rawvideo -pix_fmt bgr24", 24, "", 1, 0},
        {"bu.avi", "-vf vflip -c:v rawvideo -pix_fmt bgr24 -flipped_raw_rgb 1", 24, "", 1, 0},
        {"p8.avi",
         "-vf \"split[a][b];[a]palettegen=reserve_transparent=0[p];[b][p]paletteuse=dither="
         "none\" -c:v rawvideo -pix_fmt pal8",
         8, "", 1, 0},
        // The tool's own grey conversion is the reference: allow its rounding.
        {"g8.avi", "-c:v rawvideo -pix_fmt gray", 8, "Y800", 0, 1},
        {"mj.avi", "-c:v mjpeg -q:v 2", 24, "MJPG", 1, -1},
    };
    for (const Case& k : cases) {
        const std::string path = Encode(dir_, k.name, k.options);
        ASSERT_FALSE(path.empty()) << k.name;
        CAviHeader header;
        ASSERT_TRUE(header.Read(path)) << header.Error();
        EXPECT_EQ((std::vector<double>{double(header.Width()), double(header.Height()),
                                       double(header.FrameCount()), double(header.BitCount()),
                                       header.FrameRate()}),
                  (std::vector<double>{kWidth, kHeight, kFrames, double(k.bits), 25.0}))
            << k.name;
        EXPECT_EQ(header.Handler(), k.handler) << k.name;
        if (k.tolerance < 0)
            ExpectFrames(path, ToolDecode(path, kWidth, kHeight), 2);
        else
            ExpectFrames(path, source_, k.tolerance, k.color);
    }
}

TEST_F(AviTest, SeekingGivesTheSameFramesAsReadingOn) {
    CAviVideo avi;
    ASSERT_EQ(avi.Open(Encode(dir_, "mj.avi", "-c:v mjpeg -q:v 2")), 1);
    std::vector<cv::Mat> inOrder;
    for (int i = 0; i < kFrames; ++i)
        inOrder.push_back(avi.DecodeFrame(i).clone());
    for (int i : {2, 0, 1, 1, 2})
        EXPECT_EQ(MaxDiff(avi.DecodeFrame(i), inOrder[i]), 0) << i;
    EXPECT_TRUE(avi.DecodeFrame(kFrames).empty());
    EXPECT_TRUE(avi.DecodeFrame(-1).empty());
}

TEST_F(AviTest, FramesArePlacedAndClippedAtAPosition) {
    CAviVideo avi;
    ASSERT_EQ(avi.Open(Encode(dir_, "td.avi", "-c:v rawvideo -pix_fmt bgr24")), 1);
    store_.Put_framesize(40, 30);
    ASSERT_EQ(avi.LoadFrameFromAVI(1, store_, 2, 1, 20, 25), 1);
    const cv::Mat colour = store_.Get_image_color(2);
    EXPECT_EQ(colour.size(), cv::Size(40, 30)); // the store keeps its size
    EXPECT_EQ(MaxDiff(colour(cv::Rect(20, 25, 20, 5)), source_[1](cv::Rect(0, 0, 20, 5))), 0);
    EXPECT_EQ(cv::countNonZero(Grey(colour(cv::Rect(0, 0, 20, 25)))), 0);
    ASSERT_EQ(avi.LoadFrameFromAVI(0, store_, 3, 0, 5, 5), 1);
    EXPECT_EQ(MaxDiff(store_.Get_image(3)(cv::Rect(5, 5, 33, 21)), Grey(source_[0])), 0);
    // Outside the frame, or a frame the store does not have: refused.
    EXPECT_EQ(avi.LoadFrameFromAVI(0, store_, 3, 0, 40, 0), 0);
    EXPECT_EQ(avi.LoadFrameFromAVI(0, store_, store_.Get_nofframe_color() + 1, 1, 0, 0), 0);
}

TEST_F(AviTest, ThirtyTwoBitFilesAreNotLoadedButTheFallbackReadsARange) {
    const std::string path = Encode(dir_, "b32.avi", "-c:v rawvideo -pix_fmt bgra");
    CAviVideo avi;
    ASSERT_EQ(avi.Open(path), 1);
    EXPECT_EQ(avi.Header().PropertyText(), " Not supporting the format of file.");
    EXPECT_EQ(avi.LoadFrameFromAVI(0, store_, 1, 1, 0, 0), 0);

    CVideoCapDS capture(store_);
    std::int64_t last = 0;
    ASSERT_EQ(capture.PutCaptureFileName(path), 1);
    ASSERT_EQ(capture.GetFrameNumber(&last), 1);
    EXPECT_EQ(last, kFrames - 1);
    // AVI frames 0 and 2 into colour frames 4 and 5.
    ASSERT_EQ(capture.ReadImageToMemory(4, 5, 0, 0, 0, 2), 1);
    EXPECT_EQ(MaxDiff(store_.Get_image_color(4), source_[0]), 0);
    EXPECT_EQ(MaxDiff(store_.Get_image_color(5), source_[2]), 0);
    // Running past the end of the file fails after the frames it could read.
    EXPECT_EQ(capture.ReadImageToMemory(6, 8, 0, 0, 1, 1), 0);
    EXPECT_EQ(capture.GetOperateFrame(), 7);
}

// ---- writing ----

class AviWriteTest : public AviTest {
protected:
    void SetUp() override {
        AviTest::SetUp();
        if (IsSkipped()) return;
        for (int i = 0; i < kFrames; ++i) {
            store_.Put_image_color(i + 1, source_[i], 0, 0);
            store_.Put_image(i + 1, Grey(source_[i]), 0, 0);
        }
    }
};

TEST_F(AviWriteTest, FilesReadBackByTheToolAndByUs) {
    struct Case {
        const char* name;
        int color;
        CAviVideo::Codec codec;
        int even; // the MJPEG encoder needs an even frame size
        const char* header;
    };
    const Case cases[] = {{"c.avi", 1, CAviVideo::Codec::Raw, 0, "24 DIB "},
                          {"g.avi", 0, CAviVideo::Codec::Raw, 0, "8 DIB "},
                          {"m.avi", 1, CAviVideo::Codec::Mjpeg, 1, "24 MJPG"}};
    for (const Case& k : cases) {
        const int w = kWidth - k.even, h = kHeight - k.even;
        store_.Put_framesize(w, h);
        const std::string path = dir_.File(k.name);
        CAviVideo avi;
        ASSERT_EQ(avi.Create(path, w, h, 10, 30, CAviVideo::Layout::Frames, k.color, k.codec), 1);
        for (int i = 1; i <= kFrames; ++i)
            ASSERT_EQ(avi.WriteFrame(store_, i), 1);
        ASSERT_EQ(avi.Close(), 1);
        // The frame count follows what was written (10 announced).
        CAviHeader header;
        ASSERT_TRUE(header.Read(path)) << header.Error();
        EXPECT_EQ(std::to_string(header.BitCount()) + " " + header.Handler() + " " +
                      std::to_string(header.FrameCount()) + " " +
                      std::to_string(header.FrameRate()),
                  std::string(k.header) + " 3 30.000000");
        const auto tool = ToolDecode(path, w, h);
        ASSERT_EQ(tool.size(), source_.size()) << k.name;
        ExpectFrames(path, tool, k.even ? 2 : 0, k.color);
        for (int i = 0; i < kFrames && !k.even; ++i)
            EXPECT_EQ(
                MaxDiff(k.color ? tool[i] : Grey(tool[i]), k.color ? source_[i] : Grey(source_[i])),
                0);
    }
}

TEST_F(AviWriteTest, FieldsHoldTheRowsOfTheirParity) {
    const std::string path = dir_.File("f.avi");
    CAviVideo avi;
    ASSERT_EQ(avi.Create(path, kWidth, kHeight, 3, 25, CAviVideo::Layout::Fields, 1), 1);
    EXPECT_EQ(avi.WriteFrame(store_, 1), 0); // frames do not go into a field file
    ASSERT_EQ(avi.WriteField(store_, 1, CAviVideo::kOddField), 1);
    ASSERT_EQ(avi.WriteField(store_, 1, CAviVideo::kEvenField), 1);
    ASSERT_EQ(avi.WriteField(store_, 2, CAviVideo::kOddField), 1);
    EXPECT_EQ(avi.WriteField(store_, 2, 3), 0);
    ASSERT_EQ(avi.Close(), 1);
    const auto tool = ToolDecode(path, kWidth, kHeight / 2);
    ASSERT_EQ(tool.size(), 3u);
    const int sourceFrame[3] = {0, 0, 1};
    const int firstRow[3] = {0, 1, 0};
    for (int f = 0; f < 3; ++f)
        for (int r = 0; r < kHeight / 2; ++r)
            EXPECT_EQ(MaxDiff(tool[f].row(r), source_[sourceFrame[f]].row(firstRow[f] + 2 * r)), 0)
                << f << " " << r;
}

TEST_F(AviWriteTest, ImpossibleRequestsAreRefused) {
    CAviVideo avi;
    const std::string path = dir_.File("x.avi");
    using L = CAviVideo::Layout;
    const auto mjpeg = CAviVideo::Codec::Mjpeg;
    EXPECT_EQ(avi.Create(path, kWidth, kHeight, 3, 0, L::Frames, 1), 0);
    EXPECT_EQ(avi.Create(path, kWidth, 1, 3, 25, L::Fields, 1), 0);
    // An odd size would lose its last column and row in the MJPEG encoder.
    EXPECT_EQ(avi.Create(path, kWidth, kHeight - 1, 3, 25, L::Frames, 1, mjpeg), 0);
    EXPECT_EQ(avi.Create(path, kWidth - 1, kHeight + 1, 3, 25, L::Fields, 1, mjpeg), 0);
    EXPECT_EQ(avi.Create(dir_.File("no/such/dir.avi"), kWidth, kHeight, 3, 25, L::Frames, 1), 0);
    EXPECT_EQ(avi.WriteFrame(store_, 1), 0); // nothing created
    // A store frame of another size than the file's is not written.
    ASSERT_EQ(avi.Create(path, kWidth + 1, kHeight, 3, 25, L::Frames, 1), 1);
    EXPECT_EQ(avi.WriteFrame(store_, 1), 0);
    EXPECT_EQ(avi.ItemsWritten(), 0);
    EXPECT_EQ(avi.Close(), 1);
}

// ---- headers of crafted files (no tool needed) ----

class AviHeaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        CRiffAviWriter writer;
        ASSERT_TRUE(writer.Open(dir_.File("ok.avi"), 8, 6, 24, 25, 1, 2));
        ASSERT_TRUE(writer.WriteFrame(cv::Mat(6, 8, CV_8UC3, cv::Scalar(1, 2, 3))));
        ASSERT_TRUE(writer.WriteFrame(cv::Mat(6, 8, CV_8UC3, cv::Scalar(4, 5, 6))));
        ASSERT_TRUE(writer.Close());
        bytes_ = ReadBytes(dir_.File("ok.avi"));
    }

    // Reads `bytes` as a file; the error text, or "" when it was accepted.
    std::string ReadError(const std::string& bytes) {
        WriteBytes(dir_.File("t.avi"), bytes);
        return header_.Read(dir_.File("t.avi")) ? "" : header_.Error();
    }

    // Our file with 32-bit little-endian words put at byte offsets.
    std::string Patched(std::initializer_list<std::pair<std::size_t, std::uint32_t>> words) {
        std::string bytes = bytes_;
        for (const auto& [at, value] : words)
            for (int i = 0; i < 4; ++i)
                bytes[at + i] = static_cast<char>(value >> (8 * i));
        return bytes;
    }

    TempDir dir_;
    std::string bytes_;
    CAviHeader header_;
};

TEST_F(AviHeaderTest, OurFileAndAPatchedOneGiveTheirPropertyText) {
    ASSERT_EQ(ReadError(bytes_), "");
    EXPECT_EQ(header_.PropertyText(), " Video length:   0.1s   Size:   8 x 6\n\n 2 Frame   24 Bit "
                                      "color  Non-compress DIB \n\nFrame rate: 25.0 Hz \n\n");
    // Compression RLE8 and scale 3 (25 / 3 Hz), stream handler cvid.
    std::string patched = Patched({{188, 1}, {128, 3}});
    patched.replace(112, 4, "cvid");
    ASSERT_EQ(ReadError(patched), "");
    EXPECT_EQ(header_.PropertyText(), " Video length:   0.2s   Size:   8 x 6\n\n 2 Frame   24 Bit "
                                      "color  2 bytes code Cinepak compress \n\nFrame rate: 8.3 Hz "
                                      "\n\n");
}

TEST_F(AviHeaderTest, MalformedHeadersAreRefused) {
    const std::pair<std::string, const char*> cases[] = {
        {"", "file too short for a RIFF header"},
        {"RIFX" + bytes_.substr(4), "not a RIFF AVI file"},
        {Patched({{16, 0x7FFFFFF0}}), "chunk larger than the file"}, // header list
        {Patched({{140, 0x7FFFFFFF}}), "frame count larger than the file can hold"},
        {Patched({{176, 0}}), "frame size out of range"},           // width
        {Patched({{180, 0x80000000u}}), "frame size out of range"}, // height INT_MIN
        // 9000 x 9000 pixels: beyond any video of the system.
        {Patched({{176, 9000}, {180, 9000}}), "frame size out of range"},
        // An uncompressed frame larger than the whole file.
        {Patched({{176, 4000}}), "frame larger than the file"},
        // Scale, and no frame time in the main header.
        {Patched({{128, 0}, {32, 0}}), "no frame rate"},
        {bytes_.substr(0, 108) + "auds" + bytes_.substr(112), "no video stream"},
        {bytes_.substr(0, 150), "chunk larger than the file"},
    };
    // Every truncation of the headers is refused or read without harm.
    for (std::size_t size = 0; size < 300; ++size)
        ReadError(bytes_.substr(0, size));
    for (const auto& [bytes, error] : cases)
        EXPECT_EQ(ReadError(bytes), error);
    CAviVideo avi;
    EXPECT_EQ(avi.Open(dir_.File("t.avi")), 0);
    CFrameStore store;
    EXPECT_EQ(avi.LoadFrameFromAVI(0, store, 1, 1, 0, 0), 0);
}

} // namespace
} // namespace kova
