#include "BatchRun.h"
#include "CCfgFile.h"
#include "CTrackFile2D.h"
#include "InterruptProgress.h"
#include "TestFiles.h"
#include "Verb.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>

using kova::test::WriteBytes;

namespace {

using Result = kova::test::BatchResult;
using kova::test::Batch;

class TrackVerb : public ::testing::Test {
protected:
    // A 12-frame grey demo: 13 markers, two of them hidden for 3 frames.
    void SetUp() override {
        const Result r = Batch({"demo", dir.Path(), "--frames", "12"});
        ASSERT_EQ(r.status, 0) << r.err;
        ASSERT_TRUE(r.Says("12 frames 640x480")) << r.out;
    }
    std::vector<std::string> Args(const std::vector<std::string>& extra) const {
        std::vector<std::string> args = {
            "--cfg",    dir.File("KOVA.CFG"),     "track",
            "--series", dir.File("DEMO0001.BMP"), dir.File("DEMO0012.BMP"),
            "--out",    dir.File("DEMO.TRK")};
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    }
    // Runs the tracking; checks the status and every line it must print.
    void Track(const std::vector<std::string>& args, int status,
               std::initializer_list<std::string> said) {
        const Result r = Batch(args);
        EXPECT_EQ(r.status, status) << r.err;
        for (const std::string& part : said)
            EXPECT_TRUE(r.Says(part)) << part << "\n" << r.out << r.err;
    }
    int FrameCount(const std::string& name) {
        CTrackFile2D file;
        EXPECT_TRUE(file.Load(dir.File(name)));
        return file.GetFrameCount();
    }

    kova::test::TempDir dir;
    const std::string targets = dir.File("DEMO_TARGETS.TXT");
};

} // namespace

TEST_F(TrackVerb, DemoIsTrackedOutOfTheBoxFromTheTargetsFileOrByPickup) {
    Track(Args({"--targets", targets}), 0,
          {"frames: 12\ntargets: 13\nstatus 0: 150\nstatus 1: 0\nstatus 2: 0\n"
           "status 3: 6\nstatus 4: 0\n"});
    CTrackFile2D file;
    ASSERT_TRUE(file.Load(dir.File("DEMO.TRK")));
    EXPECT_EQ(file.GetHeader().statusCounts[3], 6u);
    EXPECT_TRUE(kova::test::Exists(dir.File("DEMO.TRI")));
    // Picking up the markers of the first frame instead finds all of them.
    Track(Args({"--pickup"}), 0, {"13 targets picked up", "status 0: 150\n"});
    std::vector<std::string> args = Args({"--pickup"});
    args[7] = dir.File("D.TRK");
    std::filesystem::create_directory(dir.File("D.TRI")); // the pair's .TRI cannot be written
    Track(args, 1, {"cannot write " + dir.File("D.TRI")});
}

TEST_F(TrackVerb, ColourAviDemoIsTrackedWithColourBands) {
    ASSERT_EQ(Batch({"demo", dir.Path(), "--frames", "12", "--colour", "--avi"}).status, 0);
    Track({"--cfg", dir.File("KOVA.CFG"), "track", "--avi", dir.File("DEMO.AVI"), "--range", "2",
           "11", "--out", dir.File("C.TRK"), "--targets", targets, "--colour", "--window", "41",
           "41"},
          0, {"frames: 10\n", "status 3: 6\n"});
    CTrackFile2D file;
    ASSERT_TRUE(file.Load(dir.File("C.TRK")));
    const auto& h = file.GetHeader();
    EXPECT_EQ(std::make_tuple(h.imageType, h.firstNumber, h.lastNumber), std::make_tuple(2, 2, 11));
    const std::string info = kova::test::ReadBytes(dir.File("C.TRI"));
    for (const std::string& line :
         {std::string("AviFile DEMO.AVI\r\n"), std::string("AviStartFrm 2\r\nAviEndFrm 11\r\n"),
          "ImagePath " + dir.Path() + "\r\n"})
        EXPECT_NE(info.find(line), std::string::npos) << info;
}

TEST_F(TrackVerb, FreePoliciesKeepEachTargetsOwnWindowAndThresholds) {
    // Target 2 has a band that misses its marker; it only counts with the
    // free threshold policy.
    WriteBytes(dir.File("own.txt"), "192 73\n137 123 31 31 0 10\n");
    std::vector<std::string> args = Args({"--targets", dir.File("own.txt")});
    Track(args, 0, {"status 0: 24\n"});
    CCfgFile config;
    ASSERT_TRUE(config.Load(dir.File("KOVA.CFG")));
    config.SetValue("ParamWindowSize", 1);
    config.SetValue("ParamPickupValueMode", 1);
    ASSERT_TRUE(config.Save(dir.File("FREE.CFG")));
    args[1] = dir.File("FREE.CFG");
    Track(args, 0, {"status 0: 12\n", "status 3: 12\n"});
}

