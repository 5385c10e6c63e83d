// kova-batch table: the tables of the four analyses, as the text window
// shows and saves them.
#include "../app/analysis/AnalysisFixtures.h"
#include "AngleAnalysis.h"
#include "DisplacementAnalysis.h"
#include "DistanceAnalysis.h"
#include "PositionAnalysis.h"
#include "RecordingPrompter.h"
#include "ResultTextFile.h"
#include "TestFiles.h"
#include "TextCodec.h"
#include "Verb.h"

#include <gtest/gtest.h>
#include <sstream>

using kova::cli::RunBatch;
using kova::test::Exists;
using kova::test::Fixture;
using kova::test::ReadBytes;
using kova::test::TempDir;

namespace {

struct TableVerb : ::testing::Test {
    TempDir dir;
    std::ostringstream out, err;

    // Writes a fixture as a .TRK/.TRI pair; returns the .TRK path.
    std::string Save(Fixture& f, const std::string& name) {
        const std::string path = dir.File(name + ".TRK");
        EXPECT_EQ(f.track.Save(path), 1);
        EXPECT_EQ(f.info.Save(dir.File(name + ".TRI")), 1);
        return path;
    }
    int Run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return RunBatch(args, out, err);
    }
    // What the text window saves for the given table lines.
    std::string WindowBytes(const std::vector<std::string>& lines, const char* filterName) {
        ResultTextFile file(filterName);
        file.SetLines(lines);
        const std::string path = dir.File("window.tr1");
        EXPECT_EQ(file.Save(path), 1);
        return ReadBytes(path);
    }
    // The measurement as the analysis window would read it from disk.
    struct Loaded {
        explicit Loaded(const std::string& path) {
            track.Load(path);
            info.Load(path.substr(0, path.size() - 3) + "TRI");
            info.SetAutoSave(0);
        }
        CTrackFile2D track;
        CTrackInfo2D info;
    };
};

} // namespace

TEST_F(TableVerb, PositionWritesWhatTheTextWindowSaves) {
    auto walk = kova::test::MakeWalk();
    const std::string path = Save(*walk, "WALK");
    ASSERT_EQ(Run({"table", "position", path, "--group", "frame", "--range", "2", "3", "--items",
                   "5,2", "-o", dir.File("out.tr1")}),
              0)
        << err.str();
    EXPECT_TRUE(out.str().empty());
    EXPECT_TRUE(err.str().empty());

    Loaded loaded(path);
    AnalysisMeasurement m(loaded.track, loaded.info);
    PositionSettings s = PositionAnalysis::Initial(m);
    s.lower = 2;
    s.upper = 3;
    s.items = {2, 5};
    s.grouping = 0;
    PositionAnalysis analysis(m, s);
    kova::RecordingPrompter prompter;
    ASSERT_TRUE(analysis.Run(prompter));
    const std::string bytes = ReadBytes(dir.File("out.tr1"));
    EXPECT_EQ(bytes, WindowBytes(analysis.TableLines(), "2D Tr File"));
    // GB18030 with CR LF: the title, and a row with a Chinese name.
    EXPECT_EQ(bytes.substr(0, 13), "\xCE\xBB\xD6\xC3 / \xCB\xD9\xB6\xC8\r\n");
    EXPECT_NE(bytes.find("+   3,    1,     0.100,       \xCD\xB7,       10.000,            2\r\n"),
              std::string::npos);
    EXPECT_EQ(bytes.find("\n\n"), std::string::npos);
}

