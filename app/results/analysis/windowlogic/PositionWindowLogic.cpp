#include "PositionWindowLogic.h"

#include "PositionAnalysis.h"

PositionWindowLogic::PositionWindowLogic(MeasureDocument& document, CImageDisplay& display,
                                         ResultWindows& results)
    : AnalysisWindowLogic(document, display, results, PositionAnalysis::Title()) {}

AnalysisRange PositionWindowLogic::InitialRange(const AnalysisMeasurement& measurement) const {
    return PositionAnalysis::Initial(measurement).range;
}

bool PositionWindowLogic::Run(const AnalysisMeasurement& measurement, ResultView view) {
    PositionAnalysis analysis(measurement, PositionSettings{Fields().range});
    return Hand(analysis, view);
}
