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

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

using kova::Message;
using kova::MessageButtons;
using kova::MessageIcon;
using kova::test::TempDir;
using kova::test::WriteBmp;
using kova::test::WriteBytes;
using Texts = std::vector<std::string>;

struct ImageRig {
    ImageRig() { store.InitImageSys(); }
    kova::RecordingPrompter prompter;
    kova::CFrameStore store;
    kova::CVideoCapDS capture{store};
    CImageDisplay display{store, capture, prompter};
    MotionImage motion{display, store, prompter};
    int Read(const std::string& path) { return display.Reader().ReadBmpFrame(path, 1); }
    // Pixel (1, 1) of frame 1, the red of a colour frame.
    int Pixel() {
        int r = store.Read_pixel(1, 1, 1), g = 0, b = 0;
        if (store.Get_dispmode() == kova::CFrameStore::kColorDispMode)
            store.Read_pixel_color(1, 1, 1, r, g, b);
        return r;
    }
};

// Stops when asked before the given item.
class StoppingProgress : public kova::Progress {
public:
    explicit StoppingProgress(int stopBefore) : stopBefore_(stopBefore) {}
    void Open(int maximum) override { this->maximum = maximum; }
    void Step(int, const std::string& text) override { texts.push_back(text); }
    bool Poll() override { return ++polls_ == stopBefore_; }
    void Close() override { closed = true; }
    Texts texts;
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
Texts WriteSeries(const TempDir& dir, const std::string& head, int count, int step,
                  const std::string& ext = "BMP") {
    Texts names;
    for (int i = 1; i <= count; ++i)
        names.push_back(WriteBmp(dir.File(SeriesName::Format(head, i, ext)), 4, 4, step * i));
    return names;
}

TEST(SeriesNameTest, SplitKeepsCaseAndRefusesNamesWithoutDigits) {
    const std::tuple<const char*, bool, std::string, int, std::string> cases[] = {
        {"walk0012.bmp", true, "walk", 12, "bmp"},
        {"TEMP12345.BMP", true, "TEMP", 12345, "BMP"},
        {"IMAGE.BMP", false, "", 0, ""},
        {".0001", false, "", 0, ""},
        {"A99999999999.BMP", false, "", 0, ""}};
    for (const auto& c : cases) {
        std::string head, ext;
        int number = 0;
        const bool ok = SeriesName::Split(std::get<0>(c), &head, &number, &ext);
        EXPECT_EQ(std::make_tuple(std::get<0>(c), ok, head, number, ext), c);
    }
    EXPECT_EQ(SeriesName::Format("TEMP", 12345, "BMP") + SeriesName::Format("TEMP", 7, "BMP", 0),
              "TEMP12345.BMPTEMP7.BMP");
}

TEST(MotionImageTest, SeriesChoiceInLowerCase) {
    TempDir dir;
    WriteSeries(dir, "walk", 3, 1, "bmp");
    ImageRig rig;
    rig.prompter.QueueFiles({dir.File("walk0001.bmp"), dir.File("walk0003.bmp")});
    ASSERT_EQ(rig.motion.ChooseSequence(), 1);
    const ImageSource& s = rig.motion.Source();
    EXPECT_EQ(std::tie(s.firstNumber, s.lastNumber, s.frames, s.firstFile, s.lastFile, s.directory),
              std::make_tuple(1, 3, 3, "walk0001.bmp", "walk0003.bmp", dir.Path()));
    EXPECT_TRUE(kova::test::Exists(s.SeriesPaths().back()));
    EXPECT_EQ(rig.motion.ShowFirstImage(), 1);
    EXPECT_EQ(rig.store.Read_pixel(1, 0, 0), 1);
}

TEST(MotionImageTest, RefusedChoicesKeepTheSource) {
    TempDir dir;
    for (const char* name : {"RUN0001.BMP", "WALK0002.BMP", "IMAGE.BMP"})
        WriteBmp(dir.File(name), 4, 4, 1);
    WriteBytes(dir.File("clip.txt"), "data");
    WriteBytes(dir.File("broken.avi"), "RIFF....AVI junk"); // an AVI nothing can read
    ImageRig rig;
    rig.prompter.QueueFiles({dir.File("RUN0001.BMP"), dir.File("WALK0002.BMP")});
    EXPECT_EQ(rig.motion.ChooseSequence(), 0);
    rig.prompter.QueueFileCancel();
    EXPECT_EQ(rig.motion.ChooseSequence(), 0);
    for (const char* name : {"IMAGE.BMP", "clip.txt", "broken.avi"}) {
        rig.prompter.QueueFiles({dir.File(name)});
        EXPECT_EQ(rig.motion.ChooseSequence(), 0);
    }
    EXPECT_EQ(rig.prompter.Texts(),
              (Texts{"文件选择错误.", "文件选择错误.", "文件名无效.", "文件读取错误."}));
    EXPECT_EQ(std::make_tuple(rig.motion.Source().head, rig.motion.Chosen()),
              std::make_tuple(ImageSource().head, false));
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
    EXPECT_EQ(rig.store.Read_pixel(1, 3, 3), 77); // none of them touched the frame
    // A missing file blanks the frame without a message.
    EXPECT_EQ(rig.Read(dir.File("NONE.BMP")), -1);
    EXPECT_EQ(rig.store.Read_pixel(1, 3, 3), 0);
    EXPECT_EQ(rig.prompter.Messages(),
              (std::vector<Message>{Kova("不能读该文件。"), Kova("Invalid bitmap file"),
                                    Kova("Bitmap file Header read error "),
                                    Kova("Bitmap file Header read error ")}));

    ASSERT_EQ(rig.Read(WriteBmp(dir.File("C.BMP"), 6, 5, 200, true)), 0);
    int r = 0, g = 0, b = 0;
    rig.store.Read_pixel_color(1, 2, 2, r, g, b);
    EXPECT_EQ(std::make_tuple(rig.store.Get_dispmode(), rig.store.Width(), r + g + b),
              std::make_tuple(kova::CFrameStore::kColorDispMode, 6, 600));
}

TEST(SeriesLoadTest, StoppedLoadLeavesTheSeriesNotLoaded) {
    TempDir dir;
    ImageRig rig;
    StoppingProgress progress(3);
    EXPECT_EQ(rig.display.LoadSeries(WriteSeries(dir, "S", 5, 1), 0, progress), 0);
    EXPECT_EQ(rig.prompter.Messages(),
              (std::vector<Message>{Message{"图像读入被中断。", "确认", MessageIcon::Exclamation,
                                            MessageButtons::Ok}}));
    EXPECT_EQ(progress.texts, (Texts{"帧 1 在读入中。", "帧 2 在读入中。"}));
    EXPECT_EQ(std::make_tuple(rig.display.AllInStore(), rig.display.PageCount(),
                              rig.store.Read_pixel(2, 0, 0), rig.store.Read_pixel(3, 0, 0)),
              std::make_tuple(false, 0, 2, 0));
}

TEST(SeriesLoadTest, FullLoadShowsPagesFromTheStoreTooSmallFailsSilentlyAndReadsOnDemand) {
    TempDir dir;
    const Texts names = WriteSeries(dir, "S", 4, 20);
    ImageRig rig;
    StoppingProgress progress(0);
    ASSERT_EQ(rig.display.LoadSeries(names, 2, progress), 1);
    EXPECT_EQ(std::make_tuple(progress.closed, progress.maximum, rig.display.AllInStore()),
              std::make_tuple(true, 4, true));
    ASSERT_EQ(rig.display.ShowPage(3), 1);
    EXPECT_EQ(std::make_pair(rig.store.Get_dispframe(), rig.display.GetPage()),
              std::make_pair(3, 3));
    EXPECT_EQ(rig.display.ShowPage(5), 0);
    StoppingProgress again(1); // loading the same list again reads nothing
    EXPECT_EQ(rig.display.LoadSeries(names, 2, again), 1);
    EXPECT_TRUE(again.texts.empty());

    ImageRig small;
    small.store.Put_nofframe(3);
    StoppingProgress none(0);
    EXPECT_EQ(small.display.LoadSeries(WriteSeries(dir, "X", 5, 1), 0, none), 0);
    EXPECT_TRUE(small.prompter.Messages().empty() && none.texts.empty());
    // Without the store pages are read on demand into frame 1.
    small.display.SetSeries(names, 2);
    ASSERT_EQ(small.display.ShowPage(2), 1);
    EXPECT_EQ(small.store.Read_pixel(1, 1, 1), 40);
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
    std::tie(source.directory, source.ext, source.aviFile) =
        std::make_tuple("/data/clips", "AVI", "jump.avi");
    source.aviFirst = source.aviLast = 300;
    source.frames = 1;
    CTrackInfo2D info;
    source.Store(info);
    ImageSource back;
    ASSERT_TRUE(back.Restore(info));
    EXPECT_EQ(std::make_tuple(back.IsAvi(), back.aviFirst, back.aviLast, back.AviPath()),
              std::make_tuple(true, 300, 300, "/data/clips/jump.avi"));

    CCfgFile empty;
    ImageSource series;
    series.head = "RUN";
    series.lastNumber = 9;
    EXPECT_FALSE(series.Restore(empty));
    std::string head;
    int last = 0;
    EXPECT_TRUE(empty.GetValue("ImageNameHead", &head) && empty.GetValue("ImageEndNum", &last));
    EXPECT_EQ(std::make_tuple(head, last, empty.Count("AviFile")), std::make_tuple("RUN", 9, 0));
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

// Regressions: series with missing files or more digits, images moved away from
// their measurement, AVIs of any depth, and the AVI kept open while paging.
TEST(SequenceFaultsTest, SeriesIsCheckedWholeKeepsItsDigitsAndIsLookedForBesideItsMeasurement) {
    const struct {
        const char* head;
        int digits;
        std::vector<int> numbers; // on disk, of grey 10 x number; the ends chosen
        const char* missing;
    } cases[] = {{"TEMP", 4, {1, 2, 5}, "TEMP0003.BMP"},
                 {"RUN", 5, {1, 2, 3}, nullptr},
                 {"WALK", 0, {8, 9, 10}, nullptr}};
    for (const auto& c : cases) {
        TempDir dir, moved;
        std::vector<std::string> names;
        for (int n : c.numbers) {
            names.push_back(SeriesName::Format(c.head, n, "BMP", c.digits));
            kova::test::WriteBmp(dir.File(names.back()), 4, 4, 10 * n);
        }
        ImageRig rig;
        rig.display.Reader().ReadBmpFrame(kova::test::WriteBmp(dir.File("OLD.BMP"), 4, 6, 7), 1);
        rig.prompter.QueueFiles({dir.File(names.back()), dir.File(names.front())});
        if (c.missing) {
            EXPECT_EQ(rig.motion.ChooseSequence(), 0);
            EXPECT_EQ(rig.prompter.Texts(),
                      Texts{MotionImage::kMissingImage + dir.File(c.missing)});
            EXPECT_EQ(std::make_tuple(rig.Pixel(), rig.motion.Chosen(), rig.display.PageCount()),
                      std::make_tuple(7, false, 0));
            continue;
        }
        ASSERT_EQ(rig.motion.ChooseSequence(), 1) << c.head;
        const int low = c.numbers.front();
        EXPECT_EQ(rig.Pixel(), 10 * low) << "the last chosen file is shown";
        // Moved beside the measurement, rebuilt from the .TRI keys.
        CTrackInfo2D info;
        rig.motion.StoreSource(info);
        for (const std::string& name : names)
            std::rename(dir.File(name).c_str(), moved.File(name).c_str());
        CTrackFile2D track;
        track.SetLastPath(moved.File("M.TRK"));
        ImageRig reopened;
        reopened.motion.RestoreSource(info);
        ASSERT_EQ(reopened.motion.ShowFirstImage(&track), 1) << c.head;
        ASSERT_EQ(reopened.display.ShowPage(3), 1) << c.head;
        EXPECT_EQ(reopened.Pixel(), 10 * (low + 2));
        EXPECT_EQ(reopened.motion.Source().directory, dir.Path()) << "the keys stay";
        // Found nowhere: said once, and an empty frame of the measurement's width.
        ASSERT_EQ(track.Create(2, 3), 1);
        MeasureHeader header = track.GetHeader();
        header.widthEdge = 99.0f;
        track.SetHeader(header);
        track.SetLastPath(dir.File("M.TRK"));
        EXPECT_EQ(reopened.motion.ShowFirstImage(&track), 0);
        EXPECT_EQ(reopened.prompter.Texts(),
                  Texts{MotionImage::kMissingImage + dir.File(names.front())});
        EXPECT_EQ(std::make_tuple(reopened.store.Width(), reopened.store.Height(), reopened.Pixel(),
                                  reopened.display.HasImages()),
                  std::make_tuple(100, 4, 0, false));
    }
}

// Three 16 x 8 grey frames of base, base + 80 and base + 160 by the project's
// writer, converted by ffmpeg to `format` unless it is empty ("h264": an MP4
// with B-frames).
std::string WriteClip(const TempDir& dir, const std::string& format, int base = 40) {
    const bool h264 = format == "h264";
    const std::string raw = dir.File("raw.avi"), clip = dir.File(h264 ? "clip.mp4" : "clip.avi");
    kova::CFrameStore store;
    store.Put_framesize(16, 8);
    kova::CAviVideo writer;
    writer.Create(raw, 16, 8, 3, 25.0, kova::CAviVideo::Layout::Frames, 0);
    for (int i = 1; i <= 3; ++i) {
        store.Fill_frame(i, base + 80 * (i - 1), true);
        writer.WriteFrame(store, i);
    }
    writer.Close();
    if (format.empty())
        std::rename(raw.c_str(), clip.c_str());
    else
        std::system(("ffmpeg -v error -y -i " + raw +
                     (h264 ? " -c:v libx264 -bf 2 -crf 0 -pix_fmt yuv420p "
                           : " -c:v rawvideo -sws_dither none -pix_fmt " + format + " ") +
                     clip)
                        .c_str());
    return clip;
}

TEST(SequenceFaultsTest, AviOfAnyDepthIsChosenLoadedAndPagedInOneOpenFile) {
    for (const char* format : {"", "rgb555le", "bgra", "h264"}) {
        if (*format && std::system("ffmpeg -version >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "ffmpeg is not installed";
        TempDir dir;
        const std::string path = WriteClip(dir, format);
        ImageRig rig;
        rig.prompter.QueueFiles({path});
        ASSERT_EQ(rig.motion.ChooseSequence(), 1) << format;
        const ImageSource& s = rig.motion.Source();
        EXPECT_EQ(std::tie(s.aviFile, s.aviFirst, s.aviLast, s.frames),
                  std::make_tuple(SeriesName::NameOf(path), 1, 3, 3));
        EXPECT_NEAR(rig.Pixel(), 40, 12) << format;
        kova::NullProgress progress;
        ASSERT_EQ(rig.display.LoadAvi(path, 2, 3, progress), 1) << format;
        EXPECT_NEAR(rig.Pixel(), 120, 12) << format;
        rig.display.SetAvi(path, 1, 3, 1);
        std::remove(path.c_str()); // still open: it reads on
        for (int page : {2, 3}) {
            ASSERT_EQ(rig.display.ShowPage(page), 1) << format;
            EXPECT_NEAR(rig.Pixel(), 80 * page - 40, 12) << format;
        }
        WriteClip(dir, format, 0); // written anew: read anew
        ASSERT_EQ(rig.display.ShowPage(3), 1);
        EXPECT_NEAR(rig.Pixel(), 160, 12) << format;
        EXPECT_TRUE(rig.prompter.Messages().empty()) << format;
    }
}

} // namespace
