#include "ConnectionLines.h"
#include "OverlayPainter.h"
#include "ReplayRig.h"
#include "ReplayScene.h"
#include "ScaleBar.h"

#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using kova::test::FillWalk;
using Picture = std::vector<std::string>;

// Pixels as letters: '.' black, 'R' red, 'G' green, 'B' blue, 'W' white,
// '?' anything else.
char Letter(QRgb pixel) {
    switch (pixel & 0xFFFFFF) {
    case 0x000000:
        return '.';
    case 0xFF0000:
        return 'R';
    case 0x00FF00:
        return 'G';
    case 0x0000FF:
        return 'B';
    case 0xFFFFFF:
        return 'W';
    default:
        return '?';
    }
}

Picture PictureOf(const QImage& image) {
    Picture rows;
    for (int y = 0; y < image.height(); ++y) {
        rows.emplace_back();
        for (int x = 0; x < image.width(); ++x)
            rows.back() += Letter(image.pixel(x, y));
    }
    return rows;
}

// The walk's 24 x 12 frame, black except for two rows.
Picture Rows(const std::string& row2, const std::string& row8) {
    Picture rows(12, std::string(24, '.'));
    rows[2] = row2;
    rows[8] = row8;
    return rows;
}

struct Walk {
    Walk() { FillWalk(document); }
    ReplayScene Scene(const ReplaySettings& settings) {
        return ReplayScene::Build(document.Track(), document.Info(), settings, {0, 1, 2, 3, 4},
                                  {0, 1}, QSize(24, 12));
    }
    QImage Paint(OverlayPainter& painter, const ReplayScene& scene, int frame) {
        QImage image(24, 12, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter p(&image);
        painter.Paint(p, scene, frame);
        return image;
    }
    QImage Paint(const ReplaySettings& settings, int frame) {
        OverlayPainter painter(tools);
        return Paint(painter, Scene(settings), frame);
    }

    kova::RecordingPrompter prompter;
    MeasureDocument document{prompter};
    DrawingTools tools;
};

ReplaySettings Plain(TrajectorySpan span, bool trajectories = true, bool lines = false,
                     LineSpan lineSpan = LineSpan::Afterimage) {
    ReplaySettings s;
    s.numbers = s.marks = false;
    s.trajectories = trajectories;
    s.span = span;
    s.lines = lines;
    s.lineSpan = lineSpan;
    return s;
}

TEST(ReplayOverlay, MatchesTheDrawnPictures) {
    const std::string none(24, '.');
    const Picture everything = Rows("..RRRRRRRRRRRRRRRRR.....", "..GGGGG.......GGGGG.....");
    Picture figures(12, std::string(24, '.'));
    for (int y = 2; y <= 8; ++y)
        figures[static_cast<std::size_t>(y)] = "..B...B.......B.........";
    const struct {
        const char* name;
        ReplaySettings settings;
        int frame;
        Picture want;
    } cases[] = {
        {"afterimage, frame 3", Plain(TrajectorySpan::Afterimage), 2,
         Rows("..RRRRRRRRR.............", "..GGGGG.................")},
        // Status 4 in frame 3 leaves out both segments that touch it.
        {"afterimage, last frame", Plain(TrajectorySpan::Afterimage), 4, everything},
        {"all, first frame", Plain(TrajectorySpan::All), 0, everything},
        // There is no next frame for a vector from the last one.
        {"vector, last frame", Plain(TrajectorySpan::VectorOnly), 4, Rows(none, none)},
        {"lines up to frame 4", Plain(TrajectorySpan::All, false, true), 3, figures},
        {"current line, frame 3", Plain(TrajectorySpan::All, false, true, LineSpan::Current), 2,
         Rows(none, none)},
    };
    for (const auto& c : cases) {
        Walk walk;
        ConnectionLines::Write(walk.document.Info(), {{0, 1, 2}});
        EXPECT_EQ(PictureOf(walk.Paint(c.settings, c.frame)), c.want) << c.name;
    }
}

TEST(ReplayOverlay, VectorsPointAtTheNextFrameScaledByTheMultiple) {
    Walk walk;
    ReplaySettings s = Plain(TrajectorySpan::VectorOnly);
    s.vectorMultiple = 2.0;
    // Frame 2 to frame 3 doubled: from x 6 to x 14 on y 2, the head at 14.
    const Picture got = PictureOf(walk.Paint(s, 1));
    EXPECT_EQ(got[2].substr(0, 16), "......RRRRRRRRR.");
    EXPECT_EQ(got[1][10], 'R') << "the filled head";
    EXPECT_EQ(got[8], std::string(24, '.')) << "frame 2 to 3 touches status 4";
    // Among all frames with marks, the current vector is white on black.
    s.span = TrajectorySpan::All;
    s.kind = TrajectoryKind::Vectors;
    s.marks = true;
    EXPECT_EQ(PictureOf(walk.Paint(s, 1))[2][12], 'W');
}

TEST(ReplayOverlay, TheKeptLayerDrawsAsAFreshOne) {
    Walk walk;
    ConnectionLines::Write(walk.document.Info(), {{0, 1, 2}});
    const ReplayScene scene =
        walk.Scene(Plain(TrajectorySpan::Afterimage, true, true, LineSpan::Afterimage));
    OverlayPainter kept(walk.tools);
    for (int frame : {0, 1, 2, 3, 4, 1, 4, 0}) {
        OverlayPainter fresh(walk.tools);
        EXPECT_EQ(walk.Paint(kept, scene, frame), walk.Paint(fresh, scene, frame)) << frame;
    }
}

TEST(ReplayOverlay, TargetLooksAreLimitedToThePenTables) {
    kova::RecordingPrompter prompter;
    MeasureDocument document(prompter);
    FillWalk(document, {9, 7, -3, 0});
    const ReplayScene scene = ReplayScene::Build(document.Track(), document.Info(),
                                                 ReplaySettings(), {0}, {0, 1}, QSize(24, 12));
    EXPECT_EQ(scene.colours, (std::vector<int>{6, 0}));
    EXPECT_EQ(scene.styles, (std::vector<int>{4, 0}));
}

TEST(ReplayScaleBar, RoundsAndStopsAtTheUnitTable) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double worth;
        int unit;
        int pixels;
        const char* label;
    } cases[] = {
        {32.0, 3, 46, "3cm"},   {50.0, 3, 50, "5cm"},      {0.004, 3, 50, "4um"},
        {96.0, 2, 52, "100um"}, {9.6, 3, 52, "1cm"},       {999.0, 5, 50, "1km"},
        {2e-7, 0, 50, "0pm"},   {5e6, 6, 50, "5000000km"}, {0.0, 3, 0, ""},
        {-1.0, 3, 0, ""},       {nan, 3, 0, ""},           {inf, 3, 0, ""},
        {1.0, 7, 0, ""},
    };
    for (const auto& c : cases) {
        const ScaleBar bar = ScaleBar::For(c.worth, c.unit);
        EXPECT_EQ(bar.pixels, c.pixels) << c.worth;
        if (bar.Shown()) {
            EXPECT_EQ(bar.Label(), c.label) << c.worth;
        }
    }
}

} // namespace
