#include "CorrectLogic.h"
#include "ManualRig.h"

#include <gtest/gtest.h>

namespace {

using kova::test::At;
using kova::test::Texts;

struct FakeControls : CorrectControls {
    void SetTargets(int c, int s) override { count = c, selected = s; }
    void SetEditing(bool e) override { editing = e; }
    void EnableEdit(bool e) override { editEnabled = e; }
    int count = -1;
    int selected = -1;
    bool editing = false;
    bool editEnabled = false;
};

// Two targets over three frames, frame 2 shown.
struct CorrectRig : kova::test::ManualRig {
    CorrectRig() : ManualRig(3) {
        kova::test::FillSample(&document.Track(), 2, 3);
        document.Track().SetModified(0);
        display.SetPage(2);
        logic.SetControls(&controls);
        logic.InitWindow();
        logic.SelectTarget(1);
    }
    CorrectLogic logic{display, document, prompter};
    FakeControls controls;
};

TEST(CorrectTest, ConfirmStoresTheClickAsOneUndoStep) {
    CorrectRig rig;
    EXPECT_EQ(rig.controls.count, 2);
    rig.logic.EditOrConfirm();
    EXPECT_TRUE(rig.controls.editing);
    EXPECT_EQ(rig.display.ImageLockHolder(), &rig.logic);
    EXPECT_FALSE(rig.display.SetPage(3)); // the frame stays while editing
    rig.Click(5, 6);
    rig.logic.EditOrConfirm();
    EXPECT_FALSE(rig.controls.editing);
    EXPECT_EQ(rig.display.ImageLockHolder(), nullptr);
    EXPECT_EQ(At(rig.document.Track(), 1, 1), (XY_TRACK{0, 5.0f, 6.0f}));
    EXPECT_TRUE(rig.document.IsModified());
    EXPECT_EQ(rig.controls.selected, 1); // the refill keeps the target
    ASSERT_TRUE(rig.document.History().Undo());
    EXPECT_EQ(At(rig.document.Track(), 1, 1), kova::test::SamplePoint(1, 1));
}

TEST(CorrectTest, CancelAndUnmovedConfirmLeaveTheTable) {
    for (const bool cancel : {true, false}) {
        CorrectRig rig;
        rig.logic.EditOrConfirm();
        if (cancel) rig.Click(5, 6);
        cancel ? rig.logic.Cancel() : rig.logic.EditOrConfirm();
        EXPECT_EQ(At(rig.document.Track(), 1, 1), kova::test::SamplePoint(1, 1));
        EXPECT_FALSE(rig.document.IsModified());
        EXPECT_FALSE(rig.document.History().CanUndo());
        EXPECT_EQ(rig.display.ImageLockHolder(), nullptr);
    }
}

// 修正 needs a point to edit: a frame beyond the measurement gives a
// message and no edit.
TEST(CorrectTest, FrameOutsideTheMeasurementIsRefused) {
    CorrectRig rig;
    EXPECT_TRUE(rig.controls.editEnabled);
    rig.display.SetPage(4);
    EXPECT_FALSE(rig.controls.editEnabled);
    rig.logic.EditOrConfirm();
    EXPECT_EQ(rig.prompter.Texts(), Texts{CorrectLogic::kNoPoint});
    EXPECT_FALSE(rig.logic.Editing());
    EXPECT_EQ(rig.display.ImageLockHolder(), nullptr);
}

// A reload during an edit ends the edit and unlocks the image before the
// targets are listed anew.
TEST(CorrectTest, ReloadDuringAnEditCancelsIt) {
    CorrectRig rig;
    CTrackFile2D other;
    kova::test::FillSample(&other, 1, 2);
    ASSERT_TRUE(other.Save(rig.dir.File("ONE.TRK")));
    rig.logic.EditOrConfirm();
    rig.Click(5, 6);
    ASSERT_TRUE(rig.document.LoadDocument(rig.dir.File("ONE.TRK")));
    EXPECT_FALSE(rig.logic.Editing());
    EXPECT_FALSE(rig.controls.editing);
    EXPECT_EQ(rig.display.ImageLockHolder(), nullptr);
    EXPECT_EQ(rig.controls.count, 1);
    EXPECT_EQ(rig.controls.selected, 0);
    EXPECT_EQ(At(rig.document.Track(), 0, 1), kova::test::SamplePoint(0, 1));
}

TEST(CorrectTest, ClickSelectsTheNearestTargetAndCloseReleasesAll) {
    CorrectRig rig;
    const XY_TRACK first = kova::test::SamplePoint(0, 1);
    rig.Click(static_cast<int>(first.x), static_cast<int>(first.y));
    EXPECT_EQ(rig.logic.SelectedTarget(), 0);
    EXPECT_EQ(rig.controls.selected, 0);
    rig.logic.EditOrConfirm();
    rig.logic.Destroyed();
    EXPECT_EQ(rig.display.ImageLockHolder(), nullptr);
    EXPECT_EQ(rig.display.FirstPaintClient(), nullptr);
    EXPECT_EQ(rig.display.EasyMouseClient(), nullptr);
    EXPECT_EQ(rig.logic.IsWatchLinked(), nullptr);
    rig.controls.count = -1;
    rig.document.LoadDocument(rig.dir.File("none.TRK")); // no longer watched
    EXPECT_EQ(rig.controls.count, -1);
}

} // namespace
