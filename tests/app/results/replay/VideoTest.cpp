#include "BmpFixtures.h"
#include "ImageBgr.h"
#include "ReplayFrames.h"
#include "ReplayRig.h"
#include "TestFiles.h"
#include "Verb.h"
#include "VideoExport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/videoio.hpp>
#include <sstream>

namespace {

using kova::test::ReplayRig;
using kova::test::StoppingProgress;
using kova::test::TempDir;

struct Decoded {
    int count = 0;
    cv::Size size;
    std::vector<cv::Mat> frames;
};

cv::Mat Grey(const cv::Mat& bgr) {
    cv::Mat grey;
    cv::cvtColor(bgr, grey, cv::COLOR_BGR2GRAY);
    return grey;
}

Decoded Decode(const std::string& path) {
    Decoded d;
    cv::VideoCapture video(path, cv::CAP_FFMPEG);
    cv::Mat frame;
    while (video.read(frame)) {
        d.frames.push_back(frame.clone());
        d.size = frame.size();
        ++d.count;
    }
    return d;
}

TEST(ReplayVideo, TheVideoHoldsTheRenderedFrames) {
    std::vector<std::string> names = {"R.avi"};
    if (VideoExport::Mp4Available()) names.push_back("R.MP4");
    for (const std::string& name : names) {
        TempDir dir;
        ReplayRig rig;
        kova::NullProgress progress;
        ASSERT_EQ(rig.logic.ExportVideo(dir.File(name), progress), 1) << name;
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{name}) << "no temporary file stays";
        const Decoded video = Decode(dir.File(name));
        EXPECT_EQ(video.count, 5) << name;
        EXPECT_EQ(video.size, cv::Size(24, 12)) << name;
        // Each video frame is nearest (in grey, beyond the codec's error) to
        // the offscreen render of its own entry.
        ASSERT_EQ(video.frames.size(), 5u);
        for (int entry = 0; entry < 5; ++entry) {
            ASSERT_TRUE(rig.logic.ShowEntry(entry));
            const cv::Mat rendered =
                Grey(ImageBgr(ReplayFrames(rig.display, rig.source).Rendered()));
            std::vector<double> psnr;
            for (const cv::Mat& frame : video.frames)
                psnr.push_back(cv::PSNR(Grey(frame), rendered));
            EXPECT_EQ(std::max_element(psnr.begin(), psnr.end()) - psnr.begin(), entry) << name;
            EXPECT_GT(psnr[static_cast<std::size_t>(entry)], 20.0) << name;
        }
    }
}

TEST(ReplayVideo, ACancelledOrImpossibleVideoLeavesNoFile) {
    TempDir dir;
    ReplayRig rig;
    StoppingProgress stop(3);
    EXPECT_EQ(rig.logic.ExportVideo(dir.File("C.avi"), stop), 0);
    kova::NullProgress progress;
    EXPECT_EQ(rig.logic.ExportVideo(dir.File("C.mov"), progress), -1);
    EXPECT_TRUE(dir.Entries().empty());
    EXPECT_EQ(
        rig.prompter.Texts(),
        (std::vector<std::string>{"视频保存被中断。", "视频保存失败。\n" + dir.File("C.mov")}));
}

// The render verb on a measurement whose images are a BMP series.
TEST(ReplayVideo, TheRenderVerbWritesOneFramePerMeasurementFrame) {
    TempDir dir;
    ImageSource source;
    source.directory = dir.Path();
    source.head = "IMG";
    source.firstNumber = 1;
    source.lastNumber = source.frames = 5;
    source.firstFile = "IMG0001.BMP";
    source.lastFile = "IMG0005.BMP";
    for (const std::string& path : source.SeriesPaths())
        kova::test::WriteBmp(path, 24, 12, 40);
    kova::RecordingPrompter prompter;
    MeasureDocument document(prompter);
    kova::test::FillWalk(document);
    source.Store(document.Info());
    ASSERT_EQ(document.SaveMeasurement(dir.File("W.TRK"), &document.Track(), &document.Info()), 1);
    std::ostringstream out, err;
    EXPECT_EQ(kova::cli::RunBatch({"render", dir.File("W.TRK"), "--out", dir.File("W.AVI"),
                                   "--frames", "2", "4", "--overlays", "all"},
                                  out, err),
              0)
        << err.str();
    const Decoded video = Decode(dir.File("W.AVI"));
    EXPECT_EQ(video.count, 3);
    ASSERT_EQ(video.size, cv::Size(24, 12));
    EXPECT_NEAR(video.frames[0].at<cv::Vec3b>(11, 22)[1], 40, 6) << "the image below";
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--frames", "0", "3"},
                                                {"--frames", "2", "6"},
                                                {"--overlays", "paths"},
                                                {"--span", "some"}}) {
        std::vector<std::string> args = {"render", dir.File("W.TRK"), "--out", dir.File("B.AVI")};
        args.insert(args.end(), bad.begin(), bad.end());
        EXPECT_EQ(kova::cli::RunBatch(args, out, err), 2) << bad[0];
    }
    EXPECT_FALSE(kova::test::Exists(dir.File("B.AVI")));
}

} // namespace
