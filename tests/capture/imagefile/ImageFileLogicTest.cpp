#include "ImageFileLogic.h"

#include "BmpFixtures.h"
#include "CFrameStore.h"
#include "CTextImage.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <opencv2/core.hpp>

namespace {

using kova::CFrameStore;
using kova::MessageAnswer;
using kova::test::Exists;
using Op = ImageFileOperation;

constexpr int kWidth = 8;
constexpr int kHeight = 6;

// A frame whose pixels differ from those of every other frame.
cv::Mat Pattern(int seed, bool color) {
    cv::Mat image(kHeight, kWidth, color ? CV_8UC3 : CV_8UC1);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const int v = (seed * 40 + y * 8 + x * 3) % 256;
            if (color)
                image.at<cv::Vec3b>(y, x) = cv::Vec3b(v, 255 - v, (v * 7) % 256);
            else
                image.at<uchar>(y, x) = static_cast<uchar>(v);
        }
    return image;
}

class ImageFileLogicTest : public ::testing::Test {
protected:
    ImageFileLogicTest() {
        store_.Put_directory(1, dir_.Path());
        logic_ = std::make_unique<ImageFileLogic>(store_, prompter_);
    }

    void Fill(int first, int last, bool color) {
        for (int f = first; f <= last; ++f)
            color ? store_.Put_image_color(f, Pattern(f, true), 0, 0)
                  : store_.Put_image(f, Pattern(f, false), 0, 0);
    }
    void Series(Op op, const std::string& file1, const std::string& file2, int start, int end) {
        ImageFileFields& f = logic_->Fields();
        f.operation = op;
        f.file1 = file1;
        f.file2 = file2;
        f.continuous = true;
        f.startFrame = start;
        f.endFrame = end;
    }
    cv::Mat Frame(int frame, bool color) const {
        return color ? store_.Get_image_color(frame) : store_.Get_image(frame);
    }

    kova::test::TempDir dir_;
    CFrameStore store_;
    kova::RecordingPrompter prompter_;
    std::unique_ptr<ImageFileLogic> logic_;
};

// ---- every refusal and failure message ----

struct MessageCase {
    Op op;
    const char* file1;
    const char* file2;
    bool series;
    int start;
    int end;
    int interval;
    bool fields;
    std::vector<std::string> expected; // "@" stands for the directory
};

class ImageFileMessages : public ImageFileLogicTest,
                          public ::testing::WithParamInterface<MessageCase> {};

TEST_P(ImageFileMessages, ShowsTheMessagesInOrder) {
    const MessageCase& c = GetParam();
    Fill(1, 3, false);
    kova::test::WriteBytes(dir_.File("BAD.TXT"), "hello\r\n");
    Series(c.op, c.file1, c.file2, c.start, c.end);
    logic_->Fields().continuous = c.series;
    logic_->Fields().interval = c.interval;
    logic_->Fields().fieldUnit = c.fields;
    logic_->Run();
    std::vector<std::string> expected;
    for (std::string text : c.expected) {
        if (text[0] == '@') text.replace(0, 1, dir_.Path());
        expected.push_back(text);
    }
    EXPECT_EQ(prompter_.Texts(), expected);
    for (const kova::Message& m : prompter_.Messages()) {
        EXPECT_EQ(m.caption, "Capvo");
        EXPECT_EQ(m.icon, kova::MessageIcon::None);
    }
    EXPECT_FALSE(logic_->IsRunning());
    EXPECT_EQ(store_.Get_progress_pos(), 0);
}

