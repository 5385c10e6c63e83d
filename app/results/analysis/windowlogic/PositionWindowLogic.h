#pragma once

#include "AnalysisWindowLogic.h"

// The logic of the position/velocity window "位置 / 速率": the shared
// analysis window over the position analysis.
class PositionWindowLogic : public AnalysisWindowLogic {
public:
    PositionWindowLogic(MeasureDocument& document, CImageDisplay& display, ResultWindows& results);

    // The window while it exists (null otherwise).
    using AnalysisWindowLogic::SetControls;

protected:
    AnalysisRange InitialRange(const AnalysisMeasurement& measurement) const override;
    bool Run(const AnalysisMeasurement& measurement, ResultView view) override;
    const char* FilterName() const override { return "2D Tr File"; }
};
