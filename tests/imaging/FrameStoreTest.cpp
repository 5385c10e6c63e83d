// The frame store: numbering of grey frames and colour planes, the processing
// window, images put at positions, pixel access and display.
#include "CBmpFile.h"
#include "CFrameStore.h"
#include "ImageTool.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <opencv2/imgproc.hpp>

namespace kova {
namespace {

TEST(FrameStoreTest, GreyFramesAndColourPlanesAreNumberedApart) {
    CFrameStore store;
    store.Put_nofframe(10);
    store.Put_nofframe_color(4);
    // Grey frames 0..10, then the planes of colour frames 0..4 from 11 on.
    EXPECT_EQ((std::vector<bool>{store.IsMonoFrame(-1), store.IsMonoFrame(0), store.IsMonoFrame(10),
                                 store.IsMonoFrame(11 + 3 * 5 - 1), store.IsMonoFrame(11 + 3 * 5),
                                 store.IsColorFrame(4), store.IsColorFrame(5)}),
              (std::vector<bool>{false, true, true, true, false, true, false}));
    int r = 0, g = 0, b = 0;
    ASSERT_EQ(store.Get_frame_monochrome(2, r, g, b), CFrameStore::kOk);
    EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{17, 18, 19}));
    EXPECT_EQ(store.Get_color_frame(g), 2);
    EXPECT_EQ(store.Get_color_frame(10), -1);
    EXPECT_EQ(store.Get_frame_monochrome(5, r, g, b), CFrameStore::kBadFrame);

    // Colour content follows its planes when the grey capacity changes.
    ASSERT_EQ(store.Write_pixel_color(2, 3, 4, 10, 20, 30), CFrameStore::kOk);
    ASSERT_EQ(store.Write_pixel(7, 1, 1, 99), CFrameStore::kOk);
    store.Put_nofframe(20);
    int pr = 0, pg = 0, pb = 0;
    ASSERT_EQ(store.Read_pixel_color(2, 3, 4, pr, pg, pb), CFrameStore::kOk);
    EXPECT_EQ((std::vector<int>{pr, pg, pb}), (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(store.Read_pixel(7, 1, 1), 99);
    EXPECT_EQ(store.Put_nofframe(0), CFrameStore::kBadArgument);
}

TEST(FrameStoreTest, WindowIsOrderedAndClampedIntoTheFrame) {
    CFrameStore store;
    store.Put_window(700, -5, 10, 20);
    int x0, y0, x1, y1, w, h;
    store.Get_window(x0, y0, x1, y1, w, h);
    EXPECT_EQ((std::vector<int>{x0, y0, x1, y1, w, h}),
              (std::vector<int>{10, 0, 639, 20, 630, 21}));
    int x = -3, y = 900;
    store.Check_xy(x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 479);
}

TEST(FrameStoreTest, ImageAtOriginSetsTheFrameSizeElsewhereIsClippedToTheWindow) {
    CFrameStore store;
    store.Write_pixel(3, 5, 5, 77);
    const cv::Mat image = test::RandomImage(40, 30, 1, 1);
    ASSERT_EQ(store.Put_image(2, image, 0, 0), CFrameStore::kOk);
    EXPECT_EQ(store.Window(), (FrameWindow{0, 0, 39, 29}));
    EXPECT_EQ(test::MaxDifference(store.Get_image(2), image), 0);
    EXPECT_EQ(store.Read_pixel(3, 5, 5), 77); // other frames kept where they still fit
    store.Put_window(10, 10, 29, 24);
    ASSERT_EQ(store.Put_image(1, image, 5, 8), CFrameStore::kOk);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool written = x >= 10 && x <= 29 && y >= 10 && y <= 24;
            const int expected = written ? image.at<uchar>(y - 8, x - 5) : 0;
            ASSERT_EQ(store.Read_pixel(1, x, y), expected) << x << "," << y;
        }
    }
    EXPECT_EQ(store.Put_image(1, image, 40, 0), CFrameStore::kOutside);
    EXPECT_EQ(store.Put_image(1, image, -1, 3), CFrameStore::kOutside);
    EXPECT_EQ(store.Put_image(1, cv::Mat(3, 3, CV_16UC1), 1, 1), CFrameStore::kBadArgument);
    EXPECT_EQ(store.Put_image(9999, image, 1, 1), CFrameStore::kBadFrame);
}

