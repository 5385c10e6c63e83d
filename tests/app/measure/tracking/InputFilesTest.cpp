#include "CAviVideo.h"
#include "CBmpFile.h"
#include "CCfgFile.h"
#include "CFrameStore.h"
#include "CImageFile.h"
#include "CTextImageReader.h"
#include "CTrackFile2D.h"
#include "ScriptedClicks.h"
#include "TargetsFile.h"
#include "TestFiles.h"
#include "TrackParams.h"

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// Seconds `read` took; a reader waiting on the FIFO `path` is let go after
// two seconds by a writer that opens and closes it.
static double Seconds(const std::string& path, const std::function<void()>& read) {
    const auto start = std::chrono::steady_clock::now();
    std::atomic<bool> done{false};
    std::thread release([&] {
        for (int tick = 0; !done; ++tick) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (tick > 200) ::close(::open(path.c_str(), O_WRONLY | O_NONBLOCK));
        }
    });
    read();
    done = true;
    release.join();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST(InputFiles, OnlyRegularFilesAreReadAndNothingWaits) {
    using kova::CBmpFile, kova::CImageFile;
    kova::test::TempDir dir;
    const std::string fifo = dir.File("in.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    kova::CFrameStore store;
    cv::Mat image;
    int w = 0, h = 0, bits = 0;
    std::vector<TargetsFile::Entry> entries;
    std::string error;
    const std::pair<const char*, std::function<bool(const std::string&)>> readers[] = {
        {"keyed", [](auto& p) { return !CCfgFile().Load(p); }},
        {"points", [](auto& p) { return !CTrackFile2D().Load(p); }},
        {"text", [&](auto& p) { return kova::CTextImageReader(store).Read(p, 1, false) != 0; }},
        {"bitmap",
         [&](auto& p) { return CBmpFile::Read(p, false, image) == CBmpFile::kOpenFailed; }},
        {"info",
         [&](auto& p) {
             return CImageFile::Get_imagefile_info(p, w, h, bits) == CImageFile::kOpenFailed;
         }},
        {"jpeg",
         [&](auto& p) {
             return CImageFile::ReadGeneral(p, false, image) == CImageFile::kOpenFailed;
         }},
        {"avi", [](auto& p) { return !kova::CAviVideo().Open(p); }},
        {"targets", [&](auto& p) { return !TargetsFile::Load(p, &entries, &error); }},
        {"clicks", [&](auto& p) { return !ScriptedClicks().Load(p, &error); }},
    };
    for (const std::string& path : {fifo, dir.Path(), std::string("/dev/null")}) {
        for (const auto& [name, refuses] : readers) {
            bool refused = false;
            error.clear();
            EXPECT_LT(Seconds(path, [&] { refused = refuses(path); }), 1.0)
                << name << " waited on " << path;
            EXPECT_TRUE(refused) << name << " read " << path;
            EXPECT_TRUE(error.empty() || error == path + ": not a regular file") << error;
        }
    }
}

TEST(TargetsFile, ReadsPositionsSizesAndOwnThresholds) {
    std::vector<TargetsFile::Entry> entries;
    std::string error;
    ASSERT_TRUE(TargetsFile::Parse("# markers\n\n10 20\n  30.5 40 15 17\n1 2 31 31 180 255\n"
                                   "3 4 9 9 10 20 55.5\n5 6 9 9 1 2 3 4 5 6\r\n",
                                   &entries, &error))
        << error;
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_FLOAT_EQ(entries[1].x, 30.5f);
    EXPECT_EQ(entries[1].height, 17);
    EXPECT_EQ(entries[1].line, 4);
    EXPECT_FALSE(entries[0].hasGrey);
    EXPECT_EQ(entries[2].grey[0] * entries[2].hasGrey, 180);
    EXPECT_FLOAT_EQ(entries[3].percent * entries[3].hasPercent, 55.5f);
    EXPECT_EQ(entries[4].colour[5] * entries[4].hasColour, 6);
}

TEST(TargetsFile, RefusesMalformedLinesNamingThem) {
    const std::pair<const char*, const char*> bad[] = {
        {"10\n", "line 1: expected x y"},
        {"1 2\n3 4 5\n", "line 2: expected x y"},
        {"1 2 0 5\n", "line 1: window size"},
        {"1 2 5.5 5\n", "line 1: window size"},
        {"-1 2\n", "line 1: position"},
        {"1 2 9 9 0 256\n", "line 1: thresholds"},
        {"1 2 9 9 0 25 101\n", "line 1: percentage"},
        {"1 two\n", "line 1: not a number"},
        {"1 nan\n", "line 1: not a number"},
        {"1 2 # note\n", "line 1: not a number"},
    };
    for (const auto& [text, message] : bad) {
        std::vector<TargetsFile::Entry> entries;
        std::string error;
        EXPECT_FALSE(TargetsFile::Parse(text, &entries, &error)) << text;
        EXPECT_EQ(error.rfind(message, 0), 0u) << text << " gave " << error;
    }
}

TEST(ScriptedClicks, AnswersInOrderAndStopsWhenOutOrOutside) {
    ScriptedClicks clicks;
    std::string error;
    ASSERT_TRUE(clicks.Parse("12 34\n# comment\nskip\n500 10\n", &error)) << error;
    ManualPointSource::Request request;
    request.frame = 3;
    request.id = 2;
    request.width = 320;
    request.height = 240;
    int x = 0, y = 0;
    std::vector<int> answers;
    for (int i = 0; i < 3; ++i)
        answers.push_back(clicks.WaitManualPoint(request, x, y));
    EXPECT_EQ(answers, (std::vector<int>{ManualPointSource::kClicked, ManualPointSource::kSkipped,
                                         ManualPointSource::kStopped}));
    EXPECT_EQ(std::pair(x, y), std::pair(12, 34));
    EXPECT_EQ(clicks.Problem(), "click outside the frame for frame 3, ID 2");
    EXPECT_EQ(clicks.WaitManualPoint(request, x, y), ManualPointSource::kStopped);
    EXPECT_EQ(clicks.Problem(), "no click left for frame 3, ID 2");
    EXPECT_FALSE(clicks.Parse("1 2 3\n", &error));
    EXPECT_EQ(error, "line 1: expected \"x y\", \"skip\" or \"stop\"");
}

TEST(TrackParams, LoadsKeysFallsBackForBadBandsAndChecksRanges) {
    CCfgFile cfg;
    cfg.SetValue("ParamProcessType", 2);
    cfg.SetValue("ParamDispType", 2);
    cfg.SetArray("ParamPickupMonoValue", std::vector<int>{100, 180, 200}); // wrong length
    cfg.SetArray("ParamPickupColorValue", std::vector<int>{1, 2, 3, 4, 5, 6});
    TrackParams params;
    params.monoValue[0] = 7;
    params.noiseArea0 = 44;
    params.Load(cfg);
    EXPECT_TRUE(params.IsColour());
    EXPECT_EQ(params.monoValue[0], 200);
    EXPECT_EQ(params.colorValue[5], 6);
    EXPECT_EQ(params.noiseArea0, 44); // a missing scalar key leaves the value
    EXPECT_EQ(params.Check(), "");
    params.noiseArea1 = 0;
    EXPECT_EQ(params.Check(), "ParamNoiseArea1 must be 1..999999");
    params.noiseArea1 = 5;
    params.targetValue = 128;
    EXPECT_EQ(params.Check(), "ParamTargetValue must be 0 or 255");
}
