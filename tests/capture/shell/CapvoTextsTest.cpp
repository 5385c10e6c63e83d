#include "CFrameStore.h"
#include "CapvoZoom.h"
#include "PixelValueText.h"

#include <gtest/gtest.h>
#include <opencv2/core.hpp>

namespace {

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
    int filled = 0;
    for (int i = 0; i < 25; ++i) {
        const bool inside = i / 5 <= 2 && i % 5 <= 2;
        EXPECT_EQ(grid[static_cast<size_t>(i)].empty(), !inside) << i;
        filled += inside ? 1 : 0;
    }
    EXPECT_EQ(filled, 9);
    EXPECT_EQ(PixelValueText::Grid(rig.store, 0, 0)[12], " 255");
}

} // namespace
