// kova-batch table: the tables of the four analyses, as the text window
// shows and saves them.
#include "../app/results/ExpectedTables.h"
#include "TestFiles.h"
#include "TextCodec.h"
#include "Verb.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

using kova::test::TempDir;
namespace expected = kova::test::expected;

namespace {

struct TableVerb : ::testing::Test {
    TableVerb() {
        for (auto [make, name] : {std::pair{&kova::test::MakeWalk, "WALK"},
                                  {&kova::test::MakeTurn, "TURN"},
                                  {&kova::test::MakeSwing, "SWING"}}) {
            const auto f = make();
            EXPECT_EQ(f->track.Save(dir.File(name + std::string(".TRK"))) +
                          f->info.Save(dir.File(name + std::string(".TRI"))),
                      2);
        }
    }
    int Run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        args.insert(args.begin(), "table");
        return kova::cli::RunBatch(args, out, err);
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
    const std::pair<std::vector<std::string>, std::string> cases[] = {
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
    for (auto [args, table] : cases) {
        args[1] = dir.File(args[1] + ".TRK");
        EXPECT_EQ(Run(args), 0) << err.str();
        EXPECT_EQ(out.str() + err.str(), Here(table)) << args[0];
    }
}

TEST_F(TableVerb, WritesTheFileAsTheTextWindowSavesIt) {
    ASSERT_EQ(Run({"position", dir.File("WALK.TRK"), "--group", "frame", "--range", "2", "3",
                   "--items", "5,2", "-o", dir.File("out.tr1")}),
              0)
        << err.str();
    EXPECT_TRUE(out.str().empty());
    std::string text = kova::ToDiskText(Here(expected::WalkPositionByFrame()));
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2))
        text.replace(at, 1, "\r\n");
    EXPECT_EQ(kova::test::ReadBytes(dir.File("out.tr1")), text);
}

// Refused checks print the message (status 1), refused options explain
// themselves (status 2); neither writes anything.
TEST_F(TableVerb, RefusalsPrintTheMessageAndWriteNothing) {
    const std::string path = dir.File("WALK.TRK"), output = dir.File("never.tr1");
    const std::tuple<std::vector<std::string>, int, const char*> cases[] = {
        {{"position", path, "--smooth", "-1"}, 1, "确认: 平滑异常。\n"},
        {{"position", path, "--range", "0", "3"}, 1, "确认: 帧异常。\n"},
        {{"displacement", path, "--range", "2", "3", "--ref", "frame:1"},
         1,
         "确认: 基准帧异常。\n"},
        {{"displacement", path, "--ref", "target:5"}, 1, "确认: 请选择项目。\n"},
        {{"distance", path}, 1, "确认: 请追加项目。\n"},
        {{"distance", path, "--pair", "1-3"}, 1, "确认: 没有指定的目标。\n"},
        {{"distance", path, "--pair", "1-1"}, 1, "确认: 不能指定相同的目标\n"},
        {{"distance", path, "--pair", "2-1", "--pair", "1-2"}, 1, "确认: 不能指定相同的组。\n"},
        {{"angle", path, "--points", "1,2"}, 1, "检查: 坐标异常\n"},
        {{"angle", path, "--mode", "2", "--points", "1,2", "--smooth", "-3"},
         1,
         "确认: 平滑出错\n"},
        {{"position", dir.File("missing.TRK")}, 1, "错误: 文件打开失败。\n"},
        {{"speed", path}, 2, "needs position|displacement|distance|angle"},
        {{"position"}, 2, "needs position|displacement|distance|angle"},
        {{"position", path, "--targets", "3"}, 2, "no target 3 (1 to 2)"},
        {{"position", path, "--items", "6"}, 2, "no item 6 (0 to 5)"},
        {{"angle", path, "--items", "4"}, 2, "no item 4 (0 to 3)"},
        {{"position", path, "--group", "both"}, 2, "--group is frame or target"},
        {{"distance", path, "--time-unit", "s"},
         2,
         "option --time-unit does not apply to distance"},
        {{"position", path, "--length-unit", "inch"}, 2, "unknown length unit inch"},
        {{"displacement", path, "--ref", "frame"}, 2, "--ref is frame:R, position:X,Y or target:T"},
        {{"distance", path, "--pair", "1-2:7"}, 2, "--pair is T1-T2"},
        {{"angle", path, "--mode", "4"}, 2, "--mode is 0, 1, 2 or 3"},
        {{"position", path, "--range", "1"}, 2, "option --range needs 2 value(s)"},
        {{"position", path, "--smooth", "x"}, 2, "--smooth needs a whole number"}};
    for (auto [args, status, message] : cases) {
        if (status == 1) args.insert(args.end(), {"-o", output});
        EXPECT_EQ(Run(args), status) << message;
        if (status == 1)
            EXPECT_EQ(err.str(), message);
        else
            EXPECT_NE(err.str().find(std::string("kova-batch table: ") + message),
                      std::string::npos)
                << message << err.str();
        EXPECT_TRUE(out.str().empty() && !kova::test::Exists(output)) << message;
    }
}

// --csv writes the analysis's CSV table instead of the text, to standard
// output or through -o; a failed save leaves no file.
TEST_F(TableVerb, CsvOptionWritesTheSpreadsheetTable) {
    const std::string golden = kova::test::ReadBytes(KOVA_WALK_POSITION_CSV);
    const std::string walk = dir.File("WALK.TRK"), csv = dir.File("out.csv");
    EXPECT_EQ(Run({"position", walk, "--csv"}), 0) << err.str();
    EXPECT_EQ(out.str(), golden);
    EXPECT_EQ(Run({"position", walk, "--csv", "-o", csv}), 0) << err.str();
    EXPECT_EQ(out.str() + kova::test::ReadBytes(csv), golden);
    std::filesystem::create_directory(dir.File("folder.csv"));
    EXPECT_EQ(Run({"position", walk, "--csv", "-o", dir.File("folder.csv")}), 1);
    EXPECT_EQ(err.str(), "Error: File save error.\n错误: 文件保存失败。\n");
    EXPECT_EQ(dir.Entries(),
              (std::vector<std::string>{"SWING.TRI", "SWING.TRK", "TURN.TRI", "TURN.TRK",
                                        "WALK.TRI", "WALK.TRK", "folder.csv", "out.csv"}));
}
