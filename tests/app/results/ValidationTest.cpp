#include "AnalysisFixtures.h"
#include "AngleAnalysis.h"
#include "DisplacementAnalysis.h"
#include "DistanceAnalysis.h"
#include "PositionAnalysis.h"
#include "RecordingPrompter.h"

#include <gtest/gtest.h>

using namespace kova::test;
using kova::MessageButtons;
using kova::MessageIcon;

namespace {

kova::Message Confirm(const char* text) {
    return {text, "确认", MessageIcon::Exclamation, MessageButtons::Ok};
}

// Runs an analysis and checks that exactly `expected` was shown and that
// nothing was computed.
template <typename Analysis, typename Settings>
void ExpectRefused(Fixture& f, const Settings& s, const kova::Message& expected) {
    kova::RecordingPrompter prompter;
    Analysis analysis(f.View(), s);
    EXPECT_FALSE(analysis.Run(prompter)) << expected.text;
    EXPECT_EQ(prompter.Messages(), std::vector<kova::Message>{expected});
    EXPECT_TRUE(analysis.TableLines().empty() && analysis.Charts().panels.empty()) << expected.text;
}

// Each of the four analyses, with settings that pass every other check.
void ExpectAllRefused(Fixture& f, const kova::Message& expected) {
    DistanceSettings d = DistanceAnalysis::Initial(f.View());
    d.pairs = {{0, 1, 0, 0}};
    AngleSettings a = AngleAnalysis::Initial(f.View());
    a.points = {0, 1, 2, -1};
    ExpectRefused<PositionAnalysis>(f, PositionAnalysis::Initial(f.View()), expected);
    ExpectRefused<DisplacementAnalysis>(f, DisplacementAnalysis::Initial(f.View()), expected);
    ExpectRefused<DistanceAnalysis>(f, d, expected);
    ExpectRefused<AngleAnalysis>(f, a, expected);
}

} // namespace

TEST(Validation, AMeasurementWithoutFramesIsRefusedFirst) {
    Fixture none("D:/e.TRK", Calib{1, 3, 1, 10, 4, 0, 0, 0, 1}, {"a", "b", "c"},
                 {{P(0, 0)}, {P(0, 0)}, {P(0, 0)}});
    none.track.Clear();
    ExpectAllRefused(none, Confirm("请打开文件。"));
}

TEST(Validation, ACalibrationWithoutTimeBaseIsRefusedBeforeDividingByZero) {
    Fixture f("D:/z.TRK", Calib{1, 3, 1, 0, 4, 0, 0, 0, 1}, {"a", "b", "c"},
              {{P(0, 0), P(1, 0)}, {P(1, 1), P(2, 2)}, {P(3, 0), P(0, 3)}});
    ExpectAllRefused(f, Confirm("帧数异常。"));
}

TEST(Validation, PositionMessagesInOrder) {
    auto f = MakeWalk();
    const PositionSettings good = PositionAnalysis::Initial(f->View());
    for (auto [lower, upper] : {std::pair{0, 2}, {3, 2}, {1, 4}}) {
        PositionSettings s = good;
        std::tie(s.range.lower, s.range.upper, s.range.smoothing) = std::tuple{lower, upper, -1};
        ExpectRefused<PositionAnalysis>(*f, s, Confirm("帧异常。")); // the range is checked first
    }
    PositionSettings s = good;
    s.range.targets.clear();
    s.range.smoothing = -1;
    ExpectRefused<PositionAnalysis>(*f, s, Confirm("请选择项目。"));
    s = good;
    s.range.items.clear();
    ExpectRefused<PositionAnalysis>(*f, s, Confirm("请选择项目。"));
    for (int passes : {-1, AnalysisRange::kMaxSmoothing + 1}) {
        s = good;
        s.range.smoothing = passes;
        ExpectRefused<PositionAnalysis>(*f, s, Confirm("平滑异常。"));
    }
}

TEST(Validation, DisplacementMessagesInOrder) {
    auto f = MakeWalk();
    const DisplacementSettings good = DisplacementAnalysis::Initial(f->View());
    DisplacementSettings s = good;
    s.range.items.clear();
    s.referenceFrame = 9;
    ExpectRefused<DisplacementAnalysis>(*f, s, Confirm("请选择项目。"));
    // A reference frame inside the measurement but outside the range.
    s = good;
    std::tie(s.range.lower, s.referenceFrame, s.range.smoothing) = std::tuple{2, 1, -1};
    ExpectRefused<DisplacementAnalysis>(*f, s, Confirm("基准帧异常。"));
    s.reference = ReferenceMode::Position; // only the reference frame mode checks it
    ExpectRefused<DisplacementAnalysis>(*f, s, Confirm("平滑异常。"));
    s = good;
    s.reference = ReferenceMode::Target; // no such reference target: nothing chosen
    s.referenceTarget = 2;
    s.range.smoothing = -1;
    ExpectRefused<DisplacementAnalysis>(*f, s, Confirm("请选择项目。"));
}

TEST(Validation, DistanceMessagesInOrder) {
    auto f = MakeWalk();
    const DistanceSettings good = DistanceAnalysis::Initial(f->View());
    // A pair whose target the measurement no longer has.
    DistanceSettings s = good;
    s.pairs = {{0, 1, 0, 0}, {1, 2, 1, 0}};
    s.range.smoothing = -1;
    ExpectRefused<DistanceAnalysis>(*f, s, Confirm("没有指定的目标。"));
    s.pairs.pop_back();
    ExpectRefused<DistanceAnalysis>(*f, s, Confirm("平滑异常。"));
    ExpectRefused<DistanceAnalysis>(*f, good, Confirm("请追加项目。"));
}

TEST(Validation, AngleMessagesAndPointCheck) {
    auto f = MakeSwing();
    AngleSettings good = AngleAnalysis::Initial(f->View());
    good.points = {0, 1, 2, -1};
    AngleSettings s = good;
    s.points = {0, 0, 0, 0}; // the points are checked last, the items first
    for (int passes : {-2, AnalysisRange::kMaxSmoothing + 1}) {
        s.range.smoothing = passes;
        ExpectRefused<AngleAnalysis>(*f, s, Confirm("平滑出错"));
    }
    s.range.items.clear();
    ExpectRefused<AngleAnalysis>(*f, s, Confirm("请选项。"));

    const kova::Message check{"坐标异常", "检查", MessageIcon::Exclamation, MessageButtons::Ok};
    using M = AngleMode;
    const std::pair<AngleMode, std::array<int, 4>> refused[] = {
        {M::ThreePoints, {0, 0, 2, -1}},  {M::ThreePoints, {0, 1, 0, -1}},
        {M::ThreePoints, {0, 1, -1, -1}}, {M::TwoLines, {0, 1, 1, 0}},
        {M::TwoLines, {0, 1, 0, 1}},      {M::TwoLines, {0, 1, 2, 2}},
        {M::TwoLines, {0, 1, 2, -1}},     {M::XAxis, {1, 1, -1, -1}},
        {M::YAxis, {0, -1, -1, -1}},      {M::XAxis, {0, 3, -1, -1}}};
    for (const auto& [mode, points] : refused) {
        s = good;
        std::tie(s.mode, s.points) = std::tie(mode, points);
        ExpectRefused<AngleAnalysis>(*f, s, check);
    }
}
