// Image files and series of the frame store: BMP placement and saving,
// fields, JPEG and TIFF against ImageMagick, information, series loops.
#include "CBmpFile.h"
#include "CFrameStore.h"
#include "CImageFile.h"
#include "CImageSeries.h"
#include "ImageTool.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

namespace kova {
namespace {

using test::TempDir;

class ImageFileTest : public ::testing::Test {
protected:
    cv::Mat Grey(int w, int h, unsigned seed) { return test::RandomImage(w, h, 1, seed); }

    TempDir dir;
    CFrameStore store;
    CImageFile files{store};
    CImageSeries series{store, files};
};

TEST_F(ImageFileTest, BmpLoadsAtAPosition) {
    const cv::Mat image = Grey(30, 20, 1);
    ASSERT_TRUE(CBmpFile::Write(dir.File("a.bmp"), image));
    ASSERT_EQ(files.Load_imagefile_bmp(dir.File("a.bmp"), 1, 0, 0), CImageFile::kOk);
    EXPECT_EQ(test::MaxDifference(store.Get_image(1), image), 0); // and the frame size
    ASSERT_EQ(files.Load_imagefile_bmp(dir.File("a.bmp"), 2, 4, 3), CImageFile::kOk);
    EXPECT_EQ(store.Read_pixel(2, 4, 3), image.at<uchar>(0, 0));
    EXPECT_EQ(files.Load_imagefile_bmp(dir.File("a.bmp"), 2, 30, 0), CImageFile::kOutside);
    EXPECT_EQ(files.Load_imagefile_bmp(dir.File("none.bmp"), 1, 0, 0), CImageFile::kOpenFailed);
    test::WriteBytes(dir.File("bad.bmp"), "BM not really");
    EXPECT_EQ(files.Load_imagefile_bmp(dir.File("bad.bmp"), 1, 0, 0), CImageFile::kBadFile);
    EXPECT_EQ(files.Load_imagefile_bmp(dir.File("a.bmp"), -1, 0, 0), CImageFile::kBadFrame);
    EXPECT_EQ(test::MaxDifference(store.Get_image(1), image), 0); // failures changed nothing
}

TEST_F(ImageFileTest, BmpSavesWindowsAndFields) {
    const cv::Mat colour = test::RandomImage(12, 9, 3, 2);
    ASSERT_EQ(store.Put_image_color(1, colour, 0, 0), CFrameStore::kOk);
    store.Put_window(2, 3, 7, 8); // rows 3..8: odd lines (rows 4, 6, 8), even lines (3, 5, 7)
    ASSERT_EQ(files.Save_imagefile_bmp_color(dir.File("w.bmp"), 1, 1), CImageFile::kOk);
    ASSERT_EQ(files.Save_imagefile_bmp_color(dir.File("odd.bmp"), 1, 1, 1), CImageFile::kOk);
    ASSERT_EQ(files.Save_imagefile_bmp_color(dir.File("even.bmp"), 1, 1, 2), CImageFile::kOk);
    ASSERT_EQ(files.Save_imagefile_bmp(dir.File("whole.bmp"), 1 + 0, 0), CImageFile::kOk);
    cv::Mat w, odd, even;
    ASSERT_EQ(CBmpFile::Read(dir.File("w.bmp"), true, w), CBmpFile::kOk);
    EXPECT_EQ(test::MaxDifference(w, colour(cv::Rect(2, 3, 6, 6))), 0);
    ASSERT_EQ(CBmpFile::Read(dir.File("odd.bmp"), true, odd), CBmpFile::kOk);
    ASSERT_EQ(CBmpFile::Read(dir.File("even.bmp"), true, even), CBmpFile::kOk);
    ASSERT_EQ(odd.rows, 3);
    ASSERT_EQ(even.rows, 3);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(test::MaxDifference(odd.row(r), colour(cv::Rect(2, 4 + 2 * r, 6, 1))), 0);
        EXPECT_EQ(test::MaxDifference(even.row(r), colour(cv::Rect(2, 3 + 2 * r, 6, 1))), 0);
    }
    int w_ = 0, h_ = 0, bits = 0;
    ASSERT_EQ(CImageFile::Get_imagefile_info(dir.File("whole.bmp"), w_, h_, bits), CImageFile::kOk);
    EXPECT_EQ((std::vector<int>{w_, h_, bits}), (std::vector<int>{12, 9, 8}));