const char* const kBad = "文件名无效.";
const char* const kMissing = "系统帧丢失. ";
// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, ImageFileMessages, ::testing::Values(
    MessageCase{Op::Load, "  ", "", false, 1, 1, 1, false, {kBad}},
    MessageCase{Op::Load, "A*.BMP", "", false, 1, 1, 1, false, {kBad}},
    MessageCase{Op::Save, "A.PNG", "", false, 1, 1, 1, false, {kBad}},
    MessageCase{Op::Load, "A.BMP", "", false, 1, 1, 0, false, {"间隔数无效."}},
    MessageCase{Op::Save, "A.BMP", "", false, 1, 2, 3, false, {"间隔数无效."}},
    MessageCase{Op::Load, "TEST.BMP", "", true, 1, 3, 1, false, {kBad}},
    MessageCase{Op::Load, "A1.2.BMP", "A1.4.BMP", true, 1, 3, 1, false, {kBad}},
    MessageCase{Op::Load, "CAM1_0001.BMP", "CAM2_0003.BMP", true, 1, 3, 1, false, {kBad}},
    MessageCase{Op::Delete, "CAM1_0003.BMP", "CAM1_0001.BMP", true, 1, 3, 1, false, {kBad}},
    MessageCase{Op::Information, "CAM1_0001.BMP", "", true, 1, 3, 1, false, {kBad}},
    MessageCase{Op::Load, "A0001.BMP", "A0400.BMP", true, 1, 301, 1, false, {kMissing}},
    MessageCase{Op::Save, "A0001.BMP", "", true, 0, 1, 1, false, {kMissing}},
    MessageCase{Op::Save, "T0001.TXT", "", true, 1, 3, 1, true, {"无法用文件模式来存储场数据."}},
    MessageCase{Op::Load, "A0001.BMP", "A0002.BMP", true, 1, 3, 1, false,
                {"@/A0001.BMP\n打开文件失败！"}},
    MessageCase{Op::Load, "NONE.TXT", "", false, 1, 1, 1, false,
                {"0 原因:文件出错", "打开文件失败！"}},
    MessageCase{Op::Information, "NONE.TXT", "", false, 1, 1, 1, false, {"文件无法打开."}},
    MessageCase{Op::Information, "BAD.TXT", "", false, 1, 1, 1, false, {"Txt文件头读取错误！ "}},
    MessageCase{Op::Information, "NONE.JPG", "", false, 1, 1, 1, false, {"文件无法打开."}},
    MessageCase{Op::Delete, "NONE.BMP", "", false, 1, 1, 1, false,
                {"@/NONE.BMP\n 您确实要删除该文件吗？?", " 无法删除该文件."}}));
// clang-format on

// ---- series round trips ----

struct TripCase {
    const char* name1;
    const char* name3;
    bool color;
    int interval;     // between the saved frames
    double tolerance; // largest pixel difference (JPEG)
};

class ImageFileRoundTrip : public ImageFileLogicTest,
                           public ::testing::WithParamInterface<TripCase> {};

