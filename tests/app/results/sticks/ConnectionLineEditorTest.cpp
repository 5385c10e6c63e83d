#include "ConnectionLineEditorLogic.h"
#include "ConnectionLines.h"
#include "StickRig.h"

#include <gtest/gtest.h>
#include <tuple>

using namespace kova::test;

namespace {

struct RecordedLines : ConnectionLineControls {
    void ReadLineFields(ConnectionLineFields* f) override { *f = fields; }
    void WriteLineFields(const ConnectionLineFields& f) override { fields = f; }
    void SetTargetEntries(const std::vector<std::string>& e) override { targets = e; }
    void SetLineEntries(const std::vector<std::string>& e) override { lines = e; }
    ConnectionLineFields fields;
    std::vector<std::string> targets, lines;
};

// Four targets; frame 1: (4,4), (16,4), (16,16), (4,16).
struct EditorRig : StickRig {
    explicit EditorRig(const std::vector<int>& stored = {})
        : StickRig({{P(4, 4), P(1, 1)},
                    {P(16, 4), P(2, 2)},
                    {P(16, 16), P(3, 3)},
                    {P(4, 16), P(4, 4)}}) {
        if (!stored.empty()) document.Info().SetArray("TargetPairStick", stored);
        logic.SetControls(&window);
        logic.Open();
    }
    void Add(int first, int second, int colour) {
        std::tie(window.fields.first, window.fields.second, window.fields.colour) =
            std::tie(first, second, colour);
        logic.AddLine();
    }
    RecordedLines window;
    ConnectionLineEditorLogic logic{document, display};
};

std::vector<int> Triples(const std::vector<ConnectionLine>& lines) {
    std::vector<int> out;
    for (const ConnectionLine& l : lines)
        out.insert(out.end(), {l.first, l.second, l.colour});
    return out;
}

} // namespace

TEST(ConnectionLines, AStoredListIsUsedWholeOrReplacedByTheDefaultChain) {
    const std::vector<int> chain = {0, 1, 0, 1, 2, 1};
    const struct {
        std::vector<int> stored;
        int targets;
        std::vector<int> read;
    } cases[] = {
        {{0, 1, 2, 2, 1, 6}, 3, {0, 1, 2, 2, 1, 6}},
        {{0, 1, 2, 1, 3, 0}, 3, chain}, // target 4 of 3
        {{0, 1, 2, -1, 1, 0}, 3, chain},
        {{0, 1, 7}, 3, chain},
        {{}, 3, chain},
        {{}, 1, {}},
    };
    for (const auto& c : cases) {
        CTrackInfo2D info;
        if (!c.stored.empty()) info.SetArray("TargetPairStick", c.stored);
        EXPECT_EQ(Triples(ConnectionLines::Read(info, c.targets)), c.read) << c.stored.size();
    }
}

TEST(ConnectionLineEditor, OpeningAddsTheStoredLinesAsAddDoes) {
    EditorRig rig({0, 1, 3, 1, 0, 2, 2, 2, 4, 1, 2, 6});
    EXPECT_EQ(rig.prompter.Messages(),
              (std::vector<kova::Message>{{"不能指定相同组合。", "确认"},
                                          {"不能指定相同目标", "Confirm"}}));
    EXPECT_EQ(rig.window.targets, (std::vector<std::string>{"目标1", "目标2", "目标3", "目标4"}));
    EXPECT_EQ(rig.window.lines, (std::vector<std::string>{"紫:目标1 - 目标2", "灰:目标2 - 目标3"}));
    EXPECT_EQ(std::make_tuple(rig.window.fields.selectedLine, rig.window.fields.colour),
              std::make_tuple(1, 0));
}

