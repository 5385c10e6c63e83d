// Videos other than AVI, written by the ffmpeg tool (skipped when it is not
// installed): every frame reached by jumping about equals the frame a plain
// decode from the start gives, also in files where the decoder's own seek
// lands on other frames. Unreadable files are in tests/badinput/cases.txt.
#include "CAviVideo.h"
#include "TestFiles.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <opencv2/videoio.hpp>

namespace kova {
namespace {

using test::TempDir;

bool HaveFfmpeg() {
    static const bool have = std::system("ffmpeg -version >/dev/null 2>&1") == 0;
    return have;
}

// 90 frames of ffmpeg's moving test pattern with B-frames and a key frame
// every 10; `gap` moves frames 40 on by half a second, a time stamp no
// steady frame rate explains.
std::string Encode(const TempDir& dir, const std::string& name, bool gap) {
    const std::string timing =
        gap ? " -vf \"setpts='if(lt(N,40),N,N+15)/30/TB'\" -fps_mode passthrough" : "";
    const std::string out = dir.File(name);
    const std::string command = "ffmpeg -v error -y -f lavfi -i testsrc2=size=96x64:rate=30 "
                                "-frames:v 90" +
                                timing + " -c:v libx264 -bf 3 -g 10 " + out;
    return std::system(command.c_str()) == 0 ? out : std::string();
}

// Every frame as a decode from the start gives it.
std::vector<cv::Mat> DecodeFromStart(const std::string& path) {
    cv::VideoCapture capture(path, cv::CAP_FFMPEG);
    std::vector<cv::Mat> frames;
    for (cv::Mat frame; capture.read(frame);)
        frames.push_back(frame.clone());
    return frames;
}

TEST(VideoFramesTest, EveryFrameReachedByJumpingIsTheFrameDecodedFromTheStart) {
    if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
    TempDir dir;
    const std::pair<const char*, bool> cases[] = {
        {"steady.mp4", false}, {"steady.mov", false}, {"gap.mkv", true}, {"gap.mp4", true}};
    // Long and short jumps both ways, the same frame twice, the last first.
    const int order[] = {89, 3, 60, 59, 75, 41, 42, 42, 0, 88, 20, 70, 45, 46, 47, 1};
    for (const auto& [name, gap] : cases) {
        const std::string path = Encode(dir, name, gap);
        const std::vector<cv::Mat> expected = DecodeFromStart(path);
        ASSERT_EQ(expected.size(), 90u) << name;
        CAviVideo video;
        ASSERT_EQ(video.Open(path), 1) << name << ": " << video.Error();
        EXPECT_EQ(std::make_tuple(video.GetFrameCount(), video.Info().width, video.Info().height,
                                  video.GetBitCount()),
                  std::make_tuple(90, 96, 64, 24))
            << name;
        for (int index : order) {
            const cv::Mat& got = video.DecodeFrame(index);
            ASSERT_EQ(got.size(), expected[index].size()) << name << " frame " << index;
            EXPECT_EQ(cv::norm(got, expected[index], cv::NORM_INF), 0)
                << name << " frame " << index;
        }
        EXPECT_TRUE(video.DecodeFrame(90).empty()) << name;
    }
}

} // namespace
} // namespace kova
