#pragma once

#include "AnalysisWindowLogic.h"
#include "DisplacementControls.h"

// The logic of the displacement window "偏移量": the shared analysis window
// over the displacement analysis, with its reference. What a click on the
// image does follows the reference mode: it toggles the nearest target
// (reference frame), sets the reference position (reference position) or
// makes the nearest target the reference target (reference target).
class DisplacementWindowLogic : public AnalysisWindowLogic {
public:
    DisplacementWindowLogic(MeasureDocument& document, CImageDisplay& display,
                            ResultWindows& results);

    // The window while it exists (null otherwise).
    void SetControls(DisplacementControls* controls) { AnalysisWindowLogic::SetControls(controls); }

    // A reference mode radio: the image shows the marks or the cross.
    void SetReferenceMode(ReferenceMode mode);
    // A clicked reference position as the window shows it.
    static std::string PositionText(QPoint position);

protected:
    AnalysisRange InitialRange(const AnalysisMeasurement& measurement) const override;
    bool Run(const AnalysisMeasurement& measurement, ResultView view) override;
    void ResetWindowFields(const AnalysisMeasurement& measurement) override;
    void ReadWindowFields() override;
    void WriteWindowFields() override;
    void ImageClicked(QPoint point) override;
    void Paint(QPainter* painter, int frame) override;

private:
    DisplacementControls* Own() const { return static_cast<DisplacementControls*>(Controls()); }

    DisplacementFields reference_;
    QPoint position_;
};
