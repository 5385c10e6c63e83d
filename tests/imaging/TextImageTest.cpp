#include "CFrameStore.h"
#include "CTextImage.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <opencv2/core.hpp>
#include <random>

namespace kova {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

const char* const kOpenFailed = "打开文件失败！";

class TextImageTest : public ::testing::Test {
protected:
    void SetUp() override { store_.Put_framesize(64, 48); }

    cv::Mat RandomPlane() {
        cv::Mat plane(store_.Height(), store_.Width(), CV_8UC1);
        cv::randu(plane, cv::Scalar(0), cv::Scalar(256));
        return plane;
    }

    // Reads `text` (lines joined with "\n") as a file into grey frame `frame`.
    int ReadText(const std::string& text, int frame = 1, bool color = false) {
        WriteBytes(dir_.File("in.txt"), text);
        return color ? image_.ReadColor(dir_.File("in.txt"), frame)
                     : image_.ReadMono(dir_.File("in.txt"), frame);
    }

    // Grey frame 1 from (x, y) on, n pixels to the right.
    std::vector<int> Row(int x, int y, int n) const {
        std::vector<int> row;
        for (int i = 0; i < n; ++i)
            row.push_back(store_.Read_pixel(1, x + i, y));
        return row;
    }

    TempDir dir_;
    CFrameStore store_;
    RecordingPrompter prompter_;
    CTextImage image_{store_, prompter_};
};

TEST_F(TextImageTest, OnePixelImageIsWrittenExactlyAndReadsBack) {
    store_.Write_pixel(1, 0, 0, 7);
    store_.Put_window(0, 0, 0, 0);
    ASSERT_EQ(image_.WriteMono(dir_.File("one.txt"), 1, 1), 0);
    EXPECT_EQ(ReadBytes(dir_.File("one.txt")),
              "$IMAGE_BEGIN\r\n$POSITION,0,0\r\n$COLORMODE,mono\r\n$SIZE,1,1\r\n$DATA_BEGIN\r\n"
              "  7\r\n$DATA_END\r\n$IMAGE_END\r\n");
    ASSERT_EQ(image_.ReadMono(dir_.File("one.txt"), 2), 0);
    EXPECT_EQ(store_.Read_pixel(2, 0, 0), 7);
    EXPECT_TRUE(prompter_.Messages().empty());
    EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"one.txt"}); // no temporary left
}

TEST_F(TextImageTest, ColourWindowRoundTripTouchesOnlyTheRectangle) {
    int r = 0, g = 0, b = 0;
    store_.Get_frame_monochrome(1, r, g, b);
    for (int plane : {r, g, b})
        store_.Plane(plane) = RandomPlane();
    store_.Put_window(5, 7, 40, 30);
    ASSERT_EQ(image_.WriteColor(dir_.File("c.txt"), 1, 1), 0);
    const std::string text = ReadBytes(dir_.File("c.txt"));
    const std::string head =
        "$IMAGE_BEGIN\r\n$POSITION,5,7\r\n$COLORMODE,color\r\n$SIZE,36,24\r\n$DATA_BEGIN\r\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    // A data line: 36 values of three characters joined by commas.
    const std::size_t line = text.find("$DATA_BEGIN\r\n") + 13;
    EXPECT_EQ(text.find("\r\n", line) - line, 36u * 3 + 35);

    store_.Put_window_full();
    ASSERT_EQ(image_.ReadColor(dir_.File("c.txt"), 2), 0);
    EXPECT_EQ(store_.Window(), (FrameWindow{5, 7, 40, 30}));
    const cv::Rect rect(5, 7, 36, 24);
    const cv::Mat in = store_.Get_image_color(1), out = store_.Get_image_color(2);
    EXPECT_EQ(cv::norm(in(rect), out(rect), cv::NORM_INF), 0);
    cv::Mat outside = out.clone();
    outside(rect).setTo(0);
    EXPECT_EQ(cv::norm(outside, cv::NORM_INF), 0);
}

