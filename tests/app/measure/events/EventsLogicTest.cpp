#include "EventsLogic.h"

#include "EventsRig.h"
#include "MeasureHistory.h"

#include <gtest/gtest.h>

using namespace kova::test;

namespace {

struct Shown : EventsControls {
    void ShowEvents(const EventsFields& f) override { fields = f; }
    EventsFields fields;
};

struct Rig : EventsRig {
    explicit Rig(const std::string& info = std::string()) : EventsRig(2, info) {
        logic.Opened(&window);
    }
    void AtPage(int page) { display.SetPage(page); }
    Shown window;
    EventsLogic logic{document, display};
};

// One click on a button at a page (or a selection of a line).
enum class Act { Reference, Add, Delete, Select };
struct Step {
    Act act;
    int value; // the page, or the line
};

struct EditCase {
    const char* name;
    const char* stored; // the .TRI text
    std::vector<Step> steps;
    std::vector<std::string> lines;
    int selected;
    const char* sceneEvent; // the key's values after the steps
};

TEST(EventsLogic, EditTheReferenceAndEventFramesAsShown) {
    const EditCase cases[] = {
        {"insert between",
         "SceneEvent 3: 10:\r\n",
         {{Act::Add, 8}},
         {"Frame 4", "Frame 8", "Frame 11"},
         -1,
         "3: 7: 10:"},
        {"twice is once", "", {{Act::Add, 5}, {Act::Add, 5}}, {"Frame 5"}, -1, "4:"},
        {"selection follows the line",
         "SceneEvent 3: 10:\r\n",
         {{Act::Select, 1}, {Act::Add, 2}},
         {"Frame 2", "Frame 4", "Frame 11"},
         2,
         "1: 3: 10:"},
        {"later line keeps the selection",
         "SceneEvent 3: 10:\r\n",
         {{Act::Select, 0}, {Act::Add, 12}},
         {"Frame 4", "Frame 11", "Frame 12"},
         0,
         "3: 10: 11:"},
        {"delete the last selected",
         "SceneEvent 3: 10:\r\n",
         {{Act::Select, 1}, {Act::Delete, 0}},
         {"Frame 4"},
         0,
         "3:"},
        {"delete the only one erases the key",
         "SceneEvent 3:\r\n",
         {{Act::Select, 0}, {Act::Delete, 0}},
         {},
         -1,
         ""},
        {"delete without selection",
         "SceneEvent 3:\r\n",
         {{Act::Delete, 0}},
         {"Frame 4"},
         -1,
         "3:"},
    };
    for (const EditCase& c : cases) {
        Rig rig(c.stored);
        for (const Step& step : c.steps) {
            if (step.act == Act::Select) rig.logic.Select(step.value);
            rig.AtPage(step.value);
            if (step.act == Act::Add) rig.logic.AddEventFrame();
            if (step.act == Act::Delete) rig.logic.DeleteEventFrame();
        }
        EXPECT_EQ(rig.window.fields.lines, c.lines) << c.name;
        EXPECT_EQ(rig.window.fields.selected, c.selected) << c.name;
        EXPECT_EQ(rig.Stored("SceneEvent"), c.sceneEvent) << c.name;
        EXPECT_EQ(rig.document.Info().Count("SceneEvent"), *c.sceneEvent ? 1 : 0) << c.name;
    }
}

TEST(EventsLogic, ANewMeasurementShowsReferenceFrameOneAndSetsTheShownFrame) {
    Rig rig;
    EXPECT_EQ(rig.window.fields.reference, "1");
    rig.AtPage(6);
    rig.logic.SetReferenceFrame();
    EXPECT_EQ(std::make_tuple(rig.window.fields.reference, rig.Stored("SceneCenter")),
              std::make_tuple(std::string("6"), std::string("5")));
}

// Changes are steps of the history and mark the document modified; undone,
// the document is the saved one again and the window shows it.
TEST(EventsLogic, ChangesAreUndoableStepsOfAModifiedDocument) {
    Rig rig("SceneEvent 3:\r\n");
    rig.AtPage(1);
    rig.logic.SetReferenceFrame(); // the same frame: no change
    rig.logic.AddEventFrame();
    rig.logic.AddEventFrame(); // already there
    EXPECT_EQ(rig.document.History().UndoName(), "撤销 设置事项");
    EXPECT_TRUE(rig.document.IsModified());
    rig.logic.Select(0);
    ASSERT_TRUE(rig.document.History().Undo());
    EXPECT_FALSE(rig.document.History().CanUndo());
    EXPECT_FALSE(rig.document.IsModified());
    EXPECT_EQ(std::make_tuple(rig.window.fields.lines, rig.window.fields.selected),
              std::make_tuple(std::vector<std::string>{"Frame 4"}, -1));
    rig.document.SaveResultTo(rig.dir.File("M.TRK"));
    EXPECT_EQ(ReadBytes(rig.dir.File("M.TRI")), rig.savedInfo);
}

} // namespace
