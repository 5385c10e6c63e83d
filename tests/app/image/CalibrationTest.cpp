#include "AxisDisplay.h"
#include "CCfgFile.h"
#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CTrackFile2D.h"
#include "CVideoCapDS.h"
#include "Calibration2DLogic.h"
#include "MeasureDocument.h"
#include "RecordingPrompter.h"
#include "SystemConfig.h"
#include "TestFiles.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <tuple>

namespace {

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
    // Real and image distance, units, interval and rate; then the scale.
    void Scale(const char* real, const char* image, int lengthUnit, int timeUnit,
               const char* interval, const char* rate) {
        CalibrationFields& f = logic.Fields();
        f.realDistance = real;
        f.imageDistance = image;
        f.lengthUnit = lengthUnit;
        if (timeUnit >= 0) f.timeUnit = timeUnit;
        f.interval = interval;
        f.frameRate = rate;
        logic.ComputeScale();
    }
    void Clicks(std::initializer_list<QPoint> points) {
        logic.SetMouseMode(CalibrationMouseMode::Coordinates);
        for (QPoint p : points)
            logic.OnDisplayLButtonDown(1, p);
    }
    kova::RecordingPrompter prompter;
    kova::CFrameStore store; // 640 x 480
    kova::CVideoCapDS capture{store};
    CImageDisplay display{store, capture, prompter};
    CCfgFile config;
    CTrackFile2D track;
    Calibration2DLogic logic{display, prompter};
};

TEST(CalibrationTest, DragGivesImageDistanceAndScale) {
    CalibrationRig rig;
    rig.logic.Fields().realDistance = "1000";
    rig.logic.OnDisplayLButtonDown(1, QPoint(10, 10));
    rig.logic.OnDisplayMouseMove(1, QPoint(13, 14));
    rig.logic.OnDisplayLButtonUp(0, QPoint(13, 14));
    EXPECT_EQ(rig.logic.Fields().imageDistance, "5.000");
    EXPECT_DOUBLE_EQ(rig.logic.Scale(), 200.0);
    EXPECT_EQ(rig.logic.Fields().scaleText, "200.000");
    // Moving after the release changes nothing; a new press starts again.
    rig.logic.OnDisplayMouseMove(0, QPoint(100, 100));
    EXPECT_EQ(rig.logic.Fields().imageDistance, "5.000");
    rig.logic.OnDisplayLButtonDown(1, QPoint(0, 0));
    rig.logic.OnDisplayMouseMove(1, QPoint(1, 1));
    EXPECT_EQ(rig.logic.Fields().imageDistance, "1.414");
    EXPECT_EQ(rig.logic.Fields().realDistance, "1000"); // as typed
    EXPECT_TRUE(rig.prompter.Messages().empty());
}

// A refused distance: once per press of "计算比例" and once per drag (null:
// the drag's own image distance makes the scale).
TEST(CalibrationTest, BadDistanceIsRefusedOnce) {
    const char* const bad = "输入间隔小于零。";
    const struct {
        const char *real, *image, *pressed, *dragged;
    } cases[] = {{"0", "1", bad, bad},
                 {"-2", "1", bad, bad},
                 {"abc", "1", "实际距离“abc”不是数字。", "实际距离“abc”不是数字。"},
                 {"5", "1.5x", "图像距离“1.5x”不是数字。", nullptr}};
    for (const auto& c : cases) {
        CalibrationRig rig;
        rig.logic.Fields().realDistance = c.real;
        rig.logic.Fields().imageDistance = c.image;
        EXPECT_EQ(rig.logic.ComputeScale(), 0);
        for (int drag = 0; drag < 2; ++drag) {
            rig.logic.OnDisplayLButtonDown(1, QPoint(10, 10));
            for (int x : {20, 30, 40})
                rig.logic.OnDisplayMouseMove(1, QPoint(x, 10));
            rig.logic.OnDisplayLButtonUp(0, QPoint(40, 10));
        }
        std::vector<std::string> expected{c.pressed};
        if (c.dragged) expected.insert(expected.end(), 2, c.dragged);
        EXPECT_EQ(rig.prompter.Texts(), expected) << c.real;
        EXPECT_DOUBLE_EQ(rig.logic.Scale(), c.dragged ? 1.0 : 5.0 / 30);
        EXPECT_EQ(rig.logic.Fields().realDistance, c.real);
    }
}

TEST(CalibrationTest, ThreeClicksSetTheAxesARightClickUndoesTheLast) {
    CalibrationRig rig;
    rig.Clicks({QPoint(100, 100), QPoint(200, 100), QPoint(100, 200)});
    EXPECT_EQ(rig.logic.ClickState(), 3);
    EXPECT_DOUBLE_EQ(rig.logic.Angle(), 0.0);
    EXPECT_EQ(rig.logic.Origin(), QPoint(100, 200));
    EXPECT_EQ(rig.logic.DirectY(), -1);
    EXPECT_EQ(rig.logic.Fields().originText, "100,200");
    EXPECT_EQ(rig.logic.Fields().directionText, "向左");
    rig.logic.OnDisplayRButtonDown(2, QPoint(0, 0));
    EXPECT_EQ(rig.logic.ClickState(), 2);
    rig.logic.OnDisplayLButtonDown(1, QPoint(150, 50));
    EXPECT_EQ(rig.logic.Origin(), QPoint(150, 50));
    EXPECT_EQ(rig.logic.DirectY(), 1);
}

