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

using cli::RunBatch;
using test::TempDir;
using test::WriteBytes;

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result Batch(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunBatch(args, out, err);
    return {status, out.str(), err.str()};
}

class ImageVerbTest : public ::testing::Test {
protected:
    void SetUp() override {
        store_.Put_framesize(33, 21);
        grey_ = cv::Mat(21, 33, CV_8UC1);
        colour_ = cv::Mat(21, 33, CV_8UC3);
        cv::randu(grey_, cv::Scalar(0), cv::Scalar(256));
        cv::randu(colour_, cv::Scalar(0, 0, 0), cv::Scalar(256, 256, 256));
        store_.Put_image(1, grey_, 0, 0);
        store_.Put_image_color(1, colour_, 0, 0);
        CImageFile files(store_);
        ASSERT_EQ(files.Save_imagefile_bmp(dir_.File("grey.bmp"), 1, 0), CImageFile::kOk);
        ASSERT_EQ(files.Save_imagefile_bmp_color(dir_.File("colour.bmp"), 1, 0), CImageFile::kOk);
    }

    // Loads `path` into a fresh store: grey frame 1 or colour frame 1.
    cv::Mat LoadBack(const std::string& path, bool color) {
        CFrameStore store;
        CImageFile files(store);
        EXPECT_EQ(files.Load_image(path, 1, 0, 0, color), CImageFile::kOk) << path;
        return color ? store.Get_image_color(1) : store.Get_image(1);
    }

    TempDir dir_;
    CFrameStore store_;
    cv::Mat grey_;
    cv::Mat colour_;
};

TEST_F(ImageVerbTest, GreyAndColourKeepTheirPixelsThroughEveryFormat) {
    const struct {
        const char* from;
        const char* to;
        const char* type;    // of `to` as info describes it, or none
        const char* colours; // its colour count
    } steps[] = {{"grey.bmp", "g.txt", "Text", "256灰度数据."},
                 {"g.txt", "g2.BMP", "Bitmap", "256"},
                 {"colour.bmp", "c.tif", nullptr, nullptr},
                 {"c.tif", "c.txt", "Text", "16777216彩色数据."},
                 {"c.txt", "c.bmp", "Bitmap", "16777216"},
                 {"c.bmp", "c.jpg", "JPEG", "16777216"}};
    for (const auto& step : steps) {
        ASSERT_EQ(Batch({"image", "convert", dir_.File(step.from), dir_.File(step.to)}).status, 0)
            << step.to;
        if (!step.type) continue;
        const Result info = Batch({"image", "info", dir_.File(step.to)});
        EXPECT_EQ(info.status, 0);
        EXPECT_EQ(info.out, std::string("文件类型:  ") + step.type +
                                "\n\n 宽度:  33  高度:  21\n\n 颜色数:  " + step.colours + "\n");
    }
    EXPECT_EQ(cv::norm(LoadBack(dir_.File("g2.BMP"), false), grey_, cv::NORM_INF), 0);
    EXPECT_EQ(cv::norm(LoadBack(dir_.File("c.bmp"), true), colour_, cv::NORM_INF), 0);
}

TEST_F(ImageVerbTest, TextImageRectangleBecomesTheWholeImage) {
    WriteBytes(dir_.File("r.txt"), "$IMAGE_BEGIN\n$POSITION,5,6\n$COLORMODE,mono\n$SIZE,2,1\n"
                                   "$DATA_BEGIN\n10 300\n$DATA_END\n$IMAGE_END\n");
    ASSERT_EQ(Batch({"image", "convert", dir_.File("r.txt"), dir_.File("r.bmp")}).status, 0);
    const cv::Mat image = LoadBack(dir_.File("r.bmp"), false);
    ASSERT_EQ(image.size(), cv::Size(2, 1));
    EXPECT_EQ(image.at<uchar>(0, 0), 10);
    EXPECT_EQ(image.at<uchar>(0, 1), 44);
}

