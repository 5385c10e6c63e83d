// What capvo's windows show: the frame in each display mode, the zoom and
// its status text, and the pixel values around the pointer.
#include "CFrameStore.h"
#include "CapvoZoom.h"
#include "DisplayRender.h"
#include "PixelValueText.h"

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

TEST(DisplayRenderTest, ColourAndGreySourcesInEveryMode) {
    // Grey of the colour is 0.299 R + 0.587 G + 0.114 B = 124.2; 124 lies in
    // the green to cyan stretch of the pseudo colours: blue = 255 - 4 (124 - 64).
    const struct {
        DisplayMode mode;
        QRgb colour, grey;
    } cases[] = {
        {DisplayMode::FullColor, qRgb(200, 100, 50), qRgb(77, 77, 77)},
        {DisplayMode::Grey, qRgb(124, 124, 124), qRgb(77, 77, 77)},
        {DisplayMode::Red, qRgb(200, 200, 200), qRgb(77, 77, 77)},
        {DisplayMode::Green, qRgb(100, 100, 100), qRgb(77, 77, 77)},
        {DisplayMode::Blue, qRgb(50, 50, 50), qRgb(77, 77, 77)},
        {DisplayMode::Pseudo, qRgb(0, 255, 15), qRgb(0, 255, 203)},
    };
    RenderRig rig;
    for (const auto& c : cases)
        EXPECT_EQ(rig.At(c.mode), c.grey) << static_cast<int>(c.mode);
    rig.store.Put_dispmode(kova::CFrameStore::kColorDispMode);
    for (const auto& c : cases)
        EXPECT_EQ(rig.At(c.mode), c.colour) << static_cast<int>(c.mode);
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

TEST(CapvoZoomTest, ScaleIsLimitedToTenToFiveHundred) {
    const std::pair<int, int> cases[] = {{-3, 10},   {0, 10},    {9, 10},    {10, 10},
                                         {100, 100}, {500, 500}, {501, 500}, {100000, 500}};
    for (const auto& [asked, given] : cases)
        EXPECT_EQ(CapvoZoom::Clamp(asked), given) << asked;
}

TEST(CapvoZoomTest, StatusTextPadsRateAndSize) {
    EXPECT_EQ(CapvoZoom::StatusText(100, 640, 480), " Rate: 100% [Width:  640 Height:  480]");
    EXPECT_EQ(CapvoZoom::StatusText(10, 12345, 7), " Rate:  10% [Width: 12345 Height:    7]");
}

TEST(CapvoZoomTest, ViewPointsMapToImagePixels) {
    EXPECT_EQ(CapvoZoom::ToImage(QPoint(10, 10), QPoint(4, 0), 200), QPoint(7, 5));
    EXPECT_EQ(CapvoZoom::ToImage(QPoint(5, 9), QPoint(0, 0), 10), QPoint(50, 90));
    EXPECT_EQ(CapvoZoom::ToImage(QPoint(-1, 0), QPoint(0, 0), 100), QPoint(-1, 0));
    EXPECT_EQ(CapvoZoom::Scaled(640, 50), 320);
}

struct PixelRig {
    PixelRig() {
        cv::Mat grey(4, 6, CV_8UC1, cv::Scalar(5));
        grey.at<uchar>(0, 0) = 255;
        store.Put_image(1, grey, 0, 0);
        cv::Mat bgr(4, 6, CV_8UC3, cv::Scalar(255, 22, 1));
        store.Put_image_color(1, bgr, 0, 0);
    }
    kova::CFrameStore store;
};

TEST(PixelValueTextTest, GreyAndColourFormats) {
    PixelRig rig;
    EXPECT_EQ(PixelValueText::Cell(rig.store, 1, 1), "  5");
    EXPECT_EQ(PixelValueText::Cell(rig.store, 0, 0), " 255"); // the sign place stays
    rig.store.Put_dispmode(kova::CFrameStore::kColorDispMode);
    EXPECT_EQ(PixelValueText::Cell(rig.store, 5, 3), "1   22  255");
}

TEST(PixelValueTextTest, CellsOutsideTheFrameStayEmpty) {
    PixelRig rig;
    for (const auto& [x, y] : {std::pair{-1, 0}, {0, -1}, {6, 0}, {0, 4}, {-100, 100000}})
        EXPECT_EQ(PixelValueText::Cell(rig.store, x, y), "") << x << "," << y;
    // At the bottom-right corner only the 3 x 3 cells up and left are read.
    const std::vector<std::string> grid = PixelValueText::Grid(rig.store, 5, 3);
    ASSERT_EQ(grid.size(), 25u);
    for (std::size_t i = 0; i < grid.size(); ++i)
        EXPECT_EQ(grid[i].empty(), i / 5 > 2 || i % 5 > 2) << i;
    EXPECT_EQ(PixelValueText::Grid(rig.store, 0, 0)[12], " 255");
}

} // namespace