TEST_F(TextImageTest, ReaderAcceptsAnyHeaderOrderSeparatorsAndLineBreaks) {
    ASSERT_EQ(ReadText("\n  \t$IMAGE_BEGIN\r\n$SIZE 3\t2\n\n$COLORMODE,mono\n$POSITIONS,1,1\n"
                       "  $DATA_BEGIN\n1,2\n3 4\t5\n\n6\n$DATA_END\n\t$IMAGE_END\n"),
              0);
    EXPECT_EQ(Row(0, 0, 4), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(Row(1, 1, 3), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Row(1, 2, 3), (std::vector<int>{4, 5, 6}));
    // Values keep their low eight bits; every block of a file goes into the same frame.
    ASSERT_EQ(ReadText("$IMAGE_BEGIN\n$POSITION,0,0\n$COLORMODE,mono\n$SIZE,1,1\n$DATA_BEGIN\n9\n"
                       "$DATA_END\n$IMAGE_END\nnotes between blocks\n$IMAGE_BEGIN\n$POSITION,0,0\n"
                       "$COLORMODE,mono\n$SIZE,4,1\n$DATA_BEGIN\n300,256,-1,255\n$DATA_END\n"
                       "$IMAGE_END\n"),
              0);
    EXPECT_EQ(Row(0, 0, 4), (std::vector<int>{44, 0, 255, 255}));
    EXPECT_TRUE(prompter_.Messages().empty());
}

TEST_F(TextImageTest, EveryFailureReasonHasItsMessage) {
    const std::string mono1 = "$IMAGE_BEGIN\n$POSITION,0,0\n$COLORMODE,mono\n$SIZE,1,1\n";
    const std::string mono2 = "$IMAGE_BEGIN\n$POSITION,0,0\n$COLORMODE,mono\n$SIZE,2,1\n";
    const std::string color1 = "$IMAGE_BEGIN\n$POSITION,0,0\n$COLORMODE,color\n$SIZE,1,1\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"$IMAGE_BEGIN\n$FOO,1\n", "2 原因:无效的句法"},
        {"hello\n", "1 原因:无效的句法"},
        {mono1 + "$DATA_BEGIN\n5 $FOO\n", "6 原因:无效的句法"},
        {mono1 + "$DATA_BEGIN\n5\n$DATA_END\n", "7 原因:无效的句法"},
        {mono1 + "junk\n", "5 原因:无效的句法"},
        {"$IMAGE_BEGIN\n$POSITION,0,0\n$COLORMODE,Color\n", "3 原因:$COLORMODE 颜色模式不正确"},
        {"$IMAGE_BEGIN\n$POSITION,0,0\n$SIZE,1,1\n", "3 原因:$COLORMODE 颜色模式不正确"},
        {"$IMAGE_BEGIN\n$POSITION,-1,0\n", "2 原因:$POSITION 位置不正确"},
        {"$IMAGE_BEGIN\n$POSITION,5\n", "2 原因:$POSITION 位置不正确"},
        {"$IMAGE_BEGIN\n$SIZE,1,1\n$COLORMODE,mono\n", "3 原因:$POSITION 位置不正确"},
        {"$IMAGE_BEGIN\n$SIZE,0,1\n", "2 原因:$SIZE 尺寸不正确"},
        {"$IMAGE_BEGIN\n$SIZE,a,1\n", "2 原因:$SIZE 尺寸不正确"},
        {mono2 + "$DATA_BEGIN\n1\n$DATA_END\n$IMAGE_END\n", "7 原因:数据格式不正确"},
        {mono2 + "$DATA_BEGIN\n1 $IMAGE_END\n", "6 原因:数据格式不正确"},
        {mono1 + "$DATA_BEGIN\n1\n$DATA_END\n$DATA_BEGIN\n", "8 原因:操作块不正确"},
        {color1, "4 原因:显示模式不正确"},
    };
    for (const auto& [text, message] : cases) {
        prompter_.Clear();
        EXPECT_EQ(ReadText(text), -1) << text;
        EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{message, kOpenFailed})) << text;
    }
    // Two blocks for a colour image (read into a colour frame).
    prompter_.Clear();
    EXPECT_EQ(
        ReadText(color1 + "$DATA_BEGIN\n1\n$DATA_END\n$DATA_BEGIN\n2\n$DATA_END\n$IMAGE_END\n", 1,
                 true),
        -1);
    EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{"11 原因:操作块不正确", kOpenFailed}));
    prompter_.Clear();
    EXPECT_EQ(image_.ReadMono(dir_.File("missing.txt"), 1), -1);
    EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{"0 原因:文件出错", kOpenFailed}));
}

