#include "AppContext.h"
#include "CCfgFile.h"
#include "CVideoCtrlDlg.h"
#include "MotionImage.h"
#include "QtTestApp.h"
#include "ReplayControls.h"
#include "ReplayRig.h"
#include "ResultVideoHost.h"
#include "TestFiles.h"
#include "ViewCommands.h"
#include "ViewParts.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QSlider>
#include <gtest/gtest.h>
#include <set>

namespace {

using kova::test::FillWalk;

// The view's parts around the walk, and the window opened by its host.
struct WindowRig : kova::test::QtTest {
    WindowRig() {
        store.InitImageSys();
        store.Put_framesize(24, 12);
        FillWalk(document);
        display.SetTrackFile(&document.Track());
        dialog = host.Open();
    }
    ReplayLogic& Logic() { return host.Logic(); }

    kova::test::TempDir dir;
    kova::RecordingPrompter prompter;
    kova::CFrameStore store;
    kova::CVideoCapDS capture{store};
    CImageDisplay display{store, capture, prompter};
    CCfgFile config;
    DrawingTools tools;
    QSettings settings{QString::fromStdString(dir.File("KOVA.ini")), QSettings::IniFormat};
    AppContext app{store, config, prompter, tools, settings};
    MeasureDocument document{prompter};
    MotionImage motion{display, store, prompter};
    ViewCommands commands{document, config, motion, display, prompter};
    QWidget view;
    ViewParts parts{app, document, display, motion, commands, view};
    ResultVideoHost host{parts};
    QWidget* dialog = nullptr;
};

std::string NameOf(QWidget* w) {
    if (qobject_cast<QComboBox*>(w)) return w->accessibleName().toStdString();
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(QAccessible::Name).toStdString() : std::string();
}

TEST_F(WindowRig, ControlsCarryEveryFieldBothWays) {
    ReplayFields fields;
    ReplaySettings& s = fields.settings;
    s.axes = s.lines = true;
    s.image = s.numbers = false;
    s.background = ReplayBackground::White;
    s.workArea = ReplayWorkArea::Memory;
    s.vectorMultiple = 2.5;
    s.kind = TrajectoryKind::Vectors;
    s.span = TrajectorySpan::VectorOnly;
    s.lineSpan = LineSpan::Current;
    fields.start = 2;
    fields.end = 4;
    fields.interval = 2;
    fields.frames = {1, 3};
    fields.targets = {1};
    auto* controls = dynamic_cast<ReplayControls*>(dialog);
    controls->WriteControls(fields);
    ReplayFields read;
    controls->ReadControls(&read);
    EXPECT_EQ(std::make_tuple(read.settings.axes, read.settings.image, read.settings.lines,
                              read.settings.trajectories, read.settings.numbers,
                              read.settings.marks, read.settings.background, read.settings.workArea,
                              read.settings.vectorMultiple, read.settings.kind, read.settings.span,
                              read.settings.lineSpan),
              std::make_tuple(s.axes, s.image, s.lines, s.trajectories, s.numbers, s.marks,
                              s.background, s.workArea, s.vectorMultiple, s.kind, s.span,
                              s.lineSpan));
    EXPECT_EQ(std::make_tuple(read.start, read.end, read.interval, read.frames, read.targets),
              std::make_tuple(2, 4, 2, fields.frames, fields.targets));
    controls->Enable(ReplayEnabling{false, true, false, false});
    EXPECT_FALSE(dialog->findChild<QWidget*>(QStringLiteral("setLines"))->isEnabled());
    EXPECT_TRUE(dialog->findChild<QWidget*>(QStringLiteral("multiple"))->isEnabled());
    EXPECT_FALSE(dialog->findChild<QWidget*>(QStringLiteral("workArea"))->isEnabled());
    EXPECT_FALSE(dialog->findChild<QWidget*>(QStringLiteral("apply"))->isEnabled());
}

TEST_F(WindowRig, TheWindowAndItsPanelNameEveryControlOnce) {
    auto* panel = dialog->findChild<CVideoCtrlDlg*>();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible()) << "the panel opens with the window";
    EXPECT_EQ(panel->Count(), 5);
    for (QWidget* window : {dialog, static_cast<QWidget*>(panel)}) {
        std::set<std::string> names;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (window == dialog && w->window() != dialog) continue;
            if (!qobject_cast<QAbstractButton*>(w) && !qobject_cast<QLineEdit*>(w) &&
                !qobject_cast<QComboBox*>(w) && !qobject_cast<QListWidget*>(w) &&
                !qobject_cast<QSlider*>(w))
                continue;
            const std::string name = NameOf(w);
            EXPECT_FALSE(name.empty()) << w->objectName().toStdString();
            EXPECT_TRUE(names.insert(name).second) << name << " twice";
        }
    }
    // The view's commands stop the replay through the host.
    panel->OnPlay();
    EXPECT_TRUE(panel->IsPlaying());
    EXPECT_TRUE(commands.MeasureWindowCheck());
    EXPECT_FALSE(panel->IsPlaying());
}

} // namespace
