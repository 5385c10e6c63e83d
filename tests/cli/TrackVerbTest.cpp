#include "CCfgFile.h"
#include "CTrackFile2D.h"
#include "TestFiles.h"
#include "Verb.h"

#include <gtest/gtest.h>
#include <sstream>

using kova::cli::RunBatch;

namespace {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

Result Batch(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    Result r;
    r.status = RunBatch(args, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class TrackVerb : public ::testing::Test {
protected:
    // A 12-frame grey demo: 13 markers, two of them hidden for 3 frames.
    void MakeDemo(const std::vector<std::string>& extra = {}) {
        std::vector<std::string> args = {"demo", dir.Path(), "--frames", "12"};
        args.insert(args.end(), extra.begin(), extra.end());
        const Result r = Batch(args);
        ASSERT_EQ(r.status, 0) << r.err;
        ASSERT_TRUE(Contains(r.out, "12 frames 640x480")) << r.out;
    }
    std::vector<std::string> TrackArgs(const std::vector<std::string>& extra) const {
        std::vector<std::string> args = {
            "--cfg",    dir.File("KOVA.CFG"),     "track",
            "--series", dir.File("DEMO0001.BMP"), dir.File("DEMO0012.BMP"),
            "--out",    dir.File("DEMO.TRK")};
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    }

    kova::test::TempDir dir;
};

} // namespace

TEST_F(TrackVerb, DemoIsTrackedOutOfTheBox) {
    MakeDemo();
    const Result r = Batch(TrackArgs({"--targets", dir.File("DEMO_TARGETS.TXT")}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "frames: 12\ntargets: 13\nstatus 0: 150\nstatus 1: 0\nstatus 2: 0\n"
                     "status 3: 6\nstatus 4: 0\n");
    CTrackFile2D file;
    ASSERT_TRUE(file.Load(dir.File("DEMO.TRK")));
    EXPECT_EQ(file.GetHeader().statusCounts[3], 6u);
    EXPECT_TRUE(kova::test::Exists(dir.File("DEMO.TRI")));
}

TEST_F(TrackVerb, ColourAviDemoIsTrackedWithColourBands) {
    MakeDemo({"--colour", "--avi"});
    const Result r = Batch({"--cfg", dir.File("KOVA.CFG"), "track", "--avi", dir.File("DEMO.AVI"),
                            "--range", "2", "11", "--out", dir.File("C.TRK"), "--targets",
                            dir.File("DEMO_TARGETS.TXT"), "--colour", "--window", "41", "41"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "frames: 10\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "status 3: 6\n")) << r.out;
    CTrackFile2D file;
    ASSERT_TRUE(file.Load(dir.File("C.TRK")));
    EXPECT_EQ(file.GetHeader().imageType, 2);
    EXPECT_EQ(file.GetHeader().firstNumber, 2);
    EXPECT_EQ(file.GetHeader().lastNumber, 11);
    const std::string info = kova::test::ReadBytes(dir.File("C.TRI"));
    EXPECT_TRUE(Contains(info, "AviFile DEMO.AVI\r\n")) << info;
    EXPECT_TRUE(Contains(info, "AviStartFrm 2\r\nAviEndFrm 11\r\n")) << info;
    EXPECT_TRUE(Contains(info, "ImagePath " + dir.Path() + "\r\n")) << info;
}

TEST_F(TrackVerb, FreePoliciesKeepEachTargetsOwnWindowAndThresholds) {
    MakeDemo();
    // Target 2 has a band that misses its marker; it only counts with the
    // free threshold policy.
    kova::test::WriteBytes(dir.File("own.txt"), "192 73\n137 123 31 31 0 10\n");
    const std::vector<std::string> own = {"--targets", dir.File("own.txt")};
    Result r = Batch(TrackArgs(own));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "status 0: 24\n")) << r.out;
    CCfgFile config;
    ASSERT_TRUE(config.Load(dir.File("KOVA.CFG")));
    config.SetValue("ParamWindowSize", 1);
    config.SetValue("ParamPickupValueMode", 1);
    ASSERT_TRUE(config.Save(dir.File("FREE.CFG")));
    std::vector<std::string> args = TrackArgs(own);
    args[1] = dir.File("FREE.CFG");
    r = Batch(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "status 0: 12\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "status 3: 12\n")) << r.out;
}

TEST_F(TrackVerb, PickupFindsEveryMarkerOfTheFirstFrame) {
    MakeDemo();
    const Result r = Batch(TrackArgs({"--pickup"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.err, "13 targets picked up")) << r.err;
    EXPECT_TRUE(Contains(r.out, "status 0: 150\n")) << r.out;
}

TEST_F(TrackVerb, ScriptedStopInSemiAutomaticModeKeepsTheCompletedFrames) {
    MakeDemo();
    kova::test::WriteBytes(dir.File("clicks.txt"), "stop\n");
    const Result r = Batch(TrackArgs({"--targets", dir.File("DEMO_TARGETS.TXT"), "--mode", "semi",
                                      "--clicks", dir.File("clicks.txt")}));
    ASSERT_EQ(r.status, 0) << r.err;
    // The left wrist hides in frame 5: the run asks there and is stopped.
    EXPECT_TRUE(Contains(r.out, "frames: 4\n")) << r.out;
    EXPECT_TRUE(Contains(r.err, "stopped; 4 frames kept")) << r.err;
    CTrackFile2D file;
    ASSERT_TRUE(file.Load(dir.File("DEMO.TRK")));
    EXPECT_EQ(file.GetFrameCount(), 4);
}

TEST_F(TrackVerb, ManualModeFollowsTheClicksAndRunningOutIsAnError) {
    MakeDemo();
    kova::test::WriteBytes(dir.File("one.txt"), "5 6\n");
    kova::test::WriteBytes(dir.File("clicks.txt"), "100 200\nskip\n101 201\n");
    const Result r = Batch(TrackArgs({"--targets", dir.File("one.txt"), "--mode", "manual",
                                      "--clicks", dir.File("clicks.txt")}));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.out, "frames: 3\ntargets: 1\nstatus 0: 2\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "status 4: 1\n")) << r.out;
    EXPECT_TRUE(Contains(r.err, "no click left for frame 4, ID 1; 3 frames kept")) << r.err;
}

TEST_F(TrackVerb, BadInputIsRefusedWithAClearMessageAndNoResult) {
    MakeDemo();
    kova::test::WriteBytes(dir.File("far.txt"), "10 10\n700 10\n");
    kova::test::WriteBytes(dir.File("bad.txt"), "10 10\n1 2 3\n");
    kova::test::WriteBytes(dir.File("OLD.CFG"), "VersionInformation KOVA_VER0.99\r\n");
    const std::string targets = dir.File("DEMO_TARGETS.TXT");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--targets", dir.File("far.txt")}, "target 2 lies outside the 640x480 frame"},
        {{"--targets", dir.File("bad.txt")}, "bad.txt: line 2: expected x y"},
        {{"--targets", targets, "--mode", "manual"}, "manual mode needs --clicks FILE"},
        {{"--targets", targets, "--pickup"}, "give --targets or --pickup"},
        {{"--targets", targets, "--window", "0", "5"}, "--window W H needs two sizes"},
        {{"--targets", targets, "--mode", "fast"}, "--mode must be manual, semi or auto"},
        {{"--targets", dir.File("none.txt")}, "cannot read " + dir.File("none.txt")},
    };
    for (const auto& [extra, message] : cases) {
        const Result r = Batch(TrackArgs(extra));
        EXPECT_NE(r.status, 0) << message;
        EXPECT_TRUE(Contains(r.err, message)) << r.err;
        EXPECT_FALSE(kova::test::Exists(dir.File("DEMO.TRK"))) << message;
    }
    Result r = Batch({"--cfg", dir.File("OLD.CFG"), "track", "--series", dir.File("DEMO0001.BMP"),
                      dir.File("DEMO0012.BMP"), "--out", dir.File("X.TRK"), "--pickup"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "'CFG' 文件版本错误。")) << r.err;
    r = Batch({"track", "--series", dir.File("DEMO0001.BMP"), dir.File("OTHER0012.BMP"), "--out",
               dir.File("X.TRK"), "--pickup"});
    EXPECT_TRUE(Contains(r.err, "文件选择错误.")) << r.err;
    r = Batch({"track", "--avi", dir.File("DEMO0001.BMP"), "--out", dir.File("X.TRK"), "--pickup"});
    EXPECT_TRUE(Contains(r.err, "cannot open AVI file")) << r.err;
    EXPECT_FALSE(kova::test::Exists(dir.File("X.TRK")));
}

TEST(DemoVerb, RefusesBadSizesAndFrameCounts) {
    kova::test::TempDir dir;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"demo", dir.Path(), "--size", "100x100"},
          std::vector<std::string>{"demo", dir.Path(), "--size", "99999x480"},
          std::vector<std::string>{"demo", dir.Path(), "--frames", "0"},
          std::vector<std::string>{"demo"}}) {
        const Result r = Batch(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(Contains(r.err, "demo: ")) << r.err;
    }
    EXPECT_TRUE(dir.Entries().empty());
}

TEST(BenchVerb, PrintsEveryFigureAsNameValueLines) {
    kova::test::TempDir dir;
    EXPECT_EQ(Batch({"bench", "--frames", "2"}).status, 2);
    const Result r = Batch({"bench", "--frames", "3", "--dir", dir.Path()});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* name :
         {"mjpeg_decode_fps: ", "mjpeg_track_fps: ", "track_vs_decode: ", "bmp_decode_fps: ",
          "bmp_track_fps: ", "bmp_track_vs_decode: ", "memory_track_fps: ",
          "memory_found_fraction: 1.000", "ncc_track_fps: ", "ncc_vs_blob: "})
        EXPECT_TRUE(Contains(r.out, std::string("\n") + name) || r.out.rfind(name, 0) == 0)
            << name << " in\n"
            << r.out;
}
