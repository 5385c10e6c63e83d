// The AVI dialog's logic headless: its messages, the preview, loading AVI
// frames into the store, saving store frames or fields, and what a cancelled
// or stopped save leaves behind.
#include "AviFileLogic.h"

#include "AviTestSupport.h"
#include "CAviHeader.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <functional>
#include <gtest/gtest.h>

namespace kova {
namespace {

using test::FakeAviControls;
using test::kAviHeight;
using test::kAviWidth;
using test::TempDir;

constexpr int kStoreFrames = 10;
constexpr int kClipFrames = 4;

cv::Mat Pattern(int frame, bool colour = false) {
    return test::PatternImage(frame, kAviWidth, kAviHeight, colour);
}

double Difference(const cv::Mat& a, const cv::Mat& b) {
    return cv::norm(a, b, cv::NORM_INF);
}

class AviFileLogicTest : public ::testing::Test {
protected:
    AviFileLogicTest() : logic_(store_, prompter_) {
        test::FillStore(store_, kStoreFrames, kAviWidth, kAviHeight);
        grey_ = dir_.File("grey.avi");
        EXPECT_TRUE(test::WriteStoreAvi(store_, grey_, kClipFrames, false));
        logic_.SetControls(&controls_);
        controls_.fields.directory = dir_.Path();
        controls_.fields.fileName = "grey.avi";
        controls_.fields.aviEnd = kClipFrames;
        controls_.fields.systemEnd = kStoreFrames;
    }

    AviFileFields& Fields() { return controls_.fields; }

