#include "MotionImage.h"

#include "CAviVideo.h"
#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CTrackFile2D.h"
#include "CTrackInfo2D.h"
#include "CVideoCapDS.h"
#include "ProgressMonitor.h"
#include "RecordingPrompter.h"
#include "SeriesName.h"
#include "ShellFixtures.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

using kova::Message;
using kova::MessageButtons;
using kova::MessageIcon;
using kova::RecordingPrompter;
using kova::test::TempDir;
using kova::test::WriteBmp;

struct ImageRig {
    ImageRig() { store.InitImageSys(); }
    RecordingPrompter prompter;
    kova::CFrameStore store;
    kova::CVideoCapDS capture{store};
    CImageDisplay display{store, capture, prompter};
    MotionImage motion{display, store, prompter};
};

// Stops when asked before the given item.
class StoppingProgress : public ProgressMonitor {
public:
    explicit StoppingProgress(int stopBefore) : stopBefore_(stopBefore) {}
    void Open(int maximum) override { maximum_ = maximum; }
    void Step(int position, const std::string& text) override {
        position_ = position;
        texts.push_back(text);
    }
    bool Poll() override { return ++polls_ == stopBefore_; }
    void Close() override { closed = true; }
    std::vector<std::string> texts;
    bool closed = false;
    int maximum_ = 0;

private:
    int stopBefore_;
    int polls_ = 0;
    int position_ = 0;
};

Message Kova(const char* text) {
    return Message{text, "KOVA", MessageIcon::Exclamation, MessageButtons::Ok};
}

TEST(SeriesNameTest, SplitKeepsCaseAndRefusesNamesWithoutDigits) {
    std::string head, ext;
    int number = 0;
    ASSERT_TRUE(SeriesName::Split("walk0012.bmp", &head, &number, &ext));
    EXPECT_EQ(head, "walk");
    EXPECT_EQ(number, 12);
    EXPECT_EQ(ext, "bmp");
    EXPECT_FALSE(SeriesName::Split("IMAGE.BMP", &head, &number, &ext));
    EXPECT_FALSE(SeriesName::Split(".0001", &head, &number, &ext));
    EXPECT_FALSE(SeriesName::Split("A99999999999.BMP", &head, &number, &ext));
    EXPECT_EQ(SeriesName::Format("TEMP", 1, "BMP"), "TEMP0001.BMP");
    EXPECT_EQ(SeriesName::Format("TEMP", 12345, "BMP"), "TEMP12345.BMP");
    EXPECT_EQ(SeriesName::Format("TEMP", 7, "BMP", 0), "TEMP7.BMP");
}

TEST(MotionImageTest, SeriesChoiceInEitherOrder) {
    TempDir dir;
    for (int i = 1; i <= 5; ++i)
        WriteBmp(dir.File(SeriesName::Format("TEMP", i, "BMP")), 8, 6, 10 * i);
    for (bool reversed : {false, true}) {
        ImageRig rig;
        std::vector<std::string> files = {dir.File("TEMP0005.BMP"), dir.File("TEMP0001.BMP")};
        if (reversed) std::swap(files[0], files[1]);
        rig.prompter.QueueFiles(files);
        ASSERT_EQ(rig.motion.ChooseSequence(), 1);
        const ImageSource& source = rig.motion.Source();
        EXPECT_EQ(source.firstNumber, 1);
        EXPECT_EQ(source.lastNumber, 5);
        EXPECT_EQ(source.frames, 5);
        EXPECT_EQ(source.firstFile, "TEMP0001.BMP");
        EXPECT_EQ(source.lastFile, "TEMP0005.BMP");
        EXPECT_EQ(source.directory, dir.Path());
        EXPECT_TRUE(rig.motion.Chosen());
        EXPECT_TRUE(rig.prompter.Messages().empty());
        // The last returned file is shown in frame 1.
        EXPECT_EQ(rig.store.Read_pixel(1, 0, 0), reversed ? 50 : 10);
        const kova::FileDialogRequest& request = rig.prompter.FileRequests().at(0);
        EXPECT_EQ(request.kind, kova::FileDialogKind::OpenMultiple);
        EXPECT_EQ(request.filter, "BMP Image(*.BMP)| *.BMP|AVI File(*.AVI)| *.AVI||");
        EXPECT_EQ(request.defaultName, "TEMP0001.BMP");
    }
}

