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
using Texts = std::vector<std::string>;

constexpr double kPi = 3.14159265358979323846;

// The keys of `config` as text, joined by blanks.
std::string Keys(CCfgFile& config, std::initializer_list<const char*> names) {
    std::string all;
    for (const char* name : names) {
        std::string value;
        config.GetValue(name, &value);
        all += value + " ";
    }
    return all;
}

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
        std::tie(f.realDistance, f.imageDistance, f.lengthUnit) = std::tie(real, image, lengthUnit);
        if (timeUnit >= 0) f.timeUnit = timeUnit;
        std::tie(f.interval, f.frameRate) = std::tie(interval, rate);
        logic.ComputeScale();
    }
    void Clicks(std::initializer_list<QPoint> points) {
        logic.SetMouseMode(CalibrationMouseMode::Coordinates);
        for (QPoint p : points)
            logic.OnDisplayLButtonDown(1, p);
    }
    void Drag(QPoint from, QPoint to) {
        logic.OnDisplayLButtonDown(1, from);
        logic.OnDisplayMouseMove(1, (from + to) / 2);
        logic.OnDisplayMouseMove(1, to);
        logic.OnDisplayLButtonUp(0, to);
    }
    auto Axes() {
        const CalibrationFields& f = logic.Fields();
        return std::make_tuple(logic.Origin(), logic.Angle(), logic.DirectY(), f.originText,
                               f.directionText);
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
    rig.Drag(QPoint(10, 10), QPoint(13, 14));
    rig.logic.OnDisplayMouseMove(0, QPoint(100, 100)); // after the release: nothing
    EXPECT_EQ(std::tie(rig.logic.Fields().imageDistance, rig.logic.Fields().scaleText),
              std::make_tuple("5.000", "200.000"));
    EXPECT_TRUE(rig.prompter.Messages().empty());
}

// A refused distance: once per press of "计算比例" and once per drag (null:
// the drag's own image distance makes the scale). The typed texts stay.
TEST(CalibrationTest, BadDistanceIsRefusedOnce) {
    const char* const bad = "输入间隔小于零。";
    const struct {
        const char *real, *image, *pressed, *dragged;
    } cases[] = {{"0", "1", bad, bad},
                 {"abc", "1", "实际距离“abc”不是数字。", "实际距离“abc”不是数字。"},
                 {"5", "1.5x", "图像距离“1.5x”不是数字。", nullptr}};
    for (const auto& c : cases) {
        CalibrationRig rig;
        rig.logic.Fields().realDistance = c.real;
        rig.logic.Fields().imageDistance = c.image;
        EXPECT_EQ(rig.logic.ComputeScale(), 0);
        rig.Drag(QPoint(10, 10), QPoint(40, 10));
        rig.Drag(QPoint(10, 10), QPoint(40, 10));
        Texts expected{c.pressed};
        if (c.dragged) expected.insert(expected.end(), 2, c.dragged);
        EXPECT_EQ(rig.prompter.Texts(), expected) << c.real;
        EXPECT_DOUBLE_EQ(rig.logic.Scale(), c.dragged ? 1.0 : 5.0 / 30);
        EXPECT_EQ(rig.logic.Fields().realDistance, c.real);
    }
}

TEST(CalibrationTest, ThreeClicksSetTheAxesARightClickUndoesTheLast) {
    CalibrationRig rig;
    rig.Clicks({QPoint(100, 100), QPoint(200, 100), QPoint(100, 200)});
    EXPECT_EQ(rig.Axes(), std::make_tuple(QPoint(100, 200), 0.0, -1, "100,200", "向左"));
    rig.logic.OnDisplayRButtonDown(2, QPoint(0, 0));
    EXPECT_EQ(rig.logic.ClickState(), 2);
    rig.logic.OnDisplayLButtonDown(1, QPoint(150, 50));
    EXPECT_EQ(std::make_pair(rig.logic.Origin(), rig.logic.DirectY()),
              std::make_pair(QPoint(150, 50), 1));
}

TEST(CalibrationTest, CornerCycle) {
    CalibrationRig rig;
    rig.logic.SetMouseMode(CalibrationMouseMode::Coordinates);
    const std::tuple<QPoint, double, int, std::string> cycle[4] = {
        {QPoint(0, 0), 0.0, 1, "原点在左上"},
        {QPoint(0, 479), 0.0, -1, "原点在左下"},
        {QPoint(639, 479), kPi, 1, "原点在右下"},
        {QPoint(639, 0), kPi, -1, "原点在右上"}};
    for (const auto& step : cycle) {
        rig.logic.Initialise();
        EXPECT_EQ(std::make_tuple(rig.logic.Origin(), rig.logic.Angle(), rig.logic.DirectY(),
                                  rig.logic.CornerButtonText()),
                  step);
    }
    EXPECT_EQ(rig.logic.Fields().angleText, "180.000 度");
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
    EXPECT_EQ(
        Keys(rig.config, {"Calibration2DLength", "Calibration2DOriginY", "Calibration2DDirectY",
                          "Calibration2DLengthUnit", "Calibration2DFrames"}),
        "2.000000 479 -1 5 60 ");
    EXPECT_EQ(rig.track.IsModified(), 1);
    CCfgFile header;
    rig.track.GetCalibration(&header);
    EXPECT_EQ(Keys(header, {"Calibration2DOriginY"}), "479.000000 ");
}