TEST(ConnectionLineEditor, AddRefusesWithItsMessagesAndAdvancesTheColour) {
    EditorRig rig; // the default chain 1-2 red, 2-3 green, 3-4 blue
    const struct {
        int first, second, colour;
        kova::Message refusal; // empty: added
        int colourAfter;
    } cases[] = {
        {-1, 1, 0, {"请选择定2个目标.", "确认"}, 0},
        {2, 2, 0, {"不能指定相同目标", "Confirm"}, 0},
        {3, 2, 0, {"不能指定相同组合。", "确认"}, 0},
        {0, 2, 5, {}, 0},
        {0, 3, 9, {}, 1}, // outside the table: red
        {1, 3, 6, {}, 0},
    };
    for (const auto& c : cases) {
        rig.prompter.Clear();
        rig.Add(c.first, c.second, c.colour);
        const ConnectionLineFields& f = rig.window.fields;
        const bool added = c.refusal.text.empty();
        if (added) { // the selectors are cleared, the new line selected
            EXPECT_EQ(std::make_tuple(f.first, f.second, f.selectedLine),
                      std::make_tuple(-1, -1, static_cast<int>(rig.window.lines.size()) - 1));
        }
        EXPECT_EQ(rig.prompter.Messages(),
                  added ? std::vector<kova::Message>() : std::vector<kova::Message>(1, c.refusal));
        EXPECT_EQ(f.colour, c.colourAfter) << c.first << c.second;
    }
    EXPECT_EQ(rig.window.lines, (std::vector<std::string>{"红:目标1 - 目标2", "绿:目标2 - 目标3",
                                                          "蓝:目标3 - 目标4", "水:目标1 - 目标3",
                                                          "红:目标1 - 目标4", "灰:目标2 - 目标4"}));
}

TEST(ConnectionLineEditor, OnlyConfirmStoresAndAnEmptyListRemovesTheKey) {
    EditorRig rig({0, 1, 3, 2, 3, 4});
    rig.window.fields.selectedLine = 1;
    rig.logic.DeleteLine();
    EXPECT_EQ(std::make_tuple(rig.window.lines.size(), rig.window.fields.selectedLine),
              std::make_tuple(1u, 0));
    EXPECT_EQ(rig.Stored(), (std::vector<int>{0, 1, 3, 2, 3, 4})) << "not yet confirmed";
    ASSERT_TRUE(rig.logic.Confirm());
    EXPECT_EQ(rig.Stored(), (std::vector<int>{0, 1, 3}));
    for (auto answer : {kova::MessageAnswer::Cancel, kova::MessageAnswer::Ok}) {
        rig.prompter.Clear();
        rig.prompter.QueueAnswer(answer);
        rig.logic.DeleteAllLines();
        EXPECT_EQ(
            rig.prompter.Messages(),
            (std::vector<kova::Message>{{"删除全部连接线.", "确认", kova::MessageIcon::Question,
                                         kova::MessageButtons::OkCancel}}));
    }
    EXPECT_TRUE(rig.window.lines.empty());
    ASSERT_TRUE(rig.logic.Confirm());
    EXPECT_EQ(rig.document.Info().Count("TargetPairStick"), 0);
    rig.logic.Open(); // the default chain again
    EXPECT_EQ(rig.window.lines.size(), 3u);
}

TEST(ConnectionLineEditor, ClicksFillTheSelectorsAndTheImageShowsLinesMarksAndTheSelection) {
    EditorRig rig({0, 1, 0, 1, 2, 1});
    // Page, click, then first, second and pick count.
    const std::tuple<int, QPoint, int, int, int> clicks[] = {
        {9, {16, 16}, -1, -1, 0}, // no such frame
        {1, {15, 15}, 2, -1, 1},
        {1, {3, 5}, 2, 0, 2},
        {1, {17, 3}, 1, -1, 1}, // a third click starts again
    };
    for (const auto& [page, point, first, second, picks] : clicks) {
        rig.display.SetPage(page);
        rig.display.DoDisplayLButtonDown(1, point);
        EXPECT_EQ(std::make_tuple(rig.window.fields.first, rig.window.fields.second,
                                  rig.logic.PickCount()),
                  std::make_tuple(first, second, picks));
    }
    rig.display.SetPage(1);
    const QImage painted = rig.Painted();
    // Line 1 red, line 2 green; target 1 marked white, the ends of the
    // selected line 2 filled red, target 4 marked with its red outline.
    ExpectPixels([&painted](int x, int y) { return painted.pixel(x, y); }, {{10, 4, kRed},
                                                                            {16, 10, kGreen},
                                                                            {4, 4, kWhite},
                                                                            {16, 4, kRed},
                                                                            {16, 16, kRed},
                                                                            {4, 16, kWhite},
                                                                            {2, 16, kRed},
                                                                            {10, 16, kBlue}});
    rig.logic.Close();
    EXPECT_EQ(rig.Painted().pixel(10, 4), kBlue) << "closed: nothing painted";
}