    TempDir dir_;
    CFrameStore store_;
    RecordingPrompter prompter_;
    FakeAviControls controls_;
    AviFileLogic logic_;
    std::string grey_;
};

struct MessageCase {
    const char* name;
    AviOperation operation;
    std::function<void(AviFileFields&)> change;
    std::string text;
    AviFileField field;
};

TEST_F(AviFileLogicTest, EveryRefusalIsAPlainMessageAndFocusesItsField) {
    using F = AviFileFields&;
    using L = AviFileLogic;
    using AF = AviFileField;
    const AviOperation load = AviOperation::Load, save = AviOperation::Save;
    const std::vector<MessageCase> cases = {
        {"not avi", load, [](F f) { f.fileName = "grey.txt"; }, L::kBadFileName, AF::FileName},
        {"wildcard", save, [](F f) { f.fileName = "g*.avi"; }, L::kBadFileName, AF::FileName},
        {"empty", load, [](F f) { f.fileName = ""; }, L::kBadFileName, AF::FileName},
        {"missing", load, [](F f) { f.fileName = "none.avi"; }, L::kUnsupportedFile, AF::FileName},
        {"not an avi inside", load, [](F f) { f.fileName = "junk.avi"; }, L::kUnsupportedFile,
         AF::FileName},
        {"avi start 0", load, [](F f) { f.aviStart = 0; }, L::kBadStart, AF::AviStart},
        {"avi start past", load, [](F f) { f.aviStart = 5; }, L::kBadStart, AF::AviStart},
        {"avi end past", load, [](F f) { f.aviEnd = 5; }, L::kBadEnd, AF::AviEnd},
        {"avi end before", load, [](F f) { f.aviStart = 3, f.aviEnd = 2; }, L::kBadEnd, AF::AviEnd},
        {"store start 0", load, [](F f) { f.systemStart = 0; }, L::kBadSystemRange,
         AF::SystemStart},
        {"store start past end", load, [](F f) { f.systemStart = 3, f.systemEnd = 2; },
         L::kBadSystemRange, AF::SystemStart},
        {"store end past store", load, [](F f) { f.systemEnd = 11; }, L::kEndTooLarge,
         AF::SystemEnd},
        {"load interval 0", load, [](F f) { f.interval = 0; }, L::kBadInterval, AF::Interval},
        {"start x", load, [](F f) { f.startX = kAviWidth; }, L::kStartXTooLarge, AF::StartX},
        {"start y", load, [](F f) { f.startY = kAviHeight; }, L::kStartYTooLarge, AF::StartY},
        {"save start 0", save, [](F f) { f.systemStart = 0; }, L::kBadStart, AF::SystemStart},
        {"save end past store", save, [](F f) { f.systemEnd = 11; }, L::kBadEnd, AF::SystemEnd},
        {"save interval 0", save, [](F f) { f.interval = 0; }, L::kBadInterval, AF::Interval},
        {"rate 0", save, [](F f) { f.frameRate = "0"; }, L::kBadFrameRate, AF::FrameRate},
        {"rate negative", save, [](F f) { f.frameRate = "-5"; }, L::kBadFrameRate, AF::FrameRate},
        {"rate text", save, [](F f) { f.frameRate = "abc"; }, L::kBadFrameRate, AF::FrameRate},
    };
    test::WriteBytes(dir_.File("junk.avi"), "RIFF junk");
    const AviFileFields base = Fields();
    const std::string before = test::ReadBytes(grey_);
    for (const MessageCase& c : cases) {
        SCOPED_TRACE(c.name);
        Fields() = base;
        Fields().operation = c.operation;
        if (c.operation == save) Fields().fileName = "new.avi";
        c.change(Fields());
        prompter_.Clear();
        controls_.focused = AviFileField::None;
        EXPECT_EQ(logic_.Run(), 0);
        ASSERT_EQ(prompter_.Messages().size(), 1u);
        EXPECT_EQ(prompter_.Messages()[0],
                  (Message{c.text, "Capvo", MessageIcon::None, MessageButtons::Ok}));
        EXPECT_EQ(controls_.focused, c.field);
        EXPECT_EQ(logic_.FailedField(), c.field);
    }
    EXPECT_EQ(dir_.Entries(),
              (std::vector<std::string>{"grey.avi", "junk.avi"})); // nothing written
    EXPECT_EQ(test::ReadBytes(grey_), before);
}

struct PropertyCase {
    const char* name;
    bool colour;
    CAviVideo::Codec codec;
    std::string text;
};

TEST_F(AviFileLogicTest, PreviewShowsThePropertyTextFirstFrameAndSliderRange) {
    const std::string head = " Video length:   0.2s   Size:   32 x 24\n\n 4 Frame  ";
    const std::string tail = "Frame rate: 25.0 Hz \n\n";
    const std::vector<PropertyCase> cases = {
        {"8-bit raw", false, CAviVideo::Codec::Raw,
         head + " 8 Bit color  Non-compress DIB \n\n" + tail},
        {"24-bit raw", true, CAviVideo::Codec::Raw,
         head + " 24 Bit color  Non-compress DIB \n\n" + tail},
        {"MJPEG", true, CAviVideo::Codec::Mjpeg, head + " 24 Bit color  MJPG compress \n\n" + tail},
    };
    for (const PropertyCase& c : cases) {
        SCOPED_TRACE(c.name);
        Fields().fileName = std::string(c.name) + ".avi";
        ASSERT_TRUE(test::WriteStoreAvi(store_, dir_.File(Fields().fileName), kClipFrames, c.colour,
                                        c.codec));
        EXPECT_EQ(logic_.Preview(), 1);
        EXPECT_EQ(controls_.propertyText, c.text);
        EXPECT_EQ(controls_.sliderMin, 1);
        EXPECT_EQ(controls_.sliderMax, kClipFrames);
        // 32 x 24 fitted into 260 x 200, the aspect ratio kept.
        EXPECT_EQ(controls_.previewImage.size(), QSize(260, 195));
    }
    EXPECT_TRUE(prompter_.Messages().empty());
}

TEST_F(AviFileLogicTest, SliderStepsFramesAndNamesAFrameOutsideTheClip) {
    ASSERT_EQ(logic_.Preview(), 1);
    const QImage first = controls_.previewImage;
    EXPECT_EQ(logic_.ShowFrame(3), 1);
    EXPECT_NE(controls_.previewImage, first);
    EXPECT_EQ(logic_.ShowFrame(1), 1);
    EXPECT_EQ(controls_.previewImage, first);
    EXPECT_EQ(logic_.ShowFrame(kClipFrames + 1), 0);
    EXPECT_TRUE(controls_.previewImage.isNull());
    EXPECT_EQ(controls_.previewText, " 在本视频剪辑中不存在5-帧.");
    // A file neither reader opens: the preview is refused and emptied.
    test::WriteBytes(dir_.File("junk.avi"), "RIFF junk");
    Fields().fileName = "junk.avi";
    EXPECT_EQ(logic_.Preview(), 0);
    EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{AviFileLogic::kUnsupportedFile}));
    EXPECT_EQ(logic_.ShowFrame(1), 0);
}

