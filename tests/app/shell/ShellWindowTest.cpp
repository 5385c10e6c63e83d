#include "BmpFixtures.h"
#include "CCfgFile.h"
#include "CHelpWindow.h"
#include "CImageDisplay.h"
#include "CKOVAApp.h"
#include "CKOVADoc.h"
#include "CKOVAView.h"
#include "CMainFrame.h"
#include "CalibrationHost.h"
#include "CommandId.h"
#include "MeasureDocument.h"
#include "QtTestApp.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"
#include "ToolWindowRegistry.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrinter>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTextBrowser>
#include <QWheelEvent>
#include <functional>
#include <gtest/gtest.h>

namespace {

using kova::RecordingPrompter;
using kova::test::TempDir;

class ShellWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        kova::test::QtTestApp();
        app_ = std::make_unique<CKOVAApp>(&prompter_);
        ASSERT_TRUE(app_->InitInstance({}, dir_.Path()));
        frame_ = app_->MainFrame();
        ASSERT_NE(frame_, nullptr);
        view_ = frame_->ActiveView();
        ASSERT_NE(view_, nullptr);
    }
    void TearDown() override { app_->ExitInstance(); }

    void Trigger(int command) { frame_->Action(command)->trigger(); }
    // Chooses a 64 x 48 grey image of value 100.
    void ChooseImage() {
        prompter_.QueueFiles({kova::test::WriteBmp(dir_.File("IMG0001.BMP"), 64, 48, 100)});
        Trigger(CommandId::kMotionImage);
        QApplication::processEvents();
    }
    Calibration2DLogic& Calibration() {
        return static_cast<CalibrationHost*>(view_->Windows().Find(ToolWindow::Calibration))
            ->Logic();
    }
    QRgb Pixel(int x, int y) {
        QApplication::processEvents();
        return view_->viewport()->grab().toImage().pixel(x, y);
    }

    TempDir dir_;
    RecordingPrompter prompter_;
    std::unique_ptr<CKOVAApp> app_;
    CMainFrame* frame_ = nullptr;
    CKOVAView* view_ = nullptr;
};

TEST_F(ShellWindowTest, StartScreenThenFrameAtEachZoom) {
    EXPECT_EQ(Pixel(5, 5), qRgb(0, 255, 255));
    ChooseImage();
    EXPECT_EQ(Pixel(5, 5), qRgb(100, 100, 100));
    const struct {
        int command;
        const char* text;
        QSize size;
    } zooms[] = {
        {CommandId::kZoomHalf + 1, " Rate: 100% [Width:   64 Height:   48]", QSize(64, 48)},
        {CommandId::kZoomHalf + 2, " Rate: 200% [Width:  128 Height:   96]", QSize(128, 96)},
        {CommandId::kZoomHalf + 5, " Rate: 500% [Width:  320 Height:  240]", QSize(320, 240)}};
    for (const auto& zoom : zooms) {
        Trigger(zoom.command);
        EXPECT_EQ(view_->ZoomText().toStdString(), zoom.text);
        EXPECT_EQ(frame_->MessagePaneText().toStdString(), zoom.text);
        EXPECT_EQ(view_->ZoomedSize(), zoom.size);
        QApplication::processEvents();
        // The child window fits the zoomed image without scroll bars.
        EXPECT_EQ(view_->viewport()->width(), zoom.size.width());
        EXPECT_EQ(view_->viewport()->height(), zoom.size.height());
        // The last image pixel lies inside the zoomed frame.
        EXPECT_EQ(Pixel(zoom.size.width() - 1, zoom.size.height() - 1), qRgb(100, 100, 100));
    }
    // At half size the child window is wider than the image (its title bar).
    Trigger(CommandId::kZoomHalf);
    EXPECT_EQ(view_->ZoomText().toStdString(), " Rate:  50% [Width:   32 Height:   24]");
    EXPECT_EQ(Pixel(31, 23), qRgb(100, 100, 100));
    EXPECT_NE(Pixel(33, 25), qRgb(100, 100, 100));
}