TEST_F(TableVerb, PositionToStandardOutputInUtf8) {
    auto walk = kova::test::MakeWalk();
    const std::string path = Save(*walk, "WALK");
    ASSERT_EQ(Run({"table", "position", path, "--targets", "1", "--length-unit", "pm",
                   "--time-unit", "ms", "--items", "3,0"}),
              0)
        << err.str();
    const std::string text = out.str();
    EXPECT_EQ(text.rfind(
                  "位置 / 速度\n" + std::string(59, '-') + "\n文件名          , " + path + "\n", 0),
              0u)
        << text;
    EXPECT_NE(text.find("    2,    1,     0.000,       头, ************, 50000000.000\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("RightKnee1"), std::string::npos); // only target 1
    EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST_F(TableVerb, DisplacementModesMatchTheWindow) {
    auto turn = kova::test::MakeTurn();
    const std::string path = Save(*turn, "TURN");
    struct Case {
        std::vector<std::string> options;
        int mode, frame, x, y, target;
    };
    const Case cases[] = {{{"--ref", "frame:2"}, 0, 2, 0, 0, -1},
                          {{"--ref", "position:100,50", "--group", "frame"}, 1, 1, 100, 50, -1},
                          {{"--ref", "target:2", "--items", "2"}, 2, 1, 0, 0, 1}};
    for (const Case& c : cases) {
        std::vector<std::string> args = {"table", "displacement",   path, "--length-unit", "cm",
                                         "-o",    dir.File("d.tr1")};
        args.insert(args.end(), c.options.begin(), c.options.end());
        ASSERT_EQ(Run(args), 0) << err.str();
        Loaded loaded(path);
        AnalysisMeasurement m(loaded.track, loaded.info);
        DisplacementSettings s = DisplacementAnalysis::Initial(m);
        s.lengthUnit = 4;
        s.referenceMode = c.mode;
        s.referenceFrame = c.frame;
        s.referenceX = c.x;
        s.referenceY = c.y;
        s.referenceTarget = c.target;
        s.grouping = c.mode == 1 ? 0 : 1;
        if (c.mode == 2) s.items = {2};
        DisplacementAnalysis analysis(m, s);
        kova::RecordingPrompter prompter;
        ASSERT_TRUE(analysis.Run(prompter));
        EXPECT_EQ(ReadBytes(dir.File("d.tr1")), WindowBytes(analysis.TableLines(), "2D跟踪文件"))
            << c.mode;
    }
    ASSERT_EQ(Run({"table", "displacement", path, "--length-unit", "cm", "--ref", "target:2",
                   "--items", "2"}),
              0);
    EXPECT_NE(out.str().find("    2,    1,     0.030,       肘,       14.142\n"), std::string::npos)
        << out.str();
}

TEST_F(TableVerb, DistancePairsWithColoursMatchTheWindow) {
    auto walk = kova::test::MakeWalk();
    const std::string path = Save(*walk, "WALK");
    ASSERT_EQ(Run({"table", "distance", path, "--pair", "2-1:2:1", "--pair", "1-2", "--smooth", "1",
                   "-o", dir.File("p.tr1")}),
              1)
        << "the same pair twice is refused";
    EXPECT_NE(err.str().find("确认: 不能指定相同的组。"), std::string::npos) << err.str();
    EXPECT_FALSE(Exists(dir.File("p.tr1")));

    auto turn = kova::test::MakeTurn();
    const std::string turnPath = Save(*turn, "TURN");
    ASSERT_EQ(Run({"table", "distance", turnPath, "--pair", "1-2:6:4", "--length-unit", "cm", "-o",
                   dir.File("p.tr1")}),
              0)
        << err.str();
    Loaded loaded(turnPath);
    AnalysisMeasurement m(loaded.track, loaded.info);
    DistanceSettings s = DistanceAnalysis::Initial(m);
    s.lengthUnit = 4;
    s.pairs = {{0, 1, 6, 4}};
    DistanceAnalysis analysis(m, s);
    kova::RecordingPrompter prompter;
    ASSERT_TRUE(analysis.Run(prompter));
    const std::string bytes = ReadBytes(dir.File("p.tr1"));
    EXPECT_EQ(bytes, WindowBytes(analysis.TableLines(), "2D跟踪文件"));
    EXPECT_NE(bytes.find(" \xC6\xBD\xBE\xF9,          ,              10.677\r\n"),
              std::string::npos);
}

TEST_F(TableVerb, AngleModesMatchTheWindow) {
    auto swing = kova::test::MakeSwing();
    const std::string path = Save(*swing, "SWING");
    ASSERT_EQ(Run({"table", "angle", path, "--points", "1,2,3", "--other-side", "--items", "1,0",
                   "-o", dir.File("a.tr1")}),
              0)
        << err.str();
    Loaded loaded(path);
    AnalysisMeasurement m(loaded.track, loaded.info);
    AngleSettings s = AngleAnalysis::Initial(m);
    s.points = {0, 1, 2, -1};
    s.otherSide = true;
    s.items = {0, 1};
    AngleAnalysis analysis(m, s);
    kova::RecordingPrompter prompter;
    ASSERT_TRUE(analysis.Run(prompter));
    EXPECT_EQ(ReadBytes(dir.File("a.tr1")), WindowBytes(analysis.TableLines(), "2D跟踪文件"));

    ASSERT_EQ(Run({"table", "angle", path, "--mode", "1", "--points", "1,2,3,2", "--range", "1",
                   "2", "--items", "0"}),
              0)
        << err.str();
    EXPECT_EQ(out.str().rfind("2线间角度 (1:肩, 2:肘, 3:腕, 2:肘)\n", 0), 0u) << out.str();
    EXPECT_NE(out.str().find("    2,     0.100,        0.000\n"), std::string::npos);
}

TEST_F(TableVerb, ValidationFailuresPrintTheMessageAndWriteNothing) {
    auto walk = kova::test::MakeWalk();
    const std::string path = Save(*walk, "WALK");
    const std::string output = dir.File("never.tr1");
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"position", path, "--smooth", "-1"}, "确认: 平滑异常。\n"},
        {{"position", path, "--range", "0", "3"}, "确认: 帧异常。\n"},
        {{"displacement", path, "--range", "2", "3", "--ref", "frame:1"}, "确认: 基准帧异常。\n"},
        {{"displacement", path, "--ref", "target:5"}, "确认: 没有指定的目标。\n"},
        {{"distance", path}, "确认: 请追加项目。\n"},
        {{"distance", path, "--pair", "1-3"}, "确认: 没有指定的目标。\n"},
        {{"distance", path, "--pair", "1-1"}, "确认: 不能指定相同的目标\n"},
        {{"angle", path, "--points", "1,2"}, "检查: 坐标异常\n"},
        {{"angle", path, "--mode", "2", "--points", "1,2", "--smooth", "-3"}, "确认: 平滑出错\n"},
        {{"position", dir.File("missing.TRK")}, "错误: 文件打开失败。\n"}};
    for (const auto& [options, message] : cases) {
        std::vector<std::string> args = {"table"};
        args.insert(args.end(), options.begin(), options.end());
        args.insert(args.end(), {"-o", output});
        EXPECT_NE(Run(args), 0) << message;
        EXPECT_EQ(err.str(), message);
        EXPECT_TRUE(out.str().empty());
        EXPECT_FALSE(Exists(output)) << message;
    }
}

