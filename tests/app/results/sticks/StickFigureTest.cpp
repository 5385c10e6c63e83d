#include "StickFigure.h"

#include "StickFigurePainter.h"
#include "StickListLogic.h"
#include "StickRig.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <tuple>

using namespace kova::test;

namespace {

struct RecordedList : StickListControls {
    void ReadListFields(StickListFields* f) override { *f = fields; }
    void WriteListFields(const StickListFields& f) override { fields = f; }
    void SetFrameEntries(const std::vector<std::string>& e) override { frames = e; }
    void EnableFigures(bool on) override { enabled = on; }
    void ShowFigures(const StickFigure&, const StickDrawing& d) override {
        shown.push_back(d.magnification);
    }
    StickListFields fields;
    std::vector<std::string> frames;
    bool enabled = false;
    std::vector<double> shown; // the magnifications
};

std::vector<XY_TRACK> Row(int frames, XY_TRACK point) {
    return std::vector<XY_TRACK>(static_cast<std::size_t>(frames), point);
}

// Three frames: target 1 moves right by 1, target 2 below it, target 3
// unreadable in frame 2.
struct ThreeFrames : StickRig {
    ThreeFrames()
        : StickRig({{P(4.7f, 5), P(5.7f, 5), P(6.7f, 5)},
                    {P(4, 15), P(5, 15), P(6, 15)},
                    {P(9, 15), P(std::numeric_limits<float>::quiet_NaN(), 0), P(9, 15)}}) {}
    StickFigure Build(int xStep, int yStep, std::vector<int> frames = {0, 1, 2}) {
        return StickFigure::Build(document.Track(), {{0, 1, 0}, {1, 2, 1}, {2, 5, 2}}, frames,
                                  xStep, yStep);
    }
};

using Ends = std::vector<std::tuple<std::int64_t, std::int64_t, std::int64_t, std::int64_t>>;
Ends EndsOf(const StickFigure& figure) {
    Ends ends;
    for (const StickSegment& s : figure.Segments())
        ends.emplace_back(s.x1, s.y1, s.x2, s.y2);
    return ends;
}

} // namespace

TEST(StickList, FrameSelectionAndViewRefuseAsTheDialogSays) {
    StickRig rig({Row(10, P(0, 0)), Row(10, P(10, 0))});
    RecordedList list;
    StickListLogic logic(rig.document);
    logic.SetControls(&list);
    logic.InitWindow();
    EXPECT_EQ(std::make_tuple(list.frames.size(), list.fields.selectedFrames.size(),
                              list.fields.end, list.enabled),
              std::make_tuple(10u, 10u, 10, true));
    const struct {
        int start, end, interval;
        const char* refusal;
        std::vector<int> selected;
    } selections[] = {
        {1, 10, 3, nullptr, {0, 3, 6, 9}}, {2, 2, 1, nullptr, {1}},
        {1, 10, 0, "移动幅度异常。", {1}}, {0, 5, 1, "帧异常", {1}},
        {5, 4, 1, "帧异常", {1}},          {1, 11, 1, "帧异常", {1}},
    };
    for (const auto& s : selections) {
        rig.prompter.Clear();
        std::tie(list.fields.start, list.fields.end, list.fields.interval) =
            std::tie(s.start, s.end, s.interval);
        EXPECT_EQ(logic.SelectFrames(), s.refusal == nullptr);
        EXPECT_EQ(rig.prompter.Texts(), Said(s.refusal));
        EXPECT_EQ(list.fields.selectedFrames, s.selected);
    }
    // Magnification, frames, then what is shown: ten figures 1000 apart
    // are 9051 wide, so 5 is reduced to 32767 / 9051.
    const double nan = std::nan("");
    const struct {
        double magnification;
        std::vector<int> frames;
        const char* message;
        double shown;
    } views[] = {
        {0, {0}, "倍率异常。", 0},
        {nan, {0}, "倍率异常。", 0},
        {1, {}, "没有帧。", 0},
        {2, {0, 9}, nullptr, 2},
        {5, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, "请改变比例在 3.62. 以下", 32767.0 / 9051},
    };
    list.fields.xStep = 1000;
    for (const auto& v : views) {
        rig.prompter.Clear();
        list.shown.clear();
        std::tie(list.fields.magnification, list.fields.selectedFrames) =
            std::tie(v.magnification, v.frames);
        EXPECT_EQ(logic.View(), v.shown > 0);
        EXPECT_EQ(rig.prompter.Texts(), Said(v.message));
        if (v.shown > 0) {
            EXPECT_DOUBLE_EQ(list.shown.at(0), v.shown);
        }
    }
    StickRig lone({Row(3, P(0, 0))});
    StickListLogic single(lone.document);
    single.SetControls(&list);
    single.InitWindow();
    EXPECT_EQ(std::make_tuple(lone.prompter.Texts(), list.enabled),
              std::make_tuple(Said("目标应至少有两个!"), false));
}

