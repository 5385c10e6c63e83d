#include "TargetMarks.h"

#include "EventsRig.h"
#include "MeasureHistory.h"
#include "TargetMarksLogic.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace kova::test;

namespace {

struct Shown : TargetMarksControls {
    void ShowChoices(const std::vector<std::string>& c, const std::vector<std::string>& s,
                     const std::vector<std::string>& t) override {
        colours = c, styles = s, targets = t;
    }
    void ShowTarget(int target, int colour, int style, const std::string& name) override {
        selected = target, shownColour = colour, shownStyle = style, shownName = name;
    }
    std::vector<std::string> colours, styles, targets;
    int selected = -1, shownColour = -1, shownStyle = -1;
    std::string shownName;
};

struct Rig : EventsRig {
    explicit Rig(int targets = 3, const std::string& info = std::string())
        : EventsRig(targets, info) {
        logic.Opened(&window);
    }
    std::vector<int> Colours() const {
        std::vector<int> colours;
        for (const TargetMark& mark : logic.Marks())
            colours.push_back(mark.colour);
        return colours;
    }
    Shown window;
    TargetMarksLogic logic{document, display};
};

TEST(TargetMarks, ReadRepairsShortAndOutOfTableListsWithoutWritingThem) {
    struct Case {
        const char* stored;
        int targets;
        std::vector<TargetMark> marks;
    } cases[] = {
        {"", 3, {{0, 0, "1"}, {1, 0, "2"}, {2, 0, "3"}}},
        {"ColorTarget 2 1 5 3\r\nNameTarget A\r\n",
         4,
         {{2, 1, "A"}, {5, 3, "2"}, {0, 0, "3"}, {1, 0, "4"}}},
        {"ColorTarget 9 1 3 7 -1 2\r\n", 3, {{0, 1, "1"}, {3, 0, "2"}, {2, 2, "3"}}},
        {"ColorTarget 6 4 1 1 2 2\r\nNameTarget a b c d\r\n", 2, {{6, 4, "a"}, {1, 1, "b"}}},
    };
    for (const Case& c : cases) {
        CTrackInfo2D info;
        TempDir dir;
        WriteBytes(dir.File("I.TRI"), c.stored);
        info.Load(dir.File("I.TRI"));
        info.SetModified(0);
        EXPECT_EQ(TargetMarks::Read(info, c.targets), c.marks) << c.stored;
        EXPECT_FALSE(info.IsModified()) << c.stored;
        info.SetFilePath(std::string());
    }
}

TEST(TargetMarks, NamesAreCutAtCharactersAndReadBackAsOneValue) {
    const std::pair<const char*, const char*> cases[] = {
        {"  Knee  ", "Knee"},
        {"", "3"},
        {"   ", "3"},
        {"abcdefghijkl", "abcdefgh"},
        {"左膝盖关节", "左膝盖关"},
        {"a左膝盖关节", "a左膝盖"},
        {"r knee#1\t2", "r_knee1_"},
        {"##", "3"},
    };
    for (const auto& [typed, name] : cases)
        EXPECT_EQ(TargetMarks::NameFromText(typed, 3), name) << typed;

    TempDir dir;
    {
        CTrackInfo2D info;
        TargetMarks::Write(info, {{1, 2, TargetMarks::NameFromText("r knee#", 1)}, {3, 4, "左膝"}});
        info.Save(dir.File("N.TRI"));
    }
    CTrackInfo2D back;
    back.Load(dir.File("N.TRI"));
    back.SetFilePath(std::string());
    EXPECT_EQ(TargetMarks::Read(back, 2),
              (std::vector<TargetMark>{{1, 2, "r_knee"}, {3, 4, "左膝"}}));
}

TEST(TargetMarksLogic, OpensOnTargetOneAndEditsTheSelectedTarget) {
    Rig rig;
    EXPECT_EQ(rig.window.targets, (std::vector<std::string>{"目标1", "目标2", "目标3"}));
    EXPECT_EQ(rig.window.colours.front() + rig.window.styles.back(), "红两点断线");
    EXPECT_EQ(std::make_tuple(rig.window.selected, rig.window.shownColour, rig.window.shownName),
              std::make_tuple(0, 0, std::string("1")));
    rig.logic.SelectTarget(2);
    rig.logic.SetColour(4);
    rig.logic.SetStyle(3);
    rig.logic.SetName("abcdefghijkl");
    rig.logic.SelectTarget(1);
    rig.logic.SetName(""); // gives the number
    EXPECT_EQ(rig.logic.Marks(),
              (std::vector<TargetMark>{{0, 0, "1"}, {1, 0, "2"}, {4, 3, "abcdefgh"}}));
}

TEST(TargetMarksLogic, InitialiseAfterAskingAndCancelLeavesTheFileAlone) {
    Rig rig(8);
    rig.logic.SetColour(2);
    rig.logic.SetStyle(2);
    rig.prompter.QueueAnswer(kova::MessageAnswer::Cancel);
    EXPECT_FALSE(rig.logic.InitialiseOneColour());
    EXPECT_TRUE(rig.logic.InitialiseOneColour());
    EXPECT_EQ(rig.Colours(), std::vector<int>(8, 2));
    EXPECT_TRUE(rig.logic.InitialiseAutomatic());
    EXPECT_EQ(rig.Colours(), (std::vector<int>{0, 1, 2, 3, 4, 5, 0, 1}));
    EXPECT_EQ(rig.window.shownColour, 0);
    const kova::Message one{"All target use 蓝/点线 to initialize", "检查",
                            kova::MessageIcon::Question, kova::MessageButtons::OkCancel};
    kova::Message automatic = one;
    automatic.text = "All target color use 点线 to initialize";
    EXPECT_EQ(rig.prompter.Messages(), (std::vector<kova::Message>{one, one, automatic}));
    // 取消: the window goes without writing; the repairs are not written either,
    // so nothing is saved when the document goes.
    rig.logic.Destroyed();
    EXPECT_EQ(std::make_tuple(rig.document.Info().IsModified(), rig.document.IsModified(),
                              rig.document.History().CanUndo()),
              std::make_tuple(0, 0, false));
}

TEST(TargetMarksLogic, AcceptIsOneUndoableStepWhenSomethingChanges) {
    Rig rig(2, "ColorTarget 1 0 2 0\r\nNameTarget A B\r\n");
    rig.logic.Accept(); // nothing to write
    EXPECT_FALSE(rig.document.History().CanUndo());
    rig.logic.SetName("head");
    rig.logic.Accept();
    EXPECT_EQ(std::make_tuple(rig.Stored("NameTarget"), rig.Stored("ColorTarget"),
                              rig.document.History().UndoName(), rig.document.IsModified()),
              std::make_tuple(std::string("head B"), std::string("1 0 2 0"),
                              std::string("撤销 设置目标标记"), 1));
    ASSERT_TRUE(rig.document.History().Undo());
    EXPECT_EQ(std::make_tuple(rig.Stored("NameTarget"), rig.document.IsModified()),
              std::make_tuple(std::string("A B"), 0));
}

TEST(TargetMarksLogic, PaintsTheShownFrameAndAClickSelectsTheNearestTarget) {
    Rig rig(3);
    rig.display.SetPage(2); // sample points (1.25, 100), (11.25, 101), (21.25, 102)
    rig.display.DoDisplayLButtonDown(0, QPoint(15, 101));
    EXPECT_EQ(rig.window.selected, 1);
    QImage image(30, 110, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        rig.display.DoDisplayPaint(&painter);
    }
    const std::pair<QPoint, QRgb> pixels[] = {
        {{1, 100}, qRgb(255, 0, 0)},  {{11, 101}, qRgb(0, 255, 0)},     // target 2 selected:
        {{15, 101}, qRgb(0, 0, 0)},   {{17, 101}, qRgb(255, 255, 255)}, // on a black disc
        {{21, 102}, qRgb(0, 0, 255)}, {{25, 102}, qRgb(255, 255, 255)},
    };
    for (const auto& [at, colour] : pixels)
        EXPECT_EQ(image.pixel(at), colour) << at.x();
    rig.logic.Destroyed();
    EXPECT_EQ(rig.display.FirstPaintClient(), nullptr);
}

} // namespace
