#include "DisplayRender.h"

#include "CFrameStore.h"

#include <gtest/gtest.h>
#include <opencv2/core.hpp>

namespace {

// A 4 x 3 store whose colour frame 1 is (R 200, G 100, B 50) everywhere and
// whose grey frame 1 is 77 everywhere.
struct RenderRig {
    RenderRig() {
        store.Put_image_color(1, cv::Mat(3, 4, CV_8UC3, cv::Scalar(50, 100, 200)), 0, 0);
        store.Put_image(1, cv::Mat(3, 4, CV_8UC1, cv::Scalar(77)), 0, 0);
    }
    QRgb At(DisplayMode mode, int x = 1, int y = 1) const {
        return DisplayRender::Render(store, mode, true).pixel(x, y);
    }
    kova::CFrameStore store;
};

TEST(DisplayRenderTest, ColourSourceInEveryMode) {
    RenderRig rig;
    rig.store.Put_dispmode(kova::CFrameStore::kColorDispMode);
    // Grey is 0.299 R + 0.587 G + 0.114 B = 124.2; 124 lies in the green
    // to cyan stretch of the pseudo colours: blue = 255 - 4 (124 - 64).
    const std::pair<DisplayMode, QRgb> cases[] = {
        {DisplayMode::FullColor, qRgb(200, 100, 50)}, {DisplayMode::Grey, qRgb(124, 124, 124)},
        {DisplayMode::Red, qRgb(200, 200, 200)},      {DisplayMode::Green, qRgb(100, 100, 100)},
        {DisplayMode::Blue, qRgb(50, 50, 50)},        {DisplayMode::Pseudo, qRgb(0, 255, 15)},
    };
    for (const auto& [mode, expected] : cases)
        EXPECT_EQ(rig.At(mode), expected) << static_cast<int>(mode);
}

TEST(DisplayRenderTest, GreySourceIsItsOwnComponents) {
    RenderRig rig;
    for (DisplayMode mode : {DisplayMode::FullColor, DisplayMode::Grey, DisplayMode::Red,
                             DisplayMode::Green, DisplayMode::Blue})
        EXPECT_EQ(rig.At(mode), qRgb(77, 77, 77)) << static_cast<int>(mode);
    EXPECT_EQ(rig.At(DisplayMode::Pseudo), qRgb(0, 255, 203));
}

TEST(DisplayRenderTest, PseudoColoursRunFromBlueToRed) {
    const std::pair<int, cv::Vec3b> cases[] = {
        {0, {255, 0, 0}},     {64, {255, 255, 0}}, {128, {0, 255, 0}},
        {192, {0, 255, 255}}, {255, {0, 3, 255}},  {-5, {255, 0, 0}},
    };
    for (const auto& [value, bgr] : cases)
        EXPECT_EQ(DisplayRender::PseudoColor(value), bgr) << value;
}

TEST(DisplayRenderTest, WindowMarksAreDrawnOverTheConversion) {
    RenderRig rig;
    rig.store.Disp_window(1);
    rig.store.Put_window(1, 0, 2, 1);
    rig.store.Increase_window();
    EXPECT_EQ(rig.At(DisplayMode::Red, 1, 0), qRgb(0, 255, 0));
    EXPECT_EQ(rig.At(DisplayMode::Red, 3, 2), qRgb(77, 77, 77));
    EXPECT_EQ(DisplayRender::Render(rig.store, DisplayMode::Red, false).pixel(1, 0),
              qRgb(77, 77, 77));
}

TEST(DisplayRenderTest, StoreHoldsAnImageOnceAFrameIsWritten) {
    kova::CFrameStore grey;
    EXPECT_FALSE(DisplayRender::HoldsImage(grey));
    grey.Write_pixel(7, 0, 0, 1);
    EXPECT_TRUE(DisplayRender::HoldsImage(grey));
    kova::CFrameStore color;
    color.Write_pixel_color(color.Get_nofframe_color(), 0, 0, 1, 2, 3);
    EXPECT_TRUE(DisplayRender::HoldsImage(color));
}

TEST(DisplayRenderTest, LiveFramesConvertFromGreyOrBgrOnly) {
    EXPECT_EQ(DisplayRender::ToQImage(cv::Mat(2, 2, CV_8UC3, cv::Scalar(1, 2, 3))).pixel(1, 1),
              qRgb(3, 2, 1));
    EXPECT_EQ(DisplayRender::ToQImage(cv::Mat(2, 2, CV_8UC1, cv::Scalar(9))).pixel(0, 0),
              qRgb(9, 9, 9));
    EXPECT_TRUE(DisplayRender::ToQImage(cv::Mat(2, 2, CV_16UC1)).isNull());
    EXPECT_TRUE(DisplayRender::ToQImage(cv::Mat()).isNull());
}

} // namespace