    store.Put_window(0, 0, 11, 0); // one line: field 2 has nothing
    EXPECT_EQ(files.Save_imagefile_bmp(dir.File("none.bmp"), 1, 1, 2), CImageFile::kEmptyField);
    EXPECT_EQ(files.Save_imagefile_bmp(dir.File("no/dir.bmp"), 1, 0), CImageFile::kWriteFailed);
    EXPECT_FALSE(test::Exists(dir.File("none.bmp")));
}

TEST_F(ImageFileTest, JpegAndTiffAgreeWithImageMagick) {
    if (!test::HaveConvert()) GTEST_SKIP() << "ImageMagick convert is not installed";
    // Smooth content, so JPEG's loss stays small.
    cv::Mat colour(24, 32, CV_8UC3);
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 32; ++x)
            colour.at<cv::Vec3b>(y, x) = cv::Vec3b(x * 8, y * 10, 100 + x);
    }
    ASSERT_TRUE(cv::imwrite(dir.File("s.png"), colour));
    struct Case {
        const char* name;
        const char* options;
        int tolerance;
    };
    const Case cases[] = {
        {"c.jpg", "-quality 95", 12},     {"g.jpg", "-colorspace Gray -quality 95", 12},
        {"c.tif", "-compress None", 0},   {"l.tif", "-compress LZW", 0},
        {"g.tif", "-colorspace Gray", 0}, {"d.tif", "-depth 16", 0}};
    for (const Case& c : cases) {
        const std::string path = dir.File(c.name);
        ASSERT_TRUE(
            test::RunConvert("'" + dir.File("s.png") + "' " + c.options + " '" + path + "'"));
        const cv::Mat expected = test::ConvertDecode(path, dir.File("back.ppm"));
        ASSERT_EQ(files.Load_imagefile_color(path, 1, 0, 0), CImageFile::kOk) << c.name;
        EXPECT_LE(test::MaxDifference(store.Get_image_color(1), expected), c.tolerance) << c.name;
        // Our own files read back by ImageMagick.
        const std::string ours = dir.File(std::string("ours_") + c.name);
        ASSERT_EQ(files.Save_imagefile_color(ours, 1, 0), CImageFile::kOk);
        const cv::Mat back = test::ConvertDecode(ours, dir.File("ours.ppm"));
        EXPECT_LE(test::MaxDifference(back, store.Get_image_color(1)), c.tolerance) << c.name;
    }
}

TEST_F(ImageFileTest, GeneralFilesRefuseWhatTheyCannotRead) {
    EXPECT_EQ(files.Load_imagefile(dir.File("none.jpg"), 1, 0, 0), CImageFile::kOpenFailed);
    test::WriteBytes(dir.File("bad.tif"), "II*\0garbage");
    EXPECT_EQ(files.Load_imagefile(dir.File("bad.tif"), 1, 0, 0), CImageFile::kBadFile);
    ASSERT_TRUE(CBmpFile::Write(dir.File("b.jpg"), Grey(4, 4, 1))); // a BMP named .jpg
    EXPECT_EQ(files.Load_imagefile(dir.File("b.jpg"), 1, 0, 0), CImageFile::kBadFile);
    EXPECT_EQ(files.Save_imagefile(dir.File("x.png"), 1, 0), CImageFile::kUnsupported);
    EXPECT_EQ(files.Save_image(dir.File("x.txt"), 1, false, 0, 0), CImageFile::kUnsupported);
    int w = 0, h = 0, bits = 0;
    EXPECT_EQ(CImageFile::Get_imagefile_info(dir.File("x.bmp"), w, h, bits),
              CImageFile::kOpenFailed);
    EXPECT_EQ(CImageFile::Get_imagefile_info(dir.File("bad.tif"), w, h, bits),
              CImageFile::kBadFile);
}

