#include "PcCameraLogic.h"

#include "CAviVideo.h"
#include "CFrameStore.h"
#include "CVideoCapture.h"
#include "CameraFixtures.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

namespace {

using kova::test::FakeViewPort;

constexpr int kSourceFrames = 30;

class FakeControls : public PcCameraControls {
public:
    void ReadControls(PcCameraFields* f) override { *f = fields; }
    void WriteControls(const PcCameraFields& f) override { fields = f; }
    void SetStatus(const std::string& label, int count) override {
        fields.statusLabel = label;
        fields.statusCount = count;
        labels.push_back(label);
    }
    void EnableControls(const PcCameraEnables& e) override { enables = e; }

    PcCameraFields fields;
    PcCameraEnables enables;
    std::vector<std::string> labels;
};

class PcCameraTest : public ::testing::Test {
protected:
    void SetUp() override {
        unsetenv("KOVA_CAMERA_STANDIN");
        store_.InitImageSys();
        store_.Put_nofframe_color(12);
        logic_ = std::make_unique<PcCameraLogic>(store_, prompter_, view_);
        logic_->SetControls(&controls_);
    }

    // Opens with a stand-in driver chosen and paced fast.
    void OpenWithStandIn() {
        const std::string path = dir_.File("standin.avi");
        kova::test::WriteStandIn(path, kSourceFrames);
        logic_->Camera().AddStandIn(path);
        ASSERT_TRUE(logic_->Open());
        const int last = static_cast<int>(controls_.fields.drivers.size()) - 1;
        controls_.fields.driver = last;
        ASSERT_TRUE(logic_->ChooseDriver(last));
        controls_.fields.rate = 200.0;
        logic_->SetRate();
        ASSERT_TRUE(prompter_.Messages().empty()) << prompter_.Texts().front();
    }