TEST_P(ImageFileRoundTrip, SavedSeriesLoadsBackIntoOtherFrames) {
    const TripCase& c = GetParam();
    if (c.color) store_.Put_dispmode(CFrameStore::kColorDispMode);
    Fill(1, 5, c.color);
    Series(Op::Save, c.name1, "", 1, 1 + 2 * c.interval);
    logic_->Fields().interval = c.interval;
    EXPECT_EQ(logic_->Run(), 1);
    Series(Op::Load, c.name1, c.name3, 11, 20);
    logic_->Fields().interval = 1;
    EXPECT_EQ(logic_->Run(), 1);
    EXPECT_TRUE(prompter_.Texts().empty());
    for (int i = 0; i < 3; ++i)
        EXPECT_LE(
            cv::norm(Frame(1 + i * c.interval, c.color), Frame(11 + i, c.color), cv::NORM_INF),
            c.tolerance)
            << i;
    EXPECT_EQ(c.color ? store_.Get_dispframe_color() : store_.Get_dispframe(), 13);
    EXPECT_EQ(dir_.Entries().size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Types, ImageFileRoundTrip,
                         ::testing::Values(TripCase{"CAM1_0001.BMP", "CAM1_0003.BMP", false, 2, 0},
                                           TripCase{"CAM1_0001.BMP", "CAM1_0003.BMP", true, 1, 0},
                                           TripCase{"t0001.txt", "t0003.txt", false, 2, 0},
                                           TripCase{"T0001.TXT", "T0003.TXT", true, 1, 0},
                                           TripCase{"J0001.JPG", "J0003.JPG", false, 1, 12},
                                           TripCase{"F0001.TIF", "F0003.TIF", true, 2, 0}));

TEST_F(ImageFileLogicTest, SavesFieldsAsFilesOfTheirOwn) {
    Fill(1, 1, false);
    Series(Op::Save, "F0001.BMP", "", 1, 1);
    logic_->Fields().fieldUnit = true;
    logic_->Fields().evenFieldFirst = true;
    ASSERT_EQ(logic_->Run(), 1);
    cv::Mat even;
    kova::CBmpFile::Read(dir_.File("F0001.BMP"), false, even);
    ASSERT_EQ(even.rows, kHeight / 2);
    EXPECT_EQ(cv::norm(even.row(0), Pattern(1, false).row(1), cv::NORM_INF), 0);
    EXPECT_TRUE(Exists(dir_.File("F0002.BMP")));
}

TEST_F(ImageFileLogicTest, StopFromThePumpLeavesTheFilesWritten) {
    Fill(1, 5, false);
    for (const char* name : {"S0001.BMP", "S0001.TXT"}) {
        int calls = 0;
        logic_->SetEventPump([&] {
            EXPECT_TRUE(logic_->IsRunning());
            EXPECT_EQ(logic_->Run(), 0); // refused while running
            if (++calls == 2) logic_->Stop();
        });
        Series(Op::Save, name, "", 1, 5);
        EXPECT_EQ(logic_->Run(), 0);
        EXPECT_FALSE(logic_->IsRunning());
        EXPECT_EQ(store_.Get_progress_pos(), 0);
        logic_->SetEventPump(nullptr);
    }
    EXPECT_EQ(dir_.Entries(),
              (std::vector<std::string>{"S0001.BMP", "S0001.TXT", "S0002.BMP", "S0002.TXT"}));
    EXPECT_TRUE(prompter_.Texts().empty());
}

TEST_F(ImageFileLogicTest, OverwriteIsAskedOnceAndCancelWritesNothing) {
    Fill(1, 3, false);
    kova::test::WriteBytes(dir_.File("O0002.BMP"), "old");
    kova::test::WriteBytes(dir_.File("O0003.BMP"), "old");
    Series(Op::Save, "O0001.BMP", "", 1, 3);
    prompter_.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_EQ(logic_->Run(), 0);
    const std::string question = dir_.File("O0002.BMP") + "\n文件已经存在.\n 要覆盖吗?";
    EXPECT_EQ(prompter_.Texts(), std::vector<std::string>{question});
    EXPECT_EQ(prompter_.Messages()[0].buttons, kova::MessageButtons::OkCancel);
    EXPECT_EQ(dir_.Entries(), (std::vector<std::string>{"O0002.BMP", "O0003.BMP"}));
    EXPECT_EQ(kova::test::ReadBytes(dir_.File("O0002.BMP")), "old");
    EXPECT_EQ(logic_->Run(), 1); // OK overwrites all
    EXPECT_EQ(prompter_.Texts().size(), 2u);
    EXPECT_EQ(dir_.Entries().size(), 3u);
    EXPECT_NE(kova::test::ReadBytes(dir_.File("O0003.BMP")), "old");
}

TEST_F(ImageFileLogicTest, DeleteRemovesOnlyTheChosenSeries) {
    for (const char* name : {"CAM1_0001.BMP", "CAM1_0002.BMP", "CAM1_0003.BMP", "CAM0001.BMP"})
        kova::test::WriteBytes(dir_.File(name), "x");
    Series(Op::Delete, "CAM1_0001.BMP", "CAM1_0003.BMP", 1, 10);
    prompter_.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_EQ(logic_->Run(), 0);
    EXPECT_EQ(dir_.Entries().size(), 4u);
    EXPECT_EQ(logic_->Run(), 1);
    const std::string question =
        dir_.File("CAM1_0001.BMP") + " - CAM1_0003.BMP (3 个文件)\n 您确实要删除该文件吗？?";
    EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{question, question}));
    EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"CAM0001.BMP"});
}

