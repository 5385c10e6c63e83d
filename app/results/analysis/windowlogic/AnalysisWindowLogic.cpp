#include "AnalysisWindowLogic.h"

#include "CImageDisplay.h"
#include "MeasureDocument.h"
#include "NumberText.h"

#include <QPainter>
#include <algorithm>

AnalysisWindowLogic::AnalysisWindowLogic(MeasureDocument& document, CImageDisplay& display,
                                         ResultWindows& results, const std::string& title)
    : document_(document), display_(display), results_(results), title_(title) {
    CDataClient::SetName(title);
    CDisplayClient::SetName(title);
}

AnalysisWindowLogic::~AnalysisWindowLogic() {
    display_.ReleaseEasyMouse(this);
}

kova::Prompter& AnalysisWindowLogic::Prompter() {
    return document_.Prompter();
}

void AnalysisWindowLogic::ReadControls() {
    if (!controls_) return;
    controls_->ReadControls(&fields_);
    ReadWindowFields();
}

void AnalysisWindowLogic::WriteControls() {
    if (!controls_) return;
    controls_->WriteControls(fields_);
    WriteWindowFields();
}

void AnalysisWindowLogic::Refresh() {
    display_.Refresh();
}

AnalysisMeasurement AnalysisWindowLogic::Measurement() {
    return AnalysisMeasurement(document_.Track(), document_.Info());
}

void AnalysisWindowLogic::FillTargetEntries() {
    if (!controls_) return;
    std::vector<std::string> entries;
    for (int t = 1; t <= document_.Track().GetTargetCount(); ++t)
        entries.push_back("目标" + kova::FormatInt(t));
    controls_->SetTargetEntries(entries);
}

void AnalysisWindowLogic::InitWindow() {
    document_.DataServer().CatchWatch(this);
    display_.CatchPaint(this);
    const AnalysisMeasurement measurement = Measurement();
    fields_.range = InitialRange(measurement);
    fields_.showMarks = true;
    ResetWindowFields(measurement);
    FillTargetEntries();
    WriteControls();
}

void AnalysisWindowLogic::Activate() {
    display_.CatchEasyMouse(this);
    display_.PopupPaint(this);
}

void AnalysisWindowLogic::Destroyed() {
    results_.Close();
    display_.ReleasePaint(this);
    display_.ReleaseEasyMouse(this);
    document_.DataServer().ReleaseWatch(this);
    controls_ = nullptr;
}

void AnalysisWindowLogic::OnDataChanged() {
    ReadControls();
    fields_.range.Reset(Measurement());
    MeasurementChanged();
    FillTargetEntries();
    WriteControls();
}

void AnalysisWindowLogic::ToggleTarget(int target) {
    std::vector<int>& targets = fields_.range.targets;
    const auto at = std::lower_bound(targets.begin(), targets.end(), target);
    if (at != targets.end() && *at == target)
        targets.erase(at);
    else
        targets.insert(at, target);
}

void AnalysisWindowLogic::ToggleAllTargets() {
    ReadControls();
    const int count = document_.Track().GetTargetCount();
    std::vector<int>& targets = fields_.range.targets;
    const bool all = static_cast<int>(targets.size()) == count;
    targets.clear();
    for (int t = 0; !all && t < count; ++t)
        targets.push_back(t);
    WriteControls();
}

void AnalysisWindowLogic::SetShowMarks(bool on) {
    fields_.showMarks = on;
    display_.Refresh();
}

bool AnalysisWindowLogic::View(ResultView view) {
    ReadControls();
    return Run(Measurement(), view);
}

int AnalysisWindowLogic::DisplayedFrame() const {
    const int frame = display_.GetPage() - 1;
    return frame >= 0 && frame < document_.Track().GetFrameCount() ? frame : -1;
}

int AnalysisWindowLogic::NearestTarget(QPoint point) const {
    return DisplayedFrame() < 0 ? -1 : display_.NearestTarget(point.x(), point.y());
}

void AnalysisWindowLogic::OnDisplayLButtonDown(unsigned /*flags*/, QPoint point) {
    ImageClicked(point);
}

void AnalysisWindowLogic::ImageClicked(QPoint point) {
    const int target = NearestTarget(point);
    if (target < 0) return;
    ReadControls();
    ToggleTarget(target);
    WriteControls();
}

void AnalysisWindowLogic::OnDisplayPaint(QPainter* painter) {
    const int frame = DisplayedFrame();
    results_.SetCurrentFrame(frame);
    if (fields_.showMarks) Paint(painter, frame);
}

void AnalysisWindowLogic::PaintMarks(QPainter* painter, int frame) const {
    if (frame < 0) return;
    const CTrackFile2D& track = document_.Track();
    for (int t = 0; t < track.GetTargetCount(); ++t) {
        XY_TRACK p{};
        if (track.GetPoint(t, frame, &p)) PaintTargetMark(painter, p.x, p.y, Qt::white);
    }
}

void AnalysisWindowLogic::PaintTargetMark(QPainter* painter, double x, double y,
                                          const QColor& fill) {
    QPen pen(QColor(255, 0, 0));
    pen.setCosmetic(true);
    painter->save();
    painter->setPen(pen);
    painter->setBrush(fill);
    // A 1-pixel outline around a 4-pixel box covers the five pixels x-2..x+2.
    painter->drawEllipse(QRect(static_cast<int>(x) - 2, static_cast<int>(y) - 2, 4, 4));
    painter->restore();
}
