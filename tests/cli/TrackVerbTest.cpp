#include "CCfgFile.h"
#include "CTrackFile2D.h"
#include "InterruptProgress.h"
#include "TestFiles.h"
#include "Verb.h"

#include <csignal>
#include <gtest/gtest.h>
#include <memory>
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

TEST_F(TrackVerb, DemoIsTrackedOutOfTheBoxFromTheTargetsFileOrByPickup) {
    MakeDemo();
    const Result r = Batch(TrackArgs({"--targets", dir.File("DEMO_TARGETS.TXT")}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "frames: 12\ntargets: 13\nstatus 0: 150\nstatus 1: 0\nstatus 2: 0\n"
                     "status 3: 6\nstatus 4: 0\n");
    CTrackFile2D file;
    ASSERT_TRUE(file.Load(dir.File("DEMO.TRK")));
    EXPECT_EQ(file.GetHeader().statusCounts[3], 6u);
    EXPECT_TRUE(kova::test::Exists(dir.File("DEMO.TRI")));
    // Picking up the markers of the first frame instead finds all of them.
    const Result picked = Batch(TrackArgs({"--pickup"}));
    ASSERT_EQ(picked.status, 0) << picked.err;
    EXPECT_TRUE(Contains(picked.err, "13 targets picked up")) << picked.err;
    EXPECT_TRUE(Contains(picked.out, "status 0: 150\n")) << picked.out;
}

TEST_F(TrackVerb, ColourAviDemoIsTrackedWithColourBands) {
    MakeDemo({"--colour", "--avi"});
    const Result r = Batch({"--cfg", dir.File("KOVA.CFG"), "track", "--avi", dir.File("DEMO.AVI"),
                            "--range", "2", "11", "--out", dir.File("C.TRK"), "--targets",
                            dir.File("DEMO_TARGETS.TXT"), "--colour", "--window", "41", "41"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "frames: 10\n") && Contains(r.out, "status 3: 6\n")) << r.out;
    CTrackFile2D file;
    ASSERT_TRUE(file.Load(dir.File("C.TRK")));
    const auto& h = file.GetHeader();
    EXPECT_EQ(std::make_tuple(h.imageType, h.firstNumber, h.lastNumber), std::make_tuple(2, 2, 11));
    const std::string info = kova::test::ReadBytes(dir.File("C.TRI"));
    for (const std::string& line :
         {std::string("AviFile DEMO.AVI\r\n"), std::string("AviStartFrm 2\r\nAviEndFrm 11\r\n"),
          "ImagePath " + dir.Path() + "\r\n"})
        EXPECT_TRUE(Contains(info, line)) << info;
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
    EXPECT_TRUE(Contains(r.out, "status 0: 12\n") && Contains(r.out, "status 3: 12\n")) << r.out;
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
    EXPECT_TRUE(Contains(r.out, "frames: 3\ntargets: 1\nstatus 0: 2\n") &&
                Contains(r.out, "status 4: 1\n"))
        << r.out;
    EXPECT_TRUE(Contains(r.err, "no click left for frame 4, ID 1; 3 frames kept")) << r.err;
}

TEST_F(TrackVerb, BadInputIsRefusedWithAClearMessageAndNoResult) {
    const auto Refused = [this](const std::vector<std::string>& args, const std::string& message) {
        const Result r = Batch(args);
        EXPECT_NE(r.status, 0) << message;
        EXPECT_TRUE(Contains(r.err, message)) << r.err;
        EXPECT_FALSE(kova::test::Exists(dir.File("DEMO.TRK"))) << message;
    };
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
    std::vector<std::string> old = TrackArgs({"--pickup"});
    old[1] = dir.File("OLD.CFG");
    std::vector<std::string> other = TrackArgs({"--pickup"});
    other[5] = dir.File("OTHER0012.BMP");
    const std::pair<std::vector<std::string>, std::string> whole[] = {
        {old, "'CFG' 文件版本错误。"},
        {other, "文件选择错误."},
        {{"track", "--avi", dir.File("DEMO0001.BMP"), "--out", dir.File("DEMO.TRK"), "--pickup"},
         "cannot open AVI file"}};
    for (const auto& [args, message] : cases)
        Refused(TrackArgs(args), message);
    for (const auto& [args, message] : whole)
        Refused(args, message);
}

TEST(InterruptProgress, CtrlCAsksToStopOnlyWhileTheRunLasts) {
    auto progress = std::make_unique<kova::InterruptProgress>();
    EXPECT_FALSE(progress->Poll());
    std::raise(SIGINT);
    EXPECT_TRUE(progress->Poll());
    progress.reset();
    EXPECT_EQ(std::signal(SIGINT, SIG_DFL), SIG_DFL); // the old handler is back
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

TEST(BenchVerb, NeedsThreeFramesAndFindsEveryMarkerInMemory) {
    kova::test::TempDir dir;
    EXPECT_EQ(Batch({"bench", "--frames", "2"}).status, 2);
    const Result r = Batch({"bench", "--frames", "3", "--dir", dir.Path()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "\nmemory_found_fraction: 1.000\n")) << r.out;
}
