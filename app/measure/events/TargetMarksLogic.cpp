#include "TargetMarksLogic.h"

#include "CImageDisplay.h"
#include "DrawingTools.h"
#include "MeasureDocument.h"
#include "MeasureHistory.h"
#include "NumberText.h"
#include "Prompter.h"

#include <QPainter>
#include <cstdio>

namespace {

std::vector<std::string> Names(const char* (*name)(int), int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.emplace_back(name(i));
    return names;
}

// A disc over the pixels from `from` left/above to `to` - 1 right/below
// of the truncated point, outline and fill in `colour`.
void PaintDisc(QPainter* painter, const XY_TRACK& point, int from, int to, const QColor& colour) {
    QPen pen(colour);
    pen.setCosmetic(true);
    painter->setPen(pen);
    painter->setBrush(colour);
    const int x = static_cast<int>(point.x);
    const int y = static_cast<int>(point.y);
    painter->drawEllipse(QRect(x - from, y - from, from + to - 1, from + to - 1));
}

} // namespace

TargetMarksLogic::TargetMarksLogic(MeasureDocument& document, CImageDisplay& display)
    : document_(document), display_(display) {
    SetName(kTitle);
}

TargetMarksLogic::~TargetMarksLogic() {
    display_.ReleaseEasyMouse(this);
    display_.ReleasePaint(this);
}

void TargetMarksLogic::Opened(TargetMarksControls* controls) {
    controls_ = controls;
    const int targets = document_.Track().GetTargetCount();
    marks_ = TargetMarks::Read(document_.Info(), targets);
    selected_ = marks_.empty() ? -1 : 0;
    if (controls_) {
        std::vector<std::string> entries;
        for (int t = 1; t <= static_cast<int>(marks_.size()); ++t)
            entries.push_back("目标" + kova::FormatInt(t));
        controls_->ShowChoices(Names(&TargetMarks::ColourName, TargetMarks::kColours),
                               Names(&TargetMarks::StyleName, TargetMarks::kStyles), entries);
    }
    ShowSelected();
    display_.CatchPaint(this);
    display_.CatchEasyMouse(this);
}

void TargetMarksLogic::Destroyed() {
    display_.ReleaseEasyMouse(this);
    display_.ReleasePaint(this);
    controls_ = nullptr;
}

bool TargetMarksLogic::HasSelection() const {
    return selected_ >= 0 && selected_ < static_cast<int>(marks_.size());
}

void TargetMarksLogic::ShowSelected() {
    if (!controls_ || !HasSelection()) return;
    const TargetMark& mark = marks_[static_cast<std::size_t>(selected_)];
    controls_->ShowTarget(selected_, mark.colour, mark.style, mark.name);
}

void TargetMarksLogic::Repaint() {
    display_.Refresh();
}

void TargetMarksLogic::SelectTarget(int target) {
    if (target < 0 || target >= static_cast<int>(marks_.size())) return;
    selected_ = target;
    ShowSelected();
    Repaint();
}

void TargetMarksLogic::SetColour(int colour) {
    if (!HasSelection() || colour < 0 || colour >= TargetMarks::kColours) return;
    SelectedMark().colour = colour;
    Repaint();
}

void TargetMarksLogic::SetStyle(int style) {
    if (!HasSelection() || style < 0 || style >= TargetMarks::kStyles) return;
    SelectedMark().style = style;
    Repaint();
}

void TargetMarksLogic::SetName(const std::string& text) {
    if (!HasSelection()) return;
    SelectedMark().name = TargetMarks::NameFromText(text, selected_ + 1);
}

bool TargetMarksLogic::Confirm(const std::string& text) {
    return document_.Prompter().Show(text, "检查", kova::MessageIcon::Question,
                                     kova::MessageButtons::OkCancel) == kova::MessageAnswer::Ok;
}

bool TargetMarksLogic::InitialiseOneColour() {
    if (!HasSelection()) return false;
    const TargetMark current = SelectedMark();
    if (!Confirm(std::string("All target use ") + TargetMarks::ColourName(current.colour) + "/" +
                 TargetMarks::StyleName(current.style) + " to initialize"))
        return false;
    for (TargetMark& mark : marks_) {
        mark.colour = current.colour;
        mark.style = current.style;
    }
    Repaint();
    return true;
}

bool TargetMarksLogic::InitialiseAutomatic() {
    if (!HasSelection()) return false;
    const int style = SelectedMark().style;
    if (!Confirm(std::string("All target color use ") + TargetMarks::StyleName(style) +
                 " to initialize"))
        return false;
    for (std::size_t t = 0; t < marks_.size(); ++t) {
        marks_[t].colour = static_cast<int>(t % (TargetMarks::kColours - 1));
        marks_[t].style = style;
    }
    ShowSelected();
    Repaint();
    return true;
}

void TargetMarksLogic::Accept() {
    // Unchanged marks stored as they are give no step; repaired ones do.
    if (marks_.empty() || TargetMarks::IsStored(document_.Info(), marks_)) return;
    document_.History().Record(kTitle);
    TargetMarks::Write(document_.Info(), marks_);
    document_.Track().SetModified(1);
}

void TargetMarksLogic::OnDisplayPaint(QPainter* painter) {
    const CTrackFile2D& track = document_.Track();
    if (marks_.empty() || static_cast<int>(marks_.size()) != track.GetTargetCount()) return;
    const int frame = display_.GetPage() - 1;
    painter->save();
    for (int t = 0; t < static_cast<int>(marks_.size()); ++t) {
        XY_TRACK point{};
        if (!track.GetPoint(t, frame, &point)) continue;
        if (t == selected_) PaintDisc(painter, point, 5, 6, Qt::black);
        PaintDisc(painter, point, 2, 3,
                  DrawingTools::Color(marks_[static_cast<std::size_t>(t)].colour));
    }
    painter->restore();
}

void TargetMarksLogic::OnDisplayLButtonDown(unsigned /*flags*/, QPoint point) {
    const int target = display_.NearestTarget(point.x(), point.y());
    if (target >= 0) SelectTarget(target);
}
