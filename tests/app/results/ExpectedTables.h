#pragma once

#include "AnalysisFixtures.h"

#include <string>

// Tables written out by hand for the fixtures, shared by the analysis tests
// and the command-line tests.
namespace kova::test::expected {

inline const char* PositionHeading5() {
    return "   帧,   ID,      时间,     名称,      (坐标X),      (坐标Y),   "
           "(移动距离),       (速度),     (加速度)\n";
}
inline const char* PositionUnits5() {
    return "     ,     ,         s,         ,           mm,           mm,           mm,"
           "         mm/s,       mm/s/s\n";
}

// WALK as the position window opens: by target, every target, five items.
inline std::string WalkPositionByTarget() {
    const std::string head = std::string("\n") + PositionHeading5() + PositionUnits5();
    return std::string("位置 / 速度\n") + Dashes(101) + WalkSummary() +
           "平滑次数        ,        0\n" + head +
           "    1,    1,    -0.100,       头,        0.000,        0.000,        -----,"
           "        -----,        -----\n"
           "    2,    1,     0.000,       头,        3.000,        4.000,        5.000,"
           "       50.000,        -----\n"
           "+   3,    1,     0.100,       头,        9.000,       12.000,       10.000,"
           "      100.000,      500.000\n"
           "     ,     ,          ,     平均,        4.000,        5.333,        7.500,"
           "       75.000,      500.000\n"
           "     ,     ,          ,     合计,        -----,        -----,       15.000,"
           "        -----,        -----\n" +
           head +
           "    1,    2,    -0.100, ********,        1.000,        0.000,        -----,"
           "        -----,        -----\n"
           "    2,    2,     0.000, ********,        1.000,        0.000,        0.000,"
           "        0.000,        -----\n"
           "+   3,    2,     0.100, ********,        1.000,        0.000,        0.000,"
           "        0.000,        0.000\n"
           "     ,     ,          ,     平均,        1.000,        0.000,        0.000,"
           "        0.000,        0.000\n"
           "     ,     ,          ,     合计,        -----,        -----,        0.000,"
           "        -----,        -----\n";
}

// WALK frames 2 to 3 by frame, distance and error number.
inline std::string WalkPositionByFrame() {
    const std::string head = "\n   帧,   ID,      时间,     名称,   (移动距离),    (错误序号)\n"
                             "     ,     ,         s,         ,           mm,             \n";
    return std::string("位置 / 速度\n") + Dashes(59) + WalkSummary() +
           "平滑次数        ,        0\n" + head +
           "    2,    1,     0.000,       头,        -----,            1\n"
           "    2,    2,     0.000, ********,        -----,            3\n"
           "     ,     ,          ,     平均,        -----,        -----\n"
           "     ,     ,          ,     合计,        -----,        -----\n" +
           head +
           "+   3,    1,     0.100,       头,       10.000,            2\n"
           "+   3,    2,     0.100, ********,        0.000,           -1\n"
           "     ,     ,          ,     平均,        5.000,        -----\n"
           "     ,     ,          ,     合计,       10.000,        -----\n";
}

inline std::string DisplacementHead(const std::string& rule) {
    return rule + "   帧,   ID,      时间,     名称,            X,            Y,       绝对值\n" +
           "     ,     ,         s,         ,           cm,           cm,           cm\n" + rule;
}

// TURN in cm from reference frame 1, by target.
inline std::string TurnFromFrame() {
    const std::string rule = Dashes(73);
    return std::string("位移量 (基准帧 1)\n") + rule + TurnSummary() +
           "平滑次数        ,        0\n\n" + DisplacementHead(rule) +
           "    1,    1,     0.000,       肘,        0.000,        0.000,        0.000\n"
           "    2,    1,     0.030,       肘,        2.000,       -4.000,        4.472\n" +
           DisplacementHead(rule) +
           "    1,    2,     0.000, ********,        0.000,        0.000,        0.000\n"
           "    2,    2,     0.030, ********,       -2.000,        2.000,        2.828\n";
}

// TURN in cm from the origin (100, 50), by frame: the positions.
inline std::string TurnFromPosition() {
    const std::string rule = Dashes(73);
    return std::string("位移量 (基准位置 100, 50)\n") + rule + TurnSummary() +
           "平滑次数        ,        0\n\n" + DisplacementHead(rule) +
           "    1,    1,     0.000,       肘,        4.000,       -2.000,        4.472\n"
           "    1,    2,     0.000, ********,       -2.000,        2.000,        2.828\n" +
           DisplacementHead(rule) +
           "    2,    1,     0.030,       肘,        6.000,       -6.000,        8.485\n"
           "    2,    2,     0.030, ********,       -4.000,        4.000,        5.657\n";
}

// TURN in cm, absolute value only, from reference target 1.
inline std::string TurnFromTarget() {
    const std::string rule = Dashes(45);
    const std::string head = rule + "   帧,   ID,      时间,     名称,       绝对值\n" +
                             "     ,     ,         s,         ,           cm\n" + rule;
    return std::string("位移量 (基准目标 1)\n") + rule + TurnSummary() +
           "平滑次数        ,        0\n\n" + head +
           "    1,    1,     0.000,       肘,        0.000\n"
           "    2,    1,     0.030,       肘,        0.000\n" +
           head +
           "    1,    2,     0.000, ********,        7.211\n"
           "    2,    2,     0.030, ********,       14.142\n";
}

// TURN in cm, pair 1-2.
inline std::string TurnDistance() {
    const std::string rule = Dashes(36);
    return std::string("2点间距离\n") + rule + TurnSummary() + "平滑次数,        0\n\n" + rule +
           "距离单位(cm)\n"
           " 帧,    时间,               1 - 2\n"
           "    ,         s,      肘 - LongName9\n" +
           rule +
           "    1,     0.000,               7.211\n"
           "    2,     0.030,              14.142\n" +
           rule + " 平均,          ,              10.677\n";
}

// WALK, pairs 2-1 and 1-2, one smoothing pass: distances 1, 4.472, 14.422
// smoothed to 1, (1 + 14.422) / 4 + 4.472 / 2 = 6.092, 14.422.
inline std::string WalkDistanceSmoothed() {
    const std::string rule = Dashes(57);
    return std::string("2点间距离\n") + rule + WalkSummary() + "平滑次数,        1\n\n" + rule +
           "距离单位(mm)\n"
           " 帧,    时间,               2 - 1,               1 - 2\n"
           "    ,         s,     RightKnee1 - 头,     头 - RightKnee1\n" +
           rule +
           "    1,    -0.100,               1.000,               1.000\n"
           "    2,     0.000,               6.092,               6.092\n"
           "+   3,     0.100,              14.422,              14.422\n" +
           rule + " 平均,          ,               7.171,               7.171\n";
}

inline std::string AnglePreamble(const std::string& title, int rule) {
    return title + Dashes(rule) + SwingSummary() + "平滑次数        ,        0\n\n" + Dashes(rule);
}
inline const char* AngleHead4() {
    return "  帧 ,      时间,         角度,     角度变位,       角速度,     角加速度\n"
           "     ,         s,          deg,          deg,        deg/s,      deg/s/s\n";
}

// SWING at the elbow, every item: 0 -> 180 is +180 and 180 -> 0 is -180
// (both kept); 0 -> 315 becomes -45; 315 -> 45 becomes +90.
inline std::string SwingAngle() {
    return AnglePreamble("3点间角度 (1:肩, 2:肘, 3:腕)\n", 71) + AngleHead4() + Dashes(71) +
           "    1,     0.000,        0.000,        0.000,        -----,        -----\n"
           "    2,     0.100,      180.000,      180.000,     1800.000,        -----\n"
           "    3,     0.200,        0.000,        0.000,    -1800.000,   -36000.000\n"
           "+   4,     0.300,      315.000,      -45.000,     -450.000,    13500.000\n"
           "    5,     0.400,       45.000,       45.000,      900.000,    13500.000\n" +
           Dashes(71) +
           " 平均,          ,      108.000,        -----,      112.500,    -3000.000\n";
}

// The same on the other side, angle and cumulative change only.
inline std::string SwingAngleOtherSide() {
    return AnglePreamble("3点间角度 (1:肩, 2:肘, 3:腕)(逆侧)\n", 43) +
           "  帧 ,      时间,         角度,     角度变位\n"
           "     ,         s,          deg,          deg\n" +
           Dashes(43) +
           "    1,     0.000,        0.000,        0.000\n"
           "    2,     0.100,      180.000,      180.000\n"
           "    3,     0.200,        0.000,        0.000\n"
           "+   4,     0.300,       45.000,       45.000\n"
           "    5,     0.400,      315.000,      -45.000\n" +
           Dashes(43) + " 平均,          ,      108.000,        -----\n";
}

} // namespace kova::test::expected
