#include "DisplacementWindowLogic.h"

#include <QPainter>
#include <cstdio>

DisplacementWindowLogic::DisplacementWindowLogic(MeasureDocument& document, CImageDisplay& display,
                                                 ResultWindows& results)
    : AnalysisWindowLogic(document, display, results, DisplacementAnalysis::Title()) {}

std::string DisplacementWindowLogic::PositionText(QPoint position) {
    char text[40];
    std::snprintf(text, sizeof text, "( %4d , %4d )", position.x(), position.y());
    return text;
}

AnalysisRange DisplacementWindowLogic::InitialRange(const AnalysisMeasurement& measurement) const {
    return DisplacementAnalysis::Initial(measurement).range;
}

void DisplacementWindowLogic::ResetWindowFields(const AnalysisMeasurement& measurement) {
    const DisplacementSettings initial = DisplacementAnalysis::Initial(measurement);
    // A fresh window shows its own text until a click sets a position.
    reference_ = DisplacementFields{initial.reference, initial.referenceFrame,
                                    initial.referenceTarget, "(   0 ,   0 )"};
    position_ = QPoint(initial.referenceX, initial.referenceY);
}

void DisplacementWindowLogic::ReadWindowFields() {
    Own()->ReadReference(&reference_);
}

void DisplacementWindowLogic::WriteWindowFields() {
    Own()->WriteReference(reference_);
}

void DisplacementWindowLogic::SetReferenceMode(ReferenceMode mode) {
    reference_.reference = mode;
    Refresh();
}

bool DisplacementWindowLogic::Run(const AnalysisMeasurement& measurement, ResultView view) {
    DisplacementAnalysis analysis(measurement,
                                  DisplacementSettings{Fields().range, reference_.reference,
                                                       reference_.referenceFrame, position_.x(),
                                                       position_.y(), reference_.referenceTarget});
    return Hand(analysis, view);
}

void DisplacementWindowLogic::ImageClicked(QPoint point) {
    switch (reference_.reference) {
    case ReferenceMode::Frame:
        AnalysisWindowLogic::ImageClicked(point);
        return;
    case ReferenceMode::Position:
        ReadControls();
        position_ = point;
        reference_.positionText = PositionText(point);
        WriteControls();
        Refresh();
        return;
    case ReferenceMode::Target: {
        const int target = NearestTarget(point);
        if (target < 0) return;
        ReadControls();
        reference_.referenceTarget = target;
        WriteControls();
        return;
    }
    }
}

void DisplacementWindowLogic::Paint(QPainter* painter, int frame) {
    if (reference_.reference != ReferenceMode::Position) {
        PaintMarks(painter, frame);
        return;
    }
    // The reference position: a red cross, arms 4 pixels each way.
    QPen pen(QColor(255, 0, 0));
    pen.setCosmetic(true);
    painter->save();
    painter->setPen(pen);
    const int x = position_.x(), y = position_.y();
    painter->drawLine(x - 4, y, x + 4, y);
    painter->drawLine(x, y - 4, x, y + 4);
    painter->restore();
}
