#include "DistanceWindowLogic.h"

#include "DistanceAnalysis.h"
#include "MeasureDocument.h"

#include <QPainter>

DistanceWindowLogic::DistanceWindowLogic(MeasureDocument& document, CImageDisplay& display,
                                         ResultWindows& results)
    : AnalysisWindowLogic(document, display, results, DistanceAnalysis::Title()) {}

AnalysisRange DistanceWindowLogic::InitialRange(const AnalysisMeasurement& measurement) const {
    return DistanceAnalysis::Initial(measurement).range;
}

void DistanceWindowLogic::ResetWindowFields(const AnalysisMeasurement& /*measurement*/) {
    pairs_ = DistancePairList();
    fields_ = DistanceFields();
    picks_ = 0;
}

void DistanceWindowLogic::MeasurementChanged() {
    // The selectors are refilled: the picks start again. The pairs stay;
    // one whose target is gone is refused when computing.
    ClearPicks();
}

void DistanceWindowLogic::ClearPicks() {
    fields_.first = -1;
    fields_.second = -1;
    picks_ = 0;
}

void DistanceWindowLogic::ReadWindowFields() {
    Own()->ReadPairs(&fields_);
    pairs_.SetColour(fields_.colour);
    pairs_.SetStyle(fields_.style);
}

void DistanceWindowLogic::WriteWindowFields() {
    fields_.colour = pairs_.Colour();
    fields_.style = pairs_.Style();
    std::vector<std::string> entries;
    for (const DistancePair& pair : pairs_.Pairs())
        entries.push_back(DistancePairList::EntryText(pair));
    Own()->SetPairEntries(entries);
    Own()->WritePairs(fields_);
}

void DistanceWindowLogic::AddPair() {
    ReadControls();
    const int added = pairs_.Add(fields_.first, fields_.second, Prompter());
    if (added < 0) return;
    fields_.selectedPair = added;
    ClearPicks();
    WriteControls();
    Refresh();
}

void DistanceWindowLogic::DeletePair() {
    ReadControls();
    if (fields_.selectedPair < 0) return;
    fields_.selectedPair = pairs_.Delete(fields_.selectedPair);
    WriteControls();
    Refresh();
}

void DistanceWindowLogic::DeleteAllPairs() {
    ReadControls();
    if (!pairs_.DeleteAll(Prompter())) return;
    fields_.selectedPair = -1;
    WriteControls();
    Refresh();
}

void DistanceWindowLogic::SelectPair(int index) {
    const int count = static_cast<int>(pairs_.Pairs().size());
    fields_.selectedPair = index >= 0 && index < count ? index : -1;
    Refresh();
}

bool DistanceWindowLogic::Run(const AnalysisMeasurement& measurement, ResultView view) {
    DistanceAnalysis analysis(measurement, DistanceSettings{Fields().range, pairs_.Pairs()});
    return Hand(analysis, view);
}

void DistanceWindowLogic::ImageClicked(QPoint point) {
    if (picks_ >= 2) return; // both chosen: "添加" starts again
    const int target = NearestTarget(point);
    if (target < 0) return;
    ReadControls();
    (picks_ == 0 ? fields_.first : fields_.second) = target;
    ++picks_;
    WriteControls();
}

void DistanceWindowLogic::OnDisplayRButtonDown(unsigned /*flags*/, QPoint /*point*/) {
    if (picks_ == 0) return;
    ReadControls();
    (picks_ == 2 ? fields_.second : fields_.first) = -1;
    --picks_;
    WriteControls();
}

bool DistanceWindowLogic::PairPoints(const DistancePair& pair, int frame, QPointF* first,
                                     QPointF* second) {
    const CTrackFile2D& track = Document().Track();
    XY_TRACK a{}, b{};
    if (!track.GetPoint(pair.first, frame, &a) || !track.GetPoint(pair.second, frame, &b))
        return false;
    *first = QPointF(a.x, a.y);
    *second = QPointF(b.x, b.y);
    return true;
}

void DistanceWindowLogic::Paint(QPainter* painter, int frame) {
    if (frame < 0) return;
    for (const DistancePair& pair : pairs_.Pairs()) {
        QPointF a, b;
        if (!PairPoints(pair, frame, &a, &b)) continue; // a target is gone
        // A colour outside the table counts as the first.
        const int colour =
            pair.colour >= 0 && pair.colour < DrawingTools::kColors ? pair.colour : 0;
        painter->save();
        painter->setPen(tools_.TargetPen(colour, pair.style));
        painter->drawLine(static_cast<int>(a.x()), static_cast<int>(a.y()), static_cast<int>(b.x()),
                          static_cast<int>(b.y()));
        painter->restore();
    }
    PaintMarks(painter, frame);
    const int selected = fields_.selectedPair;
    if (selected < 0 || selected >= static_cast<int>(pairs_.Pairs().size())) return;
    QPointF a, b;
    if (!PairPoints(pairs_.Pairs()[static_cast<std::size_t>(selected)], frame, &a, &b)) return;
    for (const QPointF& end : {a, b})
        PaintTargetMark(painter, end.x(), end.y(), QColor(255, 0, 0));
}
