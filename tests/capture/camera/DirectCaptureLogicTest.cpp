#include "DirectCaptureLogic.h"

#include "CAviVideo.h"
#include "CFrameStore.h"
#include "CVideoCapDS.h"
#include "CameraFixtures.h"
#include "CaptureDisk.h"
#include "CaptureRecorder.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

namespace {

using kova::test::FakeViewPort;

constexpr int kSourceFrames = 40;

// The window's controls: the logic writes the fields here, the test edits
// them and the logic reads them back.
class FakeControls : public DirectCaptureControls {
public:
    void ReadControls(DirectCaptureFields* f) override { *f = fields; }
    void WriteControls(const DirectCaptureFields& f) override { fields = f; }
    void SetStatus(const std::string& text) override { statuses.push_back(text); }
    void EnableControls(const DirectCaptureEnables& e) override { enables = e; }

    DirectCaptureFields fields;
    DirectCaptureEnables enables;
    std::vector<std::string> statuses;
};

class DirectCaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        unsetenv("KOVA_CAMERA_STANDIN");
        store_.InitImageSys();
        store_.Put_nofframe_color(20);
        standIn_ = dir_.File("standin.avi");
        kova::test::WriteStandIn(standIn_, kSourceFrames);
        logic_ = std::make_unique<DirectCaptureLogic>(store_, prompter_, view_);
        logic_->SetControls(&controls_);
        logic_->Capture().AddStandIn(standIn_);
        ASSERT_TRUE(logic_->Open());
        ASSERT_FALSE(controls_.fields.devices.empty());
        // The stand-in is the last source; paced fast.
        controls_.fields.device = static_cast<int>(controls_.fields.devices.size()) - 1;
        controls_.fields.directory = dir_.Path();
        controls_.fields.fileName = "capture.avi";
        logic_->Reset();
        controls_.fields.frameRateUse = true;
        controls_.fields.frameRate = 200.0;
        logic_->SetRate();
    }

    // Ticks until the capture or playback ended (a generous bound stops a hang).
    void RunToEnd() {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while ((logic_->IsRunning() || logic_->Enables().stop) &&
               std::chrono::steady_clock::now() < until) {
            logic_->Tick();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_FALSE(logic_->IsRunning());
    }

    void Capture(CaptureTarget target, int start, int end, int limit) {
        controls_.fields.target = target;
        controls_.fields.startFrame = start;
        controls_.fields.endFrame = end;
        controls_.fields.limitFrames = limit;
        logic_->StartCapture();
    }

    kova::test::TempDir dir_;
    std::string standIn_;
    kova::CFrameStore store_;
    kova::RecordingPrompter prompter_;
    FakeViewPort view_;
    FakeControls controls_;
    std::unique_ptr<DirectCaptureLogic> logic_;
};

TEST_F(DirectCaptureTest, OpeningFillsTheFieldsAndOffersOnlyWhatCanRun) {
    EXPECT_EQ(controls_.fields.fileSize, 10) << "a size of 0 becomes 10";
    EXPECT_EQ(logic_->Capture().GetCaptureFileSize(), controls_.fields.fileSize);
    EXPECT_EQ(controls_.fields.frameCount, 20);
    EXPECT_EQ(controls_.fields.endFrame, 20);
    EXPECT_EQ(controls_.fields.limitFrames, logic_->MaxFrames());
    EXPECT_EQ(controls_.fields.diskSpace.substr(controls_.fields.diskSpace.size() - 3), " MB");
    EXPECT_TRUE(controls_.enables.capture && controls_.enables.preview && controls_.enables.close);
    EXPECT_FALSE(controls_.enables.stop);
    EXPECT_TRUE(prompter_.Messages().empty());
}

