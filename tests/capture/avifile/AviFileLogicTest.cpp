// The AVI dialog's logic headless: its messages, the preview and loading
// AVI frames into the store.
#include "AviFileLogic.h"

#include "AviTestSupport.h"
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
    const AviOperation load = AviOperation::Load, save = AviOperation::Save;
    const std::vector<MessageCase> cases = {
        {"not avi", load, [](F f) { f.fileName = "grey.txt"; }, AviFileLogic::kBadFileName,
         AviFileField::FileName},
        {"wildcard", save, [](F f) { f.fileName = "g*.avi"; }, AviFileLogic::kBadFileName,
         AviFileField::FileName},
        {"empty", load, [](F f) { f.fileName = ""; }, AviFileLogic::kBadFileName,
         AviFileField::FileName},
        {"missing", load, [](F f) { f.fileName = "none.avi"; }, AviFileLogic::kUnsupportedFile,
         AviFileField::FileName},
        {"not an avi inside", load, [](F f) { f.fileName = "junk.avi"; },
         AviFileLogic::kUnsupportedFile, AviFileField::FileName},
        {"avi start 0", load, [](F f) { f.aviStart = 0; }, AviFileLogic::kBadStart,
         AviFileField::AviStart},
        {"avi start past", load, [](F f) { f.aviStart = 5; }, AviFileLogic::kBadStart,
         AviFileField::AviStart},
        {"avi end past", load, [](F f) { f.aviEnd = 5; }, AviFileLogic::kBadEnd,
         AviFileField::AviEnd},
        {"avi end before", load, [](F f) { f.aviStart = 3, f.aviEnd = 2; }, AviFileLogic::kBadEnd,
         AviFileField::AviEnd},
        {"store start 0", load, [](F f) { f.systemStart = 0; }, AviFileLogic::kBadSystemRange,
         AviFileField::SystemStart},
        {"store start past end", load, [](F f) { f.systemStart = 3, f.systemEnd = 2; },
         AviFileLogic::kBadSystemRange, AviFileField::SystemStart},
        {"store end past store", load, [](F f) { f.systemEnd = 11; }, AviFileLogic::kEndTooLarge,
         AviFileField::SystemEnd},
        {"load interval 0", load, [](F f) { f.interval = 0; }, AviFileLogic::kBadInterval,
         AviFileField::Interval},
        {"start x", load, [](F f) { f.startX = kAviWidth; }, AviFileLogic::kStartXTooLarge,
         AviFileField::StartX},
        {"start y", load, [](F f) { f.startY = kAviHeight; }, AviFileLogic::kStartYTooLarge,
         AviFileField::StartY},
        {"save start 0", save, [](F f) { f.systemStart = 0; }, AviFileLogic::kBadStart,
         AviFileField::SystemStart},
        {"save end past store", save, [](F f) { f.systemEnd = 11; }, AviFileLogic::kBadEnd,
         AviFileField::SystemEnd},
        {"save interval 0", save, [](F f) { f.interval = 0; }, AviFileLogic::kBadInterval,
         AviFileField::Interval},
        {"rate 0", save, [](F f) { f.frameRate = "0"; }, AviFileLogic::kBadFrameRate,
         AviFileField::FrameRate},
        {"rate negative", save, [](F f) { f.frameRate = "-5"; }, AviFileLogic::kBadFrameRate,
         AviFileField::FrameRate},
        {"rate text", save, [](F f) { f.frameRate = "abc"; }, AviFileLogic::kBadFrameRate,
         AviFileField::FrameRate},
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
    EXPECT_EQ(cv::norm(store_.Get_image(1), before, cv::NORM_INF), 0.0);
}

TEST_F(AviFileLogicTest, LoadStopsAtTheAvisEndFrame) {
    store_.Fill_frame(5, 0, true);
    store_.Fill_frame(6, 0, true);
    store_.Fill_frame(7, 0, true);
    store_.Fill_frame(8, 0, true);
    Fields().aviStart = 2;
    Fields().systemStart = 5;
    Fields().systemEnd = kStoreFrames; // more room than the clip has frames
    EXPECT_EQ(logic_.Load(), 1);
    for (int item = 0; item < 3; ++item)
        EXPECT_EQ(cv::norm(store_.Get_image(5 + item),
                           test::PatternImage(2 + item, kAviWidth, kAviHeight, false),
                           cv::NORM_INF),
                  0.0)
            << item;
    EXPECT_EQ(cv::countNonZero(store_.Get_image(8)), 0);
    EXPECT_EQ(store_.Get_dispframe(), 7);
    EXPECT_EQ(controls_.progress, (std::vector<int>{0, 33, 66, 100}));
    EXPECT_EQ(controls_.runningStates, (std::vector<bool>{true, false}));
    EXPECT_TRUE(prompter_.Messages().empty());
}

TEST_F(AviFileLogicTest, LoadStopsAtTheStoresEndFrameAndTakesTheInterval) {
    Fields().systemStart = 3;
    Fields().systemEnd = 4;
    Fields().interval = 2;
    EXPECT_EQ(logic_.Load(), 1);
    EXPECT_EQ(cv::norm(store_.Get_image(3), test::PatternImage(1, kAviWidth, kAviHeight, false),
                       cv::NORM_INF),
              0.0);
    EXPECT_EQ(cv::norm(store_.Get_image(4), test::PatternImage(3, kAviWidth, kAviHeight, false),
                       cv::NORM_INF),
              0.0);
    EXPECT_EQ(cv::norm(store_.Get_image(5), test::PatternImage(5, kAviWidth, kAviHeight, false),
                       cv::NORM_INF),
              0.0); // untouched
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
    const cv::Mat clip = test::PatternImage(1, kAviWidth, kAviHeight, true);
    EXPECT_EQ(cv::norm(frame(cv::Rect(10, 5, kAviWidth, kAviHeight)), clip, cv::NORM_INF), 0.0);
    const cv::Mat old = test::PatternImage(2, 64, 48, true);
    EXPECT_EQ(frame.at<cv::Vec3b>(4, 9), old.at<cv::Vec3b>(4, 9)); // outside the clip
    EXPECT_EQ(store_.Get_dispframe_color(), 2);
}

} // namespace
} // namespace kova
