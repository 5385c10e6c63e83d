#include "ViewCommands.h"

#include "BmpFixtures.h"
#include "CCfgFile.h"
#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CVideoCapDS.h"
#include "MeasureDocument.h"
#include "MotionImage.h"
#include "RecordingPrompter.h"
#include "SystemConfig.h"
#include "TestFiles.h"
#include "ToolWindow.h"

#include <QDir>
#include <gtest/gtest.h>
#include <set>

namespace {

using kova::RecordingPrompter;
using kova::test::TempDir;

class FakeWindows : public ToolWindowState {
public:
    bool IsOpen(ToolWindow window) const override { return open.count(window) > 0; }
    void Close(ToolWindow window) override { open.erase(window); }
    std::set<ToolWindow> open;
};

struct CommandRig {
    CommandRig() {
        store.InitImageSys();
        SystemConfig::FillDefaults(config);
        commands.SetToolWindows(&windows);
        commands.SetResultMenusHandler([this](bool on) { menus.push_back(on); });
        commands.SetRepaint([this] { ++repaints; });
    }
    RecordingPrompter prompter;
    kova::CFrameStore store;
    kova::CVideoCapDS capture{store};
    CImageDisplay display{store, capture, prompter};
    MotionImage motion{display, store, prompter};
    MeasureDocument document{prompter};
    CCfgFile config;
    FakeWindows windows;
    ViewCommands commands{document, config, motion, display, prompter};
    std::vector<bool> menus;
    int repaints = 0;
};

// A measurement pair with one target and two frames, its header carrying
// a scale of 2.5.
std::string WriteMeasurement(const TempDir& dir) {
    RecordingPrompter prompter;
    MeasureDocument document(prompter);
    CTrackFile2D& track = document.Track();
    track.Create(1, 2);
    CCfgFile calibration;
    calibration.SetValue("Calibration2DLength", 2.5);
    track.SetCalibration(&calibration);
    document.Info().SetValue("ImageFileExt", "BMP");
    const std::string path = dir.File("RUN.TRK");
    EXPECT_EQ(document.SaveResultTo(path), 1);
    return path;
}

TEST(ViewCommandsTest, MeasurementCommandsNeedAChosenSequence) {
    CommandRig rig;
    EXPECT_FALSE(rig.commands.CanAutoMeasure());
    EXPECT_FALSE(rig.commands.CanManualMeasure());
    EXPECT_EQ(rig.prompter.Texts(),
              (std::vector<std::string>{"请读入运动图像。", "请选择连续运动图像。"}));
    EXPECT_EQ(rig.prompter.Messages().front().caption, "KOVA");
    EXPECT_FALSE(rig.commands.MeasureOverlay());

    TempDir dir;
    kova::test::WriteBmp(dir.File("A0001.BMP"), 4, 4, 9);
    rig.prompter.QueueFiles({dir.File("A0001.BMP")});
    ASSERT_EQ(rig.commands.ChooseSequence(), CommandResult::Done);
    EXPECT_FALSE(rig.commands.StartScreen());
    rig.prompter.Clear();
    EXPECT_TRUE(rig.commands.CanAutoMeasure());
    EXPECT_TRUE(rig.commands.MeasureOverlay());
    EXPECT_TRUE(rig.commands.AutoMode());
    EXPECT_TRUE(rig.commands.CanManualMeasure());
    EXPECT_FALSE(rig.commands.AutoMode());
    EXPECT_TRUE(rig.prompter.Messages().empty());
}

TEST(ViewCommandsTest, OpenWindowsRefuseCommands) {
    CommandRig rig;
    rig.windows.open = {ToolWindow::Tracking};
    EXPECT_FALSE(rig.commands.MeasureWindowCheck()); // e.g. "平滑化"
    EXPECT_FALSE(rig.commands.CanManualMeasure());
    rig.windows.open = {ToolWindow::ManualMeasure};
    EXPECT_FALSE(rig.commands.CanAutoMeasure());
    rig.windows.open = {ToolWindow::Calibration};
    EXPECT_FALSE(rig.commands.CanSetEvents());
    EXPECT_FALSE(rig.commands.CanManualCorrect());
    EXPECT_FALSE(rig.commands.CanResultVideo());
    rig.windows.open = {ToolWindow::ResultVideo};
    EXPECT_FALSE(rig.commands.CanCalibrate());
    rig.windows.open = {ToolWindow::ManualCorrection};
    EXPECT_FALSE(rig.commands.CanCalibrate());
    rig.windows.open = {ToolWindow::Events};
    EXPECT_FALSE(rig.commands.CanCalibrate());
    rig.windows.open.clear();
    EXPECT_TRUE(rig.commands.CanCalibrate());
    EXPECT_EQ(rig.prompter.Texts(),
              (std::vector<std::string>{"请关闭测量窗口。", "请关闭测量窗口。", "请关闭追踪窗口。",
                                        "请关闭比例设定窗口。", "请关闭比例设定窗口。",
                                        "请关闭比例标定窗口。 ", "请关闭视频表示窗口。",
                                        "请关闭手动修正窗口。", "请关闭事件设定窗口。"}));
    EXPECT_FALSE(rig.commands.StartScreen());
}

TEST(ViewCommandsTest, FailedOpenGreysTheResultMenus) {
    TempDir dir;
    const std::string path = WriteMeasurement(dir);
    CommandRig rig;
    rig.commands.DisableResultMenus();
    rig.prompter.QueueFiles({path});
    ASSERT_EQ(rig.commands.OpenResult(), 1);
    EXPECT_TRUE(rig.commands.ResultMenusEnabled());
    double length = 0;
    rig.config.GetValue("Calibration2DLength", &length);
    EXPECT_DOUBLE_EQ(length, 2.5);
    EXPECT_NE(rig.prompter.FileRequests().at(0).initialDirectory, "");

    kova::test::WriteBytes(dir.File("BAD.TRK"), "not a track file");
    rig.config.SetValue("Calibration2DLength", 4.0);
    rig.prompter.QueueFiles({dir.File("BAD.TRK")});
    EXPECT_EQ(rig.commands.OpenResult(), -1);
    EXPECT_FALSE(rig.commands.ResultMenusEnabled());
    EXPECT_EQ(rig.menus, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(rig.prompter.Texts(), (std::vector<std::string>{"文件打开失败。"}));
    // The empty document takes the system calibration.
    CCfgFile header;
    rig.document.Track().GetCalibration(&header);
    header.GetValue("Calibration2DLength", &length);
    EXPECT_DOUBLE_EQ(length, 4.0);
}

TEST(ViewCommandsTest, ReloadAfterTracking) {
    TempDir dir;
    const std::string path = WriteMeasurement(dir);
    CommandRig rig;
    rig.commands.SetMeasureOverlay(true);
    EXPECT_EQ(rig.commands.ReloadAfterTracking(path), 1);
    EXPECT_FALSE(rig.commands.MeasureOverlay());
    EXPECT_TRUE(rig.commands.ResultMenusEnabled());
    EXPECT_EQ(rig.commands.ReloadAfterTracking(dir.File("NONE.TRK")), 0);
    EXPECT_FALSE(rig.commands.ResultMenusEnabled());
}

TEST(ViewCommandsTest, SaveStoresTheImageSource) {
    TempDir dir;
    const std::string path = WriteMeasurement(dir);
    CommandRig rig;
    kova::test::WriteBmp(dir.File("B0003.BMP"), 4, 4, 9);
    rig.prompter.QueueFiles({dir.File("B0003.BMP")});
    ASSERT_EQ(rig.commands.ChooseSequence(), CommandResult::Done);
    ASSERT_EQ(rig.commands.OpenFile(path), 1);
    // The opened measurement's source replaced the chosen one.
    EXPECT_EQ(rig.motion.Source().ext, "BMP");
    rig.motion.Source().head = "B";
    rig.motion.Source().firstNumber = 3;
    rig.prompter.QueueFiles({dir.File("OUT.TRK")});
    ASSERT_EQ(rig.commands.SaveResult(), 1);
    CCfgFile info;
    ASSERT_EQ(info.Load(dir.File("OUT.TRI")), 1);
    std::string head;
    int first = 0;
    info.GetValue("ImageNameHead", &head);
    info.GetValue("ImageStartNum", &first);
    EXPECT_EQ(head, "B");
    EXPECT_EQ(first, 3);
}

TEST(ViewCommandsTest, MissingCaptureProgramIsReported) {
    TempDir dir;
    RecordingPrompter prompter;
    const QString before = QDir::currentPath();
    EXPECT_EQ(ViewCommands::StartCapture(dir.Path(), prompter), CommandResult::Failed);
    EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{"没能打开图像采集系统。"}));
    EXPECT_EQ(QDir::currentPath(), before);
}

} // namespace
