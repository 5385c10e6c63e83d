#include "AxisDisplay.h"
#include "CCfgFile.h"
#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CTrackFile2D.h"
#include "CVideoCapDS.h"
#include "Calibration2DLogic.h"
#include "RecordingPrompter.h"
#include "SystemConfig.h"
#include "TestFiles.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using kova::RecordingPrompter;
using kova::test::TempDir;

constexpr double kPi = 3.14159265358979323846;

struct CalibrationRig {
    CalibrationRig() {
        store.InitImageSys();
        SystemConfig::FillDefaults(config);
        logic.SetConfig(&config);
        logic.SetTrackFile(&track);
        display.SetConfig(&config);
        logic.InitWindow();
    }
    RecordingPrompter prompter;
    kova::CFrameStore store; // 640 x 480
    kova::CVideoCapDS capture{store};
    CImageDisplay display{store, capture, prompter};
    CCfgFile config;
    CTrackFile2D track;
    Calibration2DLogic logic{display, prompter};
};

TEST(CalibrationTest, DragGivesImageDistanceAndScale) {
    CalibrationRig rig;
    rig.logic.Fields().realDistance = 1000;
    rig.logic.Fields().lengthUnit = 3; // mm
    rig.logic.OnDisplayLButtonDown(1, QPoint(10, 10));
    rig.logic.OnDisplayMouseMove(1, QPoint(13, 14));
    rig.logic.OnDisplayLButtonUp(0, QPoint(13, 14));
    EXPECT_DOUBLE_EQ(rig.logic.Fields().imageDistance, 5.0);
    EXPECT_DOUBLE_EQ(rig.logic.Scale(), 200.0);
    EXPECT_EQ(rig.logic.Fields().scaleText, "200.000");
    EXPECT_EQ(rig.logic.DragState(), 2);
    // Moving after the release changes nothing; a new press starts again.
    rig.logic.OnDisplayMouseMove(0, QPoint(100, 100));
    EXPECT_DOUBLE_EQ(rig.logic.Fields().imageDistance, 5.0);
    rig.logic.OnDisplayLButtonDown(1, QPoint(0, 0));
    rig.logic.OnDisplayMouseMove(1, QPoint(1, 1));
    EXPECT_DOUBLE_EQ(rig.logic.Fields().imageDistance, 1.414);
    EXPECT_TRUE(rig.prompter.Messages().empty());
}

TEST(CalibrationTest, NonPositiveDistanceIsRefused) {
    CalibrationRig rig;
    const double before = rig.logic.Scale();
    rig.logic.Fields().realDistance = 0;
    EXPECT_EQ(rig.logic.ComputeScale(), 0);
    rig.logic.Fields().realDistance = 3;
    rig.logic.Fields().imageDistance = -1;
    EXPECT_EQ(rig.logic.ComputeScale(), 0);
    EXPECT_EQ(rig.prompter.Texts(),
              (std::vector<std::string>{"输入间隔小于零。", "输入间隔小于零。"}));
    EXPECT_EQ(rig.prompter.Messages().front().caption, "错误");
    EXPECT_DOUBLE_EQ(rig.logic.Scale(), before);
}

TEST(CalibrationTest, ThreeClicksSetTheAxes) {
    CalibrationRig rig;
    rig.logic.SetMouseMode(1);
    rig.logic.OnDisplayLButtonDown(1, QPoint(100, 100));
    rig.logic.OnDisplayLButtonDown(1, QPoint(200, 100));
    rig.logic.OnDisplayLButtonDown(1, QPoint(100, 200));
    EXPECT_EQ(rig.logic.ClickState(), 3);
    EXPECT_DOUBLE_EQ(rig.logic.Angle(), 0.0);
    EXPECT_EQ(rig.logic.Origin(), QPoint(100, 200));
    EXPECT_EQ(rig.logic.DirectY(), -1);
    EXPECT_EQ(rig.logic.Fields().angleText, "0.000 度");
    EXPECT_EQ(rig.logic.Fields().originText, "100,200");
    EXPECT_EQ(rig.logic.Fields().directionText, "向左");
    // A right click undoes the third click; the next click sets a new origin.
    rig.logic.OnDisplayRButtonDown(2, QPoint(0, 0));
    EXPECT_EQ(rig.logic.ClickState(), 2);
    rig.logic.OnDisplayLButtonDown(1, QPoint(150, 50));
    EXPECT_EQ(rig.logic.Origin(), QPoint(150, 50));
    EXPECT_EQ(rig.logic.DirectY(), 1);
    EXPECT_EQ(rig.logic.Fields().directionText, "向右");
}