TEST(MotionImageTest, RefusedChoicesKeepTheSource) {
    TempDir dir;
    WriteBmp(dir.File("RUN0001.BMP"), 4, 4, 1);
    WriteBmp(dir.File("WALK0002.BMP"), 4, 4, 1);
    WriteBmp(dir.File("IMAGE.BMP"), 4, 4, 1);
    ImageRig rig;
    const ImageSource before = rig.motion.Source();
    rig.prompter.QueueFiles({dir.File("RUN0001.BMP"), dir.File("WALK0002.BMP")});
    EXPECT_EQ(rig.motion.ChooseSequence(), 0);
    rig.prompter.QueueFiles({dir.File("IMAGE.BMP")});
    EXPECT_EQ(rig.motion.ChooseSequence(), 0);
    rig.prompter.QueueFileCancel();
    EXPECT_EQ(rig.motion.ChooseSequence(), 0);
    EXPECT_EQ(rig.prompter.Messages(),
              (std::vector<Message>{Kova("文件选择错误."), Kova("文件选择错误.")}));
    EXPECT_EQ(rig.motion.Source().head, before.head);
    EXPECT_EQ(rig.motion.Source().directory, before.directory);
    EXPECT_FALSE(rig.motion.Chosen());
}

TEST(MotionImageTest, LowerCaseSeriesKeepsItsNames) {
    TempDir dir;
    for (int i = 1; i <= 3; ++i)
        WriteBmp(dir.File(SeriesName::Format("walk", i, "bmp")), 4, 4, i);
    ImageRig rig;
    rig.prompter.QueueFiles({dir.File("walk0001.bmp"), dir.File("walk0003.bmp")});
    ASSERT_EQ(rig.motion.ChooseSequence(), 1);
    EXPECT_EQ(rig.motion.Source().head, "walk");
    EXPECT_EQ(rig.motion.Source().FirstImagePath(), dir.File("walk0001.bmp"));
    EXPECT_TRUE(kova::test::Exists(rig.motion.Source().SeriesPaths().back()));
    EXPECT_EQ(rig.motion.ShowFirstImage(), 1);
    EXPECT_EQ(rig.store.Read_pixel(1, 0, 0), 1);
}

TEST(FrameReaderTest, BitmapHeaderMessages) {
    TempDir dir;
    ImageRig rig;
    WriteBmp(dir.File("GOOD.BMP"), 4, 4, 77);
    ASSERT_EQ(rig.display.Reader().ReadBmpFrame(dir.File("GOOD.BMP"), 1), 0);
    kova::test::WriteBmp16(dir.File("DEEP.BMP"));
    kova::test::WriteBytes(dir.File("TEXT.BMP"), std::string(80, 'x'));
    kova::test::WriteBytes(dir.File("SHORT.BMP"), "BM1234");
    kova::test::WriteBytes(dir.File("HALF.BMP"), "BM" + std::string(30, '\0'));
    EXPECT_EQ(rig.display.Reader().ReadBmpFrame(dir.File("DEEP.BMP"), 1), -1);
    EXPECT_EQ(rig.display.Reader().ReadBmpFrame(dir.File("TEXT.BMP"), 1), -1);
    EXPECT_EQ(rig.display.Reader().ReadBmpFrame(dir.File("SHORT.BMP"), 1), -1);
    EXPECT_EQ(rig.display.Reader().ReadBmpFrame(dir.File("HALF.BMP"), 1), -1);
    EXPECT_EQ(rig.prompter.Messages(),
              (std::vector<Message>{Kova("不能读该文件。"), Kova("Invalid bitmap file"),
                                    Kova("Bitmap file Header read error "),
                                    Kova("Bitmap file Header read error ")}));
    // None of them touched the frame.
    EXPECT_EQ(rig.store.Read_pixel(1, 3, 3), 77);
    // A missing file blanks the frame without a message.
    EXPECT_EQ(rig.display.Reader().ReadBmpFrame(dir.File("NONE.BMP"), 1), -1);
    EXPECT_EQ(rig.store.Read_pixel(1, 3, 3), 0);
    EXPECT_EQ(rig.prompter.Messages().size(), 4u);
}

TEST(FrameReaderTest, ColourBitmapSwitchesTheDisplay) {
    TempDir dir;
    ImageRig rig;
    WriteBmp(dir.File("C.BMP"), 6, 5, 200, true);
    ASSERT_EQ(rig.display.Reader().ReadBmpFrame(dir.File("C.BMP"), 1), 0);
    EXPECT_EQ(rig.store.Get_dispmode(), kova::CFrameStore::kColorDispMode);
    EXPECT_EQ(rig.store.Width(), 6);
    int r = 0, g = 0, b = 0;
    rig.store.Read_pixel_color(1, 2, 2, r, g, b);
    EXPECT_EQ(r + g + b, 600);
}