TEST_F(DirectCaptureTest, MemoryCaptureFillsTheRangeShowsTheFramesAndHoldsTheDialog) {
    Capture(CaptureTarget::Memory, 3, 7, 1000);
    EXPECT_EQ(controls_.statuses.at(0), "Prepare capture now !!!");
    EXPECT_TRUE(logic_->IsRunning());
    EXPECT_TRUE(controls_.enables.stop);
    EXPECT_FALSE(controls_.enables.close);
    EXPECT_FALSE(logic_->Close());
    RunToEnd();
    EXPECT_TRUE(logic_->Close());
    EXPECT_EQ(logic_->Capture().GetCapturedFrames(), 5);
    kova::test::ExpectStandInFrames(store_, 3, 7, kSourceFrames);
    EXPECT_EQ(cv::countNonZero(store_.Get_image_color(8).reshape(1)), 0) << "beyond the range";
    EXPECT_EQ(store_.Get_dispframe_color(), 7);
    EXPECT_EQ(store_.Get_dispmode(), kova::CFrameStore::kColorDispMode); // the captures are seen
    EXPECT_GT(view_.storeShown, 0);
    EXPECT_EQ(view_.titles.back(), CaptureViewPort::Title::Image);
    EXPECT_TRUE(controls_.enables.play && controls_.enables.diskToMemory);
    EXPECT_TRUE(prompter_.Messages().empty()) << prompter_.Texts().front();
}

TEST_F(DirectCaptureTest, DiskCaptureStopsAtTheFrameLimitAndTransfers) {
    Capture(CaptureTarget::Disk, 1, 20, 7);
    EXPECT_EQ(controls_.statuses.at(0), "Now it's preparing capture");
    RunToEnd();
    EXPECT_TRUE(prompter_.Messages().empty()) << prompter_.Texts().front();
    kova::CAviVideo avi;
    ASSERT_EQ(avi.Open(dir_.File("capture.avi")), 1) << avi.Error();
    EXPECT_EQ(avi.GetFrameCount(), 7);
    avi.Close();
    controls_.fields.startFrame = 2;
    controls_.fields.endFrame = 20;
    logic_->Transform(); // the range runs past the capture: it ends with the file
    EXPECT_TRUE(prompter_.Messages().empty()) << prompter_.Texts().front();
    EXPECT_EQ(controls_.statuses.back().rfind("Transformed 7 frames in ", 0), 0u)
        << controls_.statuses.back();
    EXPECT_EQ(store_.Get_dispframe_color(), 8);
    kova::test::ExpectStandInFrames(store_, 2, 8, kSourceFrames);
}

TEST_F(DirectCaptureTest, ACaptureEndingAtItsTimeIsSilentAndAWriteErrorSaysSo) {
    for (const bool writeError : {false, true}) {
        SCOPED_TRACE(writeError);
        prompter_.Clear();
        controls_.fields.timeLimit = !writeError;
        controls_.fields.limitTime = 1;
        kova::CaptureRecorder::FailAfterForTest(writeError ? 4 : -1);
        Capture(CaptureTarget::Disk, 1, 20, 0);
        RunToEnd();
        kova::CaptureRecorder::FailAfterForTest(-1);
        EXPECT_TRUE(controls_.enables.play);
        if (!writeError) {
            EXPECT_GE(logic_->Capture().GetCapturedTime(), 1000);
            EXPECT_TRUE(prompter_.Messages().empty());
            continue;
        }
        ASSERT_EQ(prompter_.Messages().size(), 1u);
        EXPECT_EQ(prompter_.Texts()[0], logic_->Capture().GetCapInfor());
        EXPECT_EQ(controls_.statuses.back(), prompter_.Texts()[0]);
        kova::CAviVideo avi;
        ASSERT_EQ(avi.Open(dir_.File("capture.avi")), 1) << avi.Error();
        EXPECT_EQ(avi.GetFrameCount(), 4);
    }
}