TEST_F(ShellWindowTest, CalibrationAxesDrawnInImagePixels) {
    ChooseImage();
    CCfgFile& config = app_->Config();
    config.SetValue("Calibration2DOriginX", 10L);
    config.SetValue("Calibration2DOriginY", 10L);
    Trigger(CommandId::kCalibration);
    ASSERT_NE(view_->Windows().Window(ToolWindow::Calibration), nullptr);
    Trigger(CommandId::kCalibration); // only raises the open window
    EXPECT_EQ(view_->Display().Axes().Users(), 1);
    for (int zoom : {1, 2}) {
        Trigger(zoom == 1 ? CommandId::kZoomHalf + 1 : CommandId::kZoomHalf + 2);
        EXPECT_EQ(Pixel(30 * zoom, 10 * zoom), qRgb(128, 128, 128)) << zoom;
        EXPECT_EQ(Pixel(10 * zoom, 30 * zoom), qRgb(192, 192, 192)) << zoom;
        EXPECT_EQ(Pixel(30 * zoom, 30 * zoom), qRgb(100, 100, 100)) << zoom;
    }
    view_->Windows().Window(ToolWindow::Calibration)->close();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(view_->Windows().Window(ToolWindow::Calibration), nullptr);
    EXPECT_FALSE(view_->Display().Axes().IsShown());
    EXPECT_EQ(Pixel(40, 20), qRgb(100, 100, 100));
}

TEST_F(ShellWindowTest, ScaleDragWithTheMouseAtZoom200) {
    ChooseImage();
    Trigger(CommandId::kZoomHalf + 2);
    Trigger(CommandId::kCalibration);
    QWidget* viewport = view_->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(viewport, QPoint(26, 28));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(26, 28));
    // Six and eight window pixels are three and four image pixels.
    EXPECT_EQ(Calibration().Fields().imageDistance, "5.000");
    EXPECT_EQ(Calibration().DragState(), 2);
    EXPECT_EQ(Pixel(23, 24), qRgb(255, 0, 0));
}

TEST_F(ShellWindowTest, PrintsTheFrameWithItsOverlays) {
    ChooseImage();
    app_->Config().SetValue("Calibration2DOriginX", 20L);
    app_->Config().SetValue("Calibration2DOriginY", 5L);
    Trigger(CommandId::kCalibration);
    const QImage image = view_->RenderImage();
    EXPECT_EQ(image.size(), QSize(64, 48));
    EXPECT_EQ(image.pixel(40, 5), qRgb(128, 128, 128));
    EXPECT_EQ(image.pixel(20, 30), qRgb(192, 192, 192));
    EXPECT_EQ(image.pixel(40, 30), qRgb(100, 100, 100));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir_.File("view.pdf")));
    view_->Print(&printer);
    EXPECT_EQ(kova::test::ReadBytes(dir_.File("view.pdf")).substr(0, 4), "%PDF");
}

TEST_F(ShellWindowTest, CalibrationReadsAnImage) {
    prompter_.QueueFiles({kova::test::WriteBmp(dir_.File("cal.bmp"), 20, 10, 42)});
    EXPECT_EQ(Calibration().ReadImage(), 1);
    EXPECT_EQ(app_->Store().Read_pixel(1, 19, 9), 42);
    const kova::FileDialogRequest& request = prompter_.FileRequests().back();
    EXPECT_EQ(request.filter, "位图文件(*.BMP)|*.BMP|视频文件(*.AVI)|*.AVI||");
    EXPECT_EQ(request.defaultName, "temp");
    kova::test::WriteBytes(dir_.File("cal.avi"), "not a video");
    prompter_.QueueFiles({dir_.File("cal.avi")});
    EXPECT_EQ(Calibration().ReadImage(), 0);
    EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{"文件读取错误."}));
}

TEST_F(ShellWindowTest, ResultMenusGreyedAtStartAndAfterAFailedOpen) {
    EXPECT_FALSE(frame_->ResultBrowseMenu()->isEnabled());
    EXPECT_FALSE(frame_->ResultFixMenu()->isEnabled());
    kova::test::WriteBytes(dir_.File("BAD.TRK"), std::string(20, '\0'));
    prompter_.QueueFiles({dir_.File("BAD.TRK")});
    Trigger(CommandId::kOpenResult);
    EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{"文件打开失败。"}));
    // Greyed, not gone.
    EXPECT_TRUE(frame_->ResultBrowseMenu()->menuAction()->isVisible());
    EXPECT_FALSE(frame_->ResultBrowseMenu()->isEnabled());
    EXPECT_FALSE(frame_->ResultFixMenu()->menuAction()->isEnabled());
}