TEST(CalibrationTest, CornerCycle) {
    CalibrationRig rig;
    rig.logic.SetMouseMode(CalibrationMouseMode::Coordinates);
    EXPECT_EQ(rig.logic.CornerButtonText(), "初始化");
    const struct {
        QPoint origin;
        double angle;
        int direction;
        const char* text;
    } cycle[4] = {{QPoint(0, 0), 0.0, 1, "原点在左上"},
                  {QPoint(0, 479), 0.0, -1, "原点在左下"},
                  {QPoint(639, 479), kPi, 1, "原点在右下"},
                  {QPoint(639, 0), kPi, -1, "原点在右上"}};
    for (const auto& step : cycle) {
        rig.logic.Initialise();
        EXPECT_EQ(rig.logic.Origin(), step.origin);
        EXPECT_DOUBLE_EQ(rig.logic.Angle(), step.angle);
        EXPECT_EQ(rig.logic.DirectY(), step.direction);
        EXPECT_EQ(rig.logic.CornerButtonText(), step.text);
    }
    EXPECT_EQ(rig.logic.Fields().angleText, "180.000 度");
    EXPECT_EQ(rig.logic.CornerState(), 0);
    rig.Clicks({QPoint(1, 1), QPoint(5, 1), QPoint(1, 5)}); // turns the corner label off
    EXPECT_EQ(rig.logic.CornerButtonText(), "初始化");
}

TEST(CalibrationTest, AcceptWritesConfigurationAndHeader) {
    CalibrationRig rig;
    ASSERT_EQ(rig.track.Create(1, 1), 1);
    rig.Scale("50", "25", 5, -1, "2", "60");
    rig.logic.SetMouseMode(CalibrationMouseMode::Coordinates);
    rig.logic.Initialise();
    rig.logic.Initialise(); // bottom left
    EXPECT_TRUE(rig.logic.Accept());
    double length = 0;
    long originY = 0, direction = 0, headerY = 0;
    int unit = 0, frames = 0;
    rig.config.GetValue("Calibration2DLength", &length);
    rig.config.GetValue("Calibration2DOriginY", &originY);
    rig.config.GetValue("Calibration2DDirectY", &direction);
    rig.config.GetValue("Calibration2DLengthUnit", &unit);
    rig.config.GetValue("Calibration2DFrames", &frames);
    EXPECT_DOUBLE_EQ(length, 2.0);
    EXPECT_EQ(std::make_tuple(originY, direction, unit, frames), std::make_tuple(479L, -1L, 5, 60));
    EXPECT_EQ(rig.track.IsModified(), 1);
    CCfgFile header;
    rig.track.GetCalibration(&header);
    header.GetValue("Calibration2DOriginY", &headerY);
    EXPECT_EQ(headerY, 479);
}

TEST(CalibrationTest, SettingsFileRoundTripAndUnreadableFile) {
    TempDir dir;
    CalibrationRig rig;
    rig.Scale("30", "10", 4, 3, "4", "250");
    rig.Clicks({QPoint(10, 20), QPoint(40, 50), QPoint(10, 80)});
    rig.prompter.QueueFiles({dir.File("RUN.CL2")});
    ASSERT_EQ(rig.logic.SaveSettings(), 1);
    EXPECT_EQ(rig.prompter.FileRequests().back().defaultName, "TEMP.CL2");
    CCfgFile file;
    ASSERT_EQ(file.Load(dir.File("RUN.CL2")), 1);
    EXPECT_EQ(file.Records().size(), 9u);

    CalibrationRig other;
    other.prompter.QueueFiles({dir.File("RUN.CL2")});
    ASSERT_EQ(other.logic.LoadSettings(), 1);
    const CalibrationFields& f = other.logic.Fields();
    EXPECT_DOUBLE_EQ(other.logic.Scale(), 3.0);
    EXPECT_EQ(std::make_tuple(f.scaleText, f.lengthUnit, f.timeUnit, f.interval, f.frameRate),
              std::make_tuple(std::string("3.000"), 4, 3, std::string("4"), std::string("250")));
    EXPECT_EQ(other.logic.Origin(), QPoint(10, 80));
    EXPECT_NEAR(other.logic.Angle(), rig.logic.Angle(), 1e-6);
    EXPECT_EQ(other.logic.DirectY(), rig.logic.DirectY());
    EXPECT_EQ(f.originText, "10,80");

    other.logic.Fields().interval = "7";
    other.prompter.QueueFiles({dir.File("MISSING.CL2")});
    EXPECT_EQ(other.logic.LoadSettings(), 0);
    EXPECT_EQ(other.logic.Fields().interval, "7");
    EXPECT_EQ(other.prompter.Texts(), (std::vector<std::string>{"文件打开失败。"}));
}