TEST(CalibrationTest, CornerCycle) {
    CalibrationRig rig;
    rig.logic.SetMouseMode(1);
    EXPECT_EQ(rig.logic.CornerButtonText(), "初始化");
    struct Expected {
        QPoint origin;
        double angle;
        int direction;
        const char* text;
        const char* angleText;
    };
    const Expected cycle[4] = {{QPoint(0, 0), 0.0, 1, "原点在左上", "0.000 度"},
                               {QPoint(0, 479), 0.0, -1, "原点在左下", "0.000 度"},
                               {QPoint(639, 479), kPi, 1, "原点在右下", "180.000 度"},
                               {QPoint(639, 0), kPi, -1, "原点在右上", "180.000 度"}};
    for (const Expected& step : cycle) {
        rig.logic.Initialise();
        EXPECT_EQ(rig.logic.Origin(), step.origin);
        EXPECT_DOUBLE_EQ(rig.logic.Angle(), step.angle);
        EXPECT_EQ(rig.logic.DirectY(), step.direction);
        EXPECT_EQ(rig.logic.CornerButtonText(), step.text);
        EXPECT_EQ(rig.logic.Fields().angleText, step.angleText);
    }
    EXPECT_EQ(rig.logic.CornerState(), 0);
    // Three clicks turn the corner label off.
    for (QPoint p : {QPoint(1, 1), QPoint(5, 1), QPoint(1, 5)})
        rig.logic.OnDisplayLButtonDown(1, p);
    EXPECT_EQ(rig.logic.CornerButtonText(), "初始化");
}

TEST(CalibrationTest, AcceptWritesConfigurationAndHeader) {
    CalibrationRig rig;
    ASSERT_EQ(rig.track.Create(1, 1), 1);
    rig.logic.Fields().realDistance = 50;
    rig.logic.Fields().imageDistance = 25;
    rig.logic.Fields().lengthUnit = 5;
    rig.logic.Fields().interval = 2;
    rig.logic.Fields().frameRate = 60;
    rig.logic.ComputeScale();
    rig.logic.SetMouseMode(1);
    rig.logic.Initialise();
    rig.logic.Initialise(); // bottom left
    rig.logic.Accept();
    double length = 0;
    long originY = 0, direction = 0;
    int unit = 0, frames = 0;
    rig.config.GetValue("Calibration2DLength", &length);
    rig.config.GetValue("Calibration2DOriginY", &originY);
    rig.config.GetValue("Calibration2DDirectY", &direction);
    rig.config.GetValue("Calibration2DLengthUnit", &unit);
    rig.config.GetValue("Calibration2DFrames", &frames);
    EXPECT_DOUBLE_EQ(length, 2.0);
    EXPECT_EQ(originY, 479);
    EXPECT_EQ(direction, -1);
    EXPECT_EQ(unit, 5);
    EXPECT_EQ(frames, 60);
    EXPECT_EQ(rig.track.IsModified(), 1);
    CCfgFile header;
    rig.track.GetCalibration(&header);
    header.GetValue("Calibration2DOriginY", &originY);
    EXPECT_EQ(originY, 479);
}