TEST_F(ShellWindowTest, StepsThroughTheFramesByKeysSliderAndSpin) {
    std::vector<std::string> files;
    for (int i = 1; i <= 3; ++i)
        files.push_back(
            kova::test::WriteBmp(dir_.File("RUN000" + std::to_string(i) + ".BMP"), 64, 48, 10 * i));
    prompter_.QueueFiles({files.front(), files.back()});
    Trigger(CommandId::kMotionImage);
    EXPECT_EQ(view_->parentWidget()->windowTitle(), QStringLiteral("RUN0001.BMP - RUN0003.BMP"));
    frame_->show();
    QApplication::setActiveWindow(frame_);
    view_->setFocus();
    const struct {
        std::function<void()> act;
        int page;
    } steps[] = {
        {[] {}, 3}, // the last file picked is shown
        {[this] { QTest::keyClick(view_, Qt::Key_Home); }, 1},
        {[this] { QTest::keyClick(view_, Qt::Key_End); }, 3},
        {[this] { QTest::keyClick(view_, Qt::Key_Left); }, 2},
        {[this] { QTest::keyClick(view_, Qt::Key_PageUp); }, 1}, // clamped
        {[this] { QTest::keyClick(view_, Qt::Key_PageDown); }, 3},
        {[this] { frame_->FrameSpin()->setValue(2); }, 2},
        {[this] { frame_->FrameSlider()->setValue(1); }, 1},
        {[this] { QTest::keyClick(view_, Qt::Key_Right); }, 2},
    };
    for (const auto& step : steps) {
        step.act();
        const int n = step.page;
        EXPECT_EQ(frame_->FrameText(), QStringLiteral("帧 %1 / 3").arg(n));
        EXPECT_EQ(frame_->SourceText(), QStringLiteral("文件号 %1").arg(n));
        EXPECT_EQ(frame_->FrameSpin()->value(), n);
        EXPECT_EQ(frame_->FrameSlider()->value(), n);
        EXPECT_EQ(Pixel(5, 5), qRgb(10 * n, 10 * n, 10 * n)) << n;
    }
    QWheelEvent wheel(QPointF(5, 5), view_->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view_->viewport(), &wheel);
    EXPECT_EQ(view_->ZoomText().toStdString(), " Rate: 200% [Width:  128 Height:   96]");
}

TEST_F(ShellWindowTest, OpenMeasurementShowsItsPointsByStatus) {
    const struct {
        float x, y;
        short status;
        QPoint probe; // a pixel of the mark's outline
        QRgb colour;  // the target's default colour
    } points[] = {
        {10, 10, 0, {14, 10}, qRgb(255, 0, 0)},    // found: circle
        {30, 10, 1, {26, 6}, qRgb(0, 255, 0)},     // doubtful: square corner
        {50, 30, 3, {52, 32}, qRgb(0, 0, 255)},    // lost: cross
        {20, 35, -1, {20, 31}, qRgb(255, 0, 255)}, // interpolated: diamond tip
    };
    {
        RecordingPrompter prompter;
        MeasureDocument document(prompter);
        document.Track().Create(4, 2);
        for (int t = 0; t < 4; ++t) {
            const XY_TRACK point{points[t].status, points[t].x, points[t].y};
            document.Track().SetPoint(t, 0, &point);
        }
        ASSERT_EQ(document.SaveResultTo(dir_.File("MARKS.TRK")), 1);
    }
    ChooseImage();
    ASSERT_EQ(view_->OpenFile(dir_.File("MARKS.TRK")), 1);
    QImage image = view_->RenderImage();
    for (const auto& point : points)
        EXPECT_EQ(image.pixel(point.probe), point.colour) << point.status;
    EXPECT_EQ(frame_->FrameText(), QStringLiteral("帧 1 / 1")); // the frames of the images
    Trigger(CommandId::kShowTargets);
    EXPECT_FALSE(frame_->Action(CommandId::kShowTargets)->isChecked());
    image = view_->RenderImage();
    for (const auto& point : points)
        EXPECT_NE(image.pixel(point.probe), point.colour) << point.status;
}

TEST_F(ShellWindowTest, RecentFilesOfTheSameNameShowTheirFolders) {
    for (const char* folder : {"a", "b"}) {
        QDir(QString::fromStdString(dir_.Path())).mkpath(QString::fromUtf8(folder));
        RecordingPrompter prompter;
        MeasureDocument document(prompter);
        document.Track().Create(1, 1);
        const std::string path = dir_.File(std::string(folder) + "/RUN.TRK");
        ASSERT_EQ(document.SaveResultTo(path), 1);
        view_->OpenFile(path);
    }
    const QList<QMenu*> menus = frame_->findChildren<QMenu*>();
    QStringList recent;
    for (QMenu* menu : menus)
        if (menu->title() == QStringLiteral("最近的文件"))
            for (QAction* action : menu->actions())
                if (action->text().contains(QStringLiteral("RUN.TRK"))) recent << action->text();
    ASSERT_EQ(recent.size(), 2);
    EXPECT_TRUE(recent[0].endsWith(
        QStringLiteral("RUN.TRK (%1/b)").arg(QString::fromStdString(dir_.Path()))))
        << recent[0].toStdString();
    EXPECT_TRUE(recent[1].contains(QStringLiteral("/a)"))) << recent[1].toStdString();
}

