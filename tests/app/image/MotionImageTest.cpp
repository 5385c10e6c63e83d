#include "MotionImage.h"

#include "BmpFixtures.h"
#include "CAviVideo.h"
#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CTrackFile2D.h"
#include "CTrackInfo2D.h"
#include "CVideoCapDS.h"
#include "Progress.h"
#include "RecordingPrompter.h"
#include "SeriesName.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

using kova::Message;
using kova::MessageButtons;
using kova::MessageIcon;
using kova::test::TempDir;
using kova::test::WriteBmp;
using kova::test::WriteBytes;

struct ImageRig {
    ImageRig() { store.InitImageSys(); }
    kova::RecordingPrompter prompter;
    kova::CFrameStore store;
    kova::CVideoCapDS capture{store};
    CImageDisplay display{store, capture, prompter};
    MotionImage motion{display, store, prompter};
    int Read(const std::string& path) { return display.Reader().ReadBmpFrame(path, 1); }
};

// Stops when asked before the given item.
class StoppingProgress : public kova::Progress {
public:
    explicit StoppingProgress(int stopBefore) : stopBefore_(stopBefore) {}
    void Open(int maximum) override { this->maximum = maximum; }
    void Step(int, const std::string& text) override { texts.push_back(text); }
    bool Poll() override { return ++polls_ == stopBefore_; }
    void Close() override { closed = true; }
    std::vector<std::string> texts;
    bool closed = false;
    int maximum = 0;

private:
    int stopBefore_;
    int polls_ = 0;
};

Message Kova(const char* text) {
    return Message{text, "KOVA", MessageIcon::Exclamation, MessageButtons::Ok};
}

// Frames 1..count of `head` in `dir`, frame i of grey value step * i.
std::vector<std::string> WriteSeries(const TempDir& dir, const std::string& head, int count,
                                     int step, const std::string& ext = "BMP") {
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i)
        names.push_back(WriteBmp(dir.File(SeriesName::Format(head, i, ext)), 4, 4, step * i));
    return names;
}

TEST(SeriesNameTest, SplitKeepsCaseAndRefusesNamesWithoutDigits) {
    const struct {
        const char* name;
        bool ok;
        const char* head;
        int number;
        const char* ext;
    } cases[] = {{"walk0012.bmp", true, "walk", 12, "bmp"},
                 {"TEMP12345.BMP", true, "TEMP", 12345, "BMP"},
                 {"IMAGE.BMP", false, "", 0, ""},
                 {".0001", false, "", 0, ""},
                 {"A99999999999.BMP", false, "", 0, ""}};
    for (const auto& c : cases) {
        std::string head, ext;
        int number = 0;
        ASSERT_EQ(SeriesName::Split(c.name, &head, &number, &ext), c.ok) << c.name;
        if (c.ok) {
            EXPECT_EQ(std::tie(head, number, ext), std::tie(c.head, c.number, c.ext));
        }
    }
    EXPECT_EQ(SeriesName::Format("TEMP", 1, "BMP"), "TEMP0001.BMP");
    EXPECT_EQ(SeriesName::Format("TEMP", 12345, "BMP"), "TEMP12345.BMP");
    EXPECT_EQ(SeriesName::Format("TEMP", 7, "BMP", 0), "TEMP7.BMP");
}

TEST(MotionImageTest, SeriesChoiceInEitherOrderAndInLowerCase) {
    TempDir dir;
    WriteSeries(dir, "TEMP", 5, 10);
    for (bool reversed : {false, true}) {
        ImageRig rig;
        std::vector<std::string> files = {dir.File("TEMP0005.BMP"), dir.File("TEMP0001.BMP")};
        if (reversed) std::swap(files[0], files[1]);
        rig.prompter.QueueFiles(files);
        ASSERT_EQ(rig.motion.ChooseSequence(), 1);
        const ImageSource& s = rig.motion.Source();
        EXPECT_EQ(
            std::tie(s.firstNumber, s.lastNumber, s.frames, s.firstFile, s.lastFile),
            std::make_tuple(1, 5, 5, std::string("TEMP0001.BMP"), std::string("TEMP0005.BMP")));
        EXPECT_EQ(s.directory, dir.Path());
        EXPECT_TRUE(rig.motion.Chosen());
        EXPECT_TRUE(rig.prompter.Messages().empty());
        // The last returned file is shown in frame 1.
        EXPECT_EQ(rig.store.Read_pixel(1, 0, 0), reversed ? 50 : 10);
        EXPECT_EQ(rig.prompter.FileRequests().at(0).kind, kova::FileDialogKind::OpenMultiple);
    }
    WriteSeries(dir, "walk", 3, 1, "bmp");
    ImageRig rig;
    rig.prompter.QueueFiles({dir.File("walk0001.bmp"), dir.File("walk0003.bmp")});
    ASSERT_EQ(rig.motion.ChooseSequence(), 1);
    EXPECT_EQ(rig.motion.Source().FirstImagePath(), dir.File("walk0001.bmp"));
    EXPECT_TRUE(kova::test::Exists(rig.motion.Source().SeriesPaths().back()));
    EXPECT_EQ(rig.motion.ShowFirstImage(), 1);
    EXPECT_EQ(rig.store.Read_pixel(1, 0, 0), 1);
}

