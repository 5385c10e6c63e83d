#pragma once

#include "AnalysisWindowLogic.h"
#include "AngleControls.h"

// The logic of the angle window "2 线间夹角": the shared analysis window over
// the angle analysis. Clicks on the image fill P1, P2 ... with the nearest
// targets until the mode has its points; a further click in the three-point
// mode chooses the side of the angle; a right click takes the last pick
// back. The selectors are enabled as the picks go on.
class AngleWindowLogic : public AnalysisWindowLogic {
public:
    AngleWindowLogic(MeasureDocument& document, CImageDisplay& display, ResultWindows& results);

    // The window while it exists (null otherwise).
    void SetControls(AngleControls* controls) { AnalysisWindowLogic::SetControls(controls); }

    // A mode radio: the picks are cut to the points the mode uses.
    void SetMode(AngleMode mode);
    int PickCount() const { return picks_; }
    void OnDisplayRButtonDown(unsigned flags, QPoint point) override;

protected:
    AnalysisRange InitialRange(const AnalysisMeasurement& measurement) const override;
    bool Run(const AnalysisMeasurement& measurement, ResultView view) override;
    void ResetWindowFields(const AnalysisMeasurement& measurement) override;
    void MeasurementChanged() override;
    void ReadWindowFields() override;
    void WriteWindowFields() override;
    void ImageClicked(QPoint point) override;

private:
    AngleControls* Own() const { return static_cast<AngleControls*>(Controls()); }
    int PointsNeeded() const { return AngleAnalysis::PointCount(fields_.mode); }
    AngleSettings Settings() const;
    // The three-point mode's side: whether `point` lies outside the angle
    // P1-P2-P3 of the frame on show.
    void ChooseSide(QPoint point);

    AngleFields fields_;
    int picks_ = 0;
};
