#include "ConnectionLineEditorLogic.h"

#include "CImageDisplay.h"
#include "MeasureDocument.h"
#include "NumberText.h"
#include "StickPens.h"

#include <QPainter>

ConnectionLineEditorLogic::ConnectionLineEditorLogic(MeasureDocument& document,
                                                     CImageDisplay& display)
    : document_(document), display_(display) {
    SetName("连接线设定");
}

ConnectionLineEditorLogic::~ConnectionLineEditorLogic() {
    Close();
}

void ConnectionLineEditorLogic::ReadControls() {
    if (controls_) controls_->ReadLineFields(&fields_);
}

void ConnectionLineEditorLogic::WriteControls() {
    if (!controls_) return;
    controls_->SetLineEntries(lines_.Entries());
    controls_->WriteLineFields(fields_);
}

void ConnectionLineEditorLogic::ClearPicks() {
    fields_.first = -1;
    fields_.second = -1;
    picks_ = 0;
}

void ConnectionLineEditorLogic::Open() {
    const int targets = document_.Track().GetTargetCount();
    std::vector<std::string> entries;
    for (int t = 1; t <= targets; ++t)
        entries.push_back("目标" + kova::FormatInt(t));
    if (controls_) controls_->SetTargetEntries(entries);
    lines_ = ConnectionLineList();
    fields_ = ConnectionLineFields();
    picks_ = 0;
    for (const ConnectionLine& line : ConnectionLines::Read(document_.Info(), targets))
        Add(line);
    WriteControls();
    if (!open_) {
        display_.CatchPaint(this);
        open_ = true;
    }
    display_.CatchEasyMouse(this);
    display_.PopupPaint(this);
    display_.Refresh();
}

bool ConnectionLineEditorLogic::Add(const ConnectionLine& line) {
    const int added = lines_.Add(line.first, line.second, line.colour, document_.Prompter());
    if (added < 0) return false;
    fields_.selectedLine = added;
    return true;
}

void ConnectionLineEditorLogic::AddLine() {
    ReadControls();
    if (!Add({fields_.first, fields_.second, fields_.colour})) return;
    // The next colour after the one the line took.
    fields_.colour = ConnectionLineList::NextColour(lines_.Lines().back().colour);
    ClearPicks();
    WriteControls();
    display_.Refresh();
}

void ConnectionLineEditorLogic::DeleteLine() {
    ReadControls();
    if (fields_.selectedLine < 0) return;
    fields_.selectedLine = lines_.Delete(fields_.selectedLine);
    WriteControls();
    display_.Refresh();
}

void ConnectionLineEditorLogic::DeleteAllLines() {
    ReadControls();
    if (!lines_.DeleteAll(document_.Prompter())) return;
    fields_.selectedLine = -1;
    WriteControls();
    display_.Refresh();
}

void ConnectionLineEditorLogic::SelectLine(int index) {
    const int count = static_cast<int>(lines_.Lines().size());
    fields_.selectedLine = index >= 0 && index < count ? index : -1;
    display_.Refresh();
}

bool ConnectionLineEditorLogic::Confirm() {
    return ConnectionLines::Write(document_.Info(), lines_.Lines());
}

void ConnectionLineEditorLogic::Close() {
    if (!open_) return;
    open_ = false;
    display_.ReleasePaint(this);
    display_.ReleaseEasyMouse(this);
    display_.Refresh();
}

int ConnectionLineEditorLogic::DisplayedFrame() const {
    const int frame = display_.GetPage() - 1;
    return frame >= 0 && frame < document_.Track().GetFrameCount() ? frame : -1;
}

bool ConnectionLineEditorLogic::Point(int target, int frame, XY_TRACK* point) const {
    return document_.Track().GetPoint(target, frame, point) != 0;
}

void ConnectionLineEditorLogic::OnDisplayLButtonDown(unsigned /*flags*/, QPoint point) {
    if (DisplayedFrame() < 0) return;
    const int target = display_.NearestTarget(point.x(), point.y());
    if (target < 0) return;
    ReadControls();
    // The first click fills the first selector, the second the second; a
    // third starts a new pair.
    if (picks_ >= 2) ClearPicks();
    (picks_ == 0 ? fields_.first : fields_.second) = target;
    ++picks_;
    WriteControls();
}

void ConnectionLineEditorLogic::OnDisplayPaint(QPainter* painter) {
    const int frame = DisplayedFrame();
    if (frame < 0) return;
    XY_TRACK a{}, b{};
    for (const ConnectionLine& line : lines_.Lines()) {
        if (!Point(line.first, frame, &a) || !Point(line.second, frame, &b)) continue;
        painter->save();
        painter->setPen(StickPens::LinePen(line.colour));
        painter->drawLine(static_cast<int>(a.x), static_cast<int>(a.y), static_cast<int>(b.x),
                          static_cast<int>(b.y));
        painter->restore();
    }
    for (int t = 0; t < document_.Track().GetTargetCount(); ++t)
        if (Point(t, frame, &a)) StickPens::PaintTargetMark(painter, a.x, a.y, Qt::white);
    const int selected = fields_.selectedLine;
    if (selected < 0 || selected >= static_cast<int>(lines_.Lines().size())) return;
    const ConnectionLine& line = lines_.Lines()[static_cast<std::size_t>(selected)];
    if (Point(line.first, frame, &a) && Point(line.second, frame, &b)) {
        StickPens::PaintTargetMark(painter, a.x, a.y, QColor(255, 0, 0));
        StickPens::PaintTargetMark(painter, b.x, b.y, QColor(255, 0, 0));
    }
}