TEST(MotionImageTest, RefusedChoicesKeepTheSource) {
    TempDir dir;
    for (const char* name : {"RUN0001.BMP", "WALK0002.BMP", "IMAGE.BMP"})
        WriteBmp(dir.File(name), 4, 4, 1);
    ImageRig rig;
    const ImageSource before = rig.motion.Source();
    rig.prompter.QueueFiles({dir.File("RUN0001.BMP"), dir.File("WALK0002.BMP")});
    EXPECT_EQ(rig.motion.ChooseSequence(), 0);
    rig.prompter.QueueFiles({dir.File("IMAGE.BMP")});
    EXPECT_EQ(rig.motion.ChooseSequence(), 0);
    rig.prompter.QueueFileCancel();
    EXPECT_EQ(rig.motion.ChooseSequence(), 0);
    WriteBytes(dir.File("clip.mov"), "data");
    rig.prompter.QueueFiles({dir.File("clip.mov")});
    EXPECT_EQ(rig.motion.ChooseSequence(), 0);
    // An AVI name that nothing can read.
    WriteBytes(dir.File("broken.avi"), "RIFF....AVI junk");
    rig.prompter.QueueFiles({dir.File("broken.avi")});
    EXPECT_EQ(rig.motion.ChooseSequence(), 0);
    EXPECT_EQ(rig.prompter.Texts(), (std::vector<std::string>{"文件选择错误.", "文件选择错误.",
                                                              "文件名无效.", "文件读取错误."}));
    EXPECT_EQ(rig.motion.Source().head, before.head);
    EXPECT_EQ(rig.motion.Source().directory, before.directory);
    EXPECT_FALSE(rig.motion.Chosen());
}

TEST(FrameReaderTest, BitmapHeaderMessagesAndColour) {
    TempDir dir;
    ImageRig rig;
    ASSERT_EQ(rig.Read(WriteBmp(dir.File("GOOD.BMP"), 4, 4, 77)), 0);
    kova::test::WriteBmp16(dir.File("DEEP.BMP"));
    WriteBytes(dir.File("TEXT.BMP"), std::string(80, 'x'));
    WriteBytes(dir.File("SHORT.BMP"), "BM1234");
    WriteBytes(dir.File("HALF.BMP"), "BM" + std::string(30, '\0'));
    for (const char* name : {"DEEP.BMP", "TEXT.BMP", "SHORT.BMP", "HALF.BMP"})
        EXPECT_EQ(rig.Read(dir.File(name)), -1) << name;
    EXPECT_EQ(rig.prompter.Messages(),
              (std::vector<Message>{Kova("不能读该文件。"), Kova("Invalid bitmap file"),
                                    Kova("Bitmap file Header read error "),
                                    Kova("Bitmap file Header read error ")}));
    EXPECT_EQ(rig.store.Read_pixel(1, 3, 3), 77); // none of them touched the frame
    // A missing file blanks the frame without a message.
    EXPECT_EQ(rig.Read(dir.File("NONE.BMP")), -1);
    EXPECT_EQ(rig.store.Read_pixel(1, 3, 3), 0);
    EXPECT_EQ(rig.prompter.Messages().size(), 4u);

    ASSERT_EQ(rig.Read(WriteBmp(dir.File("C.BMP"), 6, 5, 200, true)), 0);
    EXPECT_EQ(rig.store.Get_dispmode(), kova::CFrameStore::kColorDispMode);
    EXPECT_EQ(rig.store.Width(), 6);
    int r = 0, g = 0, b = 0;
    rig.store.Read_pixel_color(1, 2, 2, r, g, b);
    EXPECT_EQ(r + g + b, 600);
}

