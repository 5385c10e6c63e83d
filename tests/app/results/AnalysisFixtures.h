#pragma once

#include "AnalysisMeasurement.h"
#include "CTrackFile2D.h"
#include "CTrackInfo2D.h"
#include "RecordingPrompter.h"
#include "TrackRecords.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

// Small measurements built by hand for the analysis tests, and their
// measurement summaries written out by hand.
namespace kova::test {

// The calibration of a measurement header.
struct Calib {
    float scale;
    int lengthUnit, interval, frameRate, timeUnit;
    float originX, originY, angle;
    int directY;
};

// Writes a measurement into a point table and its track information.
inline void Fill(const std::string& path, const Calib& c, const std::vector<std::string>& names,
                 const std::vector<std::vector<XY_TRACK>>& rows, CTrackFile2D* track,
                 CTrackInfo2D* info) {
    track->Create(static_cast<int>(rows.size()), static_cast<int>(rows.front().size()));
    MeasureHeader h;
    const auto s16 = [](int v) { return static_cast<std::int16_t>(v); };
    std::tie(h.scale, h.originX, h.originY, h.angle) =
        std::tie(c.scale, c.originX, c.originY, c.angle);
    std::tie(h.lengthUnit, h.interval, h.frameRate, h.timeUnit, h.directY) = std::make_tuple(
        s16(c.lengthUnit), s16(c.interval), s16(c.frameRate), s16(c.timeUnit), s16(c.directY));
    track->SetHeader(h);
    track->SetLastPath(path);
    for (std::size_t t = 0; t < rows.size(); ++t)
        for (std::size_t f = 0; f < rows[t].size(); ++f)
            track->SetPoint(static_cast<int>(t), static_cast<int>(f), &rows[t][f]);
    std::vector<std::string> n = names;
    info->SetTargetName(&n, static_cast<int>(names.size()));
}

// A measurement in memory: point table, track information, and the view the
// analyses read.
class Fixture {
public:
    Fixture() = default;
    Fixture(const std::string& path, const Calib& c, const std::vector<std::string>& names,
            const std::vector<std::vector<XY_TRACK>>& rows) {
        Fill(path, c, names, rows, &track, &info);
    }

    // Builds the analysis view (after the track information is complete).
    const AnalysisMeasurement& View() {
        view = std::make_unique<AnalysisMeasurement>(track, info);
        return *view;
    }

    CTrackFile2D track;
    CTrackInfo2D info;
    std::unique_ptr<AnalysisMeasurement> view;
};

inline XY_TRACK P(float x, float y, int status = 0) {
    return XY_TRACK{static_cast<std::int16_t>(status), x, y};
}

// WALK: 0.5 mm per pixel, 10 frames per second, no rotation; centre frame 2
// (index 1), event at frame 3; a Chinese name and a name of 10 bytes.
inline void FillWalk(CTrackFile2D* track, CTrackInfo2D* info) {
    Fill("D:/data/WALK.TRK", Calib{0.5f, 3, 1, 10, 4, 0.0f, 0.0f, 0.0f, 1}, {"头", "RightKnee1"},
         {{P(0, 0, 0), P(6, 8, 1), P(18, 24, 2)}, {P(2, 0, 0), P(2, 0, 3), P(2, 0, -1)}}, track,
         info);
    std::vector<int> colours = {1, 2, 3, 4};
    info->SetTargetColor(&colours, 2);
    info->SetValue("SceneCenter", 1);
    info->SetEvent({2}, {""});
}

inline std::unique_ptr<Fixture> MakeWalk() {
    auto f = std::make_unique<Fixture>();
    FillWalk(&f->track, &f->info);
    return f;
}

// The summary lines of an unturned calibration at the image's corner.
constexpr const char* kUnturned = "原点 X          ,        0.000\n"
                                  "原点 Y          ,        0.000\n"
                                  "旋转角          ,        0.000\n"
                                  "Y 轴方向        , 向右\n";

inline std::string WalkSummary() {
    return std::string("文件名          , D:/data/WALK.TRK\n"
                       "帧数            ,        3\n"
                       "目标数          ,        2\n"
                       "间隔            ,        1\n"
                       "帧数/单位时间   ,       10    帧/s\n"
                       "距离比例        ,        0.500mm/像素\n") +
           kUnturned;
}

// The rotation of TURN: a quarter turn as the header's float holds it.
constexpr float kQuarterTurn = 1.57079637f;

// TURN: origin (100, 50), X axis turned a quarter turn, Y axis mirrored,
// 2 mm per pixel, 100 camera frames per second read every third frame; a
// Chinese name and a name of 9 bytes; no centre, no events.
inline std::unique_ptr<Fixture> MakeTurn() {
    return std::make_unique<Fixture>(
        "D:/data/TURN.TRK", Calib{2.0f, 3, 3, 100, 4, 100.0f, 50.0f, kQuarterTurn, -1},
        std::vector<std::string>{"肘", "LongName9"},
        std::vector<std::vector<XY_TRACK>>{{P(110, 30), P(130, 20)}, {P(90, 60), P(80, 70)}});
}

inline const char* TurnSummary() {
    return "文件名          , D:/data/TURN.TRK\n"
           "帧数            ,        2\n"
           "目标数          ,        2\n"
           "间隔            ,        3\n"
           "帧数/单位时间   ,      100    帧/s\n"
           "距离比例        ,        2.000mm/像素\n"
           "原点 X          ,      100.000\n"
           "原点 Y          ,       50.000\n"
           "旋转角          ,       90.000\n"
           "Y 轴方向        , 向左\n";
}

// SWING: a shoulder fixed at (10, 0), the elbow at the origin, the wrist
// swinging to 0, 180, 0, 315 and 45 degrees; event at frame 4.
inline std::unique_ptr<Fixture> MakeSwing() {
    auto f = std::make_unique<Fixture>(
        "D:/data/SWING.TRK", Calib{1.0f, 3, 1, 10, 4, 0.0f, 0.0f, 0.0f, 1},
        std::vector<std::string>{"肩", "肘", "腕"},
        std::vector<std::vector<XY_TRACK>>{{P(10, 0), P(10, 0), P(10, 0), P(10, 0), P(10, 0)},
                                           {P(0, 0), P(0, 0), P(0, 0), P(0, 0), P(0, 0)},
                                           {P(10, 0), P(-10, 0), P(10, 0), P(10, -10), P(10, 10)}});
    f->info.SetEvent({3}, {""});
    return f;
}

inline std::string SwingSummary() {
    return std::string("文件名          , D:/data/SWING.TRK\n"
                       "帧数            ,        5\n"
                       "目标数          ,        3\n"
                       "间隔            ,        1\n"
                       "帧数/单位时间   ,       10    帧/s\n"
                       "距离比例        ,        1.000mm/像素\n") +
           kUnturned;
}

// Runs an analysis that must pass its checks.
template <typename Analysis, typename Settings> Analysis Ran(Fixture& f, const Settings& s) {
    kova::RecordingPrompter prompter;
    Analysis analysis(f.View(), s);
    EXPECT_TRUE(analysis.Run(prompter));
    EXPECT_TRUE(prompter.Messages().empty());
    return analysis;
}

inline std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line;
    return text;
}

inline std::string Dashes(int count) {
    return std::string(static_cast<std::size_t>(count), '-') + "\n";
}

} // namespace kova::test