TEST_F(AviFileLogicTest, ThirtyTwoBitAviIsNeitherPreviewedNorLoaded) {
    if (!test::HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
    const std::string path = dir_.File("bgra.avi");
    ASSERT_TRUE(test::RunTool("ffmpeg -y -f lavfi -i testsrc=size=32x24:rate=25 -frames:v 3 "
                              "-c:v rawvideo -pix_fmt bgra " +
                              path));
    Fields().fileName = "bgra.avi";
    Fields().aviEnd = 3;
    EXPECT_EQ(logic_.Preview(), 0);
    EXPECT_EQ(controls_.propertyText, " Not supporting the format of file.");
    EXPECT_TRUE(controls_.previewImage.isNull());
    const cv::Mat before = store_.Get_image(1);
    EXPECT_EQ(logic_.Load(), 0);
    EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{AviFileLogic::kUnsupportedFormat}));
    EXPECT_EQ(Difference(store_.Get_image(1), before), 0.0);
}

TEST_F(AviFileLogicTest, LoadStopsAtTheClipsOrTheRangesEndAndTakesTheInterval) {
    const struct {
        int aviStart, systemStart, systemEnd, interval;
        std::vector<int> clipFrames; // loaded into systemStart, systemStart + 1 ...
        std::vector<int> progress;
    } cases[] = {
        {1, 3, 4, 2, {1, 3}, {0, 50, 100}},
        {2, 5, kStoreFrames, 1, {2, 3, 4}, {0, 33, 66, 100}}, // more room than clip frames
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.systemStart);
        Fields().aviStart = c.aviStart;
        Fields().systemStart = c.systemStart;
        Fields().systemEnd = c.systemEnd;
        Fields().interval = c.interval;
        controls_.progress.clear();
        controls_.runningStates.clear();
        EXPECT_EQ(logic_.Load(), 1);
        const int after = c.systemStart + static_cast<int>(c.clipFrames.size());
        for (int frame = c.systemStart; frame < after; ++frame)
            EXPECT_EQ(
                Difference(store_.Get_image(frame), Pattern(c.clipFrames[frame - c.systemStart])),
                0.0)
                << frame;
        EXPECT_EQ(Difference(store_.Get_image(after), Pattern(after)), 0.0) << "untouched";
        EXPECT_EQ(store_.Get_dispframe(), after - 1);
        EXPECT_EQ(controls_.progress, c.progress);
        EXPECT_EQ(controls_.runningStates, (std::vector<bool>{true, false}));
    }
    EXPECT_TRUE(prompter_.Messages().empty());
}

TEST_F(AviFileLogicTest, LoadPlacesTheImageAtStartXYInColour) {
    ASSERT_TRUE(test::WriteStoreAvi(store_, grey_, kClipFrames, true)); // a colour clip
    test::FillStore(store_, kStoreFrames, 64, 48);                      // larger frames
    store_.Put_dispmode(CFrameStore::kColorDispMode);
    Fields().startX = 10;
    Fields().startY = 5;
    Fields().aviEnd = 1;
    Fields().systemStart = 2;
    Fields().systemEnd = 2;
    EXPECT_EQ(logic_.Load(), 1);
    const cv::Mat frame = store_.Get_image_color(2);
    EXPECT_EQ(Difference(frame(cv::Rect(10, 5, kAviWidth, kAviHeight)), Pattern(1, true)), 0.0);
    const cv::Mat old = test::PatternImage(2, 64, 48, true);
    EXPECT_EQ(frame.at<cv::Vec3b>(4, 9), old.at<cv::Vec3b>(4, 9)); // outside the clip
    EXPECT_EQ(store_.Get_dispframe_color(), 2);
}

// A save of all store frames to out.avi.
class AviFileSaveTest : public AviFileLogicTest {
protected:
    AviFileSaveTest() {
        Fields().fileName = "out.avi";
        Fields().operation = AviOperation::Save;
        path_ = dir_.File("out.avi");
    }
    std::string path_;
};

cv::Mat FirstChannel(const cv::Mat& bgr) {
    cv::Mat channel;
    cv::extractChannel(bgr, channel, 0);
    return channel;
}

TEST_F(AviFileSaveTest, FramesOneToTenAtIntervalThreeWriteFramesOneFourSevenTen) {
    Fields().interval = 3;
    EXPECT_EQ(logic_.Run(), 1);
    const std::vector<cv::Mat> frames = test::DecodeAll(path_);
    const std::vector<int> expected = {1, 4, 7, 10};
    ASSERT_EQ(frames.size(), expected.size());
    for (std::size_t i = 0; i < frames.size(); ++i)
        EXPECT_EQ(Difference(FirstChannel(frames[i]), store_.Get_image(expected[i])), 0.0) << i;
    CAviHeader header;
    ASSERT_TRUE(header.Read(path_));
    EXPECT_EQ(header.BitCount(), 8);
    EXPECT_EQ(header.FrameRate(), 30.0);
    EXPECT_EQ(controls_.progress.back(), 100);
    EXPECT_EQ(dir_.Entries(), (std::vector<std::string>{"grey.avi", "out.avi"}));
}