TEST(CalibrationTest, SettingsFileRoundTrip) {
    TempDir dir;
    CalibrationRig rig;
    rig.logic.Fields().realDistance = 30;
    rig.logic.Fields().imageDistance = 10;
    rig.logic.Fields().lengthUnit = 4;
    rig.logic.Fields().timeUnit = 3;
    rig.logic.Fields().interval = 4;
    rig.logic.Fields().frameRate = 250;
    rig.logic.ComputeScale();
    rig.logic.SetMouseMode(1);
    for (QPoint p : {QPoint(10, 20), QPoint(40, 50), QPoint(10, 80)})
        rig.logic.OnDisplayLButtonDown(1, p);
    const double angle = rig.logic.Angle();
    rig.prompter.QueueFiles({dir.File("RUN.CL2")});
    ASSERT_EQ(rig.logic.SaveSettings(), 1);
    const kova::FileDialogRequest& save = rig.prompter.FileRequests().back();
    EXPECT_EQ(save.title, "保存文件。");
    EXPECT_EQ(save.filter, "2D标定文件(*.CL2)|*.CL2||");
    EXPECT_EQ(save.defaultName, "TEMP.CL2");

    CCfgFile file;
    ASSERT_EQ(file.Load(dir.File("RUN.CL2")), 1);
    EXPECT_EQ(file.Records().size(), 9u);

    CalibrationRig other;
    other.prompter.QueueFiles({dir.File("RUN.CL2")});
    ASSERT_EQ(other.logic.LoadSettings(), 1);
    EXPECT_DOUBLE_EQ(other.logic.Scale(), 3.0);
    EXPECT_EQ(other.logic.Fields().scaleText, "3.000");
    EXPECT_EQ(other.logic.Fields().lengthUnit, 4);
    EXPECT_EQ(other.logic.Fields().timeUnit, 3);
    EXPECT_EQ(other.logic.Fields().interval, 4);
    EXPECT_EQ(other.logic.Fields().frameRate, 250);
    EXPECT_EQ(other.logic.Origin(), QPoint(10, 80));
    EXPECT_NEAR(other.logic.Angle(), angle, 1e-6);
    EXPECT_EQ(other.logic.DirectY(), rig.logic.DirectY());
    EXPECT_EQ(other.logic.Fields().originText, "10,80");
}

TEST(CalibrationTest, UnreadableSettingsFileLeavesTheFields) {
    TempDir dir;
    CalibrationRig rig;
    rig.logic.Fields().interval = 7;
    rig.prompter.QueueFiles({dir.File("MISSING.CL2")});
    EXPECT_EQ(rig.logic.LoadSettings(), 0);
    EXPECT_EQ(rig.logic.Fields().interval, 7);
    EXPECT_EQ(rig.prompter.Texts(), (std::vector<std::string>{"文件打开失败。"}));
}

TEST(AxisDisplayTest, CounterAndAxisEnds) {
    CCfgFile config;
    SystemConfig::FillDefaults(config);
    AxisDisplay axes;
    axes.SetConfig(&config);
    axes.TurnOn(640, 480);
    EXPECT_TRUE(axes.IsShown());
    EXPECT_EQ(axes.PositiveX().p2(), QPoint(960, 0));
    EXPECT_EQ(axes.NegativeX().p2(), QPoint(-960, 0));
    EXPECT_EQ(axes.PositiveY().p2(), QPoint(0, 960));
    EXPECT_EQ(axes.NegativeY().p2(), QPoint(0, -960));
    axes.TurnOn(640, 480);
    axes.TurnOff();
    EXPECT_TRUE(axes.IsShown());
    axes.TurnOff();
    axes.TurnOff();
    EXPECT_FALSE(axes.IsShown());
    EXPECT_EQ(axes.Users(), 0);
    // Y direction -1 with the X axis turned by 90 degrees: X up, Y left.
    axes.Compute(100, 100, kPi / 2, -1, 50);
    EXPECT_EQ(axes.PositiveX().p2(), QPoint(100, 50));
    EXPECT_EQ(axes.PositiveY().p2(), QPoint(50, 100));
}

} // namespace