TEST_F(ImageFileTest, SeriesSaveLoadAndDeleteWithIntervalAndFields) {
    for (int f = 1; f <= 5; ++f) {
        ASSERT_EQ(store.Put_image(f, cv::Mat(4, 6, CV_8UC1, cv::Scalar(f * 10)), 0, 0),
                  CFrameStore::kOk);
    }
    // Frames 1, 3, 5 into files 7, 8, 9.
    ASSERT_EQ(
        series.Save_series(dir.Path(), "S", "BMP", 7, 1, 5, 2, 0, CImageSeries::kFrames, false),
        CImageFile::kOk);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"S0007.BMP", "S0008.BMP", "S0009.BMP"}));
    EXPECT_EQ(store.Get_progress_pos(), 3);
    // Files 7 and 9 (interval 2) into frames 10 and 11.
    ASSERT_EQ(series.Load_series(dir.Path(), "S", "BMP", 7, 9, 10, 20, 2, 0, 0, false),
              CImageFile::kOk);
    EXPECT_EQ(series.Get_done(), 2);
    EXPECT_EQ((std::vector<int>{store.Read_pixel(10, 0, 0), store.Read_pixel(11, 0, 0),
                                store.Read_pixel(12, 0, 0)}),
              (std::vector<int>{10, 50, 0}));
    // Count limited by the frames: 7, 8 into 13, 14.
    ASSERT_EQ(series.Load_series(dir.Path(), "s", "bmp", 7, 9, 13, 14, 1, 0, 0, true),
              CImageFile::kOk); // found regardless of case
    int r = 0, g = 0, b = 0;
    store.Read_pixel_color(14, 1, 1, r, g, b);
    EXPECT_EQ(r, 30);
    EXPECT_EQ(series.Load_series(dir.Path(), "S", "BMP", 7, 12, 1, 5, 1, 0, 0, false),
              CImageFile::kOpenFailed); // file 10 is missing
    EXPECT_EQ(series.Get_done(), 3);

    // Fields: every frame gives two files, even field first.
    for (int y = 0; y < 4; ++y)
        store.Write_pixel(2, 0, y, y);
    ASSERT_EQ(series.Save_series(dir.Path(), "F", "TIF", 1, 2, 2, 1, 0,
                                 CImageSeries::kEvenFieldFirst, false),
              CImageFile::kOk);
    ASSERT_EQ(files.Load_imagefile(dir.File("F0001.TIF"), 20, 0, 0), CImageFile::kOk);
    EXPECT_EQ(store.Height(), 2); // lines 2 and 4: rows 1 and 3
    EXPECT_EQ(store.Read_pixel(20, 0, 0) * 10 + store.Read_pixel(20, 0, 1), 13);
    ASSERT_EQ(files.Load_imagefile(dir.File("F0002.TIF"), 20, 0, 0), CImageFile::kOk);
    EXPECT_EQ(store.Read_pixel(20, 0, 1), 2);

    ASSERT_EQ(series.Delete_series(dir.Path(), "S", "BMP", 7, 11, 2), CImageFile::kOk);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"F0001.TIF", "F0002.TIF", "S0008.BMP"}));
    EXPECT_EQ(series.Load_series(dir.Path(), "S", "BMP", 1, 2, 1, 0, 1, 0, 0, false),
              CImageSeries::kBadRange);
    EXPECT_EQ(series.Save_series(dir.Path(), "S", "BMP", 1, 1, 2, 0, 0, 0, false),
              CImageSeries::kBadRange);
    EXPECT_EQ(series.Load_series(dir.Path(), "S", "BMP", 8, 9, 300, 400, 1, 0, 0, false),
              CImageFile::kBadFrame);          // frame 301 does not exist
    EXPECT_EQ(store.Read_pixel(300, 0, 0), 0); // checked before any file
}

} // namespace
} // namespace kova
