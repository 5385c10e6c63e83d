// The measurement verbs of kova-batch on a small measurement: the options
// reach the operation, the messages and statuses come back.
#include "CCfgFile.h"
#include "CTrackFile2D.h"
#include "TestFiles.h"
#include "Verb.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

using kova::test::Exists;

namespace {

struct MeasureVerbs : ::testing::Test {
    kova::test::TempDir dir;

    // `targets` x `frames`; target t in frame f at (10t + f, f * f), with
    // status 3 (at (99, 99)) in the frame `doubtful`.
    std::string Write(const std::string& name, int targets, int frames, int doubtful = -1) {
        CTrackFile2D track;
        track.Create(targets, frames);
        for (int t = 0; t < targets; ++t)
            for (int f = 0; f < frames; ++f) {
                const bool bad = f == doubtful;
                XY_TRACK p{static_cast<std::int16_t>(bad ? 3 : 0),
                           bad ? 99.0f : static_cast<float>(10 * t + f),
                           bad ? 99.0f : static_cast<float>(f * f)};
                track.SetPoint(t, f, &p);
            }
        EXPECT_EQ(track.Save(dir.File(name)), 1);
        return dir.File(name);
    }
    // Runs the verb; checks its status and that `said` is in what it printed.
    void Run(std::vector<std::string> args, int status, const std::string& said = "") {
        std::ostringstream out, err;
        EXPECT_EQ(kova::cli::RunBatch(args, out, err), status) << args[0] << err.str();
        EXPECT_NE((out.str() + err.str()).find(said), std::string::npos) << said << err.str();
    }
    static XY_TRACK At(const std::string& path, int t, int f) {
        CTrackFile2D track;
        track.Load(path);
        XY_TRACK p{};
        track.GetPoint(t, f, &p);
        return p;
    }
};

} // namespace

TEST_F(MeasureVerbs, SummaryPrintsTheLinesAndWritesNothing) {
    const std::string path = Write("s.TRK", 2, 5);
    Run({"summary", path}, 0,
        "文件名          , " + path + "\n帧数            ,        5\n目标数          ,        2\n");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"s.TRK"}); // no .TRI appears
    Run({"summary", dir.File("none.TRK")}, 1, "文件打开失败。");
    Run({"summary"}, 2);
}

TEST_F(MeasureVerbs, SmoothWritesOverTheInputOrToOutput) {
    const std::string path = Write("m.trk", 1, 3);
    Run({"smooth", path, "-o", dir.File("out.trk")}, 0, "平滑处理成功。");
    EXPECT_EQ(At(dir.File("out.trk"), 0, 1).y, 1.5f); // (0 + 4) / 4 + 1 / 2
    EXPECT_EQ(At(path, 0, 1).y, 1.0f);                // input untouched
    Run({"smooth", path}, 0);
    EXPECT_EQ(At(path, 0, 1).y, 1.5f);
    EXPECT_TRUE(Exists(dir.File("out.tri")) && Exists(dir.File("m.tri")));
}

TEST_F(MeasureVerbs, InterpolateFillsTheChosenTargets) {
    const std::string path = Write("i.TRK", 3, 3, 1);
    Run({"interpolate", path, "--level", "3", "--targets", "1,3"}, 0);
    EXPECT_EQ(std::make_tuple(At(path, 0, 1).status, At(path, 0, 1).x, At(path, 1, 1).status,
                              At(path, 2, 1).status),
              std::make_tuple(-1, 1.0f, 3, -1));   // midway between 0 and 2
    Run({"interpolate", path, "--level", "1"}, 0); // all targets
    EXPECT_EQ(At(path, 1, 1).status, -1);
    Run({"interpolate", path, "--level", "5"}, 2);
    Run({"interpolate", path, "--level", "1", "--targets", "4"}, 2);
}

TEST_F(MeasureVerbs, CogAppendsTheChosenOutputs) {
    const std::string path = Write("c.TRK", 20, 2);
    Run({"cog", path, "--female", "--outputs", "1,6", "-o", dir.File("g.TRK")}, 0);
    CCfgFile info;
    info.Load(dir.File("g.TRI"));
    std::vector<std::string> names;
    info.GetArray("NameTarget", &names);
    ASSERT_EQ(names.size(), 22u);
    EXPECT_EQ(names[21], "胴体");
    // Trunk in frame 1: sternum (181,1) to mid-trochanter (191,1) at 0.52.
    EXPECT_NEAR(At(dir.File("g.TRK"), 21, 1).x, 186.2, 1e-4);
    Run({"cog", path, "--outputs", "23"}, 2);
    Run({"cog", Write("few.TRK", 3, 2)}, 1, "目标点不满20个.");
}

