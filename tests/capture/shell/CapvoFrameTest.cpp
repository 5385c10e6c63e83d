#include "AccessibleNames.h"
#include "CCapvoFrame.h"
#include "CCapvoView.h"
#include "CFrameStore.h"
#include "CPixelValueWnd.h"
#include "CStatusWnd.h"
#include "CZoomDlg.h"
#include "QtTestApp.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTimer>
#include <QtTest/QTest>
#include <opencv2/core.hpp>

namespace {

struct FrameRig {
    FrameRig() : settings(QString::fromStdString(dir.File("capvo.ini")), QSettings::IniFormat) {
        store.InitImageSys();
        frame = std::make_unique<CCapvoFrame>(store, prompter, settings);
        frame->show();
    }
    kova::test::TempDir dir;
    kova::CFrameStore store;
    kova::RecordingPrompter prompter;
    QSettings settings;
    std::unique_ptr<CCapvoFrame> frame;
};

class CapvoFrameTest : public kova::test::QtTest {
protected:
    FrameRig rig;
};

TEST_F(CapvoFrameTest, WelcomeOnlyWhileTheStoreIsEmpty) {
    CCapvoView& view = rig.frame->View();
    EXPECT_TRUE(view.ShowsWelcome());
    EXPECT_EQ(view.viewport()->grab().toImage().pixel(1, 1), qRgb(255, 255, 255));
    rig.store.Put_image_color(1, cv::Mat(40, 50, CV_8UC3, cv::Scalar(30, 20, 10)), 0, 0);
    rig.store.Put_dispmode(kova::CFrameStore::kColorDispMode);
    EXPECT_FALSE(view.ShowsWelcome());
    EXPECT_EQ(view.viewport()->grab().toImage().pixel(1, 1), qRgb(10, 20, 30));
    EXPECT_EQ(rig.frame->StatusBarText().toStdString(), " Rate: 100% [Width:   50 Height:   40]");
}

TEST_F(CapvoFrameTest, ZoomDialogSetsTheScaleWithinItsLimits) {
    rig.frame->Action(32794)->trigger();
    CZoomDlg* zoom = rig.frame->ZoomDialog();
    ASSERT_NE(zoom, nullptr);
    auto* bar = zoom->findChild<QScrollBar*>(QStringLiteral("rate"));
    bar->setValue(900);
    EXPECT_EQ(rig.frame->View().Zoom(), 500);
    zoom->findChild<QPushButton*>(QStringLiteral("standard"))->click();
    EXPECT_EQ(rig.frame->View().Zoom(), 100);
}

TEST_F(CapvoFrameTest, QuitIsRefusedWhileADialogRuns) {
    bool running = true;
    rig.frame->AddRunningCheck([&running] { return running; });
    EXPECT_FALSE(rig.frame->close());
    EXPECT_EQ(rig.prompter.Texts(), std::vector<std::string>{"采集或转换正在进行，请先停止。"});
    running = false;
    EXPECT_TRUE(rig.frame->close());
}

TEST_F(CapvoFrameTest, PixelWindowFollowsTheMouse) {
    rig.store.Put_image(1, cv::Mat(2, 2, CV_8UC1, cv::Scalar(42)), 0, 0);
    rig.frame->Action(32793)->trigger();
    ASSERT_NE(rig.frame->PixelWindow(), nullptr);
    emit rig.frame->View().pointerMoved(QPoint(1, 1));
    EXPECT_EQ(rig.frame->PixelWindow()->CellText(2, 2).toStdString(), " 42");
    EXPECT_EQ(rig.frame->PixelWindow()->CellText(4, 4).toStdString(), "");
}

TEST_F(CapvoFrameTest, StatusWindowRunsTheContinuousDisplay) {
    rig.frame->Action(32792)->trigger();
    CStatusWnd* status = rig.frame->StatusWindow();
    ASSERT_TRUE(status->isVisible());
    auto* button = status->findChild<QPushButton*>(QStringLiteral("continuous"));
    button->click();
    EXPECT_EQ(button->text().toStdString(), "停止");
    EXPECT_EQ(button->accessibleName(), button->text());
    EXPECT_TRUE(status->Timer()->isActive());
    button->click();
    EXPECT_EQ(button->text().toStdString(), "连续显示");
    EXPECT_FALSE(status->Timer()->isActive());
    rig.frame->Action(32792)->trigger();
    EXPECT_FALSE(status->isVisible());
}

TEST_F(CapvoFrameTest, DialogsSetTheViewTitle) {
    CaptureViewPort& port = rig.frame->View();
    EXPECT_EQ(rig.frame->ViewWindow()->windowTitle().toStdString(), "图像窗口");
    port.SetTitle(CaptureViewPort::Title::Preview);
    EXPECT_EQ(rig.frame->ViewWindow()->windowTitle().toStdString(), "预览窗口");
    port.ShowLive(cv::Mat(8, 8, CV_8UC3, cv::Scalar(0, 0, 255)));
    EXPECT_FALSE(rig.frame->View().ShowsWelcome());
    EXPECT_EQ(rig.frame->View().viewport()->grab().toImage().pixel(1, 1), qRgb(255, 0, 0));
    port.ShowStore();
    EXPECT_TRUE(rig.frame->View().ShowsWelcome());
    // The dialogs hold on to the document window: it does not close.
    EXPECT_FALSE(rig.frame->ViewWindow()->close());
    EXPECT_TRUE(rig.frame->ViewWindow()->isVisible());
}

TEST_F(CapvoFrameTest, EveryControlHasAnAccessibleName) {
    for (int id : {32792, 32793, 32794})
        rig.frame->Action(id)->trigger();
    for (QWidget* window : std::initializer_list<QWidget*>{
             rig.frame->StatusWindow(), rig.frame->ZoomDialog(), rig.frame->PixelWindow()})
        EXPECT_EQ(kova::test::UnnamedOrRepeatedControls(*window), std::vector<std::string>{});
}

} // namespace