TEST(SeriesLoadTest, StoppedLoadLeavesTheSeriesNotLoaded) {
    TempDir dir;
    std::vector<std::string> names;
    for (int i = 1; i <= 5; ++i)
        names.push_back(WriteBmp(dir.File(SeriesName::Format("S", i, "BMP")), 4, 4, i));
    ImageRig rig;
    StoppingProgress progress(3);
    EXPECT_EQ(rig.display.LoadSeries(names, 0, &progress), 0);
    EXPECT_EQ(rig.prompter.Messages(),
              (std::vector<Message>{Message{"图像读入被中断。", "确认", MessageIcon::Exclamation,
                                            MessageButtons::Ok}}));
    EXPECT_EQ(progress.texts, (std::vector<std::string>{"帧 1 在读入中。", "帧 2 在读入中。"}));
    EXPECT_FALSE(rig.display.AllInStore());
    EXPECT_EQ(rig.display.PageCount(), 0);
    EXPECT_EQ(rig.store.Read_pixel(2, 0, 0), 2);
    EXPECT_EQ(rig.store.Read_pixel(3, 0, 0), 0);
}

TEST(SeriesLoadTest, FullLoadShowsPagesFromTheStore) {
    TempDir dir;
    std::vector<std::string> names;
    for (int i = 1; i <= 4; ++i)
        names.push_back(WriteBmp(dir.File(SeriesName::Format("S", i, "BMP")), 4, 4, 20 * i));
    ImageRig rig;
    StoppingProgress progress(0);
    ASSERT_EQ(rig.display.LoadSeries(names, 2, &progress), 1);
    EXPECT_TRUE(progress.closed);
    EXPECT_EQ(progress.maximum_, 4);
    EXPECT_TRUE(rig.display.AllInStore());
    ASSERT_EQ(rig.display.ShowPage(3), 1);
    EXPECT_EQ(rig.store.Get_dispframe(), 3);
    EXPECT_EQ(rig.display.GetPage(), 3);
    EXPECT_EQ(rig.display.ShowPage(5), 0);
    // Loading the same list again reads nothing.
    StoppingProgress again(1);
    EXPECT_EQ(rig.display.LoadSeries(names, 2, &again), 1);
    EXPECT_TRUE(again.texts.empty());
}

TEST(SeriesLoadTest, StoreTooSmallFailsSilently) {
    ImageRig rig;
    rig.store.Put_nofframe(3);
    const std::vector<std::string> names(5, "/nowhere/X0001.BMP");
    StoppingProgress progress(0);
    EXPECT_EQ(rig.display.LoadSeries(names, 0, &progress), 0);
    EXPECT_TRUE(rig.prompter.Messages().empty());
    EXPECT_TRUE(progress.texts.empty());
}

TEST(SeriesLoadTest, PagesReadOnDemandWithoutTheStore) {
    TempDir dir;
    std::vector<std::string> names;
    for (int i = 1; i <= 3; ++i)
        names.push_back(WriteBmp(dir.File(SeriesName::Format("P", i, "BMP")), 4, 4, 30 * i));
    ImageRig rig;
    rig.display.SetSeries(names, 2);
    ASSERT_EQ(rig.display.ShowPage(2), 1);
    EXPECT_EQ(rig.store.Read_pixel(1, 1, 1), 60);
    EXPECT_FALSE(rig.display.AllInStore());
}

// Three grey 16 x 8 frames of 10, 20 and 30, written by the project's writer.
std::string WriteAvi(const std::string& path) {
    kova::CFrameStore store;
    store.Put_framesize(16, 8);
    for (int i = 1; i <= 3; ++i)
        store.Fill_frame(i, 10 * i, true);
    kova::CAviVideo writer;
    EXPECT_EQ(writer.Create(path, 16, 8, 3, 30.0, kova::CAviVideo::Layout::Frames, 0), 1);
    for (int i = 1; i <= 3; ++i)
        writer.WriteFrame(store, i);
    EXPECT_EQ(writer.Close(), 1);
    return path;
}