TEST_F(MeasureVerbs, TransformHoldsTheReferenceTarget) {
    const std::string path = Write("t.TRK", 2, 3);
    Run({"transform", path, "--ref-frame", "1", "--position", "2"}, 0, "坐标变换执行成功。");
    for (int f = 0; f < 3; ++f)
        EXPECT_EQ(std::make_tuple(At(path, 1, f).x, At(path, 1, f).y, At(path, 0, f).x),
                  std::make_tuple(10.f, 0.f, 0.f));
    Run({"transform", path, "--ref-frame", "9", "--axis", "1", "2"}, 1, "基准帧错误。");
    Run({"transform", path, "--ref-frame", "1", "--axis", "1", "7"}, 2);
}

TEST_F(MeasureVerbs, APairWithAnUnwritablePartFailsAndNamesIt) {
    const std::string path = Write("p.TRK", 20, 3), d = dir.File("d.TRK"), o = dir.File("o.TRK");
    for (const char* folder : {"d.TRK", "o.TRI"}) // folders where files must go
        std::filesystem::create_directory(dir.File(folder));
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"smooth", path, "-o", d}, d},
        {{"interpolate", path, "--level", "1", "-o", o}, dir.File("o.TRI")},
        {{"cog", path, "-o", o}, dir.File("o.TRI")},
        {{"transform", path, "--ref-frame", "1", "--position", "1", "-o", d}, d}};
    for (const auto& [args, unsaved] : cases)
        Run(args, 1, "cannot write " + unsaved);
}

TEST_F(MeasureVerbs, MergeJoinsANumberedSeries) {
    Write("RUN0001.TRK", 2, 3);
    Write("RUN0002.TRK", 2, 2);
    for (int n = 1; n <= 2; ++n) {
        CCfgFile info;
        info.SetValue("ImageStartNum", n == 1 ? 1 : 4);
        info.SetValue("ImageEndNum", n == 1 ? 3 : 5);
        info.Save(dir.File("RUN000" + std::to_string(n) + ".TRI"));
    }
    std::vector<std::string> args = {"merge", dir.File("RUN"), "--start", "1", "--end", "2"};
    Run(args, 0, "数据连接成功。");
    CTrackFile2D merged;
    merged.Load(dir.File("RUN.TRK"));
    EXPECT_EQ(merged.GetFrameCount(), 5);
    EXPECT_TRUE(Exists(dir.File("RUN.TRI")));
    // A .TRI that cannot be written is named, and the earlier .TRK stays.
    const std::string first = kova::test::ReadBytes(dir.File("RUN.TRK"));
    std::filesystem::remove(dir.File("RUN.TRI"));
    std::filesystem::create_directory(dir.File("RUN.TRI"));
    Run(args, 1, "It can't save track information\n" + dir.File("RUN.TRI"));
    EXPECT_EQ(kova::test::ReadBytes(dir.File("RUN.TRK")), first);
    std::filesystem::remove(dir.File("RUN.TRI"));
    args.insert(args.end(), {"--mode", "targets"});
    Run(args, 1, "帧数错误。");
    args.back() = "x";
    Run(args, 2);
}

TEST_F(MeasureVerbs, CorrectionsFollowTheSoundRules) {
    // interpolate: doubtful first frames are no curve points and stay.
    const std::string path = Write("a.TRK", 1, 4, 1);
    CTrackFile2D edit;
    edit.Load(path);
    const XY_TRACK doubtful{3, 50.0f, 50.0f};
    edit.SetPoint(0, 0, &doubtful);
    edit.Save(path);
    Run({"interpolate", path, "--level", "1"}, 0);
    EXPECT_EQ(std::make_tuple(At(path, 0, 0).x, At(path, 0, 1).status, At(path, 0, 1).x),
              std::make_tuple(50.f, 3, 99.f));
    // cog: the weights are normalised and the centre carries the worst status.
    const std::string body = Write("b.TRK", 20, 2, 1);
    Run({"cog", body, "--outputs", "1"}, 0);
    EXPECT_EQ(std::make_tuple(At(body, 20, 0).status, At(body, 20, 1).status),
              std::make_tuple(0, 3));
    EXPECT_NEAR(At(body, 20, 1).x, 99.0, 1e-4);
    // merge: another y direction is refused.
    Write("Y0001.TRK", 1, 2);
    CTrackFile2D other;
    other.Load(Write("Y0002.TRK", 1, 2));
    MeasureHeader header = other.GetHeader();
    header.directY = -1;
    other.SetHeader(header);
    other.Save(dir.File("Y0002.TRK"));
    Run({"merge", dir.File("Y"), "--start", "1", "--end", "2"}, 1, "Y轴方向错误。");
    EXPECT_FALSE(Exists(dir.File("Y.TRK")));
}
