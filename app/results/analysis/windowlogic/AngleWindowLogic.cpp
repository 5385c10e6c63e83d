#include "AngleWindowLogic.h"

#include "CEasyUtils.h"
#include "MeasureDocument.h"

#include <algorithm>

AngleWindowLogic::AngleWindowLogic(MeasureDocument& document, CImageDisplay& display,
                                   ResultWindows& results)
    : AnalysisWindowLogic(document, display, results, AngleAnalysis::Title()) {}

AnalysisRange AngleWindowLogic::InitialRange(const AnalysisMeasurement& measurement) const {
    return AngleAnalysis::Initial(measurement).range;
}

void AngleWindowLogic::ResetWindowFields(const AnalysisMeasurement& measurement) {
    const AngleSettings initial = AngleAnalysis::Initial(measurement);
    fields_ = AngleFields{initial.mode, initial.points, initial.otherSide};
    picks_ = 0;
}

void AngleWindowLogic::MeasurementChanged() {
    // The selectors are refilled without a choice: the picks start again.
    fields_.points.fill(-1);
    picks_ = 0;
}

void AngleWindowLogic::ReadWindowFields() {
    Own()->ReadAngle(&fields_);
}

void AngleWindowLogic::WriteWindowFields() {
    Own()->WriteAngle(fields_);
    Own()->EnablePicks(std::min(picks_ + 1, PointsNeeded()), picks_ == PointsNeeded());
}

void AngleWindowLogic::SetMode(AngleMode mode) {
    ReadControls();
    fields_.mode = mode;
    const int needed = PointsNeeded();
    picks_ = std::min(picks_, needed);
    std::fill(fields_.points.begin() + needed, fields_.points.end(), -1);
    WriteControls();
}

AngleSettings AngleWindowLogic::Settings() const {
    AngleSettings settings{Fields().range};
    settings.mode = fields_.mode;
    settings.points = fields_.points;
    settings.otherSide = fields_.otherSide;
    return settings;
}

bool AngleWindowLogic::Run(const AnalysisMeasurement& measurement, ResultView view) {
    AngleAnalysis analysis(measurement, Settings());
    return Hand(analysis, view);
}

void AngleWindowLogic::ImageClicked(QPoint point) {
    const int target = NearestTarget(point);
    if (target < 0) return;
    ReadControls();
    if (picks_ < PointsNeeded())
        fields_.points[static_cast<std::size_t>(picks_++)] = target;
    else if (fields_.mode == AngleMode::ThreePoints)
        ChooseSide(point);
    WriteControls();
    Refresh();
}

void AngleWindowLogic::ChooseSide(QPoint point) {
    const AnalysisMeasurement measurement = Measurement();
    if (!AngleAnalysis(measurement, Settings()).PointsValid()) return;
    double x[3], y[3];
    for (std::size_t i = 0; i < 3; ++i) {
        XY_TRACK p{};
        if (!measurement.Point(fields_.points[i], DisplayedFrame(), &p)) return;
        x[i] = p.x;
        y[i] = p.y;
    }
    fields_.otherSide = CEasyUtils::IsBoth3Point(x, y, point.x(), point.y()) != 1;
}

void AngleWindowLogic::OnDisplayRButtonDown(unsigned /*flags*/, QPoint /*point*/) {
    if (picks_ == 0) return;
    ReadControls();
    fields_.points[static_cast<std::size_t>(--picks_)] = -1;
    WriteControls();
    Refresh();
}