TEST(CalibrationTest, AcceptRefusesABadIntervalOrFrameRate) {
    const char* const interval = "读取间隔须为 1 到 32767 的整数。";
    const char* const rate = "拍摄帧数须为 1 到 32767 的整数。";
    const struct {
        const char *interval, *rate, *message;
    } cases[] = {{"abc", "30", interval},   {"0", "30", interval}, {"2.5", "30", interval},
                 {"2", "-4", rate},         {"2", "40000", rate},  {"2", "", rate},
                 {" +3 ", "32767", nullptr}};
    for (const auto& c : cases) {
        CalibrationRig rig;
        rig.Scale("50", "25", 5, -1, c.interval, c.rate);
        EXPECT_EQ(rig.logic.Accept(), c.message == nullptr);
        EXPECT_EQ(rig.prompter.Texts(),
                  c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{})
            << c.interval << "/" << c.rate;
        int frames = 0;
        rig.config.GetValue("Calibration2DFrames", &frames);
        EXPECT_EQ(frames, c.message ? 30 : 32767);
    }
}

// The stored scale reads back as the same value from KOVA.CFG and a .CL2.
TEST(CalibrationTest, ScaleReadsBackExactly) {
    for (auto [real, image, stored] : {std::tuple{"1000", "5", "200.000000"},
                                       {"1", "3", "0.3333333333333333"},
                                       {"0.0004", "7.071", "0.00005656908499505021"}}) {
        TempDir dir;
        CalibrationRig rig;
        rig.Scale(real, image, 4, 4, "1", "30");
        ASSERT_TRUE(rig.logic.Accept());
        rig.prompter.QueueFiles({dir.File("A.CL2")});
        ASSERT_EQ(rig.config.Save(dir.File("KOVA.CFG")) + rig.logic.SaveSettings(), 2);
        for (const char* name : {"KOVA.CFG", "A.CL2"}) {
            CCfgFile file;
            std::string text;
            file.Load(dir.File(name));
            file.GetValue("Calibration2DLength", &text);
            EXPECT_EQ(text, stored) << name;
        }
        CalibrationRig other;
        other.prompter.QueueFiles({dir.File("A.CL2")});
        ASSERT_EQ(other.logic.LoadSettings(), 1);
        EXPECT_EQ(other.logic.Scale(), std::strtod(real, nullptr) / std::strtod(image, nullptr));
    }
}

// The first key that is missing or no number is named; nothing is loaded.
TEST(CalibrationTest, SettingsFileWithoutNumbersIsRefused) {
    for (auto [text, key] :
         {std::pair{"Calibration2DLength 2.5x\n", "Calibration2DLength"},
          {"Calibration2DLength 2\n", "Calibration2DLengthUnit"},
          {"Calibration2DLength 2\nCalibration2DLengthUnit 1.5\n", "Calibration2DLengthUnit"}}) {
        TempDir dir;
        kova::test::WriteBytes(dir.File("BAD.CL2"), text);
        CalibrationRig rig;
        rig.prompter.QueueFiles({dir.File("BAD.CL2")});
        EXPECT_EQ(rig.logic.LoadSettings(), 0);
        EXPECT_EQ(rig.prompter.Texts(), std::vector<std::string>{dir.File("BAD.CL2") + " 中 " +
                                                                 key + " 缺失或不是数字。"});
        EXPECT_DOUBLE_EQ(rig.logic.Scale(), 1.0);
    }
}

// The button names a corner only while that corner is the origin.
TEST(CalibrationTest, CornerButtonFollowsALoadedOrigin) {
    TempDir dir;
    CalibrationRig rig;
    rig.logic.SetMouseMode(CalibrationMouseMode::Coordinates);
    rig.logic.Initialise(); // top left
    rig.prompter.QueueFiles({dir.File("A.CL2")});
    ASSERT_EQ(rig.logic.SaveSettings(), 1);
    for (auto [origin, text] : {std::pair{"0", "原点在左上"}, {"9", "初始化"}}) {
        rig.config.SetValue("Calibration2DOriginY", std::string(origin));
        rig.logic.InitWindow(); // the window opens again on this configuration
        EXPECT_EQ(rig.logic.CornerButtonText(), text);
    }
    rig.logic.Initialise(); // bottom left
    rig.prompter.QueueFiles({dir.File("A.CL2")});
    ASSERT_EQ(rig.logic.LoadSettings(), 1);
    EXPECT_EQ(rig.logic.CornerButtonText(), "初始化");
}

// "确定" with no measurement: nothing to save, so opening a result asks nothing.
TEST(CalibrationTest, AcceptWithoutMeasurementLeavesNothingModified) {
    CalibrationRig rig;
    MeasureDocument document(rig.prompter);
    rig.logic.SetTrackFile(&document.Track());
    rig.Scale("10", "5", 4, 4, "1", "30");
    ASSERT_TRUE(rig.logic.Accept());
    EXPECT_EQ(document.Track().GetHeader().scale, 2.0f);
    rig.prompter.QueueFileCancel();
    EXPECT_EQ(document.OpenResult(""), 0);
    EXPECT_TRUE(rig.prompter.Messages().empty());
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