TEST_F(ImageFileLogicTest, InformationTexts) {
    kova::test::WriteBmp(dir_.File("G.BMP"), kWidth, kHeight, 7);
    kova::test::WriteBmp(dir_.File("C.BMP"), kWidth, kHeight, 7, true);
    store_.Put_image(1, Pattern(1, false), 0, 0);
    store_.Put_image_color(1, Pattern(1, true), 0, 0);
    kova::CTextImage text(store_, prompter_);
    text.WriteMono(dir_.File("G.TXT"), 1, 0);
    text.WriteColor(dir_.File("C.TXT"), 1, 0);
    logic_->Fields().operation = Op::Information;
    for (const char* name : {"G.BMP", "C.BMP", "G.TXT", "C.TXT"}) {
        logic_->Fields().file1 = name;
        EXPECT_EQ(logic_->Run(), 1) << name;
    }
    const std::string size = "\n\n 宽度:  8  高度:  6\n\n 颜色数:  ";
    EXPECT_EQ(prompter_.Texts(),
              (std::vector<std::string>{"文件类型:  Bitmap" + size + "256\n",
                                        "文件类型:  Bitmap" + size + "16777216\n",
                                        "文件类型:  Text" + size + "256灰度数据.\n",
                                        "文件类型:  Text" + size + "16777216彩色数据.\n"}));
}

TEST_F(ImageFileLogicTest, BrowseTakesDirectoryAndTheEndsOfTheSelection) {
    prompter_.QueueFiles({dir_.File("B0060.BMP"), dir_.File("B0001.BMP"), dir_.File("B0030.BMP")});
    prompter_.QueueFiles({"/tmp/x/ONE.TXT"});
    prompter_.QueueFileCancel();
    ASSERT_TRUE(logic_->Browse());
    EXPECT_EQ(logic_->Fields().file1, "B0001.BMP");
    EXPECT_EQ(logic_->Fields().file2, "B0060.BMP");
    EXPECT_EQ(logic_->Fields().directory, dir_.Path());
    ASSERT_TRUE(logic_->Browse());
    EXPECT_EQ(logic_->Fields().file2, "");
    EXPECT_EQ(store_.Get_directory(1), "/tmp/x");
    EXPECT_FALSE(logic_->Browse());
    EXPECT_EQ(logic_->Fields().file1, "ONE.TXT");
    const kova::FileDialogRequest& request = prompter_.FileRequests().front();
    EXPECT_EQ(request.kind, kova::FileDialogKind::OpenMultiple);
    EXPECT_EQ(request.filter, ImageFileLogic::kFilter);
}

TEST_F(ImageFileLogicTest, SingleFileLoadsIntoTheDisplayedFrameAtThePosition) {
    kova::test::WriteBmp(dir_.File("ONE.BMP"), 2, 2, 99);
    store_.Put_image(4, Pattern(4, false), 0, 0);
    store_.Disp_frame(4);
    logic_->Fields().file1 = " ONE.BMP ";
    logic_->Fields().startX = 3;
    logic_->Fields().startY = 2;
    logic_->Fields().withinWindow = false;
    store_.Put_window(0, 0, 1, 1);
    EXPECT_EQ(logic_->Run(), 1);
    EXPECT_EQ(store_.Read_pixel(4, 3, 2), 99);
    EXPECT_EQ(store_.Read_pixel(4, 4, 3), 99);
    EXPECT_EQ(store_.Read_pixel(4, 5, 3), Pattern(4, false).at<uchar>(3, 5));
}

} // namespace