TEST_F(AviFileSaveTest, ColourDisplaySavesTwentyFourBitFrames) {
    store_.Put_dispmode(CFrameStore::kColorDispMode);
    Fields().systemStart = 2;
    Fields().systemEnd = 3;
    Fields().frameRate = "12.5";
    EXPECT_EQ(logic_.Save(), 1);
    const std::vector<cv::Mat> frames = test::DecodeAll(path_);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(Difference(frames[1], store_.Get_image_color(3)), 0.0);
    CAviHeader header;
    ASSERT_TRUE(header.Read(path_));
    EXPECT_EQ(header.BitCount(), 24);
    EXPECT_EQ(header.FrameRate(), 12.5);
}

TEST_F(AviFileSaveTest, FieldSavesDeclareWriteAndDecodeTheSameItems) {
    const int start = 2, end = 4; // six fields
    const struct {
        AviFirstField first;
        int interval, items;
    } cases[] = {{AviFirstField::Odd, 1, 6},  {AviFirstField::Odd, 2, 3},
                 {AviFirstField::Odd, 3, 2},  {AviFirstField::Even, 1, 6},
                 {AviFirstField::Even, 2, 3}, {AviFirstField::Even, 3, 2},
                 {AviFirstField::Even, 7, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.first == AviFirstField::Odd) + " " +
                     std::to_string(c.interval));
        Fields().layout = AviSaveLayout::Fields;
        Fields().firstField = c.first;
        Fields().interval = c.interval;
        Fields().systemStart = start;
        Fields().systemEnd = end;
        std::remove(path_.c_str());
        ASSERT_EQ(logic_.Save(), 1);
        CAviHeader header;
        ASSERT_TRUE(header.Read(path_));
        EXPECT_EQ(header.FrameCount(), c.items);
        const std::vector<cv::Mat> items = test::DecodeAll(path_);
        ASSERT_EQ(static_cast<int>(items.size()), c.items);
        for (int k = 0; k < c.items; ++k) {
            const int counter = k * c.interval;
            const cv::Mat frame = store_.Get_image(start + counter / 2);
            // Odd field: rows 0, 2, 4 ...; an even counter writes the first field.
            const bool odd = (counter % 2 == 0) == (c.first == AviFirstField::Odd);
            cv::Mat rows(kAviHeight / 2, kAviWidth, CV_8UC1);
            for (int r = 0; r < kAviHeight / 2; ++r)
                frame.row(2 * r + (odd ? 0 : 1)).copyTo(rows.row(r));
            EXPECT_EQ(Difference(FirstChannel(items[k]), rows), 0.0) << k;
        }
    }
}

TEST_F(AviFileSaveTest, OverwriteIsAskedAndCancelKeepsTheOldFile) {
    test::WriteBytes(path_, "old bytes");
    prompter_.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_EQ(logic_.Save(), 0);
    const Message question{path_ + "\n文件已经存在.\n 要覆盖吗?", "Capvo", MessageIcon::None,
                           MessageButtons::OkCancel};
    EXPECT_EQ(prompter_.Messages(), std::vector<Message>{question});
    EXPECT_EQ(test::ReadBytes(path_), "old bytes");
    EXPECT_TRUE(controls_.runningStates.empty());
    prompter_.QueueAnswer(MessageAnswer::Ok);
    EXPECT_EQ(logic_.Save(), 1);
    EXPECT_EQ(test::DecodeAll(path_).size(), static_cast<std::size_t>(kStoreFrames));
    EXPECT_EQ(dir_.Entries(), (std::vector<std::string>{"grey.avi", "out.avi"}));
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
            EXPECT_EQ(dir_.Entries(), (std::vector<std::string>{"grey.avi", "out.avi"}));
        } else {
            EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"grey.avi"});
        }
    }
}

TEST_F(AviFileSaveTest, AFailedWriteSaysSoAndLeavesNoFile) {
    store_.Put_framesize(kAviWidth, 1); // one row has no two fields
    Fields().layout = AviSaveLayout::Fields;
    EXPECT_EQ(logic_.Save(), 0);
    EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{AviFileLogic::kWriteFailed}));
    EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"grey.avi"});
}

} // namespace
} // namespace kova