TEST(FrameStoreTest, GreyAndColourImagesCrossOver) {
    CFrameStore store;
    const cv::Mat colour = test::RandomImage(16, 8, 3, 3);
    ASSERT_EQ(store.Put_image_color(1, colour, 0, 0), CFrameStore::kOk);
    EXPECT_EQ(test::MaxDifference(store.Get_image_color(1), colour), 0);
    int r = 0, g = 0, b = 0;
    store.Read_pixel_color(1, 2, 3, r, g, b);
    const cv::Vec3b bgr = colour.at<cv::Vec3b>(3, 2);
    EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{bgr[2], bgr[1], bgr[0]}));

    cv::Mat grey;
    cv::cvtColor(colour, grey, cv::COLOR_BGR2GRAY);
    ASSERT_EQ(store.Put_image(2, colour, 0, 0), CFrameStore::kOk);
    EXPECT_EQ(test::MaxDifference(store.Get_image(2), grey), 0);
    ASSERT_EQ(store.Put_image_color(2, grey, 0, 0), CFrameStore::kOk);
    cv::Mat greyBgr;
    cv::cvtColor(grey, greyBgr, cv::COLOR_GRAY2BGR);
    EXPECT_EQ(test::MaxDifference(store.Get_image_color(2), greyBgr), 0);
}

TEST(FrameStoreTest, PixelsAndBuffersStayInsideTheFrame) {
    CFrameStore store;
    store.Put_framesize(8, 6);
    EXPECT_EQ(store.Read_pixel(1, 2, 2), 0); // untouched frames read black
    EXPECT_EQ(store.Write_pixel(1, 2, 2, 300), CFrameStore::kOk);
    EXPECT_EQ(store.Read_pixel(1, 2, 2), 255);
    EXPECT_EQ(store.Write_pixel(1, 8, 0, 1), CFrameStore::kOutside);
    EXPECT_EQ(store.Read_pixel(1, 0, -1), -1);

    store.Put_window(2, 1, 5, 3);
    cv::Mat buffer = store.Pre_process(1);
    ASSERT_EQ(buffer.size(), cv::Size(4, 3));
    EXPECT_EQ(buffer.at<uchar>(1, 0), 255);
    buffer.setTo(9);
    EXPECT_EQ(store.Read_pixel(1, 2, 2), 255); // a copy until written back
    ASSERT_EQ(store.Post_process(1, buffer), CFrameStore::kOk);
    EXPECT_EQ(store.Read_pixel(1, 2, 2), 9);
    EXPECT_EQ(store.Read_pixel(1, 1, 2), 0);
    EXPECT_EQ(store.Post_process(1, cv::Mat(2, 2, CV_8UC1)), CFrameStore::kBadArgument);
    int r = 0, g = 0, b = 0;
    EXPECT_EQ(store.Read_pixel_color(1, 8, 0, r, g, b), CFrameStore::kOutside);
    EXPECT_EQ(store.Write_pixel_color(1, 0, 6, 1, 2, 3), CFrameStore::kOutside);
}

TEST(FrameStoreTest, DisplayShowsTheFrameOfTheMode) {
    CFrameStore store;
    store.Put_framesize(6, 4);
    store.Disp_window(1);
    store.Write_pixel(1, 1, 1, 120);
    store.Write_pixel_color(1, 2, 2, 10, 20, 30);
    store.Disp_frame(1);
    QImage image = store.GetNopa32Dib();
    ASSERT_EQ(image.size(), QSize(6, 4));
    EXPECT_EQ(image.pixel(1, 1), qRgb(120, 120, 120));
    store.Put_threshold_lut(100, 130);
    EXPECT_EQ(store.GetNopa32Dib().pixel(1, 1), qRgb(255, 255, 255));
    store.Clear_threshold_lut();

    store.Put_dispmode(CFrameStore::kColorDispMode);
    store.Disp_frame_color(1);
    EXPECT_EQ(store.GetNopa32Dib().pixel(2, 2), qRgb(10, 20, 30));

    store.Put_window(0, 0, 5, 3);
    store.Increase_window();
    EXPECT_EQ(store.GetNopa32Dib().pixel(0, 0), qRgb(0, 255, 0)); // mark drawn

    test::TempDir dir;
    ASSERT_EQ(store.Write_dispdib(dir.File("shown.bmp")), CFrameStore::kOk);
    cv::Mat written;
    CBmpFile::Header header;
    ASSERT_EQ(CBmpFile::Read(dir.File("shown.bmp"), true, written, &header), CBmpFile::kOk);
    EXPECT_EQ(header.bitCount, 24);
    EXPECT_EQ(written.at<cv::Vec3b>(2, 2), cv::Vec3b(30, 20, 10));
}

} // namespace
} // namespace kova
