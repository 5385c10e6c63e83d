// Saving store frames as AVI frames or fields, and what a cancelled or
// stopped save leaves behind.
#include "AviFileLogic.h"
#include "AviTestSupport.h"
#include "CAviHeader.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace kova {
namespace {

using test::FakeAviControls;
using test::TempDir;

constexpr int kWidth = 16;
constexpr int kHeight = 12;
constexpr int kStoreFrames = 10;

class AviFileSaveTest : public ::testing::Test {
protected:
    AviFileSaveTest() : logic_(store_, prompter_) {
        test::FillStore(store_, kStoreFrames, kWidth, kHeight);
        logic_.SetControls(&controls_);
        AviFileFields& f = controls_.fields;
        f.directory = dir_.Path();
        f.fileName = "out.avi";
        f.operation = AviOperation::Save;
        f.systemEnd = kStoreFrames;
        path_ = dir_.File("out.avi");
    }

    TempDir dir_;
    CFrameStore store_;
    RecordingPrompter prompter_;
    FakeAviControls controls_;
    AviFileLogic logic_;
    std::string path_;
};

cv::Mat FirstChannel(const cv::Mat& bgr) {
    cv::Mat channel;
    cv::extractChannel(bgr, channel, 0);
    return channel;
}

TEST_F(AviFileSaveTest, FramesOneToTenAtIntervalThreeWriteFramesOneFourSevenTen) {
    controls_.fields.interval = 3;
    EXPECT_EQ(logic_.Run(), 1);
    const std::vector<cv::Mat> frames = test::DecodeAll(path_);
    const std::vector<int> expected = {1, 4, 7, 10};
    ASSERT_EQ(frames.size(), expected.size());
    for (std::size_t i = 0; i < frames.size(); ++i)
        EXPECT_EQ(cv::norm(FirstChannel(frames[i]), store_.Get_image(expected[i]), cv::NORM_INF),
                  0.0)
            << i;
    CAviHeader header;
    ASSERT_TRUE(header.Read(path_));
    EXPECT_EQ(header.BitCount(), 8);
    EXPECT_EQ(header.FrameRate(), 30.0);
    EXPECT_EQ(controls_.progress.back(), 100);
    EXPECT_EQ(dir_.Entries(), (std::vector<std::string>{"out.avi"}));
}

TEST_F(AviFileSaveTest, ColourDisplaySavesTwentyFourBitFrames) {
    store_.Put_dispmode(CFrameStore::kColorDispMode);
    controls_.fields.systemStart = 2;
    controls_.fields.systemEnd = 3;
    controls_.fields.frameRate = "12.5";
    EXPECT_EQ(logic_.Save(), 1);
    const std::vector<cv::Mat> frames = test::DecodeAll(path_);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(cv::norm(frames[1], store_.Get_image_color(3), cv::NORM_INF), 0.0);
    CAviHeader header;
    ASSERT_TRUE(header.Read(path_));
    EXPECT_EQ(header.BitCount(), 24);
    EXPECT_EQ(header.FrameRate(), 12.5);
}

struct FieldCase {
    AviFirstField first;
    int interval;
};

TEST_F(AviFileSaveTest, FieldSavesDeclareWriteAndDecodeTheSameItems) {
    const int start = 2, end = 4;
    for (const FieldCase c :
         {FieldCase{AviFirstField::Odd, 1}, FieldCase{AviFirstField::Odd, 2},
          FieldCase{AviFirstField::Odd, 3}, FieldCase{AviFirstField::Even, 1},
          FieldCase{AviFirstField::Even, 2}, FieldCase{AviFirstField::Even, 3}}) {
        SCOPED_TRACE(std::to_string(c.first == AviFirstField::Odd) + " " +
                     std::to_string(c.interval));
        controls_.fields.layout = AviSaveLayout::Fields;
        controls_.fields.firstField = c.first;
        controls_.fields.interval = c.interval;
        controls_.fields.systemStart = start;
        controls_.fields.systemEnd = end;
        std::remove(path_.c_str());
        ASSERT_EQ(logic_.Save(), 1);
        const int declared =
            AviFileLogic::SaveItemCount(start, end, c.interval, AviSaveLayout::Fields);
        EXPECT_EQ(declared, (2 * (end - start) + 1) / c.interval + 1);
        CAviHeader header;
        ASSERT_TRUE(header.Read(path_));
        EXPECT_EQ(header.FrameCount(), declared);
        const std::vector<cv::Mat> items = test::DecodeAll(path_);
        ASSERT_EQ(static_cast<int>(items.size()), declared);
        for (int k = 0; k < declared; ++k) {
            const int counter = k * c.interval;
            const cv::Mat frame = store_.Get_image(start + counter / 2);
            // Odd field: rows 0, 2, 4 ...; an even counter writes the first field.
            const bool odd = (counter % 2 == 0) == (c.first == AviFirstField::Odd);
            cv::Mat rows(kHeight / 2, kWidth, CV_8UC1);
            for (int r = 0; r < kHeight / 2; ++r)
                frame.row(2 * r + (odd ? 0 : 1)).copyTo(rows.row(r));
            EXPECT_EQ(cv::norm(FirstChannel(items[k]), rows, cv::NORM_INF), 0.0) << k;
        }
    }
}

TEST_F(AviFileSaveTest, FieldsOfFramesOneToTwoAtIntervalOneAreFourItems) {
    EXPECT_EQ(AviFileLogic::SaveItemCount(1, 2, 1, AviSaveLayout::Fields), 4);
    EXPECT_EQ(AviFileLogic::SaveItemCount(1, 10, 3, AviSaveLayout::Frames), 4);
    EXPECT_EQ(AviFileLogic::SaveItemCount(5, 5, 7, AviSaveLayout::Fields), 1);
}

TEST_F(AviFileSaveTest, CancellingTheOverwriteKeepsTheOldFile) {
    test::WriteBytes(path_, "old bytes");
    prompter_.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_EQ(logic_.Save(), 0);
    EXPECT_EQ(prompter_.Messages(),
              (std::vector<Message>{{path_ + "\n文件已经存在.\n 要覆盖吗?", "Capvo",
                                     MessageIcon::None, MessageButtons::OkCancel}}));
    EXPECT_EQ(test::ReadBytes(path_), "old bytes");
    EXPECT_EQ(dir_.Entries(), (std::vector<std::string>{"out.avi"}));
    EXPECT_TRUE(controls_.runningStates.empty());
}

TEST_F(AviFileSaveTest, ConfirmedOverwriteReplacesTheFile) {
    test::WriteBytes(path_, "old bytes");
    prompter_.QueueAnswer(MessageAnswer::Ok);
    EXPECT_EQ(logic_.Save(), 1);
    EXPECT_EQ(test::DecodeAll(path_).size(), static_cast<std::size_t>(kStoreFrames));
    EXPECT_EQ(dir_.Entries(), (std::vector<std::string>{"out.avi"}));
}

TEST_F(AviFileSaveTest, StoppingPartWayLeavesTheOldFileOrNoFile) {
    for (const bool existing : {true, false}) {
        SCOPED_TRACE(existing);
        std::remove(path_.c_str());
        if (existing) test::WriteBytes(path_, "old bytes");
        int pumped = 0;
        logic_.SetEventPump([&] {
            if (++pumped == 3) logic_.Stop();
        });
        EXPECT_EQ(logic_.Save(), 0);
        EXPECT_EQ(pumped, 3); // stopped before the fourth item
        EXPECT_FALSE(logic_.IsRunning());
        if (existing) {
            EXPECT_EQ(test::ReadBytes(path_), "old bytes");
            EXPECT_EQ(dir_.Entries(), (std::vector<std::string>{"out.avi"}));
        } else {
            EXPECT_TRUE(dir_.Entries().empty());
        }
    }
}

TEST_F(AviFileSaveTest, AFailedWriteSaysSoAndLeavesNoFile) {
    store_.Put_framesize(kWidth, 1); // one row has no two fields
    controls_.fields.layout = AviSaveLayout::Fields;
    EXPECT_EQ(logic_.Save(), 0);
    EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{AviFileLogic::kWriteFailed}));
    EXPECT_TRUE(dir_.Entries().empty());
}

} // namespace
} // namespace kova
