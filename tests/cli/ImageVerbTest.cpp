#include "CAviVideo.h"
#include "CFrameStore.h"
#include "CImageFile.h"
#include "TestFiles.h"
#include "Verb.h"

#include <gtest/gtest.h>
#include <opencv2/core.hpp>
#include <sstream>

namespace kova {
namespace {

using test::WriteBytes;

// Runs `kova-batch image args...`: the status, and what it printed.
std::tuple<int, std::string, std::string> Image(std::vector<std::string> args) {
    std::ostringstream out, err;
    args.insert(args.begin(), "image");
    const int status = cli::RunBatch(args, out, err);
    return {status, out.str(), err.str()};
}

class ImageVerbTest : public ::testing::Test {
protected:
    void SetUp() override {
        store_.Put_framesize(33, 21);
        cv::randu(grey_, cv::Scalar(0), cv::Scalar(256));
        cv::randu(colour_, cv::Scalar(0, 0, 0), cv::Scalar(256, 256, 256));
        store_.Put_image(1, grey_, 0, 0);
        store_.Put_image_color(1, colour_, 0, 0);
        CImageFile files(store_);
        ASSERT_EQ(files.Save_imagefile_bmp(dir_.File("grey.bmp"), 1, 0), CImageFile::kOk);
        ASSERT_EQ(files.Save_imagefile_bmp_color(dir_.File("colour.bmp"), 1, 0), CImageFile::kOk);
    }
    // The largest difference between `path` loaded into a fresh store and
    // `image`.
    double Off(const std::string& path, const cv::Mat& image) {
        CFrameStore store;
        CImageFile files(store);
        const bool color = image.channels() == 3;
        EXPECT_EQ(files.Load_image(dir_.File(path), 1, 0, 0, color), CImageFile::kOk) << path;
        return cv::norm(color ? store.Get_image_color(1) : store.Get_image(1), image, cv::NORM_INF);
    }

    test::TempDir dir_;
    CFrameStore store_;
    cv::Mat grey_ = cv::Mat(21, 33, CV_8UC1);
    cv::Mat colour_ = cv::Mat(21, 33, CV_8UC3);
};

TEST_F(ImageVerbTest, GreyAndColourKeepTheirPixelsThroughEveryFormat) {
    const struct {
        const char *from, *to;
        const char *type, *colours; // of `to` as info describes it, or none
    } steps[] = {{"grey.bmp", "g.txt", "Text", "256灰度数据."},
                 {"g.txt", "g2.BMP", "Bitmap", "256"},
                 {"colour.bmp", "c.tif", nullptr, nullptr},
                 {"c.tif", "c.txt", "Text", "16777216彩色数据."},
                 {"c.txt", "c.bmp", "Bitmap", "16777216"},
                 {"c.bmp", "c.jpg", "JPEG", "16777216"}};
    for (const auto& step : steps) {
        ASSERT_EQ(std::get<0>(Image({"convert", dir_.File(step.from), dir_.File(step.to)})), 0)
            << step.to;
        if (!step.type) continue;
        EXPECT_EQ(Image({"info", dir_.File(step.to)}),
                  std::make_tuple(0,
                                  std::string("文件类型:  ") + step.type +
                                      "\n\n 宽度:  33  高度:  21\n\n 颜色数:  " + step.colours +
                                      "\n",
                                  ""));
    }
    EXPECT_EQ(Off("g2.BMP", grey_) + Off("c.bmp", colour_), 0);
}

TEST_F(ImageVerbTest, AviFrameIsConvertedAndDescribed) {
    CAviVideo avi;
    ASSERT_EQ(avi.Create(dir_.File("v.avi"), 33, 21, 2, 25, CAviVideo::Layout::Frames, 1), 1);
    const cv::Mat half = colour_ / 2;
    store_.Put_image_color(2, half, 0, 0);
    ASSERT_EQ(avi.WriteFrame(store_, 1) + avi.WriteFrame(store_, 2) + avi.Close(), 3);
    ASSERT_EQ(std::get<0>(Image({"convert", dir_.File("v.avi") + ":2", dir_.File("f2.bmp")})), 0);
    EXPECT_EQ(Off("f2.bmp", half), 0);
    EXPECT_EQ(Image({"convert", dir_.File("v.avi") + ":3", dir_.File("x.bmp")}),
              std::make_tuple(1, "", "Capvo:  在本视频剪辑中不存在3-帧.\n"));
    EXPECT_FALSE(test::Exists(dir_.File("x.bmp")));
}

TEST_F(ImageVerbTest, FailuresGiveTheMessageAndAStatus) {
    WriteBytes(dir_.File("bad.txt"), "$IMAGE_BEGIN\n$SIZE,0,0\n");
    // A header claiming far more pixels than the file holds sizes no frame.
    WriteBytes(dir_.File("huge.txt"), "$IMAGE_BEGIN\n$POSITION,0,0\n$COLORMODE,color\n"
                                      "$SIZE,30000,30000\n$DATA_BEGIN\n1\n");
    // Two pixels far out ask for a frame of a gigapixel.
    WriteBytes(dir_.File("far.txt"),
               "$IMAGE_BEGIN\n$POSITION,32766,32766\n$COLORMODE,color\n$SIZE,2,2\n");
    WriteBytes(dir_.File("bad.avi"), std::string("RIFF\4\0\0\0AVI ", 12));
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"convert", dir_.File("none.bmp"), dir_.File("o.bmp")}, "文件无法打开.\n"},
        {{"convert", dir_.File("grey.bmp"), dir_.File("o.png")}, "文件名无效.\n"},
        {{"convert", dir_.File("grey.xyz"), dir_.File("o.bmp")}, "文件名无效.\n"},
        {{"convert", dir_.File("v.avi:x"), dir_.File("o.bmp")}, "文件名无效.\n"},
        {{"info", dir_.File("none.avi")}, "文件无法打开.\n"},
        {{"info", dir_.File("grey.bmp") + ".txt"}, "文件无法打开.\n"},
        {{"convert", dir_.File("grey.bmp"), dir_.File("no/dir/o.txt")}, "保存文件失败！\n"},
        {{"info", dir_.File("bad.txt")}, "Txt文件头读取错误！ \n"},
        {{"convert", dir_.File("huge.txt"), dir_.File("h.bmp")}, "Txt文件头读取错误！ \n"},
        {{"convert", dir_.File("far.txt"), dir_.File("f.bmp")}, "Txt文件头读取错误！ \n"},
        {{"info", dir_.File("bad.avi")}, "不支持该文件格式. \n"}};
    for (const auto& [args, err] : cases)
        EXPECT_EQ(Image(args), std::make_tuple(1, "", "Capvo: " + err)) << args[1];
    EXPECT_EQ(std::get<0>(Image({"convert", dir_.File("grey.bmp")})), 2);
    EXPECT_EQ(std::get<0>(Image({})), 2);
}

} // namespace
} // namespace kova
