#include "StatusWindowLogic.h"

#include "CFrameStore.h"
#include "RecordingPrompter.h"

#include <gtest/gtest.h>
#include <opencv2/core.hpp>

namespace {

const std::string kBadRange = "起始帧号无效, 或超出终止帧号.";

// A store of 5 colour frames (frame n is R n, G 10 n, B 100) shown in colour.
struct StatusRig {
    StatusRig() {
        store.Put_nofframe_color(5);
        for (int n = 1; n <= 5; ++n)
            store.Put_image_color(n, cv::Mat(3, 4, CV_8UC3, cv::Scalar(100, 10 * n, n)), 0, 0);
        store.Put_dispmode(kova::CFrameStore::kColorDispMode);
        store.Disp_window(1);
    }
    cv::Vec3b Pixel(int frame, int x, int y) const {
        return store.Get_image_color(frame).at<cv::Vec3b>(y, x);
    }
    kova::CFrameStore store;
    kova::RecordingPrompter prompter;
    StatusWindowLogic logic{store, prompter};
};

class StatusWindowLogicTest : public ::testing::Test {
protected:
    StatusRig rig;
};

TEST_F(StatusWindowLogicTest, TheSourceIsKeptOrTheShownFramesAreWrittenInsideTheWindow) {
    rig.logic.SetMode(DisplayMode::Green);
    EXPECT_EQ(rig.Pixel(1, 0, 0), cv::Vec3b(100, 10, 1));
    EXPECT_EQ(rig.logic.Render().pixel(0, 0), qRgb(10, 10, 10));
    rig.store.Put_window(0, 0, 1, 2);
    rig.logic.SetMode(DisplayMode::Blue);
    rig.logic.SetKeepSource(false);
    EXPECT_EQ(rig.Pixel(1, 1, 2), cv::Vec3b(100, 100, 100));
    EXPECT_EQ(rig.Pixel(1, 2, 0), cv::Vec3b(100, 10, 1)); // outside the window
    EXPECT_EQ(rig.Pixel(3, 0, 0), cv::Vec3b(100, 30, 3));
    ASSERT_TRUE(rig.logic.ShowFrame(3));
    EXPECT_EQ(rig.store.Get_dispframe_color(), 3);
    EXPECT_EQ(rig.Pixel(3, 0, 0), cv::Vec3b(100, 100, 100));
}

TEST_F(StatusWindowLogicTest, ColourModesShowColourFramesGreyModesGreyFramesAndFollowTheStore) {
    const int colour = kova::CFrameStore::kColorDispMode;
    const struct {
        DisplayMode mode;
        int storeMode;
    } cases[] = {{DisplayMode::Grey, 0},
                 {DisplayMode::Red, colour},
                 {DisplayMode::Pseudo, 0},
                 {DisplayMode::FullColor, colour}};
    for (const auto& c : cases) {
        rig.logic.SetMode(c.mode);
        EXPECT_EQ(rig.store.Get_dispmode(), c.storeMode) << static_cast<int>(c.mode);
    }
    rig.store.Put_dispmode(0); // another window shows grey frames
    EXPECT_TRUE(rig.logic.FollowStore());
    EXPECT_EQ(rig.logic.Fields().mode, DisplayMode::Grey);
    EXPECT_FALSE(rig.logic.FollowStore());
}

TEST_F(StatusWindowLogicTest, GreyFramesDoNotTakePseudoColours) {
    kova::CFrameStore store;
    store.Put_image(1, cv::Mat(2, 2, CV_8UC1, cv::Scalar(77)), 0, 0);
    kova::RecordingPrompter prompter;
    StatusWindowLogic logic(store, prompter);
    logic.SetKeepSource(false);
    logic.SetMode(DisplayMode::Pseudo);
    EXPECT_EQ(store.Read_pixel(1, 0, 0), 77);
    EXPECT_EQ(logic.Render().pixel(0, 0), qRgb(0, 255, 203));
}

TEST_F(StatusWindowLogicTest, ContinuousDisplayStepsThroughTheRangeOnceOrLooping) {
    const struct {
        int start, end;
        bool loop;
        std::vector<int> shown; // from the start, as long as Tick goes on
    } cases[] = {{2, 4, false, {2, 3, 4}}, {4, 5, true, {4, 5, 4, 5, 4, 5, 4}}};
    for (const auto& c : cases) {
        rig.logic.SetRange(c.start, c.end);
        rig.logic.SetLoop(c.loop);
        ASSERT_TRUE(rig.logic.StartStop());
        EXPECT_EQ(rig.logic.ContinuousText(), "停止");
        std::vector<int> shown{rig.store.Get_dispframe_color()};
        while (shown.size() < c.shown.size() && rig.logic.Tick())
            shown.push_back(rig.store.Get_dispframe_color());
        EXPECT_EQ(shown, c.shown);
        if (c.loop) {
            EXPECT_FALSE(rig.logic.StartStop()); // 停止
        }
        EXPECT_FALSE(rig.logic.Tick());
        EXPECT_FALSE(rig.logic.Running());
        EXPECT_EQ(rig.logic.ContinuousText(), "连续显示");
        EXPECT_EQ(rig.store.Get_dispframe_color(), c.shown.back());
    }
}

TEST_F(StatusWindowLogicTest, BadRangesAndFramesAreRefused) {
    const std::pair<int, int> ranges[] = {{0, 3}, {4, 3}, {2, 6}};
    for (const auto& [start, end] : ranges) {
        rig.prompter.Clear();
        rig.logic.SetRange(start, end);
        EXPECT_FALSE(rig.logic.StartStop());
        EXPECT_FALSE(rig.logic.Running());
        EXPECT_EQ(rig.prompter.Texts(), std::vector<std::string>{kBadRange}) << start << end;
    }
    rig.prompter.Clear();
    EXPECT_FALSE(rig.logic.ShowFrame(6));
    EXPECT_FALSE(rig.logic.ShowFrame(0));
    EXPECT_EQ(rig.prompter.Texts(), (std::vector<std::string>{"帧号无效.", "帧号无效."}));
    EXPECT_EQ(rig.prompter.Messages().front().caption, "Capvo");
    EXPECT_EQ(rig.store.Get_dispframe_color(), 1);
}

TEST_F(StatusWindowLogicTest, StoppingWhenTheStoreShrinks) {
    rig.logic.SetRange(1, 5);
    ASSERT_TRUE(rig.logic.StartStop());
    rig.store.Put_nofframe_color(2);
    EXPECT_FALSE(rig.logic.Tick());
    EXPECT_FALSE(rig.logic.Running());
}

TEST_F(StatusWindowLogicTest, MakingTheRegionSetsTheWindowAndItsMark) {
    rig.logic.SetRegionShown(true);
    rig.logic.SetRegionFixed(true);
    rig.logic.SetRegionPoints(3, 9, 1, 1); // reversed, below the frame
    rig.logic.MakeRegion();
    const kova::FrameWindow expected{1, 1, 3, 2};
    EXPECT_EQ(rig.store.Window(), expected);
    EXPECT_EQ(rig.store.WindowMarks(), std::vector<kova::FrameWindow>{expected});
    EXPECT_EQ(rig.logic.Fields().y1, 2);
    EXPECT_EQ(rig.logic.Render().pixel(1, 1), qRgb(0, 255, 0));

    rig.logic.SetRegionFixed(false);
    rig.logic.MakeRegion();
    EXPECT_EQ(rig.store.Window(), (kova::FrameWindow{0, 0, 3, 2}));
    EXPECT_EQ(rig.store.WindowMarks().size(), 1u);
    rig.logic.SetRegionShown(false);
    EXPECT_TRUE(rig.store.WindowMarks().empty());
    EXPECT_EQ(rig.logic.Render().pixel(0, 0), qRgb(1, 10, 100));
}

} // namespace