TEST_F(TextImageTest, ExtraValueIsNotStoredAndARectangleOutsideIsRefusedBeforeAnyPixel) {
    EXPECT_EQ(ReadText("$IMAGE_BEGIN\n$POSITION,0,0\n$COLORMODE,mono\n$SIZE,2,1\n$DATA_BEGIN\n"
                       "1,2,3\n$DATA_END\n$IMAGE_END\n"),
              -1);
    EXPECT_EQ(prompter_.Texts()[0], "6 原因:数据格式不正确");
    EXPECT_EQ(Row(0, 0, 3), (std::vector<int>{1, 2, 0})); // earlier pixels stay
    EXPECT_EQ(store_.Read_pixel(1, 0, 1), 0);

    store_.Fill_frame(1, 0, true);
    prompter_.Clear();
    store_.Put_window(1, 2, 3, 4);
    EXPECT_EQ(ReadText("$IMAGE_BEGIN\n$POSITION,64,0\n$SIZE,1,1\n$COLORMODE,mono\n$DATA_BEGIN\n"
                       "9\n$DATA_END\n$IMAGE_END\n"),
              -1);
    EXPECT_EQ(prompter_.Texts()[0], "3 原因:$POSITION 位置不正确");
    prompter_.Clear();
    EXPECT_EQ(ReadText("$IMAGE_BEGIN\n$POSITION,60,47\n$COLORMODE,mono\n$SIZE,5,1\n$DATA_BEGIN\n"
                       "9 9 9 9 9\n$DATA_END\n$IMAGE_END\n"),
              -1);
    EXPECT_EQ(prompter_.Texts()[0], "4 原因:$SIZE 尺寸不正确");
    EXPECT_EQ(cv::countNonZero(store_.Get_image(1)), 0);
    EXPECT_EQ(store_.Window(), (FrameWindow{1, 2, 3, 4}));
}

TEST_F(TextImageTest, WriteFailureShowsOnlyTheSaveMessage) {
    EXPECT_EQ(image_.WriteMono(dir_.File("no/such/dir/x.txt"), 1, 0), -1);
    EXPECT_EQ(image_.WriteColor(dir_.File("y.txt"), store_.Get_nofframe_color() + 1, 0), -1);
    EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{"保存文件失败！", "保存文件失败！"}));
    EXPECT_TRUE(dir_.Entries().empty());
}

TEST_F(TextImageTest, SeriesWriteStopsOnRequestAndReadsBack) {
    store_.Put_directory(1, dir_.Path());
    for (int f = 1; f <= 5; ++f)
        store_.Fill_frame(f, f * 10, true);
    image_.SetEventPump([&] {
        if (store_.Get_progress_pos() == 3)
            store_.Put_progress_pos(-1); // the user presses Stop after the third file
    });
    EXPECT_EQ(image_.WriteSeriesMono(1, 5, 1, "IMG", "TXT", 0), 0);
    EXPECT_EQ(dir_.Entries(),
              (std::vector<std::string>{"IMG0001.TXT", "IMG0002.TXT", "IMG0003.TXT"}));
    EXPECT_EQ(store_.Get_progress_pos(), 0);

    image_.SetEventPump(nullptr);
    EXPECT_EQ(image_.ReadSeriesMono(1, 11, 13, "IMG", "TXT"), 0);
    for (int f = 11; f <= 13; ++f)
        EXPECT_EQ(store_.Read_pixel(f, 63, 47), (f - 10) * 10);
    EXPECT_EQ(store_.Get_dispframe(), 13);
    EXPECT_EQ(store_.Get_progress_pos(), 3);

    // The loop ends at the first missing file; the frames before it stay.
    EXPECT_EQ(image_.ReadSeriesMono(2, 20, 23, "IMG", "TXT"), -1);
    EXPECT_EQ(store_.Read_pixel(21, 0, 0), 30);
    EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{"0 原因:文件出错", kOpenFailed}));
    store_.Put_progress_pos(-1);
    EXPECT_EQ(image_.ReadSeriesColor(1, 1, 3, "IMG", "TXT"), -1); // stopped before any file
}

} // namespace
} // namespace kova