TEST(SeriesLoadTest, StoppedLoadLeavesTheSeriesNotLoaded) {
    TempDir dir;
    ImageRig rig;
    StoppingProgress progress(3);
    EXPECT_EQ(rig.display.LoadSeries(WriteSeries(dir, "S", 5, 1), 0, progress), 0);
    EXPECT_EQ(rig.prompter.Messages(),
              (std::vector<Message>{Message{"图像读入被中断。", "确认", MessageIcon::Exclamation,
                                            MessageButtons::Ok}}));
    EXPECT_EQ(progress.texts, (std::vector<std::string>{"帧 1 在读入中。", "帧 2 在读入中。"}));
    EXPECT_FALSE(rig.display.AllInStore());
    EXPECT_EQ(rig.display.PageCount(), 0);
    EXPECT_EQ(rig.store.Read_pixel(2, 0, 0), 2);
    EXPECT_EQ(rig.store.Read_pixel(3, 0, 0), 0);
}

TEST(SeriesLoadTest, FullLoadShowsPagesFromTheStoreTooSmallFailsSilentlyAndReadsOnDemand) {
    TempDir dir;
    const std::vector<std::string> names = WriteSeries(dir, "S", 4, 20);
    ImageRig rig;
    StoppingProgress progress(0);
    ASSERT_EQ(rig.display.LoadSeries(names, 2, progress), 1);
    EXPECT_TRUE(progress.closed);
    EXPECT_EQ(progress.maximum, 4);
    EXPECT_TRUE(rig.display.AllInStore());
    ASSERT_EQ(rig.display.ShowPage(3), 1);
    EXPECT_EQ(rig.store.Get_dispframe(), 3);
    EXPECT_EQ(rig.display.GetPage(), 3);
    EXPECT_EQ(rig.display.ShowPage(5), 0);
    StoppingProgress again(1); // loading the same list again reads nothing
    EXPECT_EQ(rig.display.LoadSeries(names, 2, again), 1);
    EXPECT_TRUE(again.texts.empty());

    ImageRig small;
    small.store.Put_nofframe(3);
    StoppingProgress none(0);
    EXPECT_EQ(small.display.LoadSeries(WriteSeries(dir, "X", 5, 1), 0, none), 0);
    EXPECT_TRUE(small.prompter.Messages().empty());
    EXPECT_TRUE(none.texts.empty());
    // Without the store pages are read on demand into frame 1.
    small.display.SetSeries(names, 2);
    ASSERT_EQ(small.display.ShowPage(2), 1);
    EXPECT_EQ(small.store.Read_pixel(1, 1, 1), 40);
    EXPECT_FALSE(small.display.AllInStore());
}

TEST(MotionImageTest, AviChoiceAndRangeLoad) {
    TempDir dir;
    // Three grey 16 x 8 frames of 10, 20 and 30, written by the project's writer.
    const std::string path = dir.File("clip.avi");
    {
        kova::CFrameStore store;
        store.Put_framesize(16, 8);
        kova::CAviVideo writer;
        ASSERT_EQ(writer.Create(path, 16, 8, 3, 30.0, kova::CAviVideo::Layout::Frames, 0), 1);
        for (int i = 1; i <= 3; ++i) {
            store.Fill_frame(i, 10 * i, true);
            writer.WriteFrame(store, i);
        }
        ASSERT_EQ(writer.Close(), 1);
    }
    ImageRig rig;
    rig.prompter.QueueFiles({path});
    ASSERT_EQ(rig.motion.ChooseSequence(), 1);
    const ImageSource& s = rig.motion.Source();
    EXPECT_TRUE(s.IsAvi());
    EXPECT_EQ(std::tie(s.aviFile, s.aviFirst, s.aviLast, s.frames),
              std::make_tuple(std::string("clip.avi"), 1, 3, 3));
    EXPECT_EQ(rig.store.Read_pixel(1, 5, 5), 10);

    StoppingProgress progress(0);
    ASSERT_EQ(rig.display.LoadAvi(path, 2, 3, progress), 1);
    EXPECT_EQ(progress.texts, (std::vector<std::string>{"帧 1 在读入中。", "帧 2 在读入中。"}));
    EXPECT_EQ(rig.store.Read_pixel(1, 5, 5), 20);
    EXPECT_EQ(rig.store.Read_pixel(2, 5, 5), 30);
    ASSERT_EQ(rig.display.ShowPage(2), 1);
    EXPECT_EQ(rig.store.Get_dispframe(), 2);
    // Page by page without the store: page 2 is AVI frame 2.
    rig.display.SetAvi(path, 1, 3, 0);
    ASSERT_EQ(rig.display.ShowPage(2), 1);
    EXPECT_EQ(rig.store.Read_pixel(1, 5, 5), 20);
    EXPECT_TRUE(rig.prompter.Messages().empty());
}

