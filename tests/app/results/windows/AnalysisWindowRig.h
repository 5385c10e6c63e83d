#pragma once

#include "AnalysisControls.h"
#include "AnalysisFixtures.h"
#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CVideoCapDS.h"
#include "DisplayWindow.h"
#include "MeasureDocument.h"
#include "RecordingPrompter.h"
#include "ResultWindows.h"

#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

namespace kova::test {

// The common controls and the result windows of an analysis window, recorded.
template <typename Controls> struct Recorded : Controls, ResultWindows {
    void ReadControls(AnalysisFields* fields) override { *fields = shown; }
    void WriteControls(const AnalysisFields& fields) override { shown = fields; }
    void SetTargetEntries(const std::vector<std::string>& e) override { entries = e; }
    void ShowTable(const ResultTable& t) override {
        texts.push_back(t.title + "|" + Join(t.lines));
    }
    void ShowCharts(const ChartSet& set) override { charts.push_back(set); }
    void SetCurrentFrame(int /*frame*/) override {}
    void Close() override { closed = true; }

    AnalysisFields shown;
    std::vector<std::string> entries, texts;
    std::vector<ChartSet> charts;
    bool closed = false;
};

// The image window: counts the repaints asked for.
struct CountingWindow : DisplayWindow {
    bool IsAlive() const override { return true; }
    bool IsVisible() const override { return true; }
    void RepaintNow() override { ++repaints; }
    int repaints = 0;
};

// WALK in the document (frame 2: target 1 at (6, 8), target 2 at (2, 0)) on
// the image display, with the window open and active.
template <typename Logic, typename Window> struct WindowRig {
    WindowRig() {
        store.InitImageSys();
        FillWalk(&document.Track(), &document.Info());
        display.SetTrackFile(&document.Track());
        display.SetWindow(&image);
        logic.SetControls(&window);
        logic.InitWindow();
        logic.Activate();
    }
    ~WindowRig() { display.FreeWindow(&image); }
    // Another measurement in cm and ms, target t at points[t] in every frame,
    // announced as an editing window does.
    void Change(const std::vector<XY_TRACK>& points, int frames) {
        CDataClient editor;
        document.DataServer().LockData(&editor);
        std::vector<std::vector<XY_TRACK>> rows;
        for (const XY_TRACK& p : points)
            rows.emplace_back(static_cast<std::size_t>(frames), p);
        Fill("D:/n.TRK", Calib{1, 4, 1, 10, 3, 0, 0, 0, 1}, std::vector<std::string>(points.size()),
             rows, &document.Track(), &document.Info());
        if (frames == 0) document.Track().Clear();
        document.DataServer().UnLockData(&editor, 1);
    }
    void Click(int page, QPoint point) {
        display.SetPage(page);
        display.DoDisplayLButtonDown(1, point);
    }
    // The overlays painted over a blue image.
    QImage Painted() {
        QImage picture(24, 24, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QPainter painter(&picture);
        display.DoDisplayPaint(&painter);
        return picture;
    }
    // The text the analysis itself makes of `settings`, as recorded.
    template <typename Analysis, typename Settings> std::string Table(const Settings& settings) {
        RecordingPrompter silent;
        const AnalysisMeasurement measurement(document.Track(), document.Info());
        Analysis analysis(measurement, settings);
        EXPECT_TRUE(analysis.Run(silent));
        return logic.Title() + "|" + Join(analysis.TableLines());
    }
    // Both views are refused with `text`, and nothing has been handed over.
    void ExpectRefused(const char* text) {
        prompter.Clear();
        EXPECT_FALSE(logic.ViewData() || logic.ViewChart()) << text;
        EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{text, text}));
        EXPECT_TRUE(window.texts.empty() && window.charts.empty()) << text;
    }

    RecordingPrompter prompter;
    CFrameStore store;
    CVideoCapDS capture{store};
    CImageDisplay display{store, capture, prompter};
    CountingWindow image;
    MeasureDocument document{prompter};
    Window window;
    Logic logic{document, display, window};
};

struct Pixel {
    int x, y;
    QRgb colour;
};
template <std::size_t N> void ExpectPixels(const QImage& image, const Pixel (&pixels)[N]) {
    for (const Pixel& p : pixels)
        EXPECT_EQ(image.pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
}
constexpr QRgb kRed = qRgb(255, 0, 0), kWhite = qRgb(255, 255, 255), kBlue = qRgb(0, 0, 255);

} // namespace kova::test
