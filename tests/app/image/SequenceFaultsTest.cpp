// Series with missing files or more digits, images moved away from their
// measurement, AVIs of any depth, and the AVI kept open while paging.
#include "BmpFixtures.h"
#include "CAviVideo.h"
#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CTrackFile2D.h"
#include "CTrackInfo2D.h"
#include "CVideoCapDS.h"
#include "MotionImage.h"
#include "Progress.h"
#include "RecordingPrompter.h"
#include "SeriesName.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

using kova::test::TempDir;
using Texts = std::vector<std::string>;

struct Rig {
    Rig() { store.InitImageSys(); }
    kova::RecordingPrompter prompter;
    kova::CFrameStore store;
    kova::CVideoCapDS capture{store};
    CImageDisplay display{store, capture, prompter};
    MotionImage motion{display, store, prompter};
    // Pixel (1, 1) of frame 1, the red of a colour frame.
    int Pixel() {
        int r = store.Read_pixel(1, 1, 1), g = 0, b = 0;
        if (store.Get_dispmode() == kova::CFrameStore::kColorDispMode)
            store.Read_pixel_color(1, 1, 1, r, g, b);
        return r;
    }
};

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
        Rig rig;
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
        ASSERT_EQ(rig.display.ShowPage(2), 1) << c.head;
        EXPECT_EQ(rig.Pixel(), 10 * (low + 1));
        // Moved beside the measurement, rebuilt from the .TRI keys.
        CTrackInfo2D info;
        rig.motion.StoreSource(info);
        for (const std::string& name : names)
            std::rename(dir.File(name).c_str(), moved.File(name).c_str());
        CTrackFile2D track;
        track.SetLastPath(moved.File("M.TRK"));
        Rig reopened;
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
// writer, converted by ffmpeg to `format` unless it is empty.
std::string WriteClip(const TempDir& dir, const std::string& format, int base = 40) {
    const std::string raw = dir.File("raw.avi"), clip = dir.File("clip.avi");
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
        std::system(("ffmpeg -v error -y -i " + raw + " -c:v rawvideo -sws_dither none -pix_fmt " +
                     format + " " + clip)
                        .c_str());
    return clip;
}

TEST(SequenceFaultsTest, AviOfAnyDepthIsChosenLoadedAndPagedInOneOpenFile) {
    for (const char* format : {"", "rgb555le", "bgra"}) {
        if (*format && std::system("ffmpeg -version >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "ffmpeg is not installed";
        TempDir dir;
        const std::string path = WriteClip(dir, format);
        Rig rig;
        rig.prompter.QueueFiles({path});
        ASSERT_EQ(rig.motion.ChooseSequence(), 1) << format;
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