TEST_F(ImageVerbTest, AviFrameIsConvertedAndDescribed) {
    CAviVideo avi;
    ASSERT_EQ(avi.Create(dir_.File("v.avi"), 33, 21, 2, 25, CAviVideo::Layout::Frames, 1), 1);
    const cv::Mat half = colour_ / 2;
    store_.Put_image_color(2, half, 0, 0);
    ASSERT_EQ(avi.WriteFrame(store_, 1), 1);
    ASSERT_EQ(avi.WriteFrame(store_, 2), 1);
    ASSERT_EQ(avi.Close(), 1);
    ASSERT_EQ(Batch({"image", "convert", dir_.File("v.avi") + ":2", dir_.File("f2.bmp")}).status,
              0);
    EXPECT_EQ(cv::norm(LoadBack(dir_.File("f2.bmp"), true), half, cv::NORM_INF), 0);
    EXPECT_EQ(Batch({"image", "info", dir_.File("v.avi")}).out,
              " Video length:   0.1s   Size:   33 x 21\n\n 2 Frame   24 Bit color  Non-compress "
              "DIB \n\nFrame rate: 25.0 Hz \n\n\n");
    const Result missing =
        Batch({"image", "convert", dir_.File("v.avi") + ":3", dir_.File("x.bmp")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Capvo:  在本视频剪辑中不存在3-帧.\n");
    EXPECT_FALSE(test::Exists(dir_.File("x.bmp")));
}

TEST_F(ImageVerbTest, FailuresGiveTheMessageAndAStatus) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"convert", dir_.File("none.bmp"), dir_.File("o.bmp")}, "Capvo: 文件无法打开.\n"},
        {{"convert", dir_.File("grey.bmp"), dir_.File("o.png")}, "Capvo: 文件名无效.\n"},
        {{"convert", dir_.File("grey.xyz"), dir_.File("o.bmp")}, "Capvo: 文件名无效.\n"},
        {{"convert", dir_.File("v.avi:x"), dir_.File("o.bmp")}, "Capvo: 文件名无效.\n"},
        {{"info", dir_.File("none.avi")}, "Capvo: 文件无法打开.\n"},
        {{"info", dir_.File("grey.bmp") + ".txt"}, "Capvo: 文件无法打开.\n"},
        {{"convert", dir_.File("grey.bmp"), dir_.File("no/dir/o.txt")}, "Capvo: 保存文件失败！\n"},
    };
    for (const auto& [args, err] : cases) {
        std::vector<std::string> all = {"image"};
        all.insert(all.end(), args.begin(), args.end());
        const Result result = Batch(all);
        EXPECT_EQ(result.status, 1) << args[1];
        EXPECT_EQ(result.err, err) << args[1];
    }
    WriteBytes(dir_.File("bad.txt"), "$IMAGE_BEGIN\n$SIZE,0,0\n");
    EXPECT_EQ(Batch({"image", "info", dir_.File("bad.txt")}).err, "Capvo: Txt文件头读取错误！ \n");
    // A header claiming far more pixels than the file holds sizes no frame.
    WriteBytes(dir_.File("huge.txt"), "$IMAGE_BEGIN\n$POSITION,0,0\n$COLORMODE,color\n"
                                      "$SIZE,30000,30000\n$DATA_BEGIN\n1\n");
    EXPECT_EQ(Batch({"image", "convert", dir_.File("huge.txt"), dir_.File("h.bmp")}).err,
              "Capvo: Txt文件头读取错误！ \n");
    WriteBytes(dir_.File("bad.avi"), std::string("RIFF\4\0\0\0AVI ", 12));
    EXPECT_EQ(Batch({"image", "info", dir_.File("bad.avi")}).err, "Capvo: 不支持该文件格式. \n");
    EXPECT_EQ(Batch({"image", "convert", dir_.File("grey.bmp")}).status, 2);
    EXPECT_EQ(Batch({"image"}).status, 2);
}

} // namespace
} // namespace kova