TEST_F(DirectCaptureTest, FrameRangeIsCheckedBeforeMemoryCaptureAndTransfer) {
    const struct {
        int start;
        int end;
    } cases[] = {{0, 5}, {6, 5}, {1, 21}, {-3, -1}};
    for (const auto& c : cases) {
        prompter_.Clear();
        Capture(CaptureTarget::Memory, c.start, c.end, 100);
        EXPECT_FALSE(logic_->IsRunning());
        logic_->DiskToMemory();
        EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{DirectCaptureLogic::kBadRange,
                                                               DirectCaptureLogic::kBadRange}))
            << c.start << ".." << c.end;
        ASSERT_FALSE(prompter_.Messages().empty());
        EXPECT_EQ(prompter_.Messages()[0].caption, "Capvo");
        EXPECT_EQ(prompter_.Messages()[0].icon, kova::MessageIcon::None);
    }
}

TEST_F(DirectCaptureTest, MaximumFramesFollowTheProcessingWindowAndFreeSpace) {
    const std::int64_t frame = 100 * 50 * 3;
    kova::CaptureDisk::SetFreeBytesQueryForTest([frame](const std::string&) {
        return kova::CVideoCapDS::kDiskReserveBytes + 1000 * frame + frame - 1;
    });
    store_.Put_window(10, 10, 109, 59);
    logic_->Maximum();
    kova::CaptureDisk::SetFreeBytesQueryForTest(nullptr);
    EXPECT_EQ(controls_.fields.limitFrames, 1000);
    EXPECT_EQ(logic_->Capture().GetLimitFrames(), 1000);
}

TEST_F(DirectCaptureTest, SaveAsIsOfferedOnlyWhenACopyFitsAndPlaybackShowsTheFile) {
    const struct {
        std::int64_t maxFrames;
        bool saveAs;
    } cases[] = {{1000, true}, {2 * (5 + 10), false}, {2 * (5 + 10) + 2, true}};
    for (const auto& c : cases) {
        kova::CaptureDisk::SetFreeBytesQueryForTest([&c](const std::string&) {
            return kova::CVideoCapDS::kDiskReserveBytes + c.maxFrames * 640 * 480 * 3;
        });
        logic_->Maximum();
        Capture(CaptureTarget::Disk, 1, 20, 5);
        RunToEnd();
        kova::CaptureDisk::SetFreeBytesQueryForTest(nullptr);
        EXPECT_EQ(controls_.enables.saveAs, c.saveAs) << c.maxFrames;
    }
    prompter_.QueueFiles({dir_.File("copy.avi")});
    logic_->SaveAs();
    kova::CAviVideo avi;
    ASSERT_EQ(avi.Open(dir_.File("copy.avi")), 1) << avi.Error();
    EXPECT_EQ(avi.GetFrameCount(), 5);
    // Playback of the capture file shows its frames under the play title.
    logic_->Play();
    EXPECT_EQ(view_.titles.back(), CaptureViewPort::Title::Play);
    EXPECT_EQ(controls_.statuses.back(), "Information");
    RunToEnd();
    EXPECT_GT(view_.liveFrames, 0);
    EXPECT_EQ(view_.titles.back(), CaptureViewPort::Title::Image);
    EXPECT_TRUE(prompter_.Messages().empty()) << prompter_.Texts().front();
}

TEST_F(DirectCaptureTest, PreviewShowsLiveFramesUntilStopped) {
    logic_->Preview();
    EXPECT_EQ(controls_.enables.previewText, "停止预览");
    EXPECT_EQ(view_.titles.back(), CaptureViewPort::Title::Preview);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (view_.liveFrames < 3 && std::chrono::steady_clock::now() < until) {
        logic_->Tick();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_GE(view_.liveFrames, 3);
    EXPECT_EQ(view_.lastLive.cols, kova::test::kStandInWidth);
    logic_->Preview();
    EXPECT_EQ(controls_.enables.previewText, "预览");
    EXPECT_EQ(view_.titles.back(), CaptureViewPort::Title::Image);
    EXPECT_TRUE(prompter_.Messages().empty());
}

} // namespace