    kova::test::TempDir dir_;
    kova::CFrameStore store_;
    kova::RecordingPrompter prompter_;
    FakeViewPort view_;
    FakeControls controls_;
    std::unique_ptr<PcCameraLogic> logic_;
};

TEST_F(PcCameraTest, WithoutADriverOnlyCloseStays) {
    logic_->Open(); // no camera on the test machine, no stand-in
    if (!controls_.fields.drivers.empty()) GTEST_SKIP() << "a camera is attached";
    EXPECT_EQ(prompter_.Texts(), std::vector<std::string>{PcCameraLogic::kNoDriver});
    EXPECT_EQ(prompter_.Messages()[0].caption, "Capvo");
    EXPECT_FALSE(controls_.enables.capture);
    EXPECT_FALSE(controls_.enables.driverControls);
    EXPECT_TRUE(controls_.enables.close);
}

TEST_F(PcCameraTest, CaptureFillsTheMemoryRangeOrWritesTheNamedFile) {
    OpenWithStandIn();
    controls_.fields.startFrame = 4;
    controls_.fields.endFrame = 9;
    logic_->StartCapture();
    EXPECT_TRUE(prompter_.Messages().empty()) << prompter_.Texts().front();
    kova::test::ExpectStandInFrames(store_, 4, 9, kSourceFrames);
    EXPECT_EQ(cv::countNonZero(store_.Get_image_color(10).reshape(1)), 0);
    EXPECT_EQ(store_.Get_dispframe_color(), 9);
    EXPECT_EQ(controls_.fields.statusLabel, PcCameraLogic::kTransformed);
    EXPECT_EQ(controls_.fields.statusCount, 6);
    EXPECT_EQ(controls_.labels.front(), PcCameraLogic::kCaptured);
    EXPECT_FALSE(logic_->IsRunning());
    EXPECT_TRUE(controls_.enables.capture);

    controls_.fields.target = PcCameraTarget::Disk;
    controls_.fields.fileName = dir_.File("pc.avi");
    controls_.fields.startFrame = 1;
    controls_.fields.endFrame = 5;
    logic_->StartCapture();
    EXPECT_TRUE(prompter_.Messages().empty()) << prompter_.Texts().front();
    kova::CAviVideo avi;
    ASSERT_EQ(avi.Open(dir_.File("pc.avi")), 1) << avi.Error();
    EXPECT_EQ(avi.GetFrameCount(), 5);
}

TEST_F(PcCameraTest, RefusalsBeforeCapturing) {
    const struct {
        bool chooseDriver;
        int start;
        int end;
        const char* message;
    } cases[] = {
        {false, 1, 5, PcCameraLogic::kChooseDriver},
        {true, 0, 5, PcCameraLogic::kBadRange},
        {true, 6, 5, PcCameraLogic::kBadRange},
        {true, 1, 13, PcCameraLogic::kBadRange},
    };
    OpenWithStandIn();
    const int last = controls_.fields.driver;
    for (const auto& c : cases) {
        prompter_.Clear();
        controls_.fields.driver = c.chooseDriver ? last : -1;
        if (c.chooseDriver) {
            ASSERT_TRUE(logic_->ChooseDriver(last));
        }
        controls_.fields.startFrame = c.start;
        controls_.fields.endFrame = c.end;
        logic_->StartCapture();
        EXPECT_EQ(prompter_.Texts(), std::vector<std::string>{c.message})
            << c.start << ".." << c.end;
        EXPECT_EQ(cv::countNonZero(store_.Get_image_color(1).reshape(1)), 0);
    }
}

TEST_F(PcCameraTest, StopEndsTheLoopAndCloseIsRefusedMeanwhile) {
    OpenWithStandIn();
    controls_.fields.startFrame = 1;
    controls_.fields.endFrame = 10;
    std::vector<bool> closes;
    logic_->SetEventPump([&] {
        if (controls_.fields.statusLabel == PcCameraLogic::kCaptured &&
            controls_.fields.statusCount == 3) {
            closes.push_back(logic_->Close());
            logic_->Stop();
        }
    });
    logic_->StartCapture();
    EXPECT_EQ(closes, std::vector<bool>{false});
    EXPECT_EQ(prompter_.Texts(), std::vector<std::string>{PcCameraLogic::kBadEnd});
    kova::test::ExpectStandInFrames(store_, 1, 3, kSourceFrames);
    EXPECT_EQ(cv::countNonZero(store_.Get_image_color(4).reshape(1)), 0);
    EXPECT_TRUE(logic_->Close());
}

TEST_F(PcCameraTest, LowSpeedWaitsTheSecondsPerFrame) {
    OpenWithStandIn();
    controls_.fields.startFrame = 1;
    controls_.fields.endFrame = 3;
    controls_.fields.lowSpeed = true;
    controls_.fields.secondsPerFrame = 0.1;
    const long began = store_.Get_time();
    logic_->StartCapture();
    EXPECT_GE(store_.Get_time() - began, 200) << "two waits between three frames";
    EXPECT_TRUE(prompter_.Messages().empty());
    kova::test::ExpectStandInFrames(store_, 1, 3, kSourceFrames);
}

TEST_F(PcCameraTest, ReadingTheRateOrFormatKeepsWhatTheUserTyped) {
    OpenWithStandIn();
    controls_.fields.endFrame = 3;
    logic_->GetRate();
    EXPECT_EQ(controls_.fields.endFrame, 3);
    logic_->ChooseFormat(logic_->Camera().CurrentFormat());
    EXPECT_EQ(controls_.fields.endFrame, 3);
}

TEST(PcCameraFormat, TextNamesFourccSizeAndRates) {
    kova::CaptureFormat format;
    format.fourcc = "MJPG";
    format.width = 640;
    format.height = 480;
    EXPECT_EQ(PcCameraLogic::FormatText(format), "MJPG 640x480");
    format.rates = {30.0, 7.5};
    EXPECT_EQ(PcCameraLogic::FormatText(format), "MJPG 640x480 30, 7.5 fps");
}

} // namespace