TEST(MotionImageTest, ZoomAndMouseMapping) {
    EXPECT_EQ(MotionImage::ToImage(QPoint(101, 51), QPoint(0, 0), 200), QPoint(50, 25));
    EXPECT_EQ(MotionImage::ToImage(QPoint(10, 10), QPoint(30, 0), 50), QPoint(80, 20));
    ImageRig rig;
    EXPECT_FALSE(rig.motion.SetZoom(150));
    EXPECT_TRUE(rig.motion.SetZoom(300));
    EXPECT_EQ(rig.motion.Zoom(), 300);
}

TEST(ImageSourceTest, AviRangeSurvivesStoreAndRestoreMissingKindStoresTheSource) {
    ImageSource source;
    source.kind = ImageSource::kAviFile;
    source.directory = "/data/clips";
    source.ext = "AVI";
    source.aviFile = "jump.avi";
    source.aviFirst = source.aviLast = 300;
    source.frames = 1;
    CTrackInfo2D info;
    source.Store(info);
    ImageSource back;
    ASSERT_TRUE(back.Restore(info));
    EXPECT_TRUE(back.IsAvi());
    EXPECT_EQ(std::make_pair(back.aviFirst, back.aviLast), std::make_pair(300, 300));
    EXPECT_EQ(back.AviPath(), "/data/clips/jump.avi");

    CCfgFile empty;
    ImageSource series;
    series.head = "RUN";
    series.lastNumber = 9;
    EXPECT_FALSE(series.Restore(empty));
    std::string head;
    int last = 0;
    EXPECT_TRUE(empty.GetValue("ImageNameHead", &head) && empty.GetValue("ImageEndNum", &last));
    EXPECT_EQ(std::make_pair(head, last), std::make_pair(std::string("RUN"), 9));
    EXPECT_EQ(empty.Count("AviFile"), 0);
}

TEST(MotionImageTest, SavedDisplayIsABitmap) {
    TempDir dir;
    ImageRig rig;
    rig.Read(WriteBmp(dir.File("IN.BMP"), 8, 4, 90));
    rig.prompter.QueueFiles({dir.File("OUT.BMP")});
    ASSERT_EQ(rig.motion.SaveDisplayedImage(), 1);
    cv::Mat back;
    ASSERT_EQ(kova::CBmpFile::Read(dir.File("OUT.BMP"), false, back), 0);
    EXPECT_EQ(back.cols, 8);
    EXPECT_EQ(back.at<uchar>(2, 2), 90);
}

TEST(NearestTargetTest, LowestIndexWinsTiesAndEmptyGivesMinusOne) {
    ImageRig rig;
    CTrackFile2D track;
    rig.display.SetTrackFile(&track);
    EXPECT_EQ(rig.display.NearestTarget(0, 0), -1);
    ASSERT_EQ(track.Create(3, 2), 1);
    const XY_TRACK points[3] = {{3, 10.0f, 0.0f}, {0, 0.0f, 10.0f}, {0, 20.0f, 20.0f}};
    for (int t = 0; t < 3; ++t)
        track.SetPoint(t, 0, &points[t]);
    EXPECT_EQ(rig.display.NearestTarget(0, 0), 0); // targets 0 and 1 tie
    EXPECT_EQ(rig.display.NearestTarget(19, 19), 2);
    EXPECT_EQ(rig.display.NearestTarget(1, 9), 1);
    rig.display.SetPage(2); // frame 1: every point still at (0, 0)
    EXPECT_EQ(rig.display.NearestTarget(19, 19), 0);
}

} // namespace