TEST(StickFigure, LayoutShiftsEachFrameTruncatesAndSkipsWhatCannotBeRead) {
    ThreeFrames rig;
    const StickFigure figure = rig.Build(10, 3);
    // The line to target 6 is never drawn, the one to target 3 not in frame 2.
    EXPECT_EQ(
        EndsOf(figure),
        (Ends{{4, 5, 4, 15}, {4, 15, 9, 15}, {15, 8, 15, 18}, {26, 11, 26, 21}, {26, 21, 29, 21}}));
    EXPECT_EQ(std::make_tuple(figure.OriginX(), figure.OriginY(), figure.Width(), figure.Height()),
              std::make_tuple(4, 5, 29 - 4 + 41, 21 - 5 + 41));
    // 70000 figures 32767 apart are wider than 32-bit positions reach.
    const StickFigure wide = rig.Build(32767, 0, std::vector<int>(70000, 0));
    EXPECT_EQ(wide.Width(), 69999LL * 32767 + 5 + 41);
    EXPECT_DOUBLE_EQ(wide.AllowedMagnification(1), 32767.0 / static_cast<double>(wide.Width()));
    EXPECT_EQ(StickFigure::Build(rig.document.Track(), {}, {0}, 10, 0).Width(), 41);
}

TEST(StickFigure, PaintsBorderBackgroundAndShiftedFiguresAtTheirPixels) {
    ThreeFrames rig;
    const StickFigure figure = rig.Build(10, 0);
    for (auto [magnification, white] : {std::pair{1.0, false}, {2.0, true}}) {
        QImage image;
        StickDrawing drawing;
        drawing.magnification = magnification;
        drawing.whiteBackground = white;
        ASSERT_TRUE(StickFigurePainter::Render(figure, drawing, &image, rig.prompter));
        const auto at = [&](int x, int y) { // content pixel (x, y) magnified
            return image.pixel(static_cast<int>(x * magnification),
                               static_cast<int>(y * magnification));
        };
        EXPECT_EQ(image.size(), QSize(static_cast<int>(std::ceil(66 * magnification)),
                                      static_cast<int>(std::ceil(51 * magnification))));
        const QRgb border = white ? kBlack : kWhite, fill = white ? kWhite : kBlack;
        // The red lines of frames 1 to 3 (target 1 moves a pixel a frame),
        // the green line of frame 1 from x = 20 to 25 at y = 30, none in
        // frame 2 (target 3 unreadable).
        ExpectPixels(at, {{0, 0, border},
                          {1, 1, fill},
                          {20, 25, kRed},
                          {31, 25, kRed},
                          {42, 25, kRed},
                          {23, 30, kGreen},
                          {33, 30, fill},
                          {45, 25, fill}});
        EXPECT_EQ(image.pixel(image.width() - 1, image.height() - 1), border);
    }
}

TEST(StickFigure, ACopyBitmapAbove16384PixelsIsRefused) {
    ThreeFrames rig;
    // Two figures `step` apart are step + 41 wide.
    const std::vector<kova::Message> refused{{"内存不足。", "错误"}};
    for (auto [step, allowed] : {std::pair{16343, true}, {16344, false}}) {
        rig.prompter.Clear();
        QImage image;
        const StickFigure figure =
            StickFigure::Build(rig.document.Track(), {{0, 0, 0}}, {0, 0}, step, 0);
        EXPECT_EQ(StickFigurePainter::Render(figure, StickDrawing(), &image, rig.prompter),
                  allowed);
        EXPECT_EQ(image.width(), allowed ? 16384 : 0);
        EXPECT_EQ(rig.prompter.Messages(), allowed ? std::vector<kova::Message>() : refused);
    }
}