TEST_F(TrackVerb, ScriptedStopInSemiAutomaticModeKeepsTheCompletedFrames) {
    WriteBytes(dir.File("clicks.txt"), "stop\n");
    // The left wrist hides in frame 5: the run asks there and is stopped.
    Track(Args({"--targets", targets, "--mode", "semi", "--clicks", dir.File("clicks.txt")}), 0,
          {"frames: 4\n", "stopped; 4 frames kept"});
    EXPECT_EQ(FrameCount("DEMO.TRK"), 4);
}

TEST_F(TrackVerb, ManualModeFollowsTheClicksAndRunningOutIsAnError) {
    WriteBytes(dir.File("one.txt"), "5 6\n");
    WriteBytes(dir.File("clicks.txt"), "100 200\nskip\n101 201\n");
    Track(Args({"--targets", dir.File("one.txt"), "--mode", "manual", "--clicks",
                dir.File("clicks.txt")}),
          1,
          {"frames: 3\ntargets: 1\nstatus 0: 2\n", "status 4: 1\n",
           "no click left for frame 4, ID 1; 3 frames kept"});
}

TEST_F(TrackVerb, BadInputIsRefusedWithAClearMessageAndNoResult) {
    WriteBytes(dir.File("far.txt"), "10 10\n700 10\n");
    WriteBytes(dir.File("bad.txt"), "10 10\n1 2 3\n");
    WriteBytes(dir.File("OLD.CFG"), "VersionInformation KOVA_VER0.99\r\n");
    std::vector<std::string> old = Args({"--pickup"}), other = Args({"--pickup"});
    old[1] = dir.File("OLD.CFG");
    other[5] = dir.File("OTHER0012.BMP");
    std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {Args({"--targets", dir.File("far.txt")}), "target 2 lies outside the 640x480 frame"},
        {Args({"--targets", dir.File("bad.txt")}), "bad.txt: line 2: expected x y"},
        {Args({"--targets", targets, "--mode", "manual"}), "manual mode needs --clicks FILE"},
        {Args({"--targets", targets, "--pickup"}), "give --targets or --pickup"},
        {Args({"--targets", targets, "--window", "0", "5"}), "--window W H needs two sizes"},
        {Args({"--targets", targets, "--mode", "fast"}), "--mode must be manual, semi or auto"},
        {Args({"--targets", dir.File("none.txt")}), "cannot read " + dir.File("none.txt")},
        {old, "'CFG' 文件版本错误。"},
        {other, "文件选择错误."},
        {{"track", "--avi", dir.File("DEMO0001.BMP"), "--out", dir.File("DEMO.TRK"), "--pickup"},
         "cannot open AVI file"}};
    // Calibrations that give no time base or scale a measurement can hold.
    for (const std::string bad : {"Calibration2DFrames 0", "Calibration2DInterval 70000",
                                  "Calibration2DLength nan", "Calibration2DTimeUnit 65540"}) {
        cases.push_back({Args({"--pickup"}), bad.substr(0, bad.find(' ')) + " must be"});
        cases.back().first[1] = dir.File(bad);
        WriteBytes(dir.File(bad), "VersionInformation KOVA_VER1.00\n" + bad + "\n");
    }
    for (const auto& [args, message] : cases) {
        const Result r = Batch(args);
        EXPECT_NE(r.status, 0) << message;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_FALSE(kova::test::Exists(dir.File("DEMO.TRK"))) << message;
    }
}

TEST(InterruptProgress, CtrlCAsksToStopOnlyWhileTheRunLasts) {
    auto progress = std::make_unique<kova::InterruptProgress>();
    EXPECT_FALSE(progress->Poll());
    std::raise(SIGINT);
    EXPECT_TRUE(progress->Poll());
    progress.reset();
    EXPECT_EQ(std::signal(SIGINT, SIG_DFL), SIG_DFL); // the old handler is back
}

TEST(DemoVerb, DemoAndBenchRefuseBadSizesAndFrameCounts) {
    kova::test::TempDir dir;
    for (const char* size : {"100x100", "99999x480"})
        EXPECT_TRUE(Batch({"demo", dir.Path(), "--size", size}).Says("demo: ")) << size;
    EXPECT_EQ(Batch({"demo", dir.Path(), "--frames", "0"}).status, 2);
    EXPECT_EQ(Batch({"bench", "--frames", "2"}).status, 2);
    EXPECT_TRUE(dir.Entries().empty());
}
