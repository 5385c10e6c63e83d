#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CVideoCapDS.h"
#include "ExpectedTables.h"
#include "MeasureDocument.h"
#include "PositionWindowLogic.h"
#include "RecordingPrompter.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace kova::test;

namespace {

// The window's controls and its result windows, recorded.
struct RecordedWindow : AnalysisControls, ResultWindows {
    void ReadControls(AnalysisFields* fields) override { *fields = shown; }
    void WriteControls(const AnalysisFields& fields) override { shown = fields; }
    void SetTargetEntries(const std::vector<std::string>& e) override { entries = e; }
    void ShowTable(const ResultTable& table) override {
        texts.push_back(table.title + "|" + Join(table.lines));
    }
    void ShowCharts(const ChartSet& set) override { charts.push_back(set); }
    void SetCurrentFrame(int frame) override { currentFrame = frame; }
    void Close() override { closed = true; }

    AnalysisFields shown;
    std::vector<std::string> entries;
    std::vector<std::string> texts;
    std::vector<ChartSet> charts;
    bool closed = false;
    int currentFrame = -1;
};

// WALK in the document, shown on the image display, its window open.
struct WindowRig {
    WindowRig() {
        store.InitImageSys();
        FillWalk(&document.Track(), &document.Info());
        display.SetTrackFile(&document.Track());
        logic.SetControls(&window);
        logic.InitWindow();
        logic.Activate();
    }
    // Another measurement, announced as an editing window does.
    void Change(int targets, int frames) {
        CDataClient editor;
        document.DataServer().LockData(&editor);
        Fill("D:/n.TRK", Calib{1, 4, 1, 10, 3, 0, 0, 0, 1}, std::vector<std::string>(targets),
             std::vector<std::vector<XY_TRACK>>(targets, std::vector<XY_TRACK>(frames)),
             &document.Track(), &document.Info());
        if (frames == 0) document.Track().Clear();
        document.DataServer().UnLockData(&editor, 1);
    }
    const std::vector<int>& Selected() const { return window.shown.range.targets; }
    // The overlays of the display painted over a blue image.
    QImage Painted() {
        QImage image(24, 24, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QPainter painter(&image);
        display.DoDisplayPaint(&painter);
        return image;
    }

    kova::RecordingPrompter prompter;
    kova::CFrameStore store;
    kova::CVideoCapDS capture{store};
    CImageDisplay display{store, capture, prompter};
    MeasureDocument document{prompter};
    RecordedWindow window;
    PositionWindowLogic logic{document, display, window};
};

auto Tuple(const AnalysisRange& r) {
    return std::make_tuple(r.lower, r.upper, r.lengthUnit, r.timeUnit, r.smoothing, r.targets,
                           r.items, r.grouping == Grouping::ByTarget);
}

} // namespace

TEST(AnalysisWindow, RegistersOnOpenAndActivationAndReleasesWhenGone) {
    WindowRig rig;
    CDisplayClient earlier;
    rig.display.CatchPaint(&earlier);
    rig.logic.Activate(); // painted last, on top
    EXPECT_EQ(rig.display.FirstPaintClient(), &earlier);
    rig.logic.Destroyed();
    EXPECT_EQ(std::make_tuple(rig.window.closed, rig.logic.IsPaintLinked(),
                              rig.display.EasyMouseClient(),
                              static_cast<CDataClient&>(rig.logic).IsWatchLinked()),
              std::make_tuple(true, nullptr, nullptr, nullptr));
    rig.display.ReleasePaint(&earlier);
}

TEST(AnalysisWindow, OpensWithTheMeasurementAndDataChangesResetTheRangeOnly) {
    WindowRig rig;
    EXPECT_EQ(rig.window.entries, (std::vector<std::string>{"目标1", "目标2"}));
    AnalysisRange& shown = rig.window.shown.range;
    shown = {2, 2, 0, 3, 5, {1}, {4}, Grouping::ByFrame};
    rig.Change(3, 4); // in cm and ms
    EXPECT_EQ(rig.window.entries, (std::vector<std::string>{"目标1", "目标2", "目标3"}));
    EXPECT_EQ(Tuple(shown), Tuple({1, 4, 0, 3, 5, {0, 1, 2}, {4}, Grouping::ByFrame}));
    rig.logic.InitWindow(); // a fresh window takes the calibration's units
    EXPECT_EQ(Tuple(shown), Tuple({1, 4, 4, 3, 0, {0, 1, 2}, {0, 1, 2, 3, 4}, Grouping::ByTarget}));
    rig.Change(1, 0);
    EXPECT_TRUE(rig.window.entries.empty());
    EXPECT_EQ(Tuple(shown), Tuple({0, 0, 4, 3, 0, {}, {0, 1, 2, 3, 4}, Grouping::ByTarget}));
}

TEST(AnalysisWindow, ClicksToggleTheNearestTargetOfTheFrameOnShow) {
    WindowRig rig;
    // Frame 2 holds target 1 at (6, 8) and target 2 at (2, 0).
    const std::tuple<int, QPoint, std::vector<int>> clicks[] = {
        {2, {5, 7}, {1}},    {2, {5, 7}, {0, 1}}, {2, {4, 4}, {1}}, // a tie: the first
        {2, {2, 1}, {}},     {4, {2, 1}, {}},                       // no such frame
        {1, {100, 100}, {1}}}; // frame 1: target 2 at (2, 0) is nearer
    for (const auto& [page, click, selected] : clicks) {
        rig.display.SetPage(page);
        rig.display.DoDisplayLButtonDown(1, click);
        EXPECT_EQ(rig.Selected(), selected) << click.x() << "," << click.y();
    }
    for (const std::vector<int>& all : {std::vector<int>{0, 1}, std::vector<int>{}}) {
        rig.logic.ToggleAllTargets();
        EXPECT_EQ(rig.Selected(), all);
    }
}

TEST(AnalysisWindow, MarksAreRedWhiteCirclesAtTheTruncatedPoints) {
    WindowRig rig;
    const XY_TRACK point{0, 10.9f, 12.9f};
    rig.document.Track().SetPoint(0, 1, &point);
    rig.display.SetPage(2);
    const QImage image = rig.Painted();
    const QRgb red = qRgb(255, 0, 0), white = qRgb(255, 255, 255), blue = qRgb(0, 0, 255);
    const struct {
        int x, y;
        QRgb colour;
    } pixels[] = {{10, 12, white}, {8, 12, red},  {12, 12, red},  {10, 14, red},
                  {7, 12, blue},   {10, 9, blue}, {10, 15, blue}, {2, 0, white}};
    for (const auto& p : pixels)
        EXPECT_EQ(image.pixel(p.x, p.y), p.colour) << p.x << "," << p.y;

    rig.display.SetPage(4); // no such frame: nothing
    EXPECT_EQ(rig.Painted().pixel(10, 12), blue);
    rig.display.SetPage(2);
    rig.logic.SetShowMarks(false);
    EXPECT_EQ(rig.Painted().pixel(10, 12), blue);
}

TEST(AnalysisWindow, ResultsAreHandedOverOnlyWhenTheChecksPass) {
    WindowRig rig;
    rig.window.shown.range.smoothing = -1;
    EXPECT_FALSE(rig.logic.ViewData() || rig.logic.ViewChart());
    EXPECT_EQ(rig.prompter.Texts(), (std::vector<std::string>{"平滑异常。", "平滑异常。"}));
    EXPECT_TRUE(rig.window.texts.empty() && rig.window.charts.empty());

    rig.window.shown.range.smoothing = 0;
    ASSERT_TRUE(rig.logic.ViewData());
    EXPECT_EQ(rig.window.texts,
              std::vector<std::string>{"位置 / 速度|" + expected::WalkPositionByTarget()});
    rig.window.shown.range.items = {3};
    ASSERT_TRUE(rig.logic.ViewChart());
    ASSERT_EQ(rig.window.charts.size(), 1u);
}
