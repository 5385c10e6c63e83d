// kova-batch table: the tables of the four analyses, as the text window
// shows and saves them.
#include "../app/results/ExpectedTables.h"
#include "TestFiles.h"
#include "TextCodec.h"
#include "Verb.h"

#include <gtest/gtest.h>
#include <sstream>

using kova::cli::RunBatch;
using kova::test::Exists;
using kova::test::ReadBytes;
using kova::test::TempDir;
namespace expected = kova::test::expected;

namespace {

struct TableVerb : ::testing::Test {
    TableVerb() {
        Save(*kova::test::MakeWalk(), "WALK");
        Save(*kova::test::MakeTurn(), "TURN");
        Save(*kova::test::MakeSwing(), "SWING");
    }
    void Save(kova::test::Fixture& f, const std::string& name) {
        EXPECT_EQ(f.track.Save(dir.File(name + ".TRK")), 1);
        EXPECT_EQ(f.info.Save(dir.File(name + ".TRI")), 1);
    }
    int Run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return RunBatch(args, out, err);
    }
    // A table of the fixtures as read from this folder.
    std::string Here(std::string table) const {
        const std::string from = "D:/data/";
        for (std::size_t at = table.find(from); at != std::string::npos; at = table.find(from))
            table.replace(at, from.size(), dir.Path() + "/");
        return table;
    }

    TempDir dir;
    std::ostringstream out, err;
};

} // namespace

TEST_F(TableVerb, WritesTheTablesOfTheWindowsInUtf8) {
    const struct {
        std::vector<std::string> args;
        std::string table;
    } cases[] = {
        {{"position", "WALK"}, expected::WalkPositionByTarget()},
        {{"position", "WALK", "--targets", "2,1,2", "--items", "4,3,2,1,0,1"},
         expected::WalkPositionByTarget()}, // list order, each once
        {{"position", "WALK", "--group", "frame", "--range", "2", "3", "--items", "5,2"},
         expected::WalkPositionByFrame()},
        {{"displacement", "TURN", "--length-unit", "cm"}, expected::TurnFromFrame()},
        {{"displacement", "TURN", "--length-unit", "cm", "--ref", "position:100,50", "--group",
          "frame"},
         expected::TurnFromPosition()},
        {{"displacement", "TURN", "--length-unit", "cm", "--ref", "target:1", "--items", "2"},
         expected::TurnFromTarget()},
        {{"distance", "TURN", "--pair", "1-2:6:4", "--length-unit", "cm"},
         expected::TurnDistance()},
        {{"angle", "SWING", "--points", "1,2,3"}, expected::SwingAngle()},
        {{"angle", "SWING", "--points", "1,2,3", "--other-side", "--items", "1,0"},
         expected::SwingAngleOtherSide()}};
    for (const auto& c : cases) {
        std::vector<std::string> args = {"table", c.args[0], dir.File(c.args[1] + ".TRK")};
        args.insert(args.end(), c.args.begin() + 2, c.args.end());
        EXPECT_EQ(Run(args), 0) << err.str();
        EXPECT_EQ(out.str(), Here(c.table)) << c.args[0];
        EXPECT_TRUE(err.str().empty());
    }
}

TEST_F(TableVerb, WritesTheFileAsTheTextWindowSavesIt) {
    ASSERT_EQ(Run({"table", "position", dir.File("WALK.TRK"), "--group", "frame", "--range", "2",
                   "3", "--items", "5,2", "-o", dir.File("out.tr1")}),
              0)
        << err.str();
    EXPECT_TRUE(out.str().empty());
    std::string text = kova::ToDiskText(Here(expected::WalkPositionByFrame()));
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2))
        text.replace(at, 1, "\r\n");
    const std::string bytes = ReadBytes(dir.File("out.tr1"));
    EXPECT_EQ(bytes, text);
    EXPECT_EQ(bytes.substr(0, 13), "\xCE\xBB\xD6\xC3 / \xCB\xD9\xB6\xC8\r\n"); // GB18030
}

TEST_F(TableVerb, ValidationFailuresPrintTheMessageAndWriteNothing) {
    const std::string path = dir.File("WALK.TRK");
    const std::string output = dir.File("never.tr1");
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"position", path, "--smooth", "-1"}, "确认: 平滑异常。\n"},
        {{"position", path, "--range", "0", "3"}, "确认: 帧异常。\n"},
        {{"displacement", path, "--range", "2", "3", "--ref", "frame:1"}, "确认: 基准帧异常。\n"},
        {{"displacement", path, "--ref", "target:5"}, "确认: 没有指定的目标。\n"},
        {{"distance", path}, "确认: 请追加项目。\n"},
        {{"distance", path, "--pair", "1-3"}, "确认: 没有指定的目标。\n"},
        {{"distance", path, "--pair", "1-1"}, "确认: 不能指定相同的目标\n"},
        {{"distance", path, "--pair", "2-1", "--pair", "1-2"}, "确认: 不能指定相同的组。\n"},
        {{"angle", path, "--points", "1,2"}, "检查: 坐标异常\n"},
        {{"angle", path, "--mode", "2", "--points", "1,2", "--smooth", "-3"}, "确认: 平滑出错\n"},
        {{"position", dir.File("missing.TRK")}, "错误: 文件打开失败。\n"}};
    for (const auto& [options, message] : cases) {
        std::vector<std::string> args = {"table"};
        args.insert(args.end(), options.begin(), options.end());
        args.insert(args.end(), {"-o", output});
        EXPECT_EQ(Run(args), 1) << message;
        EXPECT_EQ(err.str(), message);
        EXPECT_TRUE(out.str().empty());
        EXPECT_FALSE(Exists(output)) << message;
    }
}

TEST_F(TableVerb, OptionErrorsExplainThemselves) {
    const std::string path = dir.File("WALK.TRK");
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