TEST(MotionImageTest, AviChoiceAndRangeLoad) {
    TempDir dir;
    const std::string path = WriteAvi(dir.File("clip.avi"));
    ImageRig rig;
    rig.prompter.QueueFiles({path});
    ASSERT_EQ(rig.motion.ChooseSequence(), 1);
    const ImageSource& source = rig.motion.Source();
    EXPECT_TRUE(source.IsAvi());
    EXPECT_EQ(source.aviFile, "clip.avi");
    EXPECT_EQ(source.aviFirst, 1);
    EXPECT_EQ(source.aviLast, 3);
    EXPECT_EQ(source.frames, 3);
    EXPECT_EQ(rig.store.Read_pixel(1, 5, 5), 10);

    StoppingProgress progress(0);
    ASSERT_EQ(rig.display.LoadAvi(path, 2, 3, &progress), 1);
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

TEST(MotionImageTest, OtherNamesAreNotVideos) {
    TempDir dir;
    kova::test::WriteBytes(dir.File("clip.mov"), "data");
    ImageRig rig;
    rig.prompter.QueueFiles({dir.File("clip.mov")});
    EXPECT_EQ(rig.motion.ChooseSequence(), 0);
    EXPECT_EQ(rig.prompter.Messages(), (std::vector<Message>{Kova("文件名无效.")}));
    // An AVI name that nothing can read.
    kova::test::WriteBytes(dir.File("broken.avi"), "RIFF....AVI junk");
    rig.prompter.QueueFiles({dir.File("broken.avi")});
    EXPECT_EQ(rig.motion.ChooseSequence(), 0);
    EXPECT_EQ(rig.prompter.Texts().back(), "文件读取错误.");
    EXPECT_FALSE(rig.motion.Chosen());
}

TEST(MotionImageTest, ZoomTextAndMouseMapping) {
    EXPECT_EQ(MotionImage::ZoomText(200, 640, 480), " Rate: 200% [Width: 1280 Height:  960]");
    EXPECT_EQ(MotionImage::ZoomText(50, 640, 480), " Rate:  50% [Width:  320 Height:  240]");
    EXPECT_EQ(MotionImage::ToImage(QPoint(101, 51), QPoint(0, 0), 200), QPoint(50, 25));
    EXPECT_EQ(MotionImage::ToImage(QPoint(10, 10), QPoint(30, 0), 50), QPoint(80, 20));
    ImageRig rig;
    EXPECT_FALSE(rig.motion.SetZoom(150));
    EXPECT_TRUE(rig.motion.SetZoom(300));
    EXPECT_EQ(rig.motion.Zoom(), 300);
}

TEST(ImageSourceTest, AviRangeSurvivesStoreAndRestore) {
    ImageSource source;
    source.kind = ImageSource::kAviFile;
    source.directory = "/data/clips";
    source.ext = "AVI";
    source.aviFile = "jump.avi";
    source.aviFirst = 300;
    source.aviLast = 300;
    source.frames = 1;
    CTrackInfo2D info;
    source.Store(info);
    ImageSource back;
    ASSERT_TRUE(back.Restore(info));
    EXPECT_TRUE(back.IsAvi());
    EXPECT_EQ(back.aviFirst, 300);
    EXPECT_EQ(back.aviLast, 300);
    EXPECT_EQ(back.AviPath(), "/data/clips/jump.avi");
}

TEST(ImageSourceTest, MissingKindStoresTheCurrentSource) {
    CCfgFile info;
    ImageSource source;
    source.head = "RUN";
    source.lastNumber = 9;
    EXPECT_FALSE(source.Restore(info));
    std::string head;
    int last = 0;
    EXPECT_TRUE(info.GetValue("ImageNameHead", &head));
    EXPECT_TRUE(info.GetValue("ImageEndNum", &last));
    EXPECT_EQ(head, "RUN");
    EXPECT_EQ(last, 9);
    EXPECT_EQ(info.Count("AviFile"), 0);
}

TEST(MotionImageTest, SavedDisplayIsABitmap) {
    TempDir dir;
    ImageRig rig;
    WriteBmp(dir.File("IN.BMP"), 8, 4, 90);
    rig.display.Reader().ReadBmpFrame(dir.File("IN.BMP"), 1);
    rig.prompter.QueueFiles({dir.File("OUT.BMP")});
    ASSERT_EQ(rig.motion.SaveDisplayedImage(), 1);
    EXPECT_EQ(rig.prompter.FileRequests().at(0).title, "指定保存文件。");
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
