#pragma once

#include "AnalysisControls.h"
#include "AnalysisMeasurement.h"
#include "CDataClient.h"
#include "CDisplayClient.h"
#include "ResultWindows.h"

#include <QPoint>
#include <string>

class CImageDisplay;
class MeasureDocument;
class QColor;
namespace kova {
class Prompter;
}

// The logic every analysis window shares. It watches the measurement
// (a data change refills the target list and resets the range) and works on
// the image window (a click picks the nearest target, "显示标记" paints the
// targets' marks). "查看数据" and "查看图表" read the controls, validate and
// compute through the window's analysis, and hand the table or the charts to
// the result windows. A window's logic derives from it and adds its own.
class AnalysisWindowLogic : public CDataClient, public CDisplayClient {
public:
    AnalysisWindowLogic(MeasureDocument& document, CImageDisplay& display, ResultWindows& results,
                        const std::string& title);
    ~AnalysisWindowLogic() override;

    AnalysisFields& Fields() { return fields_; }
    const AnalysisFields& Fields() const { return fields_; }
    const std::string& Title() const { return title_; }

    // The window is set up: watches the measurement, paints on the image,
    // and fills its controls as a fresh window shows them.
    void InitWindow();
    // The window became active: it takes the image mouse and paints on top.
    void Activate();
    // The window is gone: its result windows close, paint, mouse and watch
    // are released, and its controls are forgotten.
    void Destroyed();

    // The button without caption: every target, or none when all are chosen.
    void ToggleAllTargets();
    // "显示标记": repaints the image.
    void SetShowMarks(bool on);
    // "查看数据", "查看图表": false when refused or nothing could be computed.
    bool ViewData() { return View(ResultView::Text); }
    bool ViewChart() { return View(ResultView::Chart); }

    void OnDataChanged() override;
    void OnDisplayPaint(QPainter* painter) override;
    void OnDisplayLButtonDown(unsigned flags, QPoint point) override;

protected:
    // The window while it exists (null otherwise). A window with controls of
    // its own sets them through its logic's typed SetControls.
    void SetControls(AnalysisControls* controls) { controls_ = controls; }
    AnalysisControls* Controls() const { return controls_; }

    enum class ResultView { Text, Chart };

    // The range, items and grouping of a fresh window.
    virtual AnalysisRange InitialRange(const AnalysisMeasurement& measurement) const = 0;
    // Builds the window's analysis from the fields and hands it to Hand().
    virtual bool Run(const AnalysisMeasurement& measurement, ResultView view) = 0;
    // The window's own fields as a fresh window shows them.
    virtual void ResetWindowFields(const AnalysisMeasurement& /*measurement*/) {}
    // After a data change reset the window's fields (before they are written).
    virtual void MeasurementChanged() {}
    // The window's own controls, read and written with the common ones.
    virtual void ReadWindowFields() {}
    virtual void WriteWindowFields() {}
    // A click on the image: toggles the nearest target.
    virtual void ImageClicked(QPoint point);
    // The overlays while "显示标记" is set (`frame` is -1 when the page is
    // not a frame of the measurement): every target's mark.
    virtual void Paint(QPainter* painter, int frame) { PaintMarks(painter, frame); }

    // Validates, computes, shows; false when refused or not computed.
    template <typename Analysis> bool Hand(Analysis& analysis, ResultView view) {
        if (!analysis.Validate(Prompter()) || !analysis.Compute()) return false;
        if (view == ResultView::Text)
            results_.ShowTable(
                ResultTable{title_, FilterName(), analysis.TableLines(), analysis.Csv()});
        else
            results_.ShowCharts(analysis.Charts());
        return true;
    }
    // The .tr1 entry of the text window's save dialog.
    virtual const char* FilterName() const { return "2D跟踪文件"; }

    // Every target's mark in a frame of the measurement; nothing for -1.
    void PaintMarks(QPainter* painter, int frame) const;
    // A target's mark: a circle from 2 pixels left/above to 3 right/below
    // the truncated point, red outline, filled with `fill`.
    static void PaintTargetMark(QPainter* painter, double x, double y, const QColor& fill);
    // The 0-based frame on show, -1 when the measurement has no such frame.
    int DisplayedFrame() const;
    // The target nearest to a point of the frame on show, -1 for none.
    int NearestTarget(QPoint point) const;
    void ToggleTarget(int target);
    void ReadControls();
    void WriteControls();
    void Refresh();
    AnalysisMeasurement Measurement();

    MeasureDocument& Document() { return document_; }
    CImageDisplay& Display() { return display_; }
    kova::Prompter& Prompter();

private:
    bool View(ResultView view);
    void FillTargetEntries();

    MeasureDocument& document_;
    CImageDisplay& display_;
    ResultWindows& results_;
    std::string title_;
    AnalysisControls* controls_ = nullptr;
    AnalysisFields fields_;
};
