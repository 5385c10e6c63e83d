// Videos other than AVI through track and image: the demo AVI converted by
// the ffmpeg tool (skipped when it is not installed) into MP4, MKV and MOV
// with B-frames tracks to the AVI's points, stored as an AVI source; image
// info and convert read such files. Unreadable ones are in
// tests/badinput/cases.txt.
#include "BatchRun.h"
#include "CBmpFile.h"
#include "CTrackFile2D.h"
#include "TestFiles.h"
#include "Verb.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <opencv2/core.hpp>
#include <sstream>

namespace {

using Result = kova::test::BatchResult;
using kova::test::Batch;

using kova::test::ReadBytes;

class VideoVerbs : public ::testing::Test {
protected:
    // The 12-frame grey demo as DEMO.AVI, and `name` made from it by ffmpeg.
    void SetUp() override {
        if (std::system("ffmpeg -version >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "ffmpeg is not installed";
        ASSERT_EQ(Batch({"demo", dir.Path(), "--frames", "12", "--avi"}).status, 0);
    }
    std::string Convert(const std::string& name) {
        const std::string command = "ffmpeg -v error -y -i " + dir.File("DEMO.AVI") +
                                    " -c:v libx264 -bf 3 -g 4 -crf 10 -pix_fmt yuv420p " +
                                    dir.File(name);
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return dir.File(name);
    }
    Result Track(const std::string& video, const std::string& out) {
        return Batch({"--cfg", dir.File("KOVA.CFG"), "track", "--avi", video, "--range", "3", "12",
                      "--out", dir.File(out), "--targets", dir.File("DEMO_TARGETS.TXT")});
    }
    kova::test::TempDir dir;
};

TEST_F(VideoVerbs, ConvertedDemoTracksToTheAvisPointsAndIsStoredAsAnAvi) {
    ASSERT_EQ(Track(dir.File("DEMO.AVI"), "AVI.TRK").status, 0);
    CTrackFile2D avi;
    ASSERT_TRUE(avi.Load(dir.File("AVI.TRK")));
    for (const char* name : {"DEMO.MP4", "DEMO.MKV", "DEMO.MOV"}) {
        const Result r = Track(Convert(name), "V.TRK");
        ASSERT_EQ(r.status, 0) << name << r.err;
        CTrackFile2D video;
        ASSERT_TRUE(video.Load(dir.File("V.TRK")));
        ASSERT_EQ(video.GetFrameCount(), 10) << name;
        double worst = 0.0;
        for (int target = 0; target < avi.GetTargetCount(); ++target) {
            for (int frame = 0; frame < 10; ++frame) {
                XY_TRACK a{}, v{};
                avi.GetPoint(target, frame, &a);
                video.GetPoint(target, frame, &v);
                EXPECT_EQ(v.status, a.status) << name << " target " << target << " frame " << frame;
                worst = std::max(worst, std::hypot(double(v.x) - a.x, double(v.y) - a.y));
            }
        }
        EXPECT_LT(worst, 0.2) << name;
        const std::string info = ReadBytes(dir.File("V.TRI"));
        for (const std::string& line :
             {std::string("ImageFileExt AVI\r\n"), std::string("AviStartFrm 3\r\nAviEndFrm 12\r\n"),
              "AviFile " + std::string(name) + "\r\n"})
            EXPECT_NE(info.find(line), std::string::npos) << name << info;
    }
}

TEST_F(VideoVerbs, ImageVerbDescribesAVideoAndConvertsItsFrames) {
    const std::string mp4 = Convert("DEMO.MP4");
    const Result info = Batch({"image", "info", mp4});
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find(" Size:   640 x 480\n\n 12 Frame   24 Bit color  avc1 compress"),
              std::string::npos)
        << info.out;
    ASSERT_EQ(Batch({"image", "convert", dir.File("DEMO.AVI:7"), dir.File("A.BMP")}).status, 0);
    ASSERT_EQ(Batch({"image", "convert", mp4 + ":7", dir.File("M.BMP")}).status, 0);
    cv::Mat fromAvi, fromMp4;
    ASSERT_EQ(kova::CBmpFile::Read(dir.File("A.BMP"), false, fromAvi), kova::CBmpFile::kOk);
    ASSERT_EQ(kova::CBmpFile::Read(dir.File("M.BMP"), false, fromMp4), kova::CBmpFile::kOk);
    // The codec's error stays within a few levels; the neighbouring frames
    // differ by 200 and more where the markers moved.
    EXPECT_LE(cv::norm(fromAvi, fromMp4, cv::NORM_INF), 32);
}

} // namespace
