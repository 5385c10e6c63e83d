// The measurement verbs of kova-batch on a small measurement.
#include "CCfgFile.h"
#include "CTrackFile2D.h"
#include "TestFiles.h"
#include "Verb.h"

#include <gtest/gtest.h>
#include <sstream>

using kova::cli::RunBatch;
using kova::test::Exists;
using kova::test::ReadBytes;
using kova::test::TempDir;

namespace {

XY_TRACK At(const CTrackFile2D& track, int t, int f) {
    XY_TRACK p{};
    track.GetPoint(t, f, &p);
    return p;
}

struct MeasureVerbs : ::testing::Test {
    TempDir dir;
    std::ostringstream out, err;

    // `targets` x `frames`; target t in frame f at (10t + f, f * f), with
    // status 3 in the frames listed as doubtful.
    std::string Write(const std::string& name, int targets, int frames,
                      std::vector<int> doubtful = {}) {
        CTrackFile2D track;
        track.Create(targets, frames);
        for (int t = 0; t < targets; ++t)
            for (int f = 0; f < frames; ++f) {
                bool bad = std::find(doubtful.begin(), doubtful.end(), f) != doubtful.end();
                XY_TRACK p{static_cast<std::int16_t>(bad ? 3 : 0),
                           bad ? 99.0f : static_cast<float>(10 * t + f),
                           bad ? 99.0f : static_cast<float>(f * f)};
                track.SetPoint(t, f, &p);
            }
        EXPECT_EQ(track.Save(dir.File(name)), 1);
        return dir.File(name);
    }
    int Run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return RunBatch(args, out, err);
    }
    static CTrackFile2D Load(const std::string& path) {
        CTrackFile2D track;
        track.Load(path);
        return track;
    }
};

} // namespace

TEST_F(MeasureVerbs, SummaryPrintsTheLinesAndWritesNothing) {
    const std::string path = Write("s.TRK", 2, 5);
    EXPECT_EQ(Run({"summary", path}), 0);
    EXPECT_NE(out.str().find("文件名          , " + path + "\n"), std::string::npos);
    EXPECT_NE(out.str().find("帧数            ,        5\n"), std::string::npos);
    EXPECT_NE(out.str().find("目标数          ,        2\n"), std::string::npos);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"s.TRK"}); // no .TRI appears

    EXPECT_EQ(Run({"summary", dir.File("none.TRK")}), 1);
    EXPECT_NE(err.str().find("文件打开失败。"), std::string::npos);
    EXPECT_EQ(Run({"summary"}), 2);
}

TEST_F(MeasureVerbs, SmoothWritesOverTheInputOrToOutput) {
    const std::string path = Write("m.trk", 1, 3);
    EXPECT_EQ(Run({"smooth", path, "-o", dir.File("out.trk")}), 0);
    EXPECT_NE(err.str().find("平滑处理成功。"), std::string::npos);
    EXPECT_EQ(At(Load(dir.File("out.trk")), 0, 1).y, 1.5f); // (0 + 4) / 4 + 1 / 2
    EXPECT_TRUE(Exists(dir.File("out.tri")));
    EXPECT_EQ(At(Load(path), 0, 1).y, 1.0f); // input untouched

    EXPECT_EQ(Run({"smooth", path}), 0);
    EXPECT_EQ(At(Load(path), 0, 1).y, 1.5f);
    EXPECT_TRUE(Exists(dir.File("m.tri")));
}

TEST_F(MeasureVerbs, InterpolateFillsTheChosenTargets) {
    const std::string path = Write("i.TRK", 3, 3, {1});
    EXPECT_EQ(Run({"interpolate", path, "--level", "3", "--targets", "1,3"}), 0);
    CTrackFile2D track = Load(path);
    EXPECT_EQ(At(track, 0, 1).status, -1);
    EXPECT_FLOAT_EQ(At(track, 0, 1).x, 1.0f); // midway between 0 and 2
    EXPECT_EQ(At(track, 1, 1).status, 3);
    EXPECT_EQ(At(track, 2, 1).status, -1);

    EXPECT_EQ(Run({"interpolate", path, "--level", "5"}), 2);
    EXPECT_EQ(Run({"interpolate", path, "--level", "1", "--targets", "4"}), 2);
    EXPECT_EQ(Run({"interpolate", path, "--level", "1"}), 0); // all targets
    EXPECT_EQ(At(Load(path), 1, 1).status, -1);
}

TEST_F(MeasureVerbs, CogAppendsTheChosenOutputs) {
    const std::string path = Write("c.TRK", 20, 2);
    EXPECT_EQ(Run({"cog", path, "--female", "--outputs", "1,6", "-o", dir.File("g.TRK")}), 0);
    CTrackFile2D track = Load(dir.File("g.TRK"));
    ASSERT_EQ(track.GetTargetCount(), 22);
    CCfgFile info;
    info.Load(dir.File("g.TRI"));
    std::vector<std::string> names;
    info.GetArray("NameTarget", &names);
    ASSERT_EQ(names.size(), 22u);
    EXPECT_EQ(names[20], "全身");
    EXPECT_EQ(names[21], "胴体");
    // Trunk in frame 1: sternum (181,1) to mid-trochanter (191,1) at 0.52.
    EXPECT_NEAR(At(track, 21, 1).x, 186.2, 1e-4);

    EXPECT_EQ(Run({"cog", Write("few.TRK", 3, 2)}), 1);
    EXPECT_NE(err.str().find("目标点不满20个."), std::string::npos);
    EXPECT_EQ(Run({"cog", path, "--outputs", "23"}), 2);
}

TEST_F(MeasureVerbs, TransformHoldsTheReferenceTarget) {
    const std::string path = Write("t.TRK", 2, 3);
    EXPECT_EQ(Run({"transform", path, "--ref-frame", "1", "--position", "2"}), 0);
    EXPECT_NE(err.str().find("坐标变换执行成功。"), std::string::npos);
    CTrackFile2D track = Load(path);
    for (int f = 0; f < 3; ++f) {
        EXPECT_FLOAT_EQ(At(track, 1, f).x, 10.0f);
        EXPECT_FLOAT_EQ(At(track, 1, f).y, 0.0f);
        EXPECT_FLOAT_EQ(At(track, 0, f).x, 0.0f);
    }
    EXPECT_EQ(Run({"transform", path, "--ref-frame", "9", "--axis", "1", "2"}), 1);
    EXPECT_NE(err.str().find("基准帧错误。"), std::string::npos);
    EXPECT_EQ(Run({"transform", path, "--ref-frame", "1", "--axis", "1", "7"}), 2);
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
    EXPECT_EQ(Run({"merge", dir.File("RUN"), "--start", "1", "--end", "2"}), 0);
    EXPECT_NE(err.str().find("数据连接成功。"), std::string::npos);
    EXPECT_EQ(Load(dir.File("RUN.TRK")).GetFrameCount(), 5);
    EXPECT_TRUE(Exists(dir.File("RUN.TRI")));

    EXPECT_EQ(Run({"merge", dir.File("RUN"), "--start", "1", "--end", "2", "--mode", "targets"}),
              1); // frame counts differ
    EXPECT_NE(err.str().find("帧数错误。"), std::string::npos);
    EXPECT_EQ(Run({"merge", dir.File("RUN"), "--start", "1", "--end", "2", "--mode", "x"}), 2);
}
