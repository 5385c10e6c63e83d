#include "CKOVAApp.h"
#include "CKOVADoc.h"
#include "CKOVAView.h"
#include "CMainFrame.h"
#include "CommandId.h"
#include "MeasureDocument.h"
#include "QtTestApp.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <QAction>
#include <gtest/gtest.h>

namespace {

using kova::RecordingPrompter;
using kova::test::TempDir;

// The undo and redo entries of 结果修正 name the step and follow the history.
TEST(UndoMenuTest, EntriesNameTheStepAndRefuseDuringAnEdit) {
    kova::test::QtTestApp();
    TempDir dir;
    RecordingPrompter prompter;
    {
        MeasureDocument document(prompter);
        document.Track().Create(2, 3);
        ASSERT_EQ(document.SaveResultTo(dir.File("RUN.TRK")), 1);
    }
    CKOVAApp app(&prompter);
    ASSERT_TRUE(app.InitInstance({}, dir.Path()));
    CMainFrame* frame = app.MainFrame();
    CKOVAView* view = frame->ActiveView();
    ASSERT_EQ(view->OpenFile(dir.File("RUN.TRK")), 1);
    MeasureDocument& measure = view->Document().Measure();
    QAction* undo = frame->Action(CommandId::kUndo);
    QAction* redo = frame->Action(CommandId::kRedo);
    const auto entries = [&] {
        return std::make_pair(undo->text().toStdString() + (undo->isEnabled() ? "+" : "-"),
                              redo->text().toStdString() + (redo->isEnabled() ? "+" : "-"));
    };
    EXPECT_EQ(entries(), std::make_pair(std::string("撤销-"), std::string("重做-")));

    // An editor's step, told to the data watchers when it lets go.
    CDataClient editor;
    ASSERT_EQ(measure.DataServer().LockData(&editor), 1);
    measure.History().Record("平滑化");
    const XY_TRACK moved{0, 5.0f, 6.0f};
    measure.Track().SetPoint(1, 2, &moved);
    measure.DataServer().UnLockData(&editor, 1);
    EXPECT_EQ(entries(), std::make_pair(std::string("撤销 平滑化+"), std::string("重做-")));
    // Refused while an editor holds the points.
    ASSERT_EQ(measure.DataServer().LockData(&editor), 1);
    undo->trigger();
    EXPECT_EQ(prompter.Texts(), std::vector<std::string>{CKOVAView::kEditInProgress});
    EXPECT_TRUE(measure.History().CanUndo());
    measure.DataServer().UnLockData(&editor, 0);

    undo->trigger();
    XY_TRACK point{};
    measure.Track().GetPoint(1, 2, &point);
    EXPECT_EQ(point.x, 0.0f);
    EXPECT_FALSE(measure.IsModified());
    EXPECT_EQ(entries(), std::make_pair(std::string("撤销-"), std::string("重做 平滑化+")));
    redo->trigger();
    EXPECT_EQ(entries(), std::make_pair(std::string("撤销 平滑化+"), std::string("重做-")));
    EXPECT_TRUE(measure.IsModified());
    measure.Track().SetModified(0); // no question on closing
    app.ExitInstance();
}

} // namespace