TEST_F(ShellWindowTest, SaveWithoutDataSaysSo) {
    Trigger(CommandId::kSaveResult);
    EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{"No data."}));
}

TEST_F(ShellWindowTest, MenusFollowTheOpenDocument) {
    // One identifier: "偏移量" with a document, "系统帧设定" without.
    EXPECT_TRUE(frame_->Action(CommandId::kOpenResult)->isVisible());
    EXPECT_EQ(frame_->Action(CommandId::kSysFrame)->text(), QStringLiteral("偏移量(&O)"));
    frame_->MdiArea()->closeAllSubWindows();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame_->ActiveView(), nullptr);
    EXPECT_FALSE(frame_->Action(CommandId::kOpenResult)->isVisible());
    EXPECT_TRUE(frame_->Action(CommandId::kSysFrame)->isVisible());
    EXPECT_EQ(frame_->Action(CommandId::kSysFrame)->text(), QStringLiteral("系统帧设定"));
    Trigger(CommandId::kNew);
    EXPECT_NE(frame_->ActiveView(), nullptr);
}

TEST_F(ShellWindowTest, ExitClosesTheMainWindow) {
    frame_->show();
    QApplication::processEvents();
    EXPECT_EQ(frame_->Action(CommandId::kExit)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    Trigger(CommandId::kExit);
    EXPECT_FALSE(frame_->isVisible());
    EXPECT_TRUE(frame_->MdiArea()->subWindowList().isEmpty() ||
                frame_->MdiArea()->subWindowList().front()->isHidden());
}

} // namespace

namespace {

TEST(HelpWindowTest, FindsTheGuideBesideTheProgramOrInstalled) {
    kova::test::QtTestApp();
    TempDir dir;
    EXPECT_TRUE(CHelpWindow::FindIndex(dir.Path()).isEmpty());
    QDir(QString::fromStdString(dir.Path())).mkpath(QStringLiteral("share/kova/help"));
    QDir(QString::fromStdString(dir.Path())).mkpath(QStringLiteral("bin"));
    kova::test::WriteBytes(dir.File("share/kova/help/index.html"),
                           "<html><body><h1>使用说明</h1></body></html>");
    const QString index = CHelpWindow::FindIndex(dir.File("bin"));
    ASSERT_FALSE(index.isEmpty());
    CHelpWindow window(index);
    EXPECT_TRUE(window.Browser()->toPlainText().contains(QString::fromUtf8("使用说明")));
}

TEST(CommandLineTest, ProgramOpensTheNamedMeasurement) {
    kova::test::QtTestApp();
    TempDir dir;
    {
        RecordingPrompter prompter;
        MeasureDocument document(prompter);
        document.Track().Create(2, 3);
        ASSERT_EQ(document.SaveResultTo(dir.File("WALK.TRK")), 1);
    }
    RecordingPrompter prompter;
    CKOVAApp app(&prompter);
    ASSERT_TRUE(app.InitInstance({QString::fromStdString(dir.File("WALK.TRK"))}, dir.Path()));
    CKOVAView* view = app.MainFrame()->ActiveView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Document().Measure().Track().GetTargetCount(), 2);
    EXPECT_EQ(view->Document().Title(), QStringLiteral("WALK.TRK"));
    EXPECT_TRUE(app.MainFrame()->ResultBrowseMenu()->isEnabled());
    EXPECT_EQ(app.MainFrame()->RecentFiles().value(0),
              QString::fromStdString(dir.File("WALK.TRK")));
    app.ExitInstance();
    EXPECT_TRUE(prompter.Messages().empty());
}

TEST(CommandLineTest, ABadMeasurementIsNamedAndTheWindowKeepsItsSize) {
    kova::test::QtTestApp();
    TempDir dir;
    kova::test::WriteBytes(dir.File("BAD.TRK"), "not a measurement");
    RecordingPrompter prompter;
    CKOVAApp app(&prompter);
    ASSERT_TRUE(app.InitInstance({QString::fromStdString(dir.File("BAD.TRK"))}, dir.Path()));
    QApplication::processEvents();
    EXPECT_EQ(prompter.Texts(),
              (std::vector<std::string>{"文件打开失败。\n" + dir.File("BAD.TRK")}));
    CKOVAView* view = app.MainFrame()->ActiveView();
    ASSERT_NE(view, nullptr);
    EXPECT_GT(view->parentWidget()->width(), 200);
    EXPECT_GT(view->parentWidget()->height(), 150);
    app.ExitInstance();
}

} // namespace
