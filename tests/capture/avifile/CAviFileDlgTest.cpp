// The AVI dialog offscreen: its controls reach the logic, the slider takes
// the clip's range, and a running save disables 运行 and 关闭.
#include "CAviFileDlg.h"

#include "AccessibleNames.h"
#include "AviFileLogic.h"
#include "AviTestSupport.h"
#include "CSledoCtrl.h"
#include "QtTestApp.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>
#include <tuple>

namespace kova {
namespace {

class CAviFileDlgTest : public test::QtTest {
protected:
    CAviFileDlgTest() {
        test::FillStore(store_, 10, test::kAviWidth, test::kAviHeight);
        EXPECT_TRUE(test::WriteStoreAvi(store_, dir_.File("clip.avi"), 6, false));
    }

    template <typename T> T* Child(const char* name) {
        T* child = dialog_.findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    void Click(const char* name) { Child<QAbstractButton>(name)->click(); }

    test::TempDir dir_;
    CFrameStore store_;
    RecordingPrompter prompter_;
    CAviFileDlg dialog_{store_, prompter_};
};

TEST_F(CAviFileDlgTest, EveryControlHasAUniqueAccessibleName) {
    EXPECT_EQ(dialog_.windowTitle(), QStringLiteral("AVI 视频文件操作"));
    EXPECT_EQ(test::UnnamedOrRepeatedControls(dialog_), std::vector<std::string>{});
}

TEST_F(CAviFileDlgTest, EveryFieldRoundTripsThroughTheControls) {
    AviFileFields in;
    in.fileName = "片段.avi";
    in.directory = "/tmp/视频";
    in.withinWindow = true;
    in.startX = 3;
    in.startY = 4;
    in.aviStart = 5;
    in.aviEnd = 6;
    in.systemStart = 7;
    in.systemEnd = 8;
    in.interval = 9;
    in.operation = AviOperation::Save;
    in.layout = AviSaveLayout::Fields;
    in.firstField = AviFirstField::Even;
    in.frameRate = "29.97";
    dialog_.WriteControls(in);
    EXPECT_EQ(Child<QLabel>("directory")->text(), QStringLiteral("/tmp/视频"));
    AviFileFields out;
    dialog_.ReadControls(&out);
    out.directory = in.directory; // shown, never read back
    EXPECT_EQ(std::tie(out.fileName, out.withinWindow, out.startX, out.startY, out.aviStart,
                       out.aviEnd, out.systemStart, out.systemEnd, out.interval, out.operation,
                       out.layout, out.firstField, out.frameRate),
              std::tie(in.fileName, in.withinWindow, in.startX, in.startY, in.aviStart, in.aviEnd,
                       in.systemStart, in.systemEnd, in.interval, in.operation, in.layout,
                       in.firstField, in.frameRate));
}

TEST_F(CAviFileDlgTest, PreviewShowsTheClipAndSetsTheSlidersRange) {
    Child<QLineEdit>("fileName")->setText(QString::fromStdString(dir_.File("clip.avi")));
    Click("previewButton");
    auto* slider = Child<CSledoCtrl>("Slider1");
    EXPECT_EQ(slider->Min(), 1);
    EXPECT_EQ(slider->Max(), 6);
    EXPECT_TRUE(Child<QLabel>("propertyText")->text().contains(QStringLiteral(" 6 Frame")));
    EXPECT_FALSE(Child<QLabel>("preview")->pixmap().isNull());
    slider->setLow(9); // refused: outside the range
    EXPECT_EQ(slider->Low(), 1);
}

TEST_F(CAviFileDlgTest, ARunningSaveDisablesRunAndCloseAndRefusesToClose) {
    dialog_.show();
    Child<QLineEdit>("fileName")->setText(QString::fromStdString(dir_.File("out.avi")));
    Child<QAbstractButton>("save")->setChecked(true);
    Child<QSpinBox>("systemEnd")->setValue(10);
    bool checked = false;
    QTimer::singleShot(0, &dialog_, [&] {
        EXPECT_TRUE(dialog_.IsRunning());
        EXPECT_FALSE(Child<QAbstractButton>("run")->isEnabled());
        EXPECT_TRUE(Child<QAbstractButton>("stop")->isEnabled());
        EXPECT_FALSE(Child<QAbstractButton>("closeButton")->isEnabled());
        EXPECT_FALSE(dialog_.close());
        dialog_.reject();
        EXPECT_TRUE(dialog_.isVisible());
        Click("stop");
        checked = true;
    });
    Click("run");
    EXPECT_TRUE(checked);
    EXPECT_FALSE(dialog_.IsRunning());
    EXPECT_TRUE(Child<QAbstractButton>("run")->isEnabled());
    EXPECT_FALSE(Child<QAbstractButton>("stop")->isEnabled());
    EXPECT_TRUE(Child<QAbstractButton>("closeButton")->isEnabled());
    EXPECT_FALSE(test::Exists(dir_.File("out.avi"))); // stopped: no file
    EXPECT_TRUE(dialog_.close());
}

TEST_F(CAviFileDlgTest, ARefusalFocusesTheFieldToCorrect) {
    dialog_.show();
    dialog_.activateWindow();
    Child<QLineEdit>("fileName")->setText(QString::fromStdString(dir_.File("clip.avi")));
    Child<QSpinBox>("aviEnd")->setValue(7);
    Click("run");
    EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{AviFileLogic::kBadEnd}));
    EXPECT_EQ(dialog_.focusWidget(), Child<QSpinBox>("aviEnd"));
}

} // namespace
} // namespace kova