TEST_F(TableVerb, OptionErrorsExplainThemselves) {
    auto walk = kova::test::MakeWalk();
    const std::string path = Save(*walk, "WALK");
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"speed", path}, "needs position|displacement|distance|angle"},
        {{"position"}, "needs position|displacement|distance|angle"},
        {{"position", path, "--targets", "3"}, "no target 3 (1 to 2)"},
        {{"position", path, "--items", "6"}, "no item 6 (0 to 5)"},
        {{"angle", path, "--items", "4"}, "no item 4 (0 to 3)"},
        {{"position", path, "--group", "both"}, "--group is frame or target"},
        {{"position", path, "--ref", "frame:1"}, "option --ref does not apply to position"},
        {{"distance", path, "--time-unit", "s"}, "option --time-unit does not apply to distance"},
        {{"position", path, "--length-unit", "inch"}, "unknown length unit inch"},
        {{"displacement", path, "--ref", "frame"}, "--ref is frame:R, position:X,Y or target:T"},
        {{"distance", path, "--pair", "1-2:7"}, "--pair is T1-T2"},
        {{"angle", path, "--mode", "4"}, "--mode is 0, 1, 2 or 3"},
        {{"position", path, "--range", "1"}, "option --range needs 2 value(s)"},
        {{"position", path, "--smooth", "x"}, "--smooth needs a whole number"}};
    for (const auto& [options, message] : cases) {
        std::vector<std::string> args = {"table"};
        args.insert(args.end(), options.begin(), options.end());
        EXPECT_EQ(Run(args), 2) << message;
        EXPECT_NE(err.str().find(std::string("kova-batch table: ") + message), std::string::npos)
            << err.str();
        EXPECT_TRUE(out.str().empty());
    }
}

TEST_F(TableVerb, ListsAreTakenInListOrderOnce) {
    auto walk = kova::test::MakeWalk();
    const std::string path = Save(*walk, "WALK");
    ASSERT_EQ(Run({"table", "position", path, "--targets", "2,1,2", "--items", "1,0,1"}), 0);
    const std::string reordered = out.str();
    ASSERT_EQ(Run({"table", "position", path, "--targets", "1,2", "--items", "0,1"}), 0);
    EXPECT_EQ(reordered, out.str());
}