TEST(CalibrationTest, SettingsFileRoundTripAndUnreadableFile) {
    TempDir dir;
    CalibrationRig rig;
    rig.Scale("30", "10", 4, 3, "4", "250");
    rig.Clicks({QPoint(10, 20), QPoint(40, 50), QPoint(10, 80)});
    rig.prompter.QueueFiles({dir.File("RUN.CL2")});
    ASSERT_EQ(rig.logic.SaveSettings(), 1);

    CalibrationRig other;
    other.prompter.QueueFiles({dir.File("RUN.CL2")});
    ASSERT_EQ(other.logic.LoadSettings(), 1);
    const CalibrationFields& f = other.logic.Fields();
    EXPECT_EQ(std::tie(f.scaleText, f.lengthUnit, f.timeUnit, f.interval, f.frameRate),
              std::make_tuple("3.000", 4, 3, "4", "250"));
    EXPECT_EQ(other.Axes(), rig.Axes());

    other.logic.Fields().interval = "7";
    other.prompter.QueueFiles({dir.File("MISSING.CL2")});
    EXPECT_EQ(other.logic.LoadSettings(), 0);
    EXPECT_EQ(other.logic.Fields().interval, "7");
    EXPECT_EQ(other.prompter.Texts(), Texts{"文件打开失败。"});
}

TEST(CalibrationTest, AcceptRefusesABadIntervalOrFrameRate) {
    const char* const interval = "读取间隔须为 1 到 32767 的整数。";
    const char* const rate = "拍摄帧数须为 1 到 32767 的整数。";
    const struct {
        const char *interval, *rate, *message;
    } cases[] = {{"abc", "30", interval},
                 {"0", "30", interval},
                 {"2", "32768", rate},
                 {"2", "", rate},
                 {" +3 ", "32767", nullptr}};
    for (const auto& c : cases) {
        CalibrationRig rig;
        rig.Scale("50", "25", 5, -1, c.interval, c.rate);
        EXPECT_EQ(rig.logic.Accept(), c.message == nullptr);
        EXPECT_EQ(rig.prompter.Texts(), c.message ? Texts{c.message} : Texts{})
            << c.interval << "/" << c.rate;
        EXPECT_EQ(Keys(rig.config, {"Calibration2DFrames"}), c.message ? "30 " : "32767 ");
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
            file.Load(dir.File(name));
            EXPECT_EQ(Keys(file, {"Calibration2DLength"}), std::string(stored) + " ") << name;
        }
        CalibrationRig other;
        other.prompter.QueueFiles({dir.File("A.CL2")});
        ASSERT_EQ(other.logic.LoadSettings(), 1);
        EXPECT_EQ(other.logic.Scale(), std::strtod(real, nullptr) / std::strtod(image, nullptr));
    }
}

// The first key that is missing or no number is named; nothing is loaded.
TEST(CalibrationTest, SettingsFileWithoutNumbersIsRefused) {
    for (auto [text, key] : {std::pair{"Calibration2DLength 2.5x\n", "Calibration2DLength"},
                             {"Calibration2DLength 2\n", "Calibration2DLengthUnit"}}) {
        TempDir dir;
        kova::test::WriteBytes(dir.File("BAD.CL2"), text);
        CalibrationRig rig;
        rig.prompter.QueueFiles({dir.File("BAD.CL2")});
        EXPECT_EQ(rig.logic.LoadSettings(), 0);
        EXPECT_EQ(rig.prompter.Texts(),
                  Texts{dir.File("BAD.CL2") + " 中 " + key + " 缺失或不是数字。"});
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
    for (int users : {1, 2, 1, 0, 0}) { // a turn-on counter that stops at 0
        users > axes.Users() ? axes.TurnOn(640, 480) : axes.TurnOff();
        EXPECT_EQ(std::make_pair(axes.IsShown(), axes.Users()), std::make_pair(users > 0, users));
    }
    // Y direction -1 with the X axis turned by 90 degrees: X up, Y left.
    axes.Compute(100, 100, kPi / 2, -1, 50);
    EXPECT_EQ(std::make_pair(axes.PositiveX().p2(), axes.PositiveY().p2()),
              std::make_pair(QPoint(100, 50), QPoint(50, 100)));
}

} // namespace
